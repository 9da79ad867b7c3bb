#include "app/CommandLine.h"

#include "platform/DebugFormat.h"

namespace audio77 {
namespace {

// Only ASCII letters change: the switches are ASCII, and other text must not
// be altered by the current locale.
std::string AsciiLower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

}  // namespace

CommandLine::CommandLine(std::vector<std::string> arguments) : arguments_(std::move(arguments)) {}

void CommandLine::LogArguments(DebugOutput& debug) const {
  for (std::size_t i = 0; i < arguments_.size(); ++i) {
    DebugPrintf(debug, "ParamStr(%d) = %s\n", static_cast<int>(i), arguments_[i].c_str());
  }
}

Role CommandLine::ChooseRole(DebugOutput& debug) const {
  for (std::size_t i = 1; i < arguments_.size(); ++i) {
    if (arguments_[i].empty()) continue;
    const std::string lower = AsciiLower(arguments_[i]);
    debug.Write(TruncateToUtf16Units(lower, kDebugBufferChars - 1));
    if (lower == "-boot") return Role::kBootRequest;
    if (lower == "-servicestart" || lower == "-serviceboot") return Role::kWindowInstance;
  }
  return Role::kServiceRequest;
}

InformationRequest CommandLine::AskedForInformation() const {
  for (std::size_t i = 1; i < arguments_.size(); ++i) {
    const std::string& argument = arguments_[i];
    if (argument == "--help" || argument == "-h") return InformationRequest::kHelp;
    if (argument == "--version") return InformationRequest::kVersion;
    const std::string lower = AsciiLower(argument);
    if (lower == "-boot" || lower == "-servicestart" || lower == "-serviceboot") break;
  }
  return InformationRequest::kNone;
}

std::string CommandLine::UsageText() {
  return "Usage: audio77 [-servicestart | -serviceboot | -boot]\n"
         "       audio77 --help | --version\n"
         "\n"
         "Control panel for USB headsets and sound adapters built on the 77xx audio\n"
         "controller: equalizer, 3D, environment effects, microphone, virtual 7.1,\n"
         "noise cancellation, voice effects and lighting, from the notification area.\n"
         "\n"
         "Options:\n"
         "  -servicestart  start the control panel window (one per login)\n"
         "  -serviceboot   start it minimised into the notification area (login autostart)\n"
         "  -boot          send the start-up request (code 196) to AudioDeviceService and end\n"
         "  (no switch)    send the user request (code 193) to AudioDeviceService and end\n"
         "  -h, --help     print this help and exit\n"
         "  --version      print the version and exit\n"
         "\n"
         "Switches ignore case and the first recognised one wins; the exit status is 0.\n"
         "\n"
         "Environment:\n"
         "  AUDIO77_PLATFORM=virtual  run on the virtual 77xx device (package audio77-virtual)\n"
         "  AUDIO77_DEBUG=1           write diagnostics to standard error\n"
         "  AUDIO77_AUTOMATION=1      let audio77ctl ui drive the window on hardware\n"
         "\n"
         "Close a running window with the tray menu's Close, or with\n"
         "  dbus-send --session --type=signal /org/audio77/Messages \\\n"
         "    org.audio77.Messages.Message string:WM_QKW77xxAPP_EXIT\n"
         "Why no device is found: audio77ctl doctor.\n";
}

std::string CommandLine::VersionText(const std::string& version) { return "audio77 " + version + "\n"; }

std::string CommandLine::RawText() const {
  std::string text;
  for (const auto& argument : arguments_) {
    if (!text.empty()) text += ' ';
    text += argument;
  }
  return text;
}

}  // namespace audio77
