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
