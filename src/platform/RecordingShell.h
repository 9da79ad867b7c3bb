#pragma once
// A shell that only records what it was asked to open or start, for
// in-process runs: started programs stay running until End() is called.

#include <cstddef>
#include <string>
#include <vector>

#include "platform/Shell.h"

namespace audio77 {

class RecordingShell final : public Shell {
 public:
  struct Started {
    std::string program;
    std::vector<std::string> arguments;
    std::function<void()> ended;
  };

  bool OpenUrl(const std::string& url) override;
  bool StartProgram(const std::string& program, const std::vector<std::string>& arguments,
                    std::function<void()> ended) override;

  // Programs that fail to start from now on.
  void SetStartFails(bool fails) { start_fails_ = fails; }
  // The started program at index ends (its ended runs once).
  void End(std::size_t index);

  const std::vector<std::string>& OpenedUrls() const { return urls_; }
  const std::vector<Started>& StartedPrograms() const { return started_; }

 private:
  std::vector<std::string> urls_;
  std::vector<Started> started_;
  bool start_fails_ = false;
};

}  // namespace audio77
