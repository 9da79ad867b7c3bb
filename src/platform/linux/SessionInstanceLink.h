#pragma once
// Finding the running window instance on the session bus. The running
// instance owns the name "org.audio77.Instance.T<title as hex>" and exports
// InstanceEndpoint under /org/audio77/Instance; a second instance calls
// Activate on the name made from its own title, so it finds the running one
// only when both titles are equal. Without a session bus nothing is found.

#include <QDBusConnection>
#include <functional>
#include <memory>
#include <string>

#include "platform/InstanceLink.h"

namespace audio77 {

class InstanceEndpoint;

class SessionInstanceLink final : public InstanceLink {
 public:
  explicit SessionInstanceLink(std::function<QDBusConnection()> connect);
  ~SessionInstanceLink() override;

  bool Publish(const std::string& title, std::function<void()> on_activate) override;
  bool ActivateRunning(const std::string& title) override;

  // The bus name that stands for a title.
  static QString BusNameFor(const std::string& title);

 private:
  void Withdraw();

  std::function<QDBusConnection()> connect_;
  std::unique_ptr<InstanceEndpoint> endpoint_;
  QString published_name_;
};

}  // namespace audio77
