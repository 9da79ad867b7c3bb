#pragma once
// A program that runs while the test goes on: started with extra environment,
// its output kept in files, stopped and reaped at the latest when the object
// goes. For tests that need two programs at once or a helper service.

#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "support/TempDir.h"

namespace audio77::test {

class BackgroundProcess {
 public:
  BackgroundProcess(const std::string& program, const std::vector<std::string>& args,
                    const std::map<std::string, std::string>& environment = {});
  ~BackgroundProcess();
  BackgroundProcess(const BackgroundProcess&) = delete;
  BackgroundProcess& operator=(const BackgroundProcess&) = delete;

  bool Started() const { return pid_ > 0; }
  // Sends a signal (SIGTERM by default).
  void Signal(int signal_number = 15);
  // Waits for the end: the exit code, -1 after a signal, nullopt when it still runs.
  std::optional<int> Wait(std::chrono::milliseconds limit);
  bool Running();
  std::string Out() const;
  std::string Err() const;
  // Polls standard error until text appears; false after the limit.
  bool WaitForErr(const std::string& text, std::chrono::milliseconds limit);

 private:
  TempDir capture_;
  int pid_ = -1;
  std::optional<int> exit_code_;
};

// Polls condition every few milliseconds until it holds or the limit passes.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit);

}  // namespace audio77::test
