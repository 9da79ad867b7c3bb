// The called entries, through the binding, against the virtual device's state
// and its trace.
#include <cstring>
#include <functional>
#include <mutex>
#include <vector>

#include "DeviceLibraryFixture.h"

namespace audio77 {
namespace {

class Entries : public DeviceLibraryFixture {
 protected:
  void SetUp() override {
    DeviceLibraryFixture::SetUp();
    ASSERT_EQ(library_.Open_DLLQK_UsbAudio77xx(DeviceLibrary::kProgramFileName), 0);
  }
};

TEST_F(Entries, CallsChangeTheDeviceAndAreTraced) {
  folder_.Write("device.ini", "[I2C 0x50]\n0x8D=0x01 0x12\n");
  device().Load(folder_.path().string());
  ClearTrace();
  std::int32_t on = -1;
  std::uint8_t byte = 0;
  struct Case {
    const char* what;
    std::function<std::int32_t()> call;
    std::string trace;
    std::function<bool(const sim::DeviceState&)> holds;
  };
  const Case cases[] = {
      {"select", [&] { return library_.SetActive_Device(0x2E8D, 0x771F); },
       "lib DLLQK_SetActive_Device 11917 30495 = 0", [](auto& s) { return s.device_selected; }},
      {"eq config", [&] { return library_.ConfigEQ_ById(0); }, "lib DLLQK_ConfigEQ_ById 0x00 = 0",
       [](auto& s) { return s.eq_configured && !s.eq_on; }},
      {"eq on", [&] { return library_.SetEQ_OnOff_ById(1, 0); }, "lib DLLQK_SetEQ_OnOff_ById 1 0x00 = 0",
       [](auto& s) { return s.eq_on; }},
      {"eq read back", [&] { return library_.IsEQ_Enable_ById(on, 0); }, "lib DLLQK_IsEQ_Enable_ById 1 0x00 = 0",
       [&](auto&) { return on == 1; }},
      {"3d config", [&] { return library_.Config3D_ById(0); }, "lib DLLQK_Config3D_ById 0x00 = 0",
       [](auto& s) { return s.sound3d_configured; }},
      {"3d on", [&] { return library_.Set3D_OnOff_ById(1, 0); }, "lib DLLQK_Set3D_OnOff_ById 1 0x00 = 0",
       [](auto& s) { return s.sound3d_on; }},
      {"3d off", [&] { return library_.Set3D_OnOff_ById(0, 0); }, "lib DLLQK_Set3D_OnOff_ById 0 0x00 = 0",
       [](auto& s) { return !s.sound3d_on; }},
      {"3d read back", [&] { return library_.Is3D_Enable_ById(on, 0); }, "lib DLLQK_Is3D_Enable_ById 0 0x00 = 0",
       [&](auto&) { return on == 0; }},
      {"register write", [&] { return library_.Write_Register_ById(0x18A, 0x5C, 0); },
       "lib DLLQK_Write_Register_ById 394 0x5C 0x00 = 0", [](auto& s) { return s.registers[0x18A] == 0x5C; }},
      {"register read", [&] { return library_.Read_Register_ById(0x18A, byte, 0); },
       "lib DLLQK_Read_Register_ById 394 0x5C 0x00 = 0", [&](auto&) { return byte == 0x5C; }},
      {"eeprom flag", [&] { return library_.Read_I2C_ById(0x50, 0x8D, &byte, 1, 100, 0); },
       "lib DLLQK_Read_I2C_ById 0x50 0x8D 01 1 100 0x00 = 0", [&](auto&) { return byte == 0x01; }},
      {"eeprom bank", [&] { return library_.Read_I2C_ById(0x50, 0x8E, &byte, 1, 100, 0); },
       "lib DLLQK_Read_I2C_ById 0x50 0x8E 12 1 100 0x00 = 0", [&](auto&) { return byte == 0x12; }},
      {"gpio mode", [&] { return library_.SetGpioModeEx_ById(3, 0, 0); },
       "lib DLLQK_SetGpioModeEx_ById 0x03 0x00 0x00 = 0", [](auto& s) { return s.gpio_modes[3] == 0; }},
      {"virtual on", [&] { return library_.SetVirtual7ch1_OnOff(1); }, "lib DLLQK_SetVirtual7ch1_OnOff 1 = 0",
       [](auto& s) { return s.virtual71_on; }},
      {"virtual scale", [&] { return library_.SetVirtual7ch1_Scalar(2.5f); },
       "lib DLLQK_SetVirtual7ch1_Scalar 2.5 = 0", [](auto& s) { return s.virtual71_scale == 2.5f; }},
      {"master mode", [&] { return library_.SetRGB_Mode_ById(58, 0, 4, 3, 50, 0); },
       "lib DLLQK_SetRGB_Mode_ById 0x3A 0x00 0x04 0x03 50 0x00 = 0",
       [](auto& s) { return s.master.address == 58 && s.master.mode == 4 && s.master.value == 3; }},
      {"master slot colour", [&] { return library_.SetRGB_Color_ById(58, 1, 2, 0xFF, 0x80, 0x00, 50, 0); },
       "lib DLLQK_SetRGB_Color_ById 0x3A 0x01 0x02 0xFF 0x80 0x00 50 0x00 = 0",
       [](auto& s) { return s.master.slot_colours[2] == 0x0080FFu; }},
      {"master mode colour", [&] { return library_.SetRGB_SingleColor(58, 1, 4, 0, 0, 0xFF, 500); },
       "lib DLLQK_SetRGB_SingleColor 0x3A 0x01 0x04 0x00 0x00 0xFF 500 = 0",
       [](auto& s) { return s.master.mode_colours[4] == 0xFF0000u && s.master.timing == 500; }},
      {"master steps", [&] { return library_.SetRGB_Step_ById(58, 7, 50, 0); },
       "lib DLLQK_SetRGB_Step_ById 0x3A 0x07 50 0x00 = 0", [](auto& s) { return s.master.steps == 7; }},
      {"slave brightness", [&] { return library_.UsbHidSlave_SetRGB_Brightness_Ex(0, 6, 500); },
       "lib DLLQK_UsbHidSlave_SetRGB_Brightness_Ex 0x00 0x06 500 = 0",
       [](auto& s) { return s.slave.brightness == 6 && s.master.brightness == 0; }},
      {"slave mode", [&] { return library_.UsbHidSlave_SetRGB_Mode_Ex(2, 1, 0, 500); },
       "lib DLLQK_UsbHidSlave_SetRGB_Mode_Ex 0x02 0x01 0x00 500 = 0",
       [](auto& s) { return s.slave.led == 2 && s.slave.mode == 1; }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(c.call(), 0);
    EXPECT_EQ(LastTraceLine(), c.trace);
    EXPECT_TRUE(c.holds(device().Snapshot()));
  }
}

TEST_F(Entries, NoiseCancellationAndVoiceCommands) {
  AudioCommand on = AudioCommand::Switch(AudioCommand::kNoiseCancellationGroup, true);
  ASSERT_EQ(library_.SendAudioCommand(on), 0);
  EXPECT_EQ(LastTraceLine(), "lib DLLQK_AudioCommand 040001000000" + std::string(456, '0') + " 234 = 0");
  EXPECT_TRUE(device().Snapshot().enc_on);

  std::array<std::uint8_t, DLLQK_ENC_PARAMETERS_LENGTH> parameters{};
  parameters[8] = 22;
  ASSERT_EQ(library_.SetEnc_Parameters(parameters), 0);

  AudioCommand read_all(AudioCommand::kNoiseCancellationGroup, AudioCommand::kReadAllSub);
  ASSERT_EQ(library_.SendAudioCommand(read_all), 0);
  EXPECT_EQ(read_all.ReplyInt32(0), 1);  // the companion area starts with ENC on
  const auto second = read_all.SecondReply(16);
  EXPECT_TRUE(std::equal(second.begin(), second.end(), parameters.begin()));

  AudioCommand voice(AudioCommand::kVoiceEffectGroup, AudioCommand::kVoiceSetSub);
  voice.SetPayloadInt32(0, 1);
  const std::array<std::uint8_t, 2> pitch{0xF6, 0xFF};  // -10
  voice.SetPayload(pitch, 4);
  ASSERT_EQ(library_.SendAudioCommand(voice), 0);
  const auto state = device().Snapshot();
  EXPECT_EQ(state.voice_payload[0], 1);
  EXPECT_EQ(state.voice_payload[4], 0xF6);
  EXPECT_EQ(state.voice_payload[5], 0xFF);
}

TEST_F(Entries, BadInputFailsAndChangesNothing) {
  const auto before = device().Snapshot();
  AudioCommand unknown_group(9, 0);
  AudioCommand unknown_sub(AudioCommand::kNoiseCancellationGroup, 5);
  AudioCommand bad_flag = AudioCommand::Switch(AudioCommand::kVoiceEffectGroup, true);
  bad_flag.SetPayloadInt32(0, 2);
  AudioCommand short_block = AudioCommand::Switch(AudioCommand::kNoiseCancellationGroup, true);
  *short_block.Length() = 233;
  AudioCommand loud_voice(AudioCommand::kVoiceEffectGroup, AudioCommand::kVoiceSetSub);
  const std::array<std::uint8_t, 2> pitch{13, 0};
  loud_voice.SetPayload(pitch, 4);
  std::array<std::uint8_t, 16> high_level{};
  high_level[8] = 31;
  DLLQK_Virtual7ch1Placement far{};
  far.distance[3] = 1.8f;
  std::uint8_t buffer[4] = {};
  struct Case {
    const char* what;
    std::function<std::int32_t()> call;
  };
  const Case cases[] = {
      {"unknown group", [&] { return library_.SendAudioCommand(unknown_group); }},
      {"unknown sub-command", [&] { return library_.SendAudioCommand(unknown_sub); }},
      {"switch value 2", [&] { return library_.SendAudioCommand(bad_flag); }},
      {"wrong length", [&] { return library_.SendAudioCommand(short_block); }},
      {"pitch out of range", [&] { return library_.SendAudioCommand(loud_voice); }},
      {"null block",
       [&] {
         std::int32_t length = 234;
         return library_.Call<DLLQK_AudioCommand_Fn>(DeviceEntry::DLLQK_AudioCommand, nullptr, &length);
       }},
      {"null out value",
       [&] { return library_.Call<DLLQK_IsEQ_Enable_ById_Fn>(DeviceEntry::DLLQK_IsEQ_Enable_ById, nullptr, 0); }},
      {"null register byte",
       [&] {
         return library_.Call<DLLQK_Read_Register_ById_Fn>(DeviceEntry::DLLQK_Read_Register_ById, 0x200, nullptr, 0);
       }},
      {"equalizer on before configuring", [&] { return library_.SetEQ_OnOff_ById(1, 0); }},
      {"device index 1", [&] { return library_.Write_Register_ById(0x200, 1, 1); }},
      {"GPIO 10", [&] { return library_.SetGpioModeEx_ById(10, 0, 0); }},
      {"I2C slave without answer", [&] { return library_.Read_I2C_ById(0x52, 0, buffer, 1, 100, 0); }},
      {"I2C past the last register", [&] { return library_.Read_I2C_ById(0x51, 0xFE, buffer, 4, 100, 0); }},
      {"I2C length 0", [&] { return library_.Read_I2C_ById(0x51, 0, buffer, 0, 100, 0); }},
      {"ENC level 31", [&] { return library_.SetEnc_Parameters(high_level); }},
      {"speaker too far", [&] { return library_.SetVirtual7ch1(far); }},
      {"negative scale", [&] { return library_.SetVirtual7ch1_Scalar(-1.0f); }},
      {"virtual on value 2", [&] { return library_.SetVirtual7ch1_OnOff(2); }},
      {"LED mode 0", [&] { return library_.SetRGB_Mode_ById(58, 0, 0, 0, 50, 0); }},
      {"LED number 3", [&] { return library_.UsbHidSlave_SetRGB_Mode_Ex(3, 1, 0, 500); }},
      {"colour slot 8", [&] { return library_.SetRGB_Color(58, 1, 8, 1, 2, 3, 50); }},
      {"controller address 0", [&] { return library_.SetRGB_Step(0, 7, 50); }},
      {"brightness 7", [&] { return library_.SetRGB_Brightness(58, 0, 7, 50); }},
      {"button scan without callback",
       [&] {
         return library_.Call<DLLQK_ScanButton_ById_Fn>(DeviceEntry::DLLQK_ScanButton_ById, 0x2E8D, 0x771F, nullptr,
                                                        1, 0);
       }},
      {"other device selected", [&] { return library_.SetActive_Device(0x1234, 0x5678); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_NE(c.call(), 0);
    auto after = device().Snapshot();
    after.device_selected = before.device_selected;  // only the last case may move it
    EXPECT_TRUE(after == before);
  }
  // With another device selected, calls no longer reach this one.
  EXPECT_EQ(library_.Write_Register_ById(0x200, 1, 0), DLLQK_NO_DEVICE);
  ASSERT_EQ(library_.SetActive_Device(0x2E8D, 0x771F), 0);
  EXPECT_EQ(library_.Write_Register_ById(0x200, 1, 0), 0);
}

TEST_F(Entries, ScriptedFaultFailsOnceAndAnImmediateRepeatWorks) {
  ASSERT_TRUE(device().SetFault("DLLQK_AudioCommand", "1"));
  AudioCommand on = AudioCommand::Switch(AudioCommand::kNoiseCancellationGroup, true);
  EXPECT_EQ(library_.SendAudioCommand(on), DLLQK_DEVICE_FAILURE);
  EXPECT_FALSE(device().Snapshot().enc_on);
  EXPECT_EQ(library_.SendAudioCommand(on), 0);
  EXPECT_TRUE(device().Snapshot().enc_on);

  device().Unplug();
  EXPECT_EQ(library_.ConfigEQ_ById(0), DLLQK_NO_DEVICE);
  EXPECT_EQ(LastTraceLine(), "lib DLLQK_ConfigEQ_ById 0x00 = -2");
}

TEST_F(Entries, ButtonScanDeliversCopiesOfFiveByteReports) {
  std::mutex mutex;
  std::vector<DeviceLibrary::ButtonReport> reports;
  auto sink = [&](std::uint16_t vendor_id, std::uint16_t product_id, const DeviceLibrary::ButtonReport& report) {
    EXPECT_EQ(vendor_id, 0x2E8D);
    EXPECT_EQ(product_id, 0x771F);
    std::lock_guard lock(mutex);
    reports.push_back(report);
  };
  ASSERT_EQ(library_.SetGpioModeEx_ById(8, 0, 0), 0);
  ASSERT_EQ(library_.ScanButton_ById(0x2E8D, 0x771F, sink, 1, 0), 0);
  EXPECT_EQ(LastTraceLine(), "lib DLLQK_ScanButton_ById 11917 30495 callback 1 0x00 = 0");
  // The press is delivered before PressButton returns, after the idle report
  // the scan's start queued for the device's thread.
  device().PressButton(1u << 8);

  std::lock_guard lock(mutex);
  ASSERT_EQ(reports.size(), 3u);
  // Idle lines first, then GPIO 8 held low, then released.
  EXPECT_EQ(reports[0][2], 0xFF);
  EXPECT_EQ(reports[0][3], 0x03);
  EXPECT_EQ(reports[1][2], 0xFF);
  EXPECT_EQ(reports[1][3], 0x02);
  EXPECT_EQ(reports[2][3], 0x03);
}

}  // namespace
}  // namespace audio77
