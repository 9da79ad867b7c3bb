#pragma once
// The desktop's shell: opening a web address with the desktop's URL opener
// and starting another program. Nothing goes through a command interpreter:
// the address and the program's arguments travel as separate arguments.

#include <functional>
#include <string>
#include <vector>

namespace audio77 {

class Shell {
 public:
  virtual ~Shell() = default;
  // Hands url to the desktop's opener; false when it could not be handed over.
  virtual bool OpenUrl(const std::string& url) = 0;
  // Starts program with arguments. ended runs on the UI thread once the
  // program has ended, however it ended (its process is reaped). False when
  // it could not be started; ended never runs then.
  virtual bool StartProgram(const std::string& program, const std::vector<std::string>& arguments,
                            std::function<void()> ended) = 0;
};

}  // namespace audio77
