#pragma once
// Where noise cancellation and voice effects keep their state between runs:
// 32-bit values under "SOFTWARE\QKW 77xx Software". The ENC level of each
// device is a value named "VID_%.4X&PID_%.4X" under "...\EncValueMap"; its
// presence is what makes ENC (and with it Voice Magic) supported on that
// device. Voice Magic keeps its switch and its effect's level once for all
// devices.
//
// Values of another type, or missing, read as "not there"; a stored ENC level
// outside 0..30 comes back clamped, a switch other than 0 reads as on, and a
// level that names no effect reads as effect 0. What is stored is never
// rewritten by a read.

#include <cstdint>
#include <optional>
#include <string>

#include "platform/Registry.h"

namespace audio77 {

class EncRegistryState {
 public:
  static constexpr char kSoftwareKey[] = "QKW 77xx Software";
  static constexpr char kEncLevelKey[] = "QKW 77xx Software\\EncValueMap";
  static constexpr char kVoiceEnableName[] = "VoiceMagicEnable";
  static constexpr char kVoiceLevelName[] = "VoiceMagicLevel";

  struct VoiceMagic {
    int on = 0;      // 0 or 1
    int effect = 0;  // 0..4
    bool operator==(const VoiceMagic&) const = default;
  };

  explicit EncRegistryState(Registry& registry);

  // "VID_2E8D&PID_771F".
  static std::string DeviceValueName(std::uint16_t vendor_id, std::uint16_t product_id);

  // The device's level, clamped to 0..30; none when it is not stored as a
  // 32-bit number (reading creates the key when it was missing).
  std::optional<int> EncLevel(std::uint16_t vendor_id, std::uint16_t product_id);
  void SaveEncLevel(std::uint16_t vendor_id, std::uint16_t product_id, int level);

  // Switch and effect; each 0 when it cannot be read.
  VoiceMagic LoadVoiceMagic();
  void SaveVoiceMagicOn(int on);
  // The effect's level (pitch offset + 12).
  void SaveVoiceMagicEffect(int effect);

 private:
  Registry& registry_;
};

}  // namespace audio77
