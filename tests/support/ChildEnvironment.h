#pragma once
// The environment and argument arrays that a test hands to a child process.

#include <map>
#include <string>
#include <vector>

namespace audio77::test {

// The current environment with extra's entries added or replaced, as NAME=VALUE texts.
std::vector<std::string> MergedEnvironment(const std::map<std::string, std::string>& extra);

// Null-terminated pointers into texts, for posix_spawn; valid while texts lives unchanged.
std::vector<char*> Pointers(std::vector<std::string>& texts);

}  // namespace audio77::test
