#include "platform/linux/HidrawReportStream.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <vector>

namespace audio77 {
namespace {

// Enough for any full-speed interrupt report when the length is not known.
constexpr std::size_t kDefaultReportLength = 65;

}  // namespace

std::unique_ptr<HidrawReportStream> HidrawReportStream::Start(const std::string& node_path,
                                                              std::size_t report_length,
                                                              Sink sink) {
  const int fd = ::open(node_path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  const int stop_fd = ::eventfd(0, EFD_CLOEXEC);
  if (stop_fd < 0) {
    ::close(fd);
    return nullptr;
  }
  if (report_length < 2) report_length = kDefaultReportLength;
  return std::unique_ptr<HidrawReportStream>(
      new HidrawReportStream(fd, stop_fd, report_length, std::move(sink)));
}

HidrawReportStream::HidrawReportStream(int fd, int stop_fd, std::size_t report_length, Sink sink)
    : fd_(fd), stop_fd_(stop_fd), report_length_(report_length), sink_(std::move(sink)) {
  thread_ = std::thread([this] { Run(); });
}

HidrawReportStream::~HidrawReportStream() {
  const std::uint64_t one = 1;
  [[maybe_unused]] const ssize_t written = ::write(stop_fd_, &one, sizeof one);
  thread_.join();
  ::close(stop_fd_);
  ::close(fd_);
}

void HidrawReportStream::Run() {
  // The vendor interface has no numbered reports, so the kernel hands each
  // report without its ID byte: it is read in behind a 0.
  std::vector<std::uint8_t> report(report_length_, 0);
  while (true) {
    pollfd waits[2] = {{stop_fd_, POLLIN, 0}, {fd_, POLLIN, 0}};
    if (::poll(waits, 2, -1) < 0) {
      if (errno == EINTR) continue;
      break;
    }
    if (waits[0].revents != 0) break;
    // A node whose device was unplugged reports an error or a hang-up.
    if ((waits[1].revents & (POLLERR | POLLHUP | POLLNVAL)) != 0) break;
    if ((waits[1].revents & POLLIN) == 0) continue;
    const ssize_t got = ::read(fd_, report.data() + 1, report.size() - 1);
    if (got < 0 && (errno == EINTR || errno == EAGAIN)) continue;
    if (got <= 0) break;  // ENODEV or EIO: the device went away
    report[0] = 0;
    sink_(std::span<const std::uint8_t>(report.data(), static_cast<std::size_t>(got) + 1));
  }
  running_ = false;
}

}  // namespace audio77
