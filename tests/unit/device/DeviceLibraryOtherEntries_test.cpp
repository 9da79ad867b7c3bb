// Entries the program binds but does not call: they check their arguments,
// and those with a natural meaning act on the same device state.
#include "DeviceLibraryFixture.h"

namespace audio77 {
namespace {

class OtherEntries : public DeviceLibraryFixture {
 protected:
  void SetUp() override {
    DeviceLibraryFixture::SetUp();
    ASSERT_EQ(library_.Open_DLLQK_UsbAudio77xx(DeviceLibrary::kProgramFileName), 0);
  }
};

// One entry by name, with the argument types of its prototype.
#define CALL(name, ...) library_.Call<name##_Fn>(DeviceEntry::name __VA_OPT__(, ) __VA_ARGS__)

TEST_F(OtherEntries, EepromGpioAndBankShareTheDeviceState) {
  const std::uint8_t stored[] = {0x01, 0x12};
  ASSERT_EQ(CALL(DLLQK_Write_EEPROM, std::uint16_t{0x8D}, stored, 2), 0);
  std::uint8_t flag = 0;
  ASSERT_EQ(library_.Read_I2C_ById(0x50, 0x8D, &flag, 1, 100, 0), 0);
  EXPECT_EQ(flag, 0x01);
  std::int32_t bank = -1;
  ASSERT_EQ(CALL(DLLQK_GetEQ_CurrentBank_ById, &bank, std::uint8_t{0}), 0);
  EXPECT_EQ(bank, 2);
  std::uint8_t read[2] = {};
  ASSERT_EQ(CALL(DLLQK_Read_EEPROM_ById, std::uint16_t{0x8D}, read, 2, std::uint8_t{0}), 0);
  EXPECT_EQ(LastTraceLine(), "lib DLLQK_Read_EEPROM_ById 141 0112 2 0x00 = 0");
  EXPECT_NE(CALL(DLLQK_Read_EEPROM, std::uint16_t{0xFF}, read, 2), 0);

  ASSERT_EQ(CALL(DLLQK_SetGpioEx_ById, std::uint16_t{0x155}, std::uint8_t{0}), 0);
  std::uint8_t line = 9;
  ASSERT_EQ(CALL(DLLQK_GetGpio_ById, std::uint8_t{2}, &line, std::uint8_t{0}), 0);
  EXPECT_EQ(line, 1);
  EXPECT_EQ(device().Snapshot().gpio, 0x155);
  EXPECT_NE(CALL(DLLQK_SetGpioEx_ById, std::uint16_t{0x400}, std::uint8_t{0}), 0);
}

// Every name of one thing reads what any other name wrote.
TEST_F(OtherEntries, OtherNamesOfI2cGpioModesLightingAndSlaveDataAgreeWithTheCalledOnes) {
  const std::uint8_t zero = 0;
  // I2C: every bus mode reaches the same slave bytes as Read_I2C and Write_I2C.
  const std::uint8_t written[] = {0x21, 0x43};
  ASSERT_EQ(CALL(DLLQK_WriteI2C_ByMode_ById, std::uint8_t{1}, std::uint8_t{0x51}, std::uint8_t{0x10}, written, 2, 100,
                 zero),
            0);
  std::uint8_t read[2] = {};
  ASSERT_EQ(library_.Read_I2C_ById(0x51, 0x10, read, 2, 100, 0), 0);
  EXPECT_EQ(read[1], 0x43);
  const std::uint8_t eeprom[] = {0x77};
  ASSERT_EQ(CALL(DLLQK_Write_I2C_ById, std::uint8_t{0x50}, std::uint8_t{0x20}, eeprom, 1, 100, zero), 0);
  std::uint8_t by_mode = 0;
  ASSERT_EQ(CALL(DLLQK_ReadI2C_ByMode, std::uint8_t{2}, std::uint8_t{0x50}, std::uint8_t{0x20}, &by_mode, 1, 100), 0);
  EXPECT_EQ(by_mode, 0x77);
  EXPECT_EQ(CALL(DLLQK_ReadI2C_ByMode, std::uint8_t{2}, std::uint8_t{0x52}, std::uint8_t{0}, &by_mode, 1, 100),
            DLLQK_DEVICE_FAILURE);

  // GPIO modes: the plain and Ex names set and read the same mode.
  ASSERT_EQ(CALL(DLLQK_SetGpioMode_ById, std::uint8_t{4}, std::uint8_t{2}, zero), 0);
  std::uint8_t mode = 0;
  ASSERT_EQ(CALL(DLLQK_GetGpioModeEx_ById, std::uint8_t{4}, &mode, zero), 0);
  EXPECT_EQ(mode, 2);
  ASSERT_EQ(library_.SetGpioModeEx_ById(5, 3, 0), 0);
  ASSERT_EQ(CALL(DLLQK_GetGpioMode_ById, std::uint8_t{5}, &mode, zero), 0);
  EXPECT_EQ(mode, 3);
  EXPECT_EQ(CALL(DLLQK_SetGpioMode, std::uint8_t{10}, std::uint8_t{0}), DLLQK_BAD_ARGUMENT);

  // Lighting: what the setters the program calls leave, the getters give back.
  ASSERT_EQ(library_.SetRGB_Mode_ById(58, 0, 4, 9, 50, 0), 0);
  ASSERT_EQ(library_.SetRGB_Color_ById(58, 1, 3, 10, 20, 30, 50, 0), 0);
  std::uint8_t value = 0, red = 0, green = 0, blue = 0;
  ASSERT_EQ(CALL(DLLQK_GetRGB_Mode, std::uint8_t{58}, std::uint8_t{0}, &mode, &value, 50), 0);
  EXPECT_EQ(mode, 4);
  EXPECT_EQ(value, 9);
  ASSERT_EQ(CALL(DLLQK_GetRGB_Color_ById, std::uint8_t{58}, std::uint8_t{1}, std::uint8_t{3}, &red, &green, &blue, 50,
                 zero),
            0);
  EXPECT_EQ(red, 10);
  EXPECT_EQ(green, 20);
  EXPECT_EQ(blue, 30);
  EXPECT_EQ(LastTraceLine(), "lib DLLQK_GetRGB_Color_ById 0x3A 0x01 0x03 0x0A 0x14 0x1E 50 0x00 = 0");
  EXPECT_EQ(CALL(DLLQK_GetRGB_Step, std::uint8_t{0x80}, &value, 50), DLLQK_BAD_ARGUMENT);

  // Controller registers and the HID slave's registers keep what was written.
  const std::uint8_t data[] = {5, 6, 7};
  ASSERT_EQ(CALL(DLLQK_SetDataToMCU, std::uint8_t{58}, std::uint8_t{0x40}, data, 3, 50), 0);
  std::uint8_t back[3] = {};
  ASSERT_EQ(CALL(DLLQK_GetDataFromMCU_ById, std::uint8_t{58}, std::uint8_t{0x40}, back, 3, 50, zero), 0);
  EXPECT_EQ(back[2], 7);
  ASSERT_EQ(CALL(DLLQK_UsbHidSlave_GetDataFromMCU_Ex, std::uint8_t{0x40}, back, 3, 50), 0);
  EXPECT_EQ(back[2], 0);  // the slave controller is another chip
  ASSERT_EQ(CALL(DLLQK_UsbHidSlave_SetRegisterData_Ex, std::uint16_t{0x1234}, std::uint8_t{0x99}, 50), 0);
  ASSERT_EQ(CALL(DLLQK_UsbHidSlave_GetRegisterData_Ex, std::uint16_t{0x1234}, &value, 50), 0);
  EXPECT_EQ(value, 0x99);
}

TEST_F(OtherEntries, GenericEntriesCheckArgumentsAndClearWhatTheyReturn) {
  std::int32_t volume = 77;
  EXPECT_EQ(CALL(DLLQK_GetMicVolume, &volume), 0);
  EXPECT_EQ(volume, 0);
  EXPECT_EQ(LastTraceLine(), "lib DLLQK_GetMicVolume 0 = 0");
  EXPECT_EQ(CALL(DLLQK_GetMicVolume, static_cast<std::int32_t*>(nullptr)), DLLQK_BAD_ARGUMENT);
  EXPECT_EQ(LastTraceLine(), "lib DLLQK_GetMicVolume null = -1");
  EXPECT_EQ(CALL(DLLQK_SetEQ_DB_ById, 2, 1.5f, std::uint8_t{0}), 0);
  EXPECT_EQ(LastTraceLine(), "lib DLLQK_SetEQ_DB_ById 2 1.5 0x00 = 0");

  std::uint8_t red = 1, green = 2, blue = 3;
  EXPECT_EQ(CALL(DLLQK_PWM_GetRGB_Color_ById, std::uint8_t{1}, &red, &green, &blue, std::uint8_t{0}), 0);
  EXPECT_EQ(red + green + blue, 0);
  EXPECT_EQ(CALL(DLLQK_PWM_SetRGB_Speed_ById, std::uint8_t{1}, std::uint8_t{3}, std::uint8_t{1}), DLLQK_BAD_ARGUMENT);
  std::uint8_t buffer[8];
  EXPECT_EQ(CALL(DLLQK_GetDataFromMCU, std::uint8_t{58}, std::uint8_t{0}, buffer, 300, 50), DLLQK_BAD_ARGUMENT);
  EXPECT_EQ(CALL(DLLQK_GetDataFromMCU, std::uint8_t{58}, std::uint8_t{0}, buffer, -1, 50), DLLQK_BAD_ARGUMENT);

  device().Unplug();
  EXPECT_EQ(CALL(DLLQK_SetMicMute, 1), DLLQK_NO_DEVICE);
  EXPECT_EQ(CALL(DLLQK_Uninstall_SDK), 0);  // needs no device
  std::int32_t count = 5;
  EXPECT_EQ(CALL(DLLQK_Search_Present_Device, &count), 0);
  EXPECT_EQ(count, 0);
}

#undef CALL

}  // namespace
}  // namespace audio77
