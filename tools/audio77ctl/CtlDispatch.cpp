#include "CtlDispatch.h"

#include <exception>
#include <ostream>

namespace audio77::ctl {
namespace {

void PrintHelp(std::ostream& out, const std::vector<CtlNoun>& nouns) {
  out << "Usage: audio77ctl <noun> <verb> [arguments]\n"
         "       audio77ctl --help | --version\n\n"
         "Scripting, diagnostics and signing for Audio77.\n"
         "AUDIO77_PLATFORM=virtual acts on the virtual device instead of hardware.\n\n"
         "Commands:\n";
  for (const auto& noun : nouns) out << noun.usage;
  out << "\nExit status: 0 done, 1 a file or device failure, 2 a usage error.\n";
}

}  // namespace

std::vector<CtlNoun> AllNouns() {
  std::vector<CtlNoun> nouns;
  for (auto group : {SettingsNouns(), DeviceLibraryNouns(), IdentityNouns(), UiNouns()}) {
    nouns.insert(nouns.end(), group.begin(), group.end());
  }
  return nouns;
}

int RunCtl(CtlContext& context, const std::vector<std::string>& args) {
  const auto nouns = AllNouns();
  if (args.empty()) return context.UsageError("no command given");
  if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    PrintHelp(context.out, nouns);
    return kExitOk;
  }
  if (args[0] == "--version") {
    context.out << "audio77ctl " << AUDIO77_VERSION << '\n';
    return kExitOk;
  }
  for (const auto& noun : nouns) {
    if (noun.name != args[0]) continue;
    try {
      return noun.run(context, CtlArgs(args).subspan(1));
    } catch (const std::exception& error) {
      return context.Fail(error.what());
    }
  }
  return context.UsageError("unknown command '" + args[0] + "'");
}

}  // namespace audio77::ctl
