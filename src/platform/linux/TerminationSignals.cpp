#include "platform/linux/TerminationSignals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <array>
#include <cerrno>

namespace audio77 {
namespace {

// The handler may only do async-signal-safe work: it writes one byte to a pipe
// that the event loop watches.
volatile sig_atomic_t g_write_fd = -1;
struct sigaction g_previous_term {};
struct sigaction g_previous_int {};

extern "C" void OnTerminationSignal(int) {
  const int saved = errno;
  const char byte = 1;
  if (g_write_fd >= 0) {
    const ssize_t written = ::write(g_write_fd, &byte, 1);
    static_cast<void>(written);  // a full pipe already holds a pending wake-up
  }
  errno = saved;
}

}  // namespace

TerminationSignals::TerminationSignals(std::function<void()> on_signal) : on_signal_(std::move(on_signal)) {
  std::array<int, 2> fds{-1, -1};
  if (::pipe2(fds.data(), O_CLOEXEC | O_NONBLOCK) != 0) return;
  read_fd_ = fds[0];
  g_write_fd = fds[1];
  struct sigaction action {};
  action.sa_handler = OnTerminationSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  ::sigaction(SIGTERM, &action, &g_previous_term);
  ::sigaction(SIGINT, &action, &g_previous_int);
  notifier_ = std::make_unique<QSocketNotifier>(read_fd_, QSocketNotifier::Read);
  connect(notifier_.get(), &QSocketNotifier::activated, this, &TerminationSignals::OnReadable);
}

TerminationSignals::~TerminationSignals() {
  if (read_fd_ < 0) return;
  ::sigaction(SIGTERM, &g_previous_term, nullptr);
  ::sigaction(SIGINT, &g_previous_int, nullptr);
  notifier_.reset();
  const int write_fd = g_write_fd;
  g_write_fd = -1;
  ::close(write_fd);
  ::close(read_fd_);
}

void TerminationSignals::OnReadable() {
  std::array<char, 16> drain{};
  while (::read(read_fd_, drain.data(), drain.size()) > 0) {
  }
  if (on_signal_) on_signal_();
}

}  // namespace audio77
