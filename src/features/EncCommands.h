#pragma once
// The device traffic of noise cancellation and voice effects: the generic
// audio-command entry with groups 4 (ENC) and 7 (Voice Magic), and the ENC
// parameter block. Each call returns the library's result (0 done).

#include <cstdint>

#include "device/DeviceLibrary.h"
#include "features/EncParameters.h"

namespace audio77 {

class EncCommands {
 public:
  explicit EncCommands(DeviceLibrary& library);

  // ENC on or off; a failure is sent once more at once.
  std::int32_t SetEncOn(std::int32_t on);
  // "Read all" into the block (zeros when it fails).
  std::int32_t ReadAll(EncParameters& parameters);
  std::int32_t SendParameters(const EncParameters& parameters);
  // Voice Magic on or off (no repeat).
  std::int32_t SetVoiceMagicOn(std::int32_t on);
  // The effect's pitch offset with the switch.
  std::int32_t SetVoiceEffect(std::int32_t on, int effect);

 private:
  DeviceLibrary& library_;
};

}  // namespace audio77
