#pragma once
// Runs one audio77ctl command line in-process and keeps its exit code and output.

#include <sstream>
#include <string>
#include <vector>

#include "CtlDispatch.h"

namespace audio77::ctl {

struct Outcome {
  int code;
  std::string out;
  std::string err;
};

inline Outcome RunCommand(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  CtlContext context(out, err);
  const int code = RunCtl(context, args);
  return {code, out.str(), err.str()};
}

}  // namespace audio77::ctl
