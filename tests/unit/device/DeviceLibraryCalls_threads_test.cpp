// The UI thread, a lighting worker and the library's button thread reach the
// library at once while the device comes and goes.
#include <atomic>
#include <thread>

#include "DeviceLibraryFixture.h"

namespace audio77 {
namespace {

using ConcurrentCalls = DeviceLibraryFixture;

bool Acceptable(std::int32_t result) { return result == 0 || result == DLLQK_NO_DEVICE; }

TEST_F(ConcurrentCalls, TwoCallersAndAPluggerKeepTheDeviceAndTraceWhole) {
  ASSERT_EQ(library_.Open_DLLQK_UsbAudio77xx(DeviceLibrary::kProgramFileName), 0);
  std::atomic<int> reports{0};
  ASSERT_EQ(library_.ScanButton_ById(0x2E8D, 0x771F,
                                     [&](std::uint16_t, std::uint16_t, const DeviceLibrary::ButtonReport&) {
                                       reports.fetch_add(1);
                                     },
                                     1, 0),
            0);
  std::atomic<int> notifications{0};
  const int token = device().Subscribe([&](const sim::DeviceNotification&) { notifications.fetch_add(1); });
  ClearTrace();

  constexpr int kCalls = 300;
  constexpr int kPlugCycles = 40;
  std::atomic<int> bad{0};
  std::thread ui([&] {
    for (int i = 0; i < kCalls; ++i) {
      AudioCommand command = AudioCommand::Switch(AudioCommand::kNoiseCancellationGroup, i % 2 == 0);
      if (!Acceptable(library_.SendAudioCommand(command))) ++bad;
      if (!Acceptable(library_.Write_Register_ById(0x200, static_cast<std::uint8_t>(i), 0))) ++bad;
    }
  });
  std::thread lighting([&] {
    for (int i = 0; i < kCalls; ++i) {
      if (!Acceptable(library_.SetRGB_Mode_ById(58, 0, 4, static_cast<std::uint8_t>(i), 50, 0))) ++bad;
      if (!Acceptable(library_.SetRGB_Color_ById(58, 1, 1 + i % 7, 1, 2, 3, 50, 0))) ++bad;
    }
  });
  std::thread plugger([&] {
    for (int i = 0; i < kPlugCycles; ++i) {
      device().Unplug();
      device().Plug();
      device().PressButton(1u << 3);
    }
  });
  ui.join();
  lighting.join();
  plugger.join();
  device().Unsubscribe(token);

  EXPECT_EQ(bad.load(), 0);
  EXPECT_EQ(notifications.load(), kPlugCycles * 4);
  int library_lines = 0;
  for (const auto& line : TraceLines()) {
    if (line.rfind("lib ", 0) == 0) {
      ++library_lines;
      EXPECT_TRUE(line.ends_with(" = 0") || line.ends_with(" = -2")) << line;
    }
  }
  EXPECT_EQ(library_lines, 4 * kCalls);
}

}  // namespace
}  // namespace audio77
