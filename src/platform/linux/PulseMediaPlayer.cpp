#include "platform/linux/PulseMediaPlayer.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace audio77 {
namespace {

// Sound files of the program are short; a bigger file is not one of them.
constexpr std::streamsize kLargestFile = 16 * 1024 * 1024;

std::optional<std::vector<std::uint8_t>> ReadSmallFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) return std::nullopt;
  const std::streamsize size = in.tellg();
  if (size < 0 || size > kLargestFile) return std::nullopt;
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  in.seekg(0);
  if (!in.read(reinterpret_cast<char*>(bytes.data()), size)) return std::nullopt;
  return bytes;
}

}  // namespace

PulseMediaPlayer::PulseMediaPlayer(std::shared_ptr<PulseConnection> connection, DebugOutput& debug)
    : connection_(std::move(connection)), debug_(debug) {}

bool PulseMediaPlayer::Open(const std::string& path) {
  Close();
  const auto bytes = ReadSmallFile(path);
  if (bytes) sound_ = WavFile::Parse(*bytes);
  if (!sound_) debug_.Write("==> cannot play " + path + ": not a PCM WAV file\n");
  return sound_.has_value();
}

void PulseMediaPlayer::Play() {
  playing_.reset();
  if (!sound_) return;
  playing_ = PulsePlayback::Start(connection_, sound_->format, sound_->samples, "Media player");
  started_ = std::chrono::steady_clock::now();
}

void PulseMediaPlayer::Close() {
  playing_.reset();
  sound_.reset();
}

std::uint64_t PulseMediaPlayer::LengthMs() const { return sound_ ? sound_->LengthMs() : 0; }

std::uint64_t PulseMediaPlayer::PositionMs() const {
  const std::uint64_t length = LengthMs();
  // Never played, or the server would not play it: nothing will move, so the
  // sound counts as over and a retry may start it again.
  if (playing_ == nullptr || playing_->Finished()) return length;
  const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now() - started_).count();
  // Still draining: not over before the server says so.
  return std::min<std::uint64_t>(static_cast<std::uint64_t>(elapsed), length > 0 ? length - 1 : 0);
}

}  // namespace audio77
