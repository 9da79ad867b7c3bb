#include "app/AutomationServer.h"

#include "toolkit/Application.h"

namespace audio77 {

AutomationServer::AutomationServer(AutomationEndpoint& endpoint, AutomationTarget& target)
    : endpoint_(endpoint),
      app_(target.AutomationForm().App()),
      dialogs_(app_.GetDialogs()),
      commands_(target, dialogs_) {
  // A script never hangs on a dialog its command opened: it gets its reply,
  // finds the dialog in `ui boxes` and answers it with `ui answer`.
  dialogs_.SetBeforeWaiting(
      [this](const std::string& line) { endpoint_.ReplyNow({0, "waiting dialog: " + line + "\n"}); });
}

AutomationServer::~AutomationServer() {
  if (!serving_) return;
  endpoint_.Withdraw();
  if (&app_.GetDialogs() == &dialogs_) app_.SetDialogs(dialogs_.Inner());
}

bool AutomationServer::Start() {
  if (serving_) return true;
  serving_ =
      endpoint_.Serve([this](const std::vector<std::string>& args) { return commands_.Run(args); });
  if (serving_) app_.SetDialogs(dialogs_);
  return serving_;
}

}  // namespace audio77
