#include "features/EncParameters.h"

#include <algorithm>

namespace audio77 {
namespace {

template <std::size_t N>
void PutInt32(std::array<std::uint8_t, N>& bytes, std::size_t offset, std::int32_t value) {
  const auto raw = static_cast<std::uint32_t>(value);
  for (std::size_t i = 0; i < 4; ++i) bytes[offset + i] = static_cast<std::uint8_t>(raw >> (8 * i));
}

}  // namespace

int EncParameters::ClampLevel(std::int64_t level) {
  return static_cast<int>(std::clamp<std::int64_t>(level, kLowestLevel, kHighestLevel));
}

AudioCommand EncParameters::ReadAllCommand() {
  return AudioCommand(AudioCommand::kNoiseCancellationGroup, AudioCommand::kReadAllSub);
}

void EncParameters::Clear() {
  block_.fill(0);
  companion_.fill(0);
}

void EncParameters::TakeReadAll(std::int32_t result, AudioCommand& answer) {
  Clear();
  const auto reach = static_cast<std::size_t>(std::max<std::int32_t>(*answer.Length(), 0));
  if (result != 0 || reach < AudioCommand::kSecondReplyOffset + kLength) return;
  const auto first = answer.Reply(kCompanionLength);
  const auto second = answer.SecondReply(kLength);
  std::copy(first.begin(), first.end(), companion_.begin());
  std::copy(second.begin(), second.end(), block_.begin());
}

void EncParameters::SetCompanionOn(std::int32_t on) { PutInt32(companion_, 0, on); }

void EncParameters::SetLevel(int level) { PutInt32(block_, kLevelOffset, ClampLevel(level)); }

}  // namespace audio77
