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

std::string CommandLine::RawText() const {
  std::string text;
  for (const auto& argument : arguments_) {
    if (!text.empty()) text += ' ';
    text += argument;
  }
  return text;
}

}  // namespace audio77
