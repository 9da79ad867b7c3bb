#pragma once
// The object a running window instance exports on the session bus: one
// method, Activate, that brings the instance forward.

#include <QObject>
#include <functional>

namespace audio77 {

inline constexpr const char* kInstanceInterface = "org.audio77.Instance";
inline constexpr const char* kInstancePath = "/org/audio77/Instance";

class InstanceEndpoint final : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.audio77.Instance")

 public:
  explicit InstanceEndpoint(std::function<void()> on_activate);

 public Q_SLOTS:
  Q_SCRIPTABLE void Activate();

 private:
  std::function<void()> on_activate_;
};

}  // namespace audio77
