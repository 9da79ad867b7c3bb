#pragma once
// Automation over the session bus. The serving instance owns a bus name and
// exports AutomationObject under /org/audio77/Automation; a client calls Run
// on that name. The name is "org.audio77.Automation" for the Linux platform;
// on the virtual platform it carries a digest of the virtual device's state
// folder ("org.audio77.Automation.V<16 hex digits>"), so programs on different
// virtual devices (parallel tests) never answer each other's clients.

#include <QDBusConnection>
#include <functional>
#include <memory>
#include <string>

#include "platform/AutomationEndpoint.h"

namespace audio77 {

class AutomationObject;

class SessionAutomationEndpoint final : public AutomationEndpoint {
 public:
  // may_serve false: Serve refuses (automation is off), Call still works.
  SessionAutomationEndpoint(std::function<QDBusConnection()> connect, QString bus_name,
                            bool may_serve);
  ~SessionAutomationEndpoint() override;

  bool Serve(AutomationHandler handler) override;
  void Withdraw() override;
  void ReplyNow(const AutomationReply& reply) override;
  std::optional<AutomationReply> Call(const std::vector<std::string>& args) override;

  static QString LinuxBusName();
  static QString VirtualBusName(const std::string& state_folder);
  // Whether AUDIO77_AUTOMATION=1 asks the Linux platform to serve.
  static bool EnabledByEnvironment();

 private:
  std::function<QDBusConnection()> connect_;
  QString bus_name_;
  bool may_serve_;
  std::unique_ptr<AutomationObject> object_;
  int running_ = 0;  // requests in progress (nested ones count too)
};

}  // namespace audio77
