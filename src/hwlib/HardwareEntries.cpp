// The entries of the hardware library that act on the device. Everything
// goes over the device's vendor HID interface (hidraw), with the same
// reports the program sends itself. Entries the HID exchange cannot carry
// answer DLLQK_NOT_SUPPORTED (UnsupportedEntries.cpp).
#include <cstring>

#include "device/AudioCommand.h"
#include "hwlib/EntryLimits.h"
#include "hwlib/HardwareDevice.h"
#include "platform/linux/HidrawBackend.h"

using audio77::AudioCommand;
using audio77::hwlib::HardwareDevice;

namespace {

// The one device of the library; destroyed, with its scan thread, when the
// library is unloaded.
HardwareDevice& Device() {
  static audio77::HidrawBackend backend(audio77::HidrawDeviceIo::System(), "/sys/class/hidraw",
                                        "/dev");
  static HardwareDevice device(backend);
  return device;
}

// The program addresses its one device as index 0.
bool IsDeviceIndex(uint8_t index) { return index == 0; }

bool IsActivationProbe(const uint8_t* block) {
  std::int32_t value = 0;
  std::memcpy(&value, block + AudioCommand::kPayloadOffset, sizeof value);
  return block[0] == AudioCommand::kNoiseCancellationGroup &&
         block[1] == AudioCommand::kSwitchSub && value == 0;
}

}  // namespace

extern "C" {

DLLQK_API int32_t DLLQK_SetActive_Device(uint16_t vendor_id, uint16_t product_id) {
  return Device().Select(vendor_id, product_id);
}

DLLQK_API int32_t DLLQK_AudioCommand(uint8_t* block, int32_t* length) {
  if (block == nullptr || length == nullptr || *length != DLLQK_AUDIO_COMMAND_LENGTH)
    return DLLQK_BAD_ARGUMENT;
  // Group 4, sub-command 0 with 0 is what the program sends to see whether an
  // arriving device answers: a register read over HID answers that. How the
  // device takes the command groups themselves (noise cancellation, voice
  // effects, ...) is not known, so every other command is not supported.
  if (IsActivationProbe(block)) return Device().Probe();
  return DLLQK_NOT_SUPPORTED;
}

DLLQK_API int32_t DLLQK_GetInputReportLength(int32_t* length) {
  if (length == nullptr) return DLLQK_BAD_ARGUMENT;
  return Device().InputReportLength(*length);
}

DLLQK_API int32_t DLLQK_GetOutputReportLength(int32_t* length) {
  if (length == nullptr) return DLLQK_BAD_ARGUMENT;
  return Device().OutputReportLength(*length);
}

DLLQK_API int32_t DLLQK_Write_Register(uint16_t address, uint8_t value) {
  return Device().WriteRegister(address, value);
}

DLLQK_API int32_t DLLQK_Read_Register(uint16_t address, uint8_t* value) {
  if (value == nullptr) return DLLQK_BAD_ARGUMENT;
  return Device().ReadRegister(address, *value);
}

DLLQK_API int32_t DLLQK_Write_Register_ById(uint16_t address, uint8_t value, uint8_t index) {
  if (!IsDeviceIndex(index)) return DLLQK_BAD_ARGUMENT;
  return Device().WriteRegister(address, value);
}

DLLQK_API int32_t DLLQK_Read_Register_ById(uint16_t address, uint8_t* value, uint8_t index) {
  if (value == nullptr) return DLLQK_BAD_ARGUMENT;
  *value = 0;
  if (!IsDeviceIndex(index)) return DLLQK_BAD_ARGUMENT;
  return Device().ReadRegister(address, *value);
}

DLLQK_API int32_t DLLQK_SetGpioModeEx(uint8_t gpio, uint8_t mode) {
  return Device().SetGpioMode(gpio, mode);
}

DLLQK_API int32_t DLLQK_SetGpioModeEx_ById(uint8_t gpio, uint8_t mode, uint8_t index) {
  if (!IsDeviceIndex(index)) return DLLQK_BAD_ARGUMENT;
  return Device().SetGpioMode(gpio, mode);
}

DLLQK_API int32_t DLLQK_SetGpio(uint8_t gpio, uint8_t value) {
  return Device().SetGpioLine(gpio, value);
}

DLLQK_API int32_t DLLQK_GetGpio(uint8_t gpio, uint8_t* value) {
  if (value == nullptr) return DLLQK_BAD_ARGUMENT;
  return Device().GetGpioLine(gpio, *value);
}

DLLQK_API int32_t DLLQK_SetGpio_ById(uint8_t gpio, uint8_t value, uint8_t index) {
  if (!IsDeviceIndex(index)) return DLLQK_BAD_ARGUMENT;
  return Device().SetGpioLine(gpio, value);
}

DLLQK_API int32_t DLLQK_GetGpio_ById(uint8_t gpio, uint8_t* value, uint8_t index) {
  if (value == nullptr) return DLLQK_BAD_ARGUMENT;
  *value = 0;
  if (!IsDeviceIndex(index)) return DLLQK_BAD_ARGUMENT;
  return Device().GetGpioLine(gpio, *value);
}

DLLQK_API int32_t DLLQK_SetGpioEx_ById(uint16_t lines, uint8_t index) {
  if (!IsDeviceIndex(index)) return DLLQK_BAD_ARGUMENT;
  return Device().WriteGpio(lines);
}

DLLQK_API int32_t DLLQK_GetGpioEx_ById(uint16_t* lines, uint8_t index) {
  if (lines == nullptr) return DLLQK_BAD_ARGUMENT;
  *lines = 0;
  if (!IsDeviceIndex(index)) return DLLQK_BAD_ARGUMENT;
  return Device().ReadGpio(*lines);
}

DLLQK_API int32_t DLLQK_ScanButton(uint16_t vendor_id, uint16_t product_id,
                                   DLLQK_ButtonCallback callback, int32_t on) {
  return Device().ScanButtons(vendor_id, product_id, callback, on);
}

DLLQK_API int32_t DLLQK_ScanButton_ById(uint16_t vendor_id, uint16_t product_id,
                                        DLLQK_ButtonCallback callback, int32_t on, uint8_t index) {
  if (!IsDeviceIndex(index)) return DLLQK_BAD_ARGUMENT;
  return Device().ScanButtons(vendor_id, product_id, callback, on);
}

}  // extern "C"
