// audio77ctl ui: drives the running window instance through its automation
// endpoint (the session bus; served on the virtual platform, or on Linux when
// the program runs with AUDIO77_AUTOMATION=1). The window does the work; this
// side only makes file names absolute, since the window runs in a folder of
// its own, and prints the reply.
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "CtlContext.h"

namespace audio77::ctl {
namespace {

std::string Absolute(const std::string& path) {
  std::error_code error;
  const auto absolute = std::filesystem::absolute(path, error);
  return error ? path : absolute.lexically_normal().string();
}

int RunUi(CtlContext& context, CtlArgs args) {
  if (args.empty())
    return context.UsageError("usage: ui COMMAND [ARGUMENTS] (see audio77ctl --help)");
  std::vector<std::string> words(args.begin(), args.end());
  if (words[0] == "screenshot" && words.size() == 2) words[1] = Absolute(words[1]);
  if (words[0] == "answer" && words.size() == 2 && words[1].starts_with("FILE=") &&
      words[1].size() > 5) {
    words[1] = "FILE=" + Absolute(words[1].substr(5));
  }
  const auto reply = context.platform().automation.Call(words);
  if (!reply) {
    return context.Fail(
        "no window instance answers; automation is served by audio77 on the virtual platform "
        "or when started with AUDIO77_AUTOMATION=1, on the same session bus");
  }
  if (reply->code == kExitUsage) return context.UsageError(reply->output);
  if (reply->code != kExitOk) {
    return context.Fail(reply->output.empty() ? "the window could not do it" : reply->output);
  }
  context.out << reply->output;
  return kExitOk;
}

}  // namespace

std::vector<CtlNoun> UiNouns() {
  return {
      {"ui",
       "ui list                              every control of the main window, in creation order\n"
       "ui get NAME | ui find TAG            one control's line, by name or by Tag look-up\n"
       "ui press|release|click NAME [X Y]    left button at X Y (the centre of NAME, which must be shown)\n"
       "ui move X Y | ui drag NAME DX DY     pointer moves; a drag from the control's centre\n"
       "ui menu PATH | ui menus              pick a tray-menu item (\"Skin/Dark\"); list them\n"
       "ui answer OK|Cancel|Yes|No|FILE=PATH|COLOR=0xBBGGRR   pre-answer the next dialog\n"
       "ui boxes | ui state                  message boxes shown; the window's state\n"
       "ui screenshot FILE.png               save the window as painted\n",
       RunUi},
  };
}

}  // namespace audio77::ctl
