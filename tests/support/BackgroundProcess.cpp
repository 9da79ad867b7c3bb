#include "support/BackgroundProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <thread>

#include "support/ChildEnvironment.h"

namespace audio77::test {
BackgroundProcess::BackgroundProcess(const std::string& program, const std::vector<std::string>& args,
                                     const std::map<std::string, std::string>& environment) {
  const std::string out_path = capture_.File("out");
  const std::string err_path = capture_.File("err");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addopen(&actions, 2, err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  std::vector<std::string> argv_texts{program};
  argv_texts.insert(argv_texts.end(), args.begin(), args.end());
  auto argv = Pointers(argv_texts);
  auto env_texts = MergedEnvironment(environment);
  auto envp = Pointers(env_texts);
  pid_t pid = 0;
  if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data()) == 0) pid_ = pid;
  posix_spawn_file_actions_destroy(&actions);
}

BackgroundProcess::~BackgroundProcess() {
  if (Running()) {
    Signal(SIGKILL);
    Wait(std::chrono::seconds(10));
  }
}

void BackgroundProcess::Signal(int signal_number) {
  if (pid_ > 0 && !exit_code_) ::kill(pid_, signal_number);
}

std::optional<int> BackgroundProcess::Wait(std::chrono::milliseconds limit) {
  if (pid_ <= 0 || exit_code_) return exit_code_;
  const auto deadline = std::chrono::steady_clock::now() + limit;
  do {
    int status = 0;
    const pid_t done = ::waitpid(pid_, &status, WNOHANG);
    if (done == pid_) {
      exit_code_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
      return exit_code_;
    }
    if (done < 0 && errno == ECHILD) {
      // Reaped elsewhere (a handler of SIGCHLD in this process): it has ended,
      // with a status nobody can tell any more.
      exit_code_ = -1;
      return exit_code_;
    }
    if (done < 0 && errno != EINTR) return std::nullopt;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  } while (std::chrono::steady_clock::now() < deadline);
  return std::nullopt;
}

bool BackgroundProcess::Running() { return pid_ > 0 && !Wait(std::chrono::milliseconds(0)); }

std::string BackgroundProcess::Out() const { return capture_.Read("out"); }
std::string BackgroundProcess::Err() const { return capture_.Read("err"); }

bool BackgroundProcess::WaitForErr(const std::string& text, std::chrono::milliseconds limit) {
  return WaitUntil([&] { return Err().find(text) != std::string::npos; }, limit);
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

}  // namespace audio77::test
