#pragma once
// The object a window instance exports for automation: one method,
// Run(as args) -> (i code, s output). Qt delivers the call on the thread the
// object lives in, the UI thread.

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QObject>
#include <QStringList>

#include <vector>

#include "platform/AutomationEndpoint.h"

namespace audio77 {

inline constexpr const char* kAutomationInterface = "org.audio77.Automation";
inline constexpr const char* kAutomationPath = "/org/audio77/Automation";

class AutomationObject final : public QObject, protected QDBusContext {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.audio77.Automation")

 public:
  explicit AutomationObject(AutomationHandler handler);
  // Answers the innermost request still running, before its handler returns.
  void ReplyNow(const AutomationReply& reply);

 public Q_SLOTS:
  Q_SCRIPTABLE int Run(const QStringList& args, QString& output);

 private:
  // A request over the bus whose reply is sent when it ends or earlier. A
  // request runs inside an earlier one while a dialog of that one waits.
  struct Pending {
    QDBusConnection connection;
    QDBusMessage message;
    bool replied = false;
  };
  static void Send(Pending& pending, const AutomationReply& reply);

  AutomationHandler handler_;
  std::vector<Pending*> pending_;
};

}  // namespace audio77
