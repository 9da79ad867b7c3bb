// Chip registers, the two I2C slaves, GPIO lines, report lengths and button
// scanning. The entries with and without a device index act on the same device.
#include <algorithm>

#include "sim/dllqk/EntryTrace.h"

using namespace audio77::sim;
using namespace audio77::sim::dllqk;

namespace {

constexpr std::uint8_t kHighestGpioMode = 3;

std::array<std::uint8_t, 256>* Slave(DeviceState& state, std::uint8_t address) {
  if (address == kEepromSlave) return &state.slave50;
  if (address == kEqualizerSlave) return &state.slave51;
  return nullptr;
}

bool TransferFits(std::uint8_t reg, std::int32_t length, std::int32_t timeout) {
  return length > 0 && reg + length <= 256 && timeout >= 0;
}

std::int32_t ReadRegister(DeviceState& state, std::uint16_t address, std::uint8_t* value) {
  if (value == nullptr) return DLLQK_BAD_ARGUMENT;
  *value = state.registers[address];
  return DLLQK_DONE;
}

std::int32_t WriteRegister(DeviceState& state, std::uint16_t address, std::uint8_t value) {
  state.registers[address] = value;
  return DLLQK_DONE;
}

std::int32_t ReadI2C(DeviceState& state, std::uint8_t slave, std::uint8_t reg, std::uint8_t* buffer,
                     std::int32_t length, std::int32_t timeout) {
  if (buffer == nullptr || !TransferFits(reg, length, timeout)) return DLLQK_BAD_ARGUMENT;
  const auto* memory = Slave(state, slave);
  if (memory == nullptr) return DLLQK_DEVICE_FAILURE;  // nobody answers at that address
  std::copy_n(memory->begin() + reg, length, buffer);
  return DLLQK_DONE;
}

std::int32_t WriteI2C(DeviceState& state, std::uint8_t slave, std::uint8_t reg, const std::uint8_t* buffer,
                      std::int32_t length, std::int32_t timeout) {
  if (buffer == nullptr || !TransferFits(reg, length, timeout)) return DLLQK_BAD_ARGUMENT;
  auto* memory = Slave(state, slave);
  if (memory == nullptr) return DLLQK_DEVICE_FAILURE;
  std::copy_n(buffer, length, memory->begin() + reg);
  return DLLQK_DONE;
}

std::int32_t SetGpioMode(DeviceState& state, std::uint8_t gpio, std::uint8_t mode) {
  if (gpio >= kGpioLines || mode > kHighestGpioMode) return DLLQK_BAD_ARGUMENT;
  state.gpio_modes[gpio] = mode;
  return DLLQK_DONE;
}

std::int32_t SetGpio(DeviceState& state, std::uint8_t gpio, std::uint8_t value) {
  if (gpio >= kGpioLines || value > 1) return DLLQK_BAD_ARGUMENT;
  const auto bit = static_cast<std::uint16_t>(1u << gpio);
  state.gpio = static_cast<std::uint16_t>(value ? state.gpio | bit : state.gpio & ~bit);
  return DLLQK_DONE;
}

std::int32_t GetGpio(const DeviceState& state, std::uint8_t gpio, std::uint8_t* value) {
  if (gpio >= kGpioLines || value == nullptr) return DLLQK_BAD_ARGUMENT;
  *value = static_cast<std::uint8_t>((state.gpio >> gpio) & 1);
  return DLLQK_DONE;
}

std::int32_t ScanButton(const char* name, std::uint16_t vendor_id, std::uint16_t product_id,
                        DLLQK_ButtonCallback callback, std::int32_t on, const std::string& index_text) {
  const std::int32_t result = Run(
      name, true,
      [&](DeviceState&, const DeviceSetup& setup) {
        if (!IsFlag(on) || (on == 1 && callback == nullptr)) return DLLQK_BAD_ARGUMENT;
        if (setup.identity.vendor_id != vendor_id || setup.identity.product_id != product_id) return DLLQK_NO_DEVICE;
        return DLLQK_DONE;
      },
      [&] {
        return Int(vendor_id) + " " + Int(product_id) + " " + Pointer(reinterpret_cast<const void*>(callback)) + " " +
               Int(on) + index_text;
      });
  if (result == DLLQK_DONE) VirtualDevice::Instance().SetButtonScan(callback, vendor_id, product_id, on == 1);
  return result;
}

}  // namespace

extern "C" {

DLLQK_API int32_t DLLQK_GetInputReportLength(int32_t* length) {
  return Run("DLLQK_GetInputReportLength", true,
             [&](DeviceState&, const DeviceSetup& setup) {
               if (length == nullptr) return DLLQK_BAD_ARGUMENT;
               *length = setup.faults.input_report_length.value_or(setup.identity.input_report_length);
               return DLLQK_DONE;
             },
             [&] { return OutInt(length); });
}

DLLQK_API int32_t DLLQK_GetOutputReportLength(int32_t* length) {
  return Run("DLLQK_GetOutputReportLength", true,
             [&](DeviceState&, const DeviceSetup& setup) {
               if (length == nullptr) return DLLQK_BAD_ARGUMENT;
               *length = setup.faults.output_report_length.value_or(setup.identity.output_report_length);
               return DLLQK_DONE;
             },
             [&] { return OutInt(length); });
}

DLLQK_API int32_t DLLQK_Write_Register(uint16_t address, uint8_t value) {
  return Run("DLLQK_Write_Register", true, [&](DeviceState& s) { return WriteRegister(s, address, value); },
             [&] { return Int(address) + " " + Byte(value); });
}

DLLQK_API int32_t DLLQK_Write_Register_ById(uint16_t address, uint8_t value, uint8_t index) {
  return Run("DLLQK_Write_Register_ById", true,
             [&](DeviceState& s) {
               return IsDeviceIndex(index) ? WriteRegister(s, address, value) : DLLQK_BAD_ARGUMENT;
             },
             [&] { return Int(address) + " " + Byte(value) + " " + Byte(index); });
}

DLLQK_API int32_t DLLQK_Read_Register(uint16_t address, uint8_t* value) {
  return Run("DLLQK_Read_Register", true, [&](DeviceState& s) { return ReadRegister(s, address, value); },
             [&] { return Int(address) + " " + OutByte(value); });
}

DLLQK_API int32_t DLLQK_Read_Register_ById(uint16_t address, uint8_t* value, uint8_t index) {
  return Run("DLLQK_Read_Register_ById", true,
             [&](DeviceState& s) {
               return IsDeviceIndex(index) ? ReadRegister(s, address, value) : DLLQK_BAD_ARGUMENT;
             },
             [&] { return Int(address) + " " + OutByte(value) + " " + Byte(index); });
}

DLLQK_API int32_t DLLQK_Read_I2C(uint8_t slave, uint8_t reg, uint8_t* buffer, int32_t length, int32_t timeout) {
  return Run("DLLQK_Read_I2C", true, [&](DeviceState& s) { return ReadI2C(s, slave, reg, buffer, length, timeout); },
             [&] {
               return Byte(slave) + " " + Byte(reg) + " " + Buffer(buffer, length) + " " + Int(length) + " " +
                      Int(timeout);
             });
}

DLLQK_API int32_t DLLQK_Read_I2C_ById(uint8_t slave, uint8_t reg, uint8_t* buffer, int32_t length, int32_t timeout,
                                      uint8_t index) {
  return Run("DLLQK_Read_I2C_ById", true,
             [&](DeviceState& s) {
               return IsDeviceIndex(index) ? ReadI2C(s, slave, reg, buffer, length, timeout) : DLLQK_BAD_ARGUMENT;
             },
             [&] {
               return Byte(slave) + " " + Byte(reg) + " " + Buffer(buffer, length) + " " + Int(length) + " " +
                      Int(timeout) + " " + Byte(index);
             });
}

DLLQK_API int32_t DLLQK_Write_I2C(uint8_t slave, uint8_t reg, const uint8_t* buffer, int32_t length,
                                  int32_t timeout) {
  return Run("DLLQK_Write_I2C", true,
             [&](DeviceState& s) { return WriteI2C(s, slave, reg, buffer, length, timeout); },
             [&] {
               return Byte(slave) + " " + Byte(reg) + " " + Buffer(buffer, length) + " " + Int(length) + " " +
                      Int(timeout);
             });
}

DLLQK_API int32_t DLLQK_Write_I2C_ById(uint8_t slave, uint8_t reg, const uint8_t* buffer, int32_t length,
                                       int32_t timeout, uint8_t index) {
  return Run("DLLQK_Write_I2C_ById", true,
             [&](DeviceState& s) {
               return IsDeviceIndex(index) ? WriteI2C(s, slave, reg, buffer, length, timeout) : DLLQK_BAD_ARGUMENT;
             },
             [&] {
               return Byte(slave) + " " + Byte(reg) + " " + Buffer(buffer, length) + " " + Int(length) + " " +
                      Int(timeout) + " " + Byte(index);
             });
}

DLLQK_API int32_t DLLQK_SetGpioModeEx(uint8_t gpio, uint8_t mode) {
  return Run("DLLQK_SetGpioModeEx", true, [&](DeviceState& s) { return SetGpioMode(s, gpio, mode); },
             [&] { return Byte(gpio) + " " + Byte(mode); });
}

DLLQK_API int32_t DLLQK_SetGpioModeEx_ById(uint8_t gpio, uint8_t mode, uint8_t index) {
  return Run("DLLQK_SetGpioModeEx_ById", true,
             [&](DeviceState& s) { return IsDeviceIndex(index) ? SetGpioMode(s, gpio, mode) : DLLQK_BAD_ARGUMENT; },
             [&] { return Byte(gpio) + " " + Byte(mode) + " " + Byte(index); });
}

DLLQK_API int32_t DLLQK_GetGpioModeEx_ById(uint8_t gpio, uint8_t* mode, uint8_t index) {
  return Run("DLLQK_GetGpioModeEx_ById", true,
             [&](DeviceState& s) {
               if (!IsDeviceIndex(index) || gpio >= kGpioLines || mode == nullptr) return DLLQK_BAD_ARGUMENT;
               *mode = s.gpio_modes[gpio];
               return DLLQK_DONE;
             },
             [&] { return Byte(gpio) + " " + OutByte(mode) + " " + Byte(index); });
}

DLLQK_API int32_t DLLQK_SetGpio(uint8_t gpio, uint8_t value) {
  return Run("DLLQK_SetGpio", true, [&](DeviceState& s) { return SetGpio(s, gpio, value); },
             [&] { return Byte(gpio) + " " + Byte(value); });
}

DLLQK_API int32_t DLLQK_SetGpio_ById(uint8_t gpio, uint8_t value, uint8_t index) {
  return Run("DLLQK_SetGpio_ById", true,
             [&](DeviceState& s) { return IsDeviceIndex(index) ? SetGpio(s, gpio, value) : DLLQK_BAD_ARGUMENT; },
             [&] { return Byte(gpio) + " " + Byte(value) + " " + Byte(index); });
}

DLLQK_API int32_t DLLQK_GetGpio(uint8_t gpio, uint8_t* value) {
  return Run("DLLQK_GetGpio", true, [&](DeviceState& s) { return GetGpio(s, gpio, value); },
             [&] { return Byte(gpio) + " " + OutByte(value); });
}

DLLQK_API int32_t DLLQK_GetGpio_ById(uint8_t gpio, uint8_t* value, uint8_t index) {
  return Run("DLLQK_GetGpio_ById", true,
             [&](DeviceState& s) { return IsDeviceIndex(index) ? GetGpio(s, gpio, value) : DLLQK_BAD_ARGUMENT; },
             [&] { return Byte(gpio) + " " + OutByte(value) + " " + Byte(index); });
}

DLLQK_API int32_t DLLQK_ScanButton(uint16_t vendor_id, uint16_t product_id, DLLQK_ButtonCallback callback,
                                   int32_t on) {
  return ScanButton("DLLQK_ScanButton", vendor_id, product_id, callback, on, "");
}

DLLQK_API int32_t DLLQK_ScanButton_ById(uint16_t vendor_id, uint16_t product_id, DLLQK_ButtonCallback callback,
                                        int32_t on, uint8_t index) {
  if (!IsDeviceIndex(index)) {
    return Run("DLLQK_ScanButton_ById", true, [](DeviceState&) { return DLLQK_BAD_ARGUMENT; },
               [&] { return Int(vendor_id) + " " + Int(product_id) + " " + Int(on) + " " + Byte(index); });
  }
  return ScanButton("DLLQK_ScanButton_ById", vendor_id, product_id, callback, on, " " + Byte(index));
}

}  // extern "C"

// ---- EEPROM (the slave at 0x50), all GPIO lines at once, the stored equalizer bank ----

namespace {

constexpr std::uint8_t kFirstBankCode = 0x10;
constexpr std::uint8_t kBankSelector = 0x8E;
constexpr std::int32_t kBanks = 4;

bool EepromFits(std::uint16_t address, std::int32_t length) {
  return length > 0 && address + length <= 256;
}

std::int32_t ReadEeprom(DeviceState& state, std::uint16_t address, std::uint8_t* buffer, std::int32_t length) {
  if (buffer == nullptr || !EepromFits(address, length)) return DLLQK_BAD_ARGUMENT;
  std::copy_n(state.slave50.begin() + address, length, buffer);
  return DLLQK_DONE;
}

std::int32_t WriteEeprom(DeviceState& state, std::uint16_t address, const std::uint8_t* buffer,
                         std::int32_t length) {
  if (buffer == nullptr || !EepromFits(address, length)) return DLLQK_BAD_ARGUMENT;
  std::copy_n(buffer, length, state.slave50.begin() + address);
  return DLLQK_DONE;
}

}  // namespace

extern "C" {

DLLQK_API int32_t DLLQK_Read_EEPROM(uint16_t address, uint8_t* buffer, int32_t length) {
  return Run("DLLQK_Read_EEPROM", true, [&](DeviceState& s) { return ReadEeprom(s, address, buffer, length); },
             [&] { return Int(address) + " " + Buffer(buffer, length) + " " + Int(length); });
}

DLLQK_API int32_t DLLQK_Read_EEPROM_ById(uint16_t address, uint8_t* buffer, int32_t length, uint8_t index) {
  return Run("DLLQK_Read_EEPROM_ById", true,
             [&](DeviceState& s) {
               return IsDeviceIndex(index) ? ReadEeprom(s, address, buffer, length) : DLLQK_BAD_ARGUMENT;
             },
             [&] { return Int(address) + " " + Buffer(buffer, length) + " " + Int(length) + " " + Byte(index); });
}

DLLQK_API int32_t DLLQK_Write_EEPROM(uint16_t address, const uint8_t* buffer, int32_t length) {
  return Run("DLLQK_Write_EEPROM", true, [&](DeviceState& s) { return WriteEeprom(s, address, buffer, length); },
             [&] { return Int(address) + " " + Buffer(buffer, length) + " " + Int(length); });
}

DLLQK_API int32_t DLLQK_Write_EEPROM_ById(uint16_t address, const uint8_t* buffer, int32_t length, uint8_t index) {
  return Run("DLLQK_Write_EEPROM_ById", true,
             [&](DeviceState& s) {
               return IsDeviceIndex(index) ? WriteEeprom(s, address, buffer, length) : DLLQK_BAD_ARGUMENT;
             },
             [&] { return Int(address) + " " + Buffer(buffer, length) + " " + Int(length) + " " + Byte(index); });
}

DLLQK_API int32_t DLLQK_SetGpioEx_ById(uint16_t lines, uint8_t index) {
  return Run("DLLQK_SetGpioEx_ById", true,
             [&](DeviceState& s) {
               if (!IsDeviceIndex(index) || lines > kAllGpioHigh) return DLLQK_BAD_ARGUMENT;
               s.gpio = lines;
               return DLLQK_DONE;
             },
             [&] { return Int(lines) + " " + Byte(index); });
}

DLLQK_API int32_t DLLQK_GetGpioEx_ById(uint16_t* lines, uint8_t index) {
  return Run("DLLQK_GetGpioEx_ById", true,
             [&](DeviceState& s) {
               if (!IsDeviceIndex(index) || lines == nullptr) return DLLQK_BAD_ARGUMENT;
               *lines = s.gpio;
               return DLLQK_DONE;
             },
             [&] { return OutInt(lines) + " " + Byte(index); });
}

DLLQK_API int32_t DLLQK_GetEQ_CurrentBank_ById(int32_t* bank, uint8_t index) {
  return Run("DLLQK_GetEQ_CurrentBank_ById", true,
             [&](DeviceState& s) {
               if (!IsDeviceIndex(index) || bank == nullptr) return DLLQK_BAD_ARGUMENT;
               const std::int32_t selected = s.slave50[kBankSelector] - kFirstBankCode;
               *bank = selected >= 0 && selected < kBanks ? selected : 0;
               return DLLQK_DONE;
             },
             [&] { return OutInt(bank) + " " + Byte(index); });
}

}  // extern "C"

// ---- the same GPIO modes and I2C slaves under their other names ----
// The bus mode of the "ByMode" transfers selects how the chip drives the I2C
// bus; the slaves answer the same bytes in every mode, so it is only traced.

extern "C" {

DLLQK_API int32_t DLLQK_SetGpioMode(uint8_t gpio, uint8_t mode) {
  return Run("DLLQK_SetGpioMode", true, [&](DeviceState& s) { return SetGpioMode(s, gpio, mode); },
             [&] { return Byte(gpio) + " " + Byte(mode); });
}

DLLQK_API int32_t DLLQK_SetGpioMode_ById(uint8_t gpio, uint8_t mode, uint8_t index) {
  return Run("DLLQK_SetGpioMode_ById", true,
             [&](DeviceState& s) { return IsDeviceIndex(index) ? SetGpioMode(s, gpio, mode) : DLLQK_BAD_ARGUMENT; },
             [&] { return Byte(gpio) + " " + Byte(mode) + " " + Byte(index); });
}

DLLQK_API int32_t DLLQK_GetGpioMode_ById(uint8_t gpio, uint8_t* mode, uint8_t index) {
  return Run("DLLQK_GetGpioMode_ById", true,
             [&](DeviceState& s) {
               if (!IsDeviceIndex(index) || gpio >= kGpioLines || mode == nullptr) return DLLQK_BAD_ARGUMENT;
               *mode = s.gpio_modes[gpio];
               return DLLQK_DONE;
             },
             [&] { return Byte(gpio) + " " + OutByte(mode) + " " + Byte(index); });
}

DLLQK_API int32_t DLLQK_WriteI2C_ByMode(uint8_t mode, uint8_t slave, uint8_t reg, const uint8_t* buffer,
                                        int32_t length, int32_t timeout) {
  return Run("DLLQK_WriteI2C_ByMode", true,
             [&](DeviceState& s) { return WriteI2C(s, slave, reg, buffer, length, timeout); },
             [&] {
               return Byte(mode) + " " + Byte(slave) + " " + Byte(reg) + " " + Buffer(buffer, length) + " " +
                      Int(length) + " " + Int(timeout);
             });
}

DLLQK_API int32_t DLLQK_ReadI2C_ByMode(uint8_t mode, uint8_t slave, uint8_t reg, uint8_t* buffer, int32_t length,
                                       int32_t timeout) {
  return Run("DLLQK_ReadI2C_ByMode", true,
             [&](DeviceState& s) { return ReadI2C(s, slave, reg, buffer, length, timeout); },
             [&] {
               return Byte(mode) + " " + Byte(slave) + " " + Byte(reg) + " " + Buffer(buffer, length) + " " +
                      Int(length) + " " + Int(timeout);
             });
}

DLLQK_API int32_t DLLQK_WriteI2C_ByMode_ById(uint8_t mode, uint8_t slave, uint8_t reg, const uint8_t* buffer,
                                             int32_t length, int32_t timeout, uint8_t index) {
  return Run("DLLQK_WriteI2C_ByMode_ById", true,
             [&](DeviceState& s) {
               return IsDeviceIndex(index) ? WriteI2C(s, slave, reg, buffer, length, timeout) : DLLQK_BAD_ARGUMENT;
             },
             [&] {
               return Byte(mode) + " " + Byte(slave) + " " + Byte(reg) + " " + Buffer(buffer, length) + " " +
                      Int(length) + " " + Int(timeout) + " " + Byte(index);
             });
}

DLLQK_API int32_t DLLQK_ReadI2C_ByMode_ById(uint8_t mode, uint8_t slave, uint8_t reg, uint8_t* buffer,
                                            int32_t length, int32_t timeout, uint8_t index) {
  return Run("DLLQK_ReadI2C_ByMode_ById", true,
             [&](DeviceState& s) {
               return IsDeviceIndex(index) ? ReadI2C(s, slave, reg, buffer, length, timeout) : DLLQK_BAD_ARGUMENT;
             },
             [&] {
               return Byte(mode) + " " + Byte(slave) + " " + Byte(reg) + " " + Buffer(buffer, length) + " " +
                      Int(length) + " " + Int(timeout) + " " + Byte(index);
             });
}

}  // extern "C"
