#pragma once
// Everything the virtual 77xx device remembers. Plain data, kept in the state
// folder's record (DeviceState byte for byte) under the record's lock.

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace audio77::sim {

struct DeviceIdentity {
  std::uint16_t vendor_id = 0x2E8D;
  std::uint16_t product_id = 0x771F;
  std::uint16_t revision = 0x0100;
  std::uint16_t input_report_length = 17;   // report-ID byte included
  std::uint16_t output_report_length = 17;
  bool operator==(const DeviceIdentity&) const = default;
};

// Scripted failures. Counts go down by one per failed call.
struct DeviceFaults {
  std::map<std::string, int> entries;  // library entry name -> calls still to fail
  int hid_out = 0;
  int hid_in = 0;
  bool extension_missing = false;
  std::optional<std::uint16_t> output_report_length;  // what the device reports instead
  std::optional<std::uint16_t> input_report_length;
  bool operator==(const DeviceFaults&) const = default;
};

// One lighting controller: the master on the device, or the slave behind it.
struct LightingState {
  std::uint8_t address = 0;  // master only
  std::uint8_t led = 0;
  std::uint8_t mode = 0;
  std::uint8_t value = 0;
  std::array<std::uint32_t, 8> slot_colours{};  // 0x00BBGGRR, slots 1..7
  std::array<std::uint32_t, 8> mode_colours{};  // per mode 1..7
  std::uint8_t steps = 0;
  std::uint8_t brightness = 0;
  std::int32_t timing = 0;
  std::array<std::uint8_t, 256> mcu{};  // the controller's own registers (Get/SetDataFromMCU)
  bool operator==(const LightingState&) const = default;
};

inline constexpr int kGpioLines = 10;
inline constexpr std::uint16_t kAllGpioHigh = 0x3FF;
inline constexpr std::uint8_t kEepromSlave = 0x50;
inline constexpr std::uint8_t kEqualizerSlave = 0x51;

struct DeviceState {
  std::array<std::uint8_t, 65536> registers{};
  std::array<std::uint8_t, 256> slave50{};  // EEPROM: equalizer flag 0x8D, bank 0x8E
  std::array<std::uint8_t, 256> slave51{};  // four 16-byte equalizer banks
  std::uint16_t gpio = kAllGpioHigh;        // bit n is GPIO n; buttons pull lines low
  std::array<std::uint8_t, kGpioLines> gpio_modes{};

  bool device_selected = true;  // the library addresses this device
  bool eq_configured = false;
  bool eq_on = false;
  bool sound3d_configured = false;
  bool sound3d_on = false;
  bool virtual71_on = false;
  std::array<std::uint8_t, 68> placement{};
  float virtual71_scale = 2.0f;
  std::array<std::uint8_t, 16> enc_parameters{};
  bool enc_on = false;
  bool voice_on = false;
  std::array<std::uint8_t, 10> voice_payload{};
  LightingState master;
  LightingState slave;
  std::array<std::uint8_t, 65536> slave_registers{};  // the HID slave device's registers

  std::int32_t effect_selected = 0;  // driver extension: index sent, index applied
  std::int32_t effect_applied = 0;

  std::uint16_t hid_address = 0;
  enum class HidReply { kNone, kRegister, kGpio } hid_reply = HidReply::kNone;
  bool operator==(const DeviceState&) const = default;
};

// The noise-cancellation block a fresh device answers with: level 15 in bytes 8..11.
std::array<std::uint8_t, 16> DefaultEncParameters();

}  // namespace audio77::sim
