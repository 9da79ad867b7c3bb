#pragma once
// The shell of a Linux desktop: web addresses go to xdg-open, programs are
// started as child processes with an argument vector and reaped by Qt, which
// reports their end on the UI thread.

#include <memory>
#include <vector>

#include "platform/Shell.h"

class QProcess;

namespace audio77 {

class DesktopShell final : public Shell {
 public:
  DesktopShell();
  ~DesktopShell() override;
  DesktopShell(const DesktopShell&) = delete;
  DesktopShell& operator=(const DesktopShell&) = delete;

  bool OpenUrl(const std::string& url) override;
  bool StartProgram(const std::string& program, const std::vector<std::string>& arguments,
                    std::function<void()> ended) override;

 private:
  void Forget(QProcess* process);

  std::vector<std::unique_ptr<QProcess>> running_;
};

}  // namespace audio77
