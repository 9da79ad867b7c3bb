#include <iostream>
#include <string>
#include <vector>

#include "CtlDispatch.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  audio77::ctl::CtlContext context(std::cout, std::cerr);
  const int code = audio77::ctl::RunCtl(context, args);
  std::cout.flush();
  return code;
}
