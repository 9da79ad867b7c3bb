#pragma once
// Runs a program to its end and keeps what it printed: integration tests start
// the real programs this way.

#include <map>
#include <string>
#include <vector>

namespace audio77::test {

struct ProcessResult {
  int exit_code = -1;  // -1 when it did not end normally
  std::string out;
  std::string err;
};

// Runs program with args; environment entries are added to (or replace) the
// current environment; stdin is empty.
ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& args,
                         const std::map<std::string, std::string>& environment = {});

}  // namespace audio77::test
