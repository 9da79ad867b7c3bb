#pragma once
// Serves `audio77ctl ui …` for the main window while it lives. Start() offers
// the commands on the platform's automation endpoint (on Linux only when
// AUDIO77_AUTOMATION=1; always on the virtual platform) and, once it serves,
// puts AutomationDialogs in front of the application's dialogs so that
// `ui answer` and `ui boxes` see every dialog. Create it after the
// presentation has installed its dialogs; the destructor withdraws and gives
// the application its own dialogs back.

#include <memory>

#include "app/AutomationCommands.h"
#include "app/AutomationDialogs.h"
#include "app/AutomationTarget.h"
#include "platform/AutomationEndpoint.h"

namespace audio77 {

class AutomationServer {
 public:
  AutomationServer(AutomationEndpoint& endpoint, AutomationTarget& target);
  ~AutomationServer();
  AutomationServer(const AutomationServer&) = delete;
  AutomationServer& operator=(const AutomationServer&) = delete;

  // False when automation is not served here (off, or no session bus).
  bool Start();
  bool Serving() const { return serving_; }
  AutomationDialogs& Dialogs() { return dialogs_; }

 private:
  AutomationEndpoint& endpoint_;
  toolkit::Application& app_;
  AutomationDialogs dialogs_;
  AutomationCommands commands_;
  bool serving_ = false;
};

}  // namespace audio77
