// Button presses arrive on the library's thread while the UI thread unplugs,
// rescans and finally shuts the hand-off down.
#include <atomic>
#include <thread>

#include "features/ButtonReportRelay.h"
#include "features/EncButton.h"
#include "features/EncCommands.h"
#include "platform/ManualClock.h"
#include "unit/device/DeviceLibraryFixture.h"

namespace audio77 {
namespace {

constexpr std::uint16_t kVendor = 0x2E8D;
constexpr std::uint16_t kProduct = 0x771F;
constexpr int kButtonLine = 3;

class EncButtonThreads : public DeviceLibraryFixture {
 protected:
  void SetUp() override {
    DeviceLibraryFixture::SetUp();
    ASSERT_EQ(library_.Open_DLLQK_UsbAudio77xx(DeviceLibrary::kProgramFileName), 0);
  }
  // The window's part, all on this (the UI) thread.
  void StartScan() {
    relay_->Attach();
    ASSERT_EQ(library_.ScanButton_ById(kVendor, kProduct, relay_->Sink(), 1, 0), 0);
  }
  int Toggle() {
    if (std::this_thread::get_id() != ui_thread_) ++off_thread_;
    enc_on_ = enc_on_ == 0 ? 1 : 0;
    ++toggles_;
    return commands_.SetEncOn(enc_on_);
  }
  // Presses on a thread of their own until stopped, as the library's thread delivers them.
  std::thread Presser(std::atomic<bool>& stop, std::atomic<int>& presses) {
    return std::thread([&] {
      while (!stop.load()) {
        device().PressButton(1u << kButtonLine);
        presses.fetch_add(1);
      }
    });
  }
  void PumpUntil(const std::atomic<int>& presses, int count) {
    while (presses.load() < count) loop_.ProcessPending();
    loop_.ProcessPending();
  }

  ManualClock clock_;
  toolkit::EventLoop loop_{clock_};
  EncCommands commands_{library_};
  const std::thread::id ui_thread_ = std::this_thread::get_id();
  int enc_on_ = 0;
  int toggles_ = 0;
  int off_thread_ = 0;
  int delivered_ = 0;
  EncButton button_{debug_, kButtonLine, [this] { return Toggle(); }};
  std::unique_ptr<ButtonReportRelay> relay_ = std::make_unique<ButtonReportRelay>(loop_, [this](const auto& report) {
    ++delivered_;
    button_.Receive(report);
  });
};

TEST_F(EncButtonThreads, PressesRacingAnUnplugAndAShutdownReachOnlyTheUiThreadAndStopAtTheEnd) {
  StartScan();
  std::atomic<bool> stop{false};
  std::atomic<int> presses{0};
  std::thread presser = Presser(stop, presses);
  std::thread plugger([&] {
    for (int i = 0; i < 20; ++i) {
      device().Unplug();
      device().Plug();
    }
  });

  PumpUntil(presses, 50);
  // Removal: the hand-off stops, then a new activation scans again.
  relay_->Detach();
  button_.DeviceRemoved();
  PumpUntil(presses, 100);
  plugger.join();  // the device ends plugged in
  const int toggles_before_rescan = toggles_;
  StartScan();
  // The new scan's presses arrive (bounded, so a lost hand-off fails instead of hanging).
  const int limit = presses.load() + 5000;
  while (toggles_ == toggles_before_rescan && presses.load() < limit) loop_.ProcessPending();
  EXPECT_GT(toggles_, toggles_before_rescan) << "the new scan's reports arrive";

  // Shutdown while the button is still being pressed.
  relay_.reset();
  const int delivered_at_shutdown = delivered_;
  const int toggles_at_shutdown = toggles_;
  PumpUntil(presses, presses.load() + 50);
  stop.store(true);
  presser.join();
  loop_.ProcessPending();

  EXPECT_EQ(delivered_, delivered_at_shutdown) << "nothing is delivered after the end";
  EXPECT_EQ(toggles_, toggles_at_shutdown);
  EXPECT_GT(toggles_, 0);
  EXPECT_EQ(off_thread_, 0) << "the button is handled on the UI thread only";
}

TEST_F(EncButtonThreads, WithTheDevicePresentEveryPressTogglesTheDeviceOnce) {
  StartScan();
  loop_.ProcessPending();  // the idle report of the new scan: skipped
  constexpr int kPresses = 40;
  std::thread presser([&] {
    for (int i = 0; i < kPresses; ++i) device().PressButton(1u << kButtonLine);
  });
  while (toggles_ < kPresses) loop_.ProcessPending();
  presser.join();
  loop_.ProcessPending();
  EXPECT_EQ(toggles_, kPresses);
  EXPECT_EQ(device().Snapshot().enc_on, enc_on_ == 1);
}

}  // namespace
}  // namespace audio77
