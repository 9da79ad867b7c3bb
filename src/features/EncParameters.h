#pragma once
// The noise-cancellation parameter block the device takes with
// DLLQK_SetEnc_Parameters: the 16 bytes the device answered to "read all",
// passed back as read except for bytes 8..11, which carry the level as a
// signed 32-bit little-endian integer. Beside it the first 8 bytes of the
// same answer (the companion area), kept and never sent.
//
// A "read all" that failed, or whose answer does not reach the end of the
// block, leaves both areas zero: a block cut short would send the device a
// mix of its own bytes and zeros.

#include <array>
#include <cstddef>
#include <cstdint>

#include "device/AudioCommand.h"
#include "device/DLLQK_UsbAudio77xx.h"

namespace audio77 {

class EncParameters {
 public:
  static constexpr std::size_t kLength = DLLQK_ENC_PARAMETERS_LENGTH;
  static constexpr std::size_t kCompanionLength = 8;
  static constexpr std::size_t kLevelOffset = 8;
  static constexpr int kLowestLevel = 0;
  static constexpr int kHighestLevel = 30;
  using Block = std::array<std::uint8_t, kLength>;
  using Companion = std::array<std::uint8_t, kCompanionLength>;

  // A level brought into 0..30.
  static int ClampLevel(std::int64_t level);
  // The "read all" command: group 4, sub-command 8, no payload.
  static AudioCommand ReadAllCommand();

  // Both areas zero.
  void Clear();
  // Clears, then takes the answer of ReadAllCommand() when the call gave 0
  // and the length it handed back covers the whole block.
  void TakeReadAll(std::int32_t result, AudioCommand& answer);
  // Word 0 of the companion area.
  void SetCompanionOn(std::int32_t on);
  // Bytes 8..11 := the level, clamped to 0..30.
  void SetLevel(int level);

  const Block& Bytes() const { return block_; }
  const Companion& CompanionArea() const { return companion_; }

 private:
  Block block_{};
  Companion companion_{};
};

}  // namespace audio77
