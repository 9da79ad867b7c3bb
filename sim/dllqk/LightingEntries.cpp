// Lighting of the master controller on the device (by address, with or without
// a device index) and of the slave controller behind it.
#include "sim/dllqk/EntryTrace.h"

using namespace audio77::sim;
using namespace audio77::sim::dllqk;

namespace {

constexpr std::uint8_t kLowestAddress = 0x08;  // the 7-bit I2C addresses a controller may use
constexpr std::uint8_t kHighestAddress = 0x77;
constexpr std::uint8_t kHighestLed = 2;        // 0 all, 1, 2
constexpr std::uint8_t kHighestMode = 7;
constexpr std::uint8_t kHighestSlot = 7;
constexpr std::uint8_t kHighestBrightness = 6;

bool AddressOk(std::uint8_t address) { return address >= kLowestAddress && address <= kHighestAddress; }

std::uint32_t Colour(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return static_cast<std::uint32_t>(red) | static_cast<std::uint32_t>(green) << 8 |
         static_cast<std::uint32_t>(blue) << 16;
}

// Which controller a call addresses; master calls also name its address.
struct Target {
  bool master;
  std::uint8_t address;
  std::uint8_t index;
};

LightingState* Controller(DeviceState& state, const Target& target) {
  if (!IsDeviceIndex(target.index)) return nullptr;
  if (!target.master) return &state.slave;
  if (!AddressOk(target.address)) return nullptr;
  state.master.address = target.address;
  return &state.master;
}

std::int32_t SetMode(DeviceState& state, const Target& target, std::uint8_t led, std::uint8_t mode,
                     std::uint8_t value, std::int32_t timing) {
  if (led > kHighestLed || mode < 1 || mode > kHighestMode || timing < 0) return DLLQK_BAD_ARGUMENT;
  LightingState* controller = Controller(state, target);
  if (controller == nullptr) return DLLQK_BAD_ARGUMENT;
  controller->led = led;
  controller->mode = mode;
  controller->value = value;
  controller->timing = timing;
  return DLLQK_DONE;
}

std::int32_t SetColour(DeviceState& state, const Target& target, bool per_mode, std::uint8_t led,
                       std::uint8_t which, std::uint8_t red, std::uint8_t green, std::uint8_t blue,
                       std::int32_t timing) {
  const std::uint8_t highest = per_mode ? kHighestMode : kHighestSlot;
  if (led > kHighestLed || which < 1 || which > highest || timing < 0) return DLLQK_BAD_ARGUMENT;
  LightingState* controller = Controller(state, target);
  if (controller == nullptr) return DLLQK_BAD_ARGUMENT;
  (per_mode ? controller->mode_colours : controller->slot_colours)[which] = Colour(red, green, blue);
  controller->led = led;
  controller->timing = timing;
  return DLLQK_DONE;
}

std::int32_t SetBrightness(DeviceState& state, const Target& target, std::uint8_t led, std::uint8_t level,
                           std::int32_t timing) {
  if (led > kHighestLed || level > kHighestBrightness || timing < 0) return DLLQK_BAD_ARGUMENT;
  LightingState* controller = Controller(state, target);
  if (controller == nullptr) return DLLQK_BAD_ARGUMENT;
  controller->led = led;
  controller->brightness = level;
  controller->timing = timing;
  return DLLQK_DONE;
}

std::int32_t SetSteps(DeviceState& state, const Target& target, std::uint8_t steps, std::int32_t timing) {
  if (steps == 0 || timing < 0) return DLLQK_BAD_ARGUMENT;
  LightingState* controller = Controller(state, target);
  if (controller == nullptr) return DLLQK_BAD_ARGUMENT;
  controller->steps = steps;
  controller->timing = timing;
  return DLLQK_DONE;
}

std::string Rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return Byte(red) + " " + Byte(green) + " " + Byte(blue);
}

constexpr Target Master(std::uint8_t address, std::uint8_t index = 0) { return {true, address, index}; }
constexpr Target SlaveController() { return {false, 0, 0}; }

}  // namespace

extern "C" {

// ---- master ----

DLLQK_API int32_t DLLQK_SetRGB_Mode(uint8_t address, uint8_t led, uint8_t mode, uint8_t value, int32_t timing) {
  return Run("DLLQK_SetRGB_Mode", true,
             [&](DeviceState& s) { return SetMode(s, Master(address), led, mode, value, timing); },
             [&] { return Byte(address) + " " + Byte(led) + " " + Byte(mode) + " " + Byte(value) + " " + Int(timing); });
}

DLLQK_API int32_t DLLQK_SetRGB_Color(uint8_t address, uint8_t led, uint8_t slot, uint8_t red, uint8_t green,
                                     uint8_t blue, int32_t timing) {
  return Run("DLLQK_SetRGB_Color", true,
             [&](DeviceState& s) { return SetColour(s, Master(address), false, led, slot, red, green, blue, timing); },
             [&] {
               return Byte(address) + " " + Byte(led) + " " + Byte(slot) + " " + Rgb(red, green, blue) + " " +
                      Int(timing);
             });
}

DLLQK_API int32_t DLLQK_SetRGB_SingleColor(uint8_t address, uint8_t led, uint8_t mode, uint8_t red, uint8_t green,
                                           uint8_t blue, int32_t timing) {
  return Run("DLLQK_SetRGB_SingleColor", true,
             [&](DeviceState& s) { return SetColour(s, Master(address), true, led, mode, red, green, blue, timing); },
             [&] {
               return Byte(address) + " " + Byte(led) + " " + Byte(mode) + " " + Rgb(red, green, blue) + " " +
                      Int(timing);
             });
}

DLLQK_API int32_t DLLQK_SetRGB_Brightness(uint8_t address, uint8_t led, uint8_t level, int32_t timing) {
  return Run("DLLQK_SetRGB_Brightness", true,
             [&](DeviceState& s) { return SetBrightness(s, Master(address), led, level, timing); },
             [&] { return Byte(address) + " " + Byte(led) + " " + Byte(level) + " " + Int(timing); });
}

DLLQK_API int32_t DLLQK_SetRGB_Step(uint8_t address, uint8_t steps, int32_t timing) {
  return Run("DLLQK_SetRGB_Step", true, [&](DeviceState& s) { return SetSteps(s, Master(address), steps, timing); },
             [&] { return Byte(address) + " " + Byte(steps) + " " + Int(timing); });
}

// ---- master by device index ----

DLLQK_API int32_t DLLQK_SetRGB_Mode_ById(uint8_t address, uint8_t led, uint8_t mode, uint8_t value, int32_t timing,
                                         uint8_t index) {
  return Run("DLLQK_SetRGB_Mode_ById", true,
             [&](DeviceState& s) { return SetMode(s, Master(address, index), led, mode, value, timing); },
             [&] {
               return Byte(address) + " " + Byte(led) + " " + Byte(mode) + " " + Byte(value) + " " + Int(timing) +
                      " " + Byte(index);
             });
}

DLLQK_API int32_t DLLQK_SetRGB_Color_ById(uint8_t address, uint8_t led, uint8_t slot, uint8_t red, uint8_t green,
                                          uint8_t blue, int32_t timing, uint8_t index) {
  return Run(
      "DLLQK_SetRGB_Color_ById", true,
      [&](DeviceState& s) { return SetColour(s, Master(address, index), false, led, slot, red, green, blue, timing); },
      [&] {
        return Byte(address) + " " + Byte(led) + " " + Byte(slot) + " " + Rgb(red, green, blue) + " " + Int(timing) +
               " " + Byte(index);
      });
}

DLLQK_API int32_t DLLQK_SetRGB_SingleColor_ById(uint8_t address, uint8_t led, uint8_t mode, uint8_t red,
                                                uint8_t green, uint8_t blue, int32_t timing, uint8_t index) {
  return Run(
      "DLLQK_SetRGB_SingleColor_ById", true,
      [&](DeviceState& s) { return SetColour(s, Master(address, index), true, led, mode, red, green, blue, timing); },
      [&] {
        return Byte(address) + " " + Byte(led) + " " + Byte(mode) + " " + Rgb(red, green, blue) + " " + Int(timing) +
               " " + Byte(index);
      });
}

DLLQK_API int32_t DLLQK_SetRGB_Brightness_ById(uint8_t address, uint8_t led, uint8_t level, int32_t timing,
                                               uint8_t index) {
  return Run("DLLQK_SetRGB_Brightness_ById", true,
             [&](DeviceState& s) { return SetBrightness(s, Master(address, index), led, level, timing); },
             [&] {
               return Byte(address) + " " + Byte(led) + " " + Byte(level) + " " + Int(timing) + " " + Byte(index);
             });
}

DLLQK_API int32_t DLLQK_SetRGB_Step_ById(uint8_t address, uint8_t steps, int32_t timing, uint8_t index) {
  return Run("DLLQK_SetRGB_Step_ById", true,
             [&](DeviceState& s) { return SetSteps(s, Master(address, index), steps, timing); },
             [&] { return Byte(address) + " " + Byte(steps) + " " + Int(timing) + " " + Byte(index); });
}

// ---- slave ----

DLLQK_API int32_t DLLQK_UsbHidSlave_SetRGB_Mode_Ex(uint8_t led, uint8_t mode, uint8_t value, int32_t timing) {
  return Run("DLLQK_UsbHidSlave_SetRGB_Mode_Ex", true,
             [&](DeviceState& s) { return SetMode(s, SlaveController(), led, mode, value, timing); },
             [&] { return Byte(led) + " " + Byte(mode) + " " + Byte(value) + " " + Int(timing); });
}

DLLQK_API int32_t DLLQK_UsbHidSlave_SetRGB_Color_Ex(uint8_t led, uint8_t slot, uint8_t red, uint8_t green,
                                                    uint8_t blue, int32_t timing) {
  return Run(
      "DLLQK_UsbHidSlave_SetRGB_Color_Ex", true,
      [&](DeviceState& s) { return SetColour(s, SlaveController(), false, led, slot, red, green, blue, timing); },
      [&] { return Byte(led) + " " + Byte(slot) + " " + Rgb(red, green, blue) + " " + Int(timing); });
}

DLLQK_API int32_t DLLQK_UsbHidSlave_SetRGB_SingleColor_Ex(uint8_t led, uint8_t mode, uint8_t red, uint8_t green,
                                                          uint8_t blue, int32_t timing) {
  return Run(
      "DLLQK_UsbHidSlave_SetRGB_SingleColor_Ex", true,
      [&](DeviceState& s) { return SetColour(s, SlaveController(), true, led, mode, red, green, blue, timing); },
      [&] { return Byte(led) + " " + Byte(mode) + " " + Rgb(red, green, blue) + " " + Int(timing); });
}

DLLQK_API int32_t DLLQK_UsbHidSlave_SetRGB_Brightness_Ex(uint8_t led, uint8_t level, int32_t timing) {
  return Run("DLLQK_UsbHidSlave_SetRGB_Brightness_Ex", true,
             [&](DeviceState& s) { return SetBrightness(s, SlaveController(), led, level, timing); },
             [&] { return Byte(led) + " " + Byte(level) + " " + Int(timing); });
}

DLLQK_API int32_t DLLQK_UsbHidSlave_SetRGB_Step_Ex(uint8_t steps, int32_t timing) {
  return Run("DLLQK_UsbHidSlave_SetRGB_Step_Ex", true,
             [&](DeviceState& s) { return SetSteps(s, SlaveController(), steps, timing); },
             [&] { return Byte(steps) + " " + Int(timing); });
}

}  // extern "C"
