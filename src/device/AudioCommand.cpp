#include "device/AudioCommand.h"

#include <algorithm>

namespace audio77 {

AudioCommand::AudioCommand(std::uint8_t group, std::uint8_t sub_command) {
  block_[0] = group;
  block_[1] = sub_command;
}

AudioCommand AudioCommand::Switch(std::uint8_t group, bool on) {
  AudioCommand command(group, kSwitchSub);
  command.SetPayloadInt32(0, on ? 1 : 0);
  return command;
}

bool AudioCommand::SetPayload(std::span<const std::uint8_t> bytes, std::size_t offset) {
  if (offset > kPayloadCapacity || bytes.size() > kPayloadCapacity - offset) return false;
  std::copy(bytes.begin(), bytes.end(), block_.begin() + static_cast<std::ptrdiff_t>(kPayloadOffset + offset));
  return true;
}

bool AudioCommand::SetPayloadInt32(std::size_t offset, std::int32_t value) {
  const auto raw = static_cast<std::uint32_t>(value);
  const std::array<std::uint8_t, 4> bytes{static_cast<std::uint8_t>(raw), static_cast<std::uint8_t>(raw >> 8),
                                          static_cast<std::uint8_t>(raw >> 16), static_cast<std::uint8_t>(raw >> 24)};
  return SetPayload(bytes, offset);
}

std::span<const std::uint8_t> AudioCommand::Part(std::size_t offset, std::size_t length) const {
  const std::size_t available = kLength - offset;
  return std::span<const std::uint8_t>(block_).subspan(offset, std::min(length, available));
}

std::span<const std::uint8_t> AudioCommand::Reply(std::size_t length) const { return Part(kPayloadOffset, length); }

std::span<const std::uint8_t> AudioCommand::SecondReply(std::size_t length) const {
  return Part(kSecondReplyOffset, length);
}

std::int32_t AudioCommand::ReplyInt32(std::size_t offset) const {
  const auto bytes = Reply(offset + 4);
  if (bytes.size() < offset + 4) return 0;
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) value |= static_cast<std::uint32_t>(bytes[offset + i]) << (8 * i);
  return static_cast<std::int32_t>(value);
}

}  // namespace audio77
