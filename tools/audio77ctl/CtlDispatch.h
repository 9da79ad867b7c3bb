#pragma once
// "audio77ctl [--help|--version] <noun> <verb> [arguments]".

#include <string>
#include <vector>

#include "CtlContext.h"

namespace audio77::ctl {

std::vector<CtlNoun> AllNouns();
// Runs one command line (without the program name) and gives the exit code.
int RunCtl(CtlContext& context, std::vector<std::string> args);

}  // namespace audio77::ctl
