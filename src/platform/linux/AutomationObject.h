#pragma once
// The object a window instance exports for automation: one method,
// Run(as args) -> (i code, s output). Qt delivers the call on the thread the
// object lives in, the UI thread.

#include <QObject>
#include <QStringList>

#include "platform/AutomationEndpoint.h"

namespace audio77 {

inline constexpr const char* kAutomationInterface = "org.audio77.Automation";
inline constexpr const char* kAutomationPath = "/org/audio77/Automation";

class AutomationObject final : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.audio77.Automation")

 public:
  explicit AutomationObject(AutomationHandler handler);

 public Q_SLOTS:
  Q_SCRIPTABLE int Run(const QStringList& args, QString& output);

 private:
  AutomationHandler handler_;
};

}  // namespace audio77
