#pragma once
// The program's command line and the role it selects.

#include <string>
#include <vector>

#include "platform/DebugOutput.h"

namespace audio77 {

enum class Role {
  kBootRequest,     // "-boot": one request to the service, no window
  kServiceRequest,  // no window switch: another request to the service, no window
  kWindowInstance,  // "-servicestart" or "-serviceboot"
};

// "--help" and "--version": answered on standard output before any role runs.
enum class InformationRequest { kNone, kHelp, kVersion };

class CommandLine {
 public:
  // arguments[0] is the program itself.
  explicit CommandLine(std::vector<std::string> arguments);

  // One "ParamStr(i) = ..." line per argument, the program included.
  void LogArguments(DebugOutput& debug) const;
  // Scans the switches in order, ignoring case; the first recognised one wins.
  // Every scanned argument is echoed in lower case, without a line end.
  Role ChooseRole(DebugOutput& debug) const;
  // The arguments joined by spaces, as the raw process command line.
  std::string RawText() const;
  // "--help" or "--version" when one comes before the first role switch
  // (exact spelling, as desktop tools expect); the role switches are not
  // changed by it.
  InformationRequest AskedForInformation() const;
  // What "--help" and "--version" print.
  static std::string UsageText();
  static std::string VersionText(const std::string& version);

 private:
  std::vector<std::string> arguments_;
};

}  // namespace audio77
