#pragma once
// The 234-byte block of DLLQK_AudioCommand, built and read by name: byte 0 the
// command group, byte 1 the sub-command, the payload from byte 2; a read
// brings its reply back from byte 2 and a second part from byte 134.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace audio77 {

class AudioCommand {
 public:
  static constexpr std::size_t kLength = 234;
  static constexpr std::size_t kPayloadOffset = 2;
  static constexpr std::size_t kSecondReplyOffset = 134;
  static constexpr std::size_t kPayloadCapacity = kLength - kPayloadOffset;

  // Known groups and sub-commands.
  static constexpr std::uint8_t kNoiseCancellationGroup = 4;
  static constexpr std::uint8_t kVoiceEffectGroup = 7;
  static constexpr std::uint8_t kSwitchSub = 0;
  static constexpr std::uint8_t kReadAllSub = 8;
  static constexpr std::uint8_t kVoiceSetSub = 2;

  // A zero-filled block for the group and sub-command.
  AudioCommand(std::uint8_t group, std::uint8_t sub_command);
  // The on/off command of a group: sub-command 0 with a 32-bit 1 or 0.
  static AudioCommand Switch(std::uint8_t group, bool on);

  std::uint8_t Group() const { return block_[0]; }
  std::uint8_t SubCommand() const { return block_[1]; }

  // Payload writes; false (and nothing written) when they would run past the block.
  bool SetPayload(std::span<const std::uint8_t> bytes, std::size_t offset = 0);
  bool SetPayloadInt32(std::size_t offset, std::int32_t value);

  // The reply from byte 2 and its second part from byte 134, cut to the block.
  std::span<const std::uint8_t> Reply(std::size_t length) const;
  std::span<const std::uint8_t> SecondReply(std::size_t length) const;
  std::int32_t ReplyInt32(std::size_t offset) const;

  // What the entry takes: the block and a pointer to its length.
  std::uint8_t* Block() { return block_.data(); }
  std::int32_t* Length() { return &length_; }
  std::span<const std::uint8_t> Bytes() const { return block_; }

 private:
  std::span<const std::uint8_t> Part(std::size_t offset, std::size_t length) const;

  std::array<std::uint8_t, kLength> block_{};
  std::int32_t length_ = static_cast<std::int32_t>(kLength);
};

}  // namespace audio77
