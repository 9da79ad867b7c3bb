#include "features/RecordTest.h"

#include <filesystem>
#include <system_error>

namespace audio77 {
namespace fs = std::filesystem;

RecordTest::RecordTest(WaveIn& wave_in, WaveOut& wave_out, toolkit::EventLoop& loop, std::string folder,
                       DebugOutput& debug)
    : wave_in_(wave_in),
      wave_out_(wave_out),
      loop_(loop),
      folder_(std::move(folder)),
      debug_(debug),
      timer_(loop, "RecordTestTimer", kPlaybackIntervalMs, false),
      self_(std::make_shared<RecordTest*>(this)) {
  timer_.OnTimer = [this](toolkit::Timer&) { PlayBack(); };
}

RecordTest::~RecordTest() {
  Stop();
  self_.reset();
}

std::string RecordTest::FilePath() const { return (fs::path(folder_) / kFileName).string(); }

bool RecordTest::OpenFile() {
  std::error_code error;
  fs::create_directories(folder_, error);
  if (error || !fs::is_directory(folder_, error) || fs::is_symlink(folder_, error)) return false;
  fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::replace, error);
  if (error) return false;
  // A file left by a test that never stopped (the program was killed) goes first.
  fs::remove(FilePath(), error);
  // "x": never through a file or link that someone else put there.
  file_.reset(std::fopen(FilePath().c_str(), "wbx"));
  return file_ != nullptr;
}

void RecordTest::Start() {
  if (running_) return;
  running_ = true;
  recording_.Clear();
  if (!OpenFile()) debug_.Write("==> record test: cannot create " + FilePath() + "\n");
  const std::uint64_t generation = ++generation_;
  const std::weak_ptr<RecordTest*> self = self_;
  toolkit::EventLoop* loop = &loop_;
  capture_ = wave_in_.Open(
      kFormat, kCaptureBytes,
      [loop, self, generation](std::vector<std::uint8_t> bytes) {
        loop->Post([self, generation, bytes = std::move(bytes)] {
          if (const auto test = self.lock()) (*test)->OnBuffer(generation, bytes);
        });
      },
      nullptr);
  // A failed step leaves the test silent; it still runs until stopped.
  timer_.SetEnabled(true);
}

void RecordTest::OnBuffer(std::uint64_t generation, const std::vector<std::uint8_t>& bytes) {
  if (!running_ || generation != generation_) return;
  recording_.Append(bytes);
}

void RecordTest::PlayBack() {
  if (!running_) return;
  playback_.reset();  // the previous output is closed before the next opens
  auto bytes = recording_.TakeUnplayed();
  if (!bytes.empty()) playback_ = wave_out_.Play(kFormat, std::move(bytes));
}

void RecordTest::Stop() {
  if (!running_) return;
  running_ = false;
  ++generation_;
  timer_.SetEnabled(false);
  capture_.reset();
  if (file_ != nullptr) {
    const auto recorded = recording_.Recorded();
    if (!recorded.empty()) std::fwrite(recorded.data(), 1, recorded.size(), file_.get());
    file_.reset();
    std::error_code error;
    fs::remove(FilePath(), error);
  }
  playback_.reset();
  recording_.Clear();
}

}  // namespace audio77
