// The program folder's device library on an emulated device: loaded as the
// program loads it, driving the hidraw node.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <array>
#include <condition_variable>
#include <fstream>
#include <mutex>
#include <thread>

#include "UsbTestbed.h"
#include "device/AudioCommand.h"
#include "device/DLLQK_UsbAudio77xx.h"

namespace audio77 {
namespace {

using test::Bytes;

// What the button callback saw; the callback runs on the library's thread.
struct ButtonLog {
  std::mutex mutex;
  std::condition_variable changed;
  std::vector<std::array<std::uint8_t, 5>> reports;
  std::vector<std::pair<std::uint16_t, std::uint16_t>> ids;
} button_log;

int32_t RecordButton(uint16_t vendor_id, uint16_t product_id, const uint8_t* report, int32_t,
                     int32_t) {
  std::lock_guard lock(button_log.mutex);
  std::array<std::uint8_t, 5> copy{};
  std::copy_n(report, copy.size(), copy.begin());
  button_log.reports.push_back(copy);
  button_log.ids.emplace_back(vendor_id, product_id);
  button_log.changed.notify_all();
  return 0;
}

// A callback that tries to restart the scan from the scan's own thread.
DLLQK_ScanButton_ById_Fn rescan_entry = nullptr;
std::int32_t rescan_result = 0;

int32_t RescanFromCallback(uint16_t vendor_id, uint16_t product_id, const uint8_t* report, int32_t, int32_t) {
  rescan_result = rescan_entry(vendor_id, product_id, &RecordButton, 1, 0);
  return RecordButton(vendor_id, product_id, report, 0, 0);
}

int ThreadCount() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("Threads:", 0) == 0) return std::stoi(line.substr(8));
  }
  return -1;
}

class HardwareLibrary : public ::testing::Test {
 protected:
  void SetUp() override {
    {
      std::lock_guard lock(button_log.mutex);
      button_log.reports.clear();
      button_log.ids.clear();
    }
    library_ = dlopen(AUDIO77_HARDWARE_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library_, nullptr) << dlerror();
  }
  void TearDown() override {
    if (library_) dlclose(library_);
  }

  template <typename Function>
  Function Entry(const char* name) {
    void* entry = dlsym(library_, name);
    EXPECT_NE(entry, nullptr) << name;
    return reinterpret_cast<Function>(entry);
  }
#define ENTRY(name) Entry<name##_Fn>(#name)

  std::int32_t Probe() {
    AudioCommand probe = AudioCommand::Switch(AudioCommand::kNoiseCancellationGroup, false);
    return ENTRY(DLLQK_AudioCommand)(probe.Block(), probe.Length());
  }

  bool WaitForReports(std::size_t n) {
    std::unique_lock lock(button_log.mutex);
    return button_log.changed.wait_for(lock, std::chrono::seconds(10),
                                       [&] { return button_log.reports.size() >= n; });
  }

  void* library_ = nullptr;
  test::UsbTestbed testbed_;
};

TEST_F(HardwareLibrary, SelectsOnlyAPresentHidInterfaceWithTheIds) {
  testbed_.Plug({.hid = false});
  EXPECT_EQ(ENTRY(DLLQK_SetActive_Device)(0x2E8D, 0x771F), DLLQK_NO_DEVICE);
  testbed_.Plug({.product_id = 0x7720, .port = "1-2", .number = 1});
  EXPECT_EQ(ENTRY(DLLQK_SetActive_Device)(0x2E8D, 0x771F), DLLQK_NO_DEVICE);
  EXPECT_EQ(ENTRY(DLLQK_SetActive_Device)(0x2E8D, 0x7720), DLLQK_DONE);
  // A failed selection leaves no device selected.
  EXPECT_EQ(ENTRY(DLLQK_SetActive_Device)(0x2E8D, 0x771F), DLLQK_NO_DEVICE);
  EXPECT_EQ(ENTRY(DLLQK_Write_Register_ById)(0x18A, 5, 0), DLLQK_NO_DEVICE);
  EXPECT_NE(Probe(), DLLQK_DONE);
}

TEST_F(HardwareLibrary, RegistersTravelInTheProgramsReportsFollowedByTheClosingReport) {
  test::HidFirmware* firmware = testbed_.Plug();
  ASSERT_EQ(ENTRY(DLLQK_SetActive_Device)(0x2E8D, 0x771F), DLLQK_DONE);
  firmware->ClearOutputs();
  firmware->SetRegister(0x0101, 0x33);

  EXPECT_EQ(ENTRY(DLLQK_Write_Register_ById)(0x18A, 5, 0), DLLQK_DONE);
  EXPECT_EQ(firmware->Register(0x18A), 5);
  std::uint8_t value = 0;
  EXPECT_EQ(ENTRY(DLLQK_Read_Register_ById)(0x0101, &value, 0), DLLQK_DONE);
  EXPECT_EQ(value, 0x33);
  const Bytes closing(9, 0);
  const std::vector<Bytes> expected = {{0, 0x60, 0x8A, 0x01, 0x10, 0, 0, 0, 0},
                                       {0, 0x60, 0x05, 0x01, 0x20, 0, 0, 0, 0},
                                       closing,
                                       {0, 0x60, 0x01, 0x01, 0x10, 0, 0, 0, 0},
                                       closing};
  EXPECT_EQ(firmware->Outputs(), expected);

  EXPECT_EQ(ENTRY(DLLQK_Read_Register_ById)(0x0101, nullptr, 0), DLLQK_BAD_ARGUMENT);
  value = 9;
  EXPECT_EQ(ENTRY(DLLQK_Read_Register_ById)(0x0101, &value, 1), DLLQK_BAD_ARGUMENT);
  EXPECT_EQ(value, 0);
}

TEST_F(HardwareLibrary, GpioEntriesUseTheGpioExchange) {
  test::HidFirmware* firmware = testbed_.Plug();
  ASSERT_EQ(ENTRY(DLLQK_SetActive_Device)(0x2E8D, 0x771F), DLLQK_DONE);
  EXPECT_EQ(ENTRY(DLLQK_SetGpioEx_ById)(0x201, 0), DLLQK_DONE);
  EXPECT_EQ(firmware->Gpio(), 0x201);
  EXPECT_EQ(ENTRY(DLLQK_SetGpio_ById)(3, 1, 0), DLLQK_DONE);  // the other lines keep their levels
  EXPECT_EQ(firmware->Gpio(), 0x209);
  std::uint16_t lines = 0;
  EXPECT_EQ(ENTRY(DLLQK_GetGpioEx_ById)(&lines, 0), DLLQK_DONE);
  EXPECT_EQ(lines, 0x209);
  std::uint8_t line = 0;
  EXPECT_EQ(ENTRY(DLLQK_GetGpio_ById)(9, &line, 0), DLLQK_DONE);
  EXPECT_EQ(line, 1);

  firmware->ClearOutputs();
  EXPECT_EQ(ENTRY(DLLQK_SetGpioModeEx_ById)(2, 0, 0), DLLQK_DONE);
  const std::vector<Bytes> read_request = {{0, 0x60, 0, 0, 0x30, 0, 0, 0, 0}, Bytes(9, 0)};
  EXPECT_EQ(firmware->Outputs(), read_request);
  EXPECT_EQ(firmware->Gpio(), 0x209);  // a mode change writes nothing

  struct Refused {
    std::int32_t result;
    std::int32_t expected;
  };
  const Refused refused[] = {
      {ENTRY(DLLQK_SetGpioModeEx_ById)(2, 1, 0), DLLQK_NOT_SUPPORTED},
      {ENTRY(DLLQK_SetGpioModeEx_ById)(10, 0, 0), DLLQK_BAD_ARGUMENT},
      {ENTRY(DLLQK_SetGpio_ById)(10, 1, 0), DLLQK_BAD_ARGUMENT},
      {ENTRY(DLLQK_SetGpio_ById)(1, 2, 0), DLLQK_BAD_ARGUMENT},
      {ENTRY(DLLQK_SetGpioEx_ById)(0x400, 0), DLLQK_BAD_ARGUMENT},
  };
  for (const auto& r : refused) EXPECT_EQ(r.result, r.expected);
  EXPECT_EQ(firmware->Gpio(), 0x209);
}

TEST_F(HardwareLibrary, ActivationProbeAnswersWhileTheDeviceAnswersRegisterReads) {
  test::HidFirmware* firmware = testbed_.Plug();
  EXPECT_EQ(Probe(), DLLQK_NO_DEVICE);  // nothing selected yet
  ASSERT_EQ(ENTRY(DLLQK_SetActive_Device)(0x2E8D, 0x771F), DLLQK_DONE);
  firmware->ClearOutputs();
  EXPECT_EQ(Probe(), DLLQK_DONE);
  EXPECT_EQ(firmware->Outputs().at(0), (Bytes{0, 0x60, 0, 0, 0x10, 0, 0, 0, 0}));
  firmware->Unplug();
  EXPECT_EQ(Probe(), DLLQK_DEVICE_FAILURE);
}

TEST_F(HardwareLibrary, EveryOtherEntryIsNotSupportedAndClearsItsOutValues) {
  testbed_.Plug();
  ASSERT_EQ(ENTRY(DLLQK_SetActive_Device)(0x2E8D, 0x771F), DLLQK_DONE);
  AudioCommand enc_on = AudioCommand::Switch(AudioCommand::kNoiseCancellationGroup, true);
  EXPECT_EQ(ENTRY(DLLQK_AudioCommand)(enc_on.Block(), enc_on.Length()), DLLQK_NOT_SUPPORTED);
  AudioCommand voice(AudioCommand::kVoiceEffectGroup, AudioCommand::kReadAllSub);
  EXPECT_EQ(ENTRY(DLLQK_AudioCommand)(voice.Block(), voice.Length()), DLLQK_NOT_SUPPORTED);
  std::int32_t on = 7;
  EXPECT_EQ(ENTRY(DLLQK_IsEQ_Enable_ById)(&on, 0), DLLQK_NOT_SUPPORTED);
  EXPECT_EQ(on, 0);
  EXPECT_EQ(ENTRY(DLLQK_SetEQ_OnOff_ById)(1, 0), DLLQK_NOT_SUPPORTED);
  EXPECT_EQ(ENTRY(DLLQK_Config3D_ById)(0), DLLQK_NOT_SUPPORTED);
  EXPECT_EQ(ENTRY(DLLQK_SetVirtual7ch1_OnOff)(1), DLLQK_NOT_SUPPORTED);
  EXPECT_EQ(ENTRY(DLLQK_SetRGB_Color)(0x50, 1, 0, 255, 0, 0, 0), DLLQK_NOT_SUPPORTED);
  Bytes buffer(4, 0xEE);
  EXPECT_EQ(ENTRY(DLLQK_Read_I2C_ById)(0x50, 0, buffer.data(), 4, 100, 0), DLLQK_NOT_SUPPORTED);
  EXPECT_EQ(buffer, Bytes(4, 0));
  std::uint8_t red = 1, green = 2, blue = 3;
  EXPECT_EQ(ENTRY(DLLQK_PWM_GetRGB_Color_ById)(0, &red, &green, &blue, 0), DLLQK_NOT_SUPPORTED);
  EXPECT_EQ(red + green + blue, 0);
  EXPECT_EQ(ENTRY(DLLQK_Read_I2C_ById)(0x50, 0, nullptr, 4, 100, 0), DLLQK_NOT_SUPPORTED);
}

TEST_F(HardwareLibrary, ButtonReportsReachTheCallbackUntilTheDeviceGoesAway) {
  test::HidFirmware* firmware = testbed_.Plug();
  const auto scan = ENTRY(DLLQK_ScanButton_ById);
  EXPECT_EQ(scan(0x2E8D, 0x771F, nullptr, 1, 0), DLLQK_BAD_ARGUMENT);
  EXPECT_EQ(scan(0x2E8D, 0x7720, &RecordButton, 1, 0), DLLQK_NO_DEVICE);
  ASSERT_EQ(scan(0x2E8D, 0x771F, &RecordButton, 1, 0), DLLQK_DONE);
  firmware->QueueInputReport({0x60, 0x04, 0x00, 0x30, 0, 0, 0, 0});
  firmware->QueueInputReport({0x60, 0x00, 0x01, 0x30, 0, 0, 0, 0});
  ASSERT_TRUE(WaitForReports(2));
  {
    std::lock_guard lock(button_log.mutex);
    const std::vector<std::array<std::uint8_t, 5>> expected = {{0, 0x60, 0x04, 0x00, 0x30},
                                                               {0, 0x60, 0x00, 0x01, 0x30}};
    EXPECT_EQ(button_log.reports, expected);
    EXPECT_EQ(button_log.ids.at(0), (std::pair<std::uint16_t, std::uint16_t>{0x2E8D, 0x771F}));
  }
  // A new scan replaces the running one: each report arrives once.
  ASSERT_EQ(scan(0x2E8D, 0x771F, &RecordButton, 1, 0), DLLQK_DONE);
  firmware->QueueInputReport({0x60, 0x02, 0x00, 0x30, 0, 0, 0, 0});
  ASSERT_TRUE(WaitForReports(3));
  ASSERT_TRUE(firmware->WaitForDelivered(3));

  const int threads_while_scanning = ThreadCount();
  testbed_.Unplug();
  // The scan's thread ends by itself.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (ThreadCount() >= threads_while_scanning && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  EXPECT_EQ(ThreadCount(), threads_while_scanning - 1);
  firmware->QueueInputReport({0x60, 0x08, 0x00, 0x30, 0, 0, 0, 0});
  EXPECT_EQ(scan(0x2E8D, 0x771F, &RecordButton, 0, 0), DLLQK_DONE);
  std::lock_guard lock(button_log.mutex);
  EXPECT_EQ(button_log.reports.size(), 3u);
}

TEST_F(HardwareLibrary, TheCallbackCannotRestartItsOwnScan) {
  test::HidFirmware* firmware = testbed_.Plug();
  rescan_entry = ENTRY(DLLQK_ScanButton_ById);
  ASSERT_EQ(rescan_entry(0x2E8D, 0x771F, &RescanFromCallback, 1, 0), DLLQK_DONE);
  firmware->QueueInputReport({0x60, 0x01, 0x00, 0x30, 0, 0, 0, 0});
  firmware->QueueInputReport({0x60, 0x02, 0x00, 0x30, 0, 0, 0, 0});
  ASSERT_TRUE(WaitForReports(2));  // the scan goes on after the refusal
  EXPECT_EQ(rescan_result, DLLQK_NOT_READY);
}

TEST_F(HardwareLibrary, UnloadingTheLibraryEndsTheScan) {
  testbed_.Plug();
  ASSERT_EQ(ENTRY(DLLQK_ScanButton_ById)(0x2E8D, 0x771F, &RecordButton, 1, 0), DLLQK_DONE);
  const int threads_while_scanning = ThreadCount();
  ASSERT_EQ(dlclose(library_), 0);
  library_ = nullptr;
  EXPECT_EQ(ThreadCount(), threads_while_scanning - 1);
}

}  // namespace
}  // namespace audio77
