// Lighting of the master controller on the device (by address, with or without
// a device index) and of the slave controller behind it.
#include <algorithm>

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

// ---- read-backs and controller registers: the state the setters above leave ----

namespace {

// The controller a read addresses, or null; reading never changes the address.
const LightingState* Reader(const DeviceState& state, const Target& target) {
  if (!IsDeviceIndex(target.index)) return nullptr;
  if (!target.master) return &state.slave;
  return AddressOk(target.address) ? &state.master : nullptr;
}

void Unpack(std::uint32_t colour, std::uint8_t* red, std::uint8_t* green, std::uint8_t* blue) {
  *red = static_cast<std::uint8_t>(colour & 0xFF);
  *green = static_cast<std::uint8_t>(colour >> 8 & 0xFF);
  *blue = static_cast<std::uint8_t>(colour >> 16 & 0xFF);
}

std::int32_t GetColour(const DeviceState& state, const Target& target, bool per_mode, std::uint8_t led,
                       std::uint8_t which, std::uint8_t* red, std::uint8_t* green, std::uint8_t* blue) {
  const std::uint8_t highest = per_mode ? kHighestMode : kHighestSlot;
  if (red == nullptr || green == nullptr || blue == nullptr || led > kHighestLed || which < 1 || which > highest) {
    return DLLQK_BAD_ARGUMENT;
  }
  const LightingState* controller = Reader(state, target);
  if (controller == nullptr) return DLLQK_BAD_ARGUMENT;
  Unpack((per_mode ? controller->mode_colours : controller->slot_colours)[which], red, green, blue);
  return DLLQK_DONE;
}

std::int32_t GetMode(const DeviceState& state, const Target& target, std::uint8_t led, std::uint8_t* mode,
                     std::uint8_t* value) {
  if (mode == nullptr || value == nullptr || led > kHighestLed) return DLLQK_BAD_ARGUMENT;
  const LightingState* controller = Reader(state, target);
  if (controller == nullptr) return DLLQK_BAD_ARGUMENT;
  *mode = controller->mode;
  *value = controller->value;
  return DLLQK_DONE;
}

std::int32_t GetBrightness(const DeviceState& state, const Target& target, std::uint8_t led, std::uint8_t* level) {
  if (level == nullptr || led > kHighestLed) return DLLQK_BAD_ARGUMENT;
  const LightingState* controller = Reader(state, target);
  if (controller == nullptr) return DLLQK_BAD_ARGUMENT;
  *level = controller->brightness;
  return DLLQK_DONE;
}

std::int32_t GetSteps(const DeviceState& state, const Target& target, std::uint8_t* steps) {
  if (steps == nullptr) return DLLQK_BAD_ARGUMENT;
  const LightingState* controller = Reader(state, target);
  if (controller == nullptr) return DLLQK_BAD_ARGUMENT;
  *steps = controller->steps;
  return DLLQK_DONE;
}

bool McuTransferFits(std::uint8_t reg, std::int32_t length, std::int32_t timing) {
  return length > 0 && reg + length <= 256 && timing >= 0;
}

std::int32_t GetMcuData(const DeviceState& state, const Target& target, std::uint8_t reg, std::uint8_t* buffer,
                        std::int32_t length, std::int32_t timing) {
  if (buffer == nullptr || !McuTransferFits(reg, length, timing)) return DLLQK_BAD_ARGUMENT;
  const LightingState* controller = Reader(state, target);
  if (controller == nullptr) return DLLQK_BAD_ARGUMENT;
  std::copy_n(controller->mcu.begin() + reg, length, buffer);
  return DLLQK_DONE;
}

std::int32_t SetMcuData(DeviceState& state, const Target& target, std::uint8_t reg, const std::uint8_t* buffer,
                        std::int32_t length, std::int32_t timing) {
  if (buffer == nullptr || !McuTransferFits(reg, length, timing)) return DLLQK_BAD_ARGUMENT;
  LightingState* controller = Controller(state, target);
  if (controller == nullptr) return DLLQK_BAD_ARGUMENT;
  std::copy_n(buffer, length, controller->mcu.begin() + reg);
  return DLLQK_DONE;
}

std::string Out(std::uint8_t* red, std::uint8_t* green, std::uint8_t* blue) {
  return OutByte(red) + " " + OutByte(green) + " " + OutByte(blue);
}

std::string Ending(std::int32_t timing, std::int32_t index, bool by_id) {
  return " " + Int(timing) + (by_id ? " " + Byte(static_cast<std::uint8_t>(index)) : std::string());
}

}  // namespace

extern "C" {

DLLQK_API int32_t DLLQK_GetRGB_Color(uint8_t address, uint8_t led, uint8_t slot, uint8_t* red, uint8_t* green,
                                     uint8_t* blue, int32_t timing) {
  return Run("DLLQK_GetRGB_Color", true,
             [&](DeviceState& s) { return GetColour(s, Master(address), false, led, slot, red, green, blue); },
             [&] {
               return Byte(address) + " " + Byte(led) + " " + Byte(slot) + " " + Out(red, green, blue) +
                      Ending(timing, 0, false);
             });
}

DLLQK_API int32_t DLLQK_GetRGB_Color_ById(uint8_t address, uint8_t led, uint8_t slot, uint8_t* red, uint8_t* green,
                                          uint8_t* blue, int32_t timing, uint8_t index) {
  return Run("DLLQK_GetRGB_Color_ById", true,
             [&](DeviceState& s) { return GetColour(s, Master(address, index), false, led, slot, red, green, blue); },
             [&] {
               return Byte(address) + " " + Byte(led) + " " + Byte(slot) + " " + Out(red, green, blue) +
                      Ending(timing, index, true);
             });
}

DLLQK_API int32_t DLLQK_GetRGB_SingleColor(uint8_t address, uint8_t led, uint8_t mode, uint8_t* red, uint8_t* green,
                                           uint8_t* blue, int32_t timing) {
  return Run("DLLQK_GetRGB_SingleColor", true,
             [&](DeviceState& s) { return GetColour(s, Master(address), true, led, mode, red, green, blue); },
             [&] {
               return Byte(address) + " " + Byte(led) + " " + Byte(mode) + " " + Out(red, green, blue) +
                      Ending(timing, 0, false);
             });
}

DLLQK_API int32_t DLLQK_GetRGB_SingleColor_ById(uint8_t address, uint8_t led, uint8_t mode, uint8_t* red,
                                                uint8_t* green, uint8_t* blue, int32_t timing, uint8_t index) {
  return Run("DLLQK_GetRGB_SingleColor_ById", true,
             [&](DeviceState& s) { return GetColour(s, Master(address, index), true, led, mode, red, green, blue); },
             [&] {
               return Byte(address) + " " + Byte(led) + " " + Byte(mode) + " " + Out(red, green, blue) +
                      Ending(timing, index, true);
             });
}

DLLQK_API int32_t DLLQK_GetRGB_Mode(uint8_t address, uint8_t led, uint8_t* mode, uint8_t* value, int32_t timing) {
  return Run("DLLQK_GetRGB_Mode", true, [&](DeviceState& s) { return GetMode(s, Master(address), led, mode, value); },
             [&] {
               return Byte(address) + " " + Byte(led) + " " + OutByte(mode) + " " + OutByte(value) +
                      Ending(timing, 0, false);
             });
}

DLLQK_API int32_t DLLQK_GetRGB_Mode_ById(uint8_t address, uint8_t led, uint8_t* mode, uint8_t* value, int32_t timing,
                                         uint8_t index) {
  return Run("DLLQK_GetRGB_Mode_ById", true,
             [&](DeviceState& s) { return GetMode(s, Master(address, index), led, mode, value); },
             [&] {
               return Byte(address) + " " + Byte(led) + " " + OutByte(mode) + " " + OutByte(value) +
                      Ending(timing, index, true);
             });
}

DLLQK_API int32_t DLLQK_GetRGB_Brightness(uint8_t address, uint8_t led, uint8_t* level, int32_t timing) {
  return Run("DLLQK_GetRGB_Brightness", true,
             [&](DeviceState& s) { return GetBrightness(s, Master(address), led, level); },
             [&] { return Byte(address) + " " + Byte(led) + " " + OutByte(level) + Ending(timing, 0, false); });
}

DLLQK_API int32_t DLLQK_GetRGB_Brightness_ById(uint8_t address, uint8_t led, uint8_t* level, int32_t timing,
                                               uint8_t index) {
  return Run("DLLQK_GetRGB_Brightness_ById", true,
             [&](DeviceState& s) { return GetBrightness(s, Master(address, index), led, level); },
             [&] { return Byte(address) + " " + Byte(led) + " " + OutByte(level) + Ending(timing, index, true); });
}

DLLQK_API int32_t DLLQK_GetRGB_Step(uint8_t address, uint8_t* steps, int32_t timing) {
  return Run("DLLQK_GetRGB_Step", true, [&](DeviceState& s) { return GetSteps(s, Master(address), steps); },
             [&] { return Byte(address) + " " + OutByte(steps) + Ending(timing, 0, false); });
}

DLLQK_API int32_t DLLQK_GetRGB_Step_ById(uint8_t address, uint8_t* steps, int32_t timing, uint8_t index) {
  return Run("DLLQK_GetRGB_Step_ById", true,
             [&](DeviceState& s) { return GetSteps(s, Master(address, index), steps); },
             [&] { return Byte(address) + " " + OutByte(steps) + Ending(timing, index, true); });
}

DLLQK_API int32_t DLLQK_GetDataFromMCU(uint8_t address, uint8_t reg, uint8_t* buffer, int32_t length, int32_t timing) {
  return Run("DLLQK_GetDataFromMCU", true,
             [&](DeviceState& s) { return GetMcuData(s, Master(address), reg, buffer, length, timing); },
             [&] {
               return Byte(address) + " " + Byte(reg) + " " + Buffer(buffer, length) + " " + Int(length) +
                      Ending(timing, 0, false);
             });
}

DLLQK_API int32_t DLLQK_GetDataFromMCU_ById(uint8_t address, uint8_t reg, uint8_t* buffer, int32_t length,
                                            int32_t timing, uint8_t index) {
  return Run("DLLQK_GetDataFromMCU_ById", true,
             [&](DeviceState& s) { return GetMcuData(s, Master(address, index), reg, buffer, length, timing); },
             [&] {
               return Byte(address) + " " + Byte(reg) + " " + Buffer(buffer, length) + " " + Int(length) +
                      Ending(timing, index, true);
             });
}

DLLQK_API int32_t DLLQK_SetDataToMCU(uint8_t address, uint8_t reg, const uint8_t* buffer, int32_t length,
                                     int32_t timing) {
  return Run("DLLQK_SetDataToMCU", true,
             [&](DeviceState& s) { return SetMcuData(s, Master(address), reg, buffer, length, timing); },
             [&] {
               return Byte(address) + " " + Byte(reg) + " " + Buffer(buffer, length) + " " + Int(length) +
                      Ending(timing, 0, false);
             });
}

DLLQK_API int32_t DLLQK_SetDataToMCU_ById(uint8_t address, uint8_t reg, const uint8_t* buffer, int32_t length,
                                          int32_t timing, uint8_t index) {
  return Run("DLLQK_SetDataToMCU_ById", true,
             [&](DeviceState& s) { return SetMcuData(s, Master(address, index), reg, buffer, length, timing); },
             [&] {
               return Byte(address) + " " + Byte(reg) + " " + Buffer(buffer, length) + " " + Int(length) +
                      Ending(timing, index, true);
             });
}

DLLQK_API int32_t DLLQK_UsbHidSlave_GetDataFromMCU_Ex(uint8_t reg, uint8_t* buffer, int32_t length, int32_t timing) {
  return Run("DLLQK_UsbHidSlave_GetDataFromMCU_Ex", true,
             [&](DeviceState& s) { return GetMcuData(s, SlaveController(), reg, buffer, length, timing); },
             [&] { return Byte(reg) + " " + Buffer(buffer, length) + " " + Int(length) + Ending(timing, 0, false); });
}

DLLQK_API int32_t DLLQK_UsbHidSlave_SetDataToMCU_Ex(uint8_t reg, const uint8_t* buffer, int32_t length,
                                                    int32_t timing) {
  return Run("DLLQK_UsbHidSlave_SetDataToMCU_Ex", true,
             [&](DeviceState& s) { return SetMcuData(s, SlaveController(), reg, buffer, length, timing); },
             [&] { return Byte(reg) + " " + Buffer(buffer, length) + " " + Int(length) + Ending(timing, 0, false); });
}

DLLQK_API int32_t DLLQK_UsbHidSlave_SetRegisterData_Ex(uint16_t address, uint8_t value, int32_t timing) {
  return Run("DLLQK_UsbHidSlave_SetRegisterData_Ex", true,
             [&](DeviceState& s) {
               if (timing < 0) return DLLQK_BAD_ARGUMENT;
               s.slave_registers[address] = value;
               return DLLQK_DONE;
             },
             [&] { return Int(address) + " " + Byte(value) + Ending(timing, 0, false); });
}

DLLQK_API int32_t DLLQK_UsbHidSlave_GetRegisterData_Ex(uint16_t address, uint8_t* value, int32_t timing) {
  return Run("DLLQK_UsbHidSlave_GetRegisterData_Ex", true,
             [&](DeviceState& s) {
               if (value == nullptr || timing < 0) return DLLQK_BAD_ARGUMENT;
               *value = s.slave_registers[address];
               return DLLQK_DONE;
             },
             [&] { return Int(address) + " " + OutByte(value) + Ending(timing, 0, false); });
}

}  // extern "C"
