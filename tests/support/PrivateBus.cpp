#include "support/PrivateBus.h"

namespace audio77::test {

PrivateBus::PrivateBus()
    : daemon_(std::make_unique<BackgroundProcess>(
          "/usr/bin/dbus-daemon", std::vector<std::string>{"--session", "--nofork", "--print-address=1"})) {
  WaitUntil([this] { return daemon_->Out().find('\n') != std::string::npos || !daemon_->Running(); },
            std::chrono::seconds(10));
  const std::string out = daemon_->Out();
  const auto end = out.find('\n');
  if (end != std::string::npos) address_ = out.substr(0, end);
}

}  // namespace audio77::test
