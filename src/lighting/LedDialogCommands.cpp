#include "lighting/LedDialogCommands.h"

namespace audio77 {

namespace {

std::uint8_t Byte(int value) { return static_cast<std::uint8_t>(value); }

}  // namespace

using toolkit::BlueOf;
using toolkit::GreenOf;
using toolkit::RedOf;

std::int32_t LedDialogCommands::Mode(bool master, int led_number, int mode, int value) {
  if (library_ == nullptr) return DeviceLibrary::kNotBound;
  std::lock_guard lock(serial_);
  if (master) return library_->SetRGB_Mode(kAddress, Byte(led_number), Byte(mode), Byte(value), kTiming);
  return library_->UsbHidSlave_SetRGB_Mode_Ex(Byte(led_number), Byte(mode), Byte(value), kTiming);
}

std::int32_t LedDialogCommands::SlotColour(bool master, int led_number, int slot, toolkit::Color colour) {
  if (library_ == nullptr) return DeviceLibrary::kNotBound;
  std::lock_guard lock(serial_);
  const std::uint8_t led = ColourLed(led_number);
  if (master) {
    return library_->SetRGB_Color(kAddress, led, Byte(slot), RedOf(colour), GreenOf(colour), BlueOf(colour), kTiming);
  }
  return library_->UsbHidSlave_SetRGB_Color_Ex(led, Byte(slot), RedOf(colour), GreenOf(colour), BlueOf(colour),
                                               kTiming);
}

std::int32_t LedDialogCommands::EffectColour(bool master, int led_number, int effect, toolkit::Color colour) {
  if (library_ == nullptr) return DeviceLibrary::kNotBound;
  std::lock_guard lock(serial_);
  const std::uint8_t led = ColourLed(led_number);
  if (master) {
    return library_->SetRGB_SingleColor(kAddress, led, Byte(effect), RedOf(colour), GreenOf(colour), BlueOf(colour),
                                        kTiming);
  }
  return library_->UsbHidSlave_SetRGB_SingleColor_Ex(led, Byte(effect), RedOf(colour), GreenOf(colour),
                                                     BlueOf(colour), kTiming);
}

std::int32_t LedDialogCommands::Brightness(bool master, int led_number, int level) {
  if (library_ == nullptr) return DeviceLibrary::kNotBound;
  std::lock_guard lock(serial_);
  if (master) return library_->SetRGB_Brightness(kAddress, Byte(led_number), Byte(level), kTiming);
  return library_->UsbHidSlave_SetRGB_Brightness_Ex(Byte(led_number), Byte(level), kTiming);
}

std::int32_t LedDialogCommands::StepCount(bool master) {
  if (library_ == nullptr) return DeviceLibrary::kNotBound;
  std::lock_guard lock(serial_);
  if (master) return library_->SetRGB_Step(kAddress, kSteps, kTiming);
  return library_->UsbHidSlave_SetRGB_Step_Ex(kSteps, kTiming);
}

}  // namespace audio77
