#pragma once
// The LED dialog's commands: to the device's own lighting controller
// ("Master", address 58) or to the controller behind the device ("Slave"),
// timing 500, never repeated. Colours go to LED 1 when all LEDs are chosen;
// modes and brightness go to the LED number as it is (0 all).

#include <cstdint>
#include <mutex>

#include "device/DeviceLibrary.h"
#include "toolkit/Color.h"

namespace audio77 {

class LedDialogCommands {
 public:
  static constexpr std::uint8_t kAddress = 58;
  static constexpr std::int32_t kTiming = 500;
  static constexpr std::uint8_t kSteps = 7;

  // Without a library every command answers DeviceLibrary::kNotBound.
  // serial: the lock every lighting call of the program takes (a lock of its
  // own when none is given).
  explicit LedDialogCommands(DeviceLibrary* library, std::mutex* serial = nullptr)
      : library_(library), serial_(serial != nullptr ? *serial : own_serial_) {}

  // The LED a colour goes to: the LED number, or 1 for all.
  static std::uint8_t ColourLed(int led_number) { return static_cast<std::uint8_t>(led_number == 0 ? 1 : led_number); }

  std::int32_t Mode(bool master, int led_number, int mode, int value);
  std::int32_t SlotColour(bool master, int led_number, int slot, toolkit::Color colour);
  std::int32_t EffectColour(bool master, int led_number, int effect, toolkit::Color colour);
  std::int32_t Brightness(bool master, int led_number, int level);
  std::int32_t StepCount(bool master);

 private:
  DeviceLibrary* library_;
  std::mutex own_serial_;
  std::mutex& serial_;
};

}  // namespace audio77
