#include "CtlDispatch.h"

#include <algorithm>
#include <exception>
#include <ostream>
#include <sstream>

namespace audio77::ctl {
namespace {

void PrintHelp(std::ostream& out, const std::vector<CtlNoun>& nouns) {
  out << "Usage: audio77ctl <noun> <verb> [arguments] [--json]\n"
         "       audio77ctl --help | --version\n\n"
         "Scripting, diagnostics and signing for Audio77.\n"
         "AUDIO77_PLATFORM=virtual acts on the virtual device instead of hardware.\n\n"
         "Commands:\n";
  for (const auto& noun : nouns) out << noun.usage;
  out << "\n"
         "Options:\n"
         "  --json     (anywhere on the line) print one JSON document on standard output\n"
         "             instead of text; an error is a JSON object on standard error:\n"
         "               {\"error\": TEXT, \"exit\": 1} or {\"error\": TEXT, \"usage\": HINT, \"exit\": 2}\n"
         "  --help     print this help;  --version  print the version\n"
         "\n"
         "JSON documents (keys are stable; numbers that the text prints in hexadecimal\n"
         "are strings \"0x..\" there too):\n"
         "  devices         {\"config\", \"devices\": [{\"hardware_id\", \"chosen\"}], \"chosen\": {\"hardware_id\",\n"
         "                   \"vendor_id\", \"product_id\", \"usb_id\", \"sysfs\", \"hidraw\"} or null}\n"
         "  virtual status  {\"state_folder\", \"vendor_id\", \"product_id\", \"revision\", \"present\",\n"
         "                   \"input_report_length\", \"output_report_length\", \"faults\": {NAME: N},\n"
         "                   \"device_ini\", \"lighting\": {\"master\", \"slave\"}, \"virtual71\": {\"on\", \"scale\",\n"
         "                   \"placement\": {\"enable\", \"speakers\": [{\"speaker\", \"distance\", \"angle\"}]}}}\n"
         "  config show     {\"config\": {KEY: VALUE}, \"runtime\": {KEY: VALUE}, \"user\": {\"file\",\n"
         "                   \"exists\", \"DefaultLanguage\", \"DefaultSkin\"}}\n"
         "  reg read        {\"address\", \"value\"};  gpio read {\"gpio\": [G0..G9]}\n"
         "  ids check       {\"entries\": [{\"outcome\", \"entry\"}], \"load_result\"};  ids sign {\"entry\"}\n"
         "  doctor          {\"ok\", \"checks\": [{\"check\", \"status\", \"finding\", \"fix\"}]}\n"
         "  ui list|get|find  {\"controls\": [{\"name\", \"tag\", \"kind\", \"visible\", \"enabled\", \"x\", \"y\",\n"
         "                   \"w\", \"h\", \"picture\", \"caption\", \"color\"}]}\n"
         "  ui boxes        {\"boxes\": [{\"caption\", \"text\"}]};  ui menus {\"items\": [{\"path\", \"name\",\n"
         "                   \"checked\", \"enabled\"}]};  ui state {KEY: VALUE}\n"
         "  any other       {\"lines\": [the text lines]}\n"
         "\nExit status: 0 done, 1 a file or device failure, 2 a usage error.\n";
}

// Runs one noun; in JSON mode a noun that writes text instead of a document
// gets its lines wrapped, so that every command answers in JSON.
int RunNoun(CtlContext& context, const CtlNoun& noun, CtlArgs args) {
  if (!context.json) return noun.run(context, args);
  std::ostringstream text;
  CtlContext capture(text, context.err);
  capture.json = true;
  const int code = noun.run(capture, args);
  if (capture.emitted()) {
    context.out << text.str();
    return code;
  }
  if (!text.str().empty()) {
    Json lines = Json::array();
    std::istringstream in(text.str());
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    context.Emit({{"lines", lines}});
  }
  return code;
}

}  // namespace

std::vector<CtlNoun> AllNouns() {
  std::vector<CtlNoun> nouns;
  for (auto group : {SettingsNouns(), DeviceLibraryNouns(), IdentityNouns(), DoctorNouns(), UiNouns()}) {
    nouns.insert(nouns.end(), group.begin(), group.end());
  }
  return nouns;
}

int RunCtl(CtlContext& context, std::vector<std::string> args) {
  const auto json = std::find(args.begin(), args.end(), "--json");
  if (json != args.end()) {
    context.json = true;
    args.erase(std::remove(args.begin(), args.end(), "--json"), args.end());
  }
  const auto nouns = AllNouns();
  if (args.empty()) return context.UsageError("no command given");
  if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    PrintHelp(context.out, nouns);
    return kExitOk;
  }
  if (args[0] == "--version") {
    if (context.json) {
      context.Emit({{"program", "audio77ctl"}, {"version", AUDIO77_VERSION}});
    } else {
      context.out << "audio77ctl " << AUDIO77_VERSION << '\n';
    }
    return kExitOk;
  }
  for (const auto& noun : nouns) {
    if (noun.name != args[0]) continue;
    try {
      return RunNoun(context, noun, CtlArgs(args).subspan(1));
    } catch (const std::exception& error) {
      return context.Fail(error.what());
    }
  }
  return context.UsageError("unknown command '" + args[0] + "'");
}

}  // namespace audio77::ctl
