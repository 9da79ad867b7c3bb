// The noise-cancellation feature while the device library's thread delivers
// button presses: an unplug and a new scan in the middle, then the window's
// end. Under ThreadSanitizer this shows that no report touches the feature's
// state off the UI thread, and the trace that none is handled after the end.
#include <atomic>
#include <thread>

#include "EncFixture.h"
#include "features/NoiseCancellation.h"

namespace audio77::test {
namespace {

constexpr int kButtonLine = 3;

class NoiseCancellationThreads : public EncFixture {
 protected:
  void SetUp() override {
    EncFixture::SetUp();
    SetRegistry(kEncKey, kDeviceValue, 9);
    enc_->Configure(1, kButtonLine);
    enc_->LoadEncState();
    enc_->StartButtonScan();
  }
  void PumpUntil(const std::atomic<int>& presses, int count) {
    while (presses.load() < count) loop_.ProcessPending();
    loop_.ProcessPending();
  }

  std::unique_ptr<NoiseCancellation> enc_ = std::make_unique<NoiseCancellation>(Deps(), Parts(registry_));
};

TEST_F(NoiseCancellationThreads, PressesRacingAnUnplugAndTheWindowsEndAreHandledOnTheUiThreadAndNoneAfterTheEnd) {
  std::atomic<bool> stop{false};
  std::atomic<int> presses{0};
  std::thread presser([&] {
    while (!stop.load()) {
      device().PressButton(1u << kButtonLine);
      presses.fetch_add(1);
    }
  });
  std::thread plugger([&] {
    for (int i = 0; i < 20; ++i) {
      device().Unplug();
      device().Plug();
    }
  });
  PumpUntil(presses, 50);

  // The device leaves: the hand-off stops; then it is back with a new scan.
  enc_->OnRemoved();
  status_.active = false;
  PumpUntil(presses, presses.load() + 20);
  EXPECT_EQ(enc_->On(), 0);
  EXPECT_FALSE(enc_->ScanRunning());
  plugger.join();
  status_.active = true;
  enc_->LoadEncState();
  enc_->StartButtonScan();
  ASSERT_TRUE(enc_->ScanRunning());
  PumpUntil(presses, presses.load() + 50);

  // The window's end: nothing handled from here on, while presses go on.
  enc_->StopButton();
  const int on_at_end = enc_->On();
  ClearTrace();
  enc_->OnShutdown();
  PumpUntil(presses, presses.load() + 20);
  EXPECT_EQ(enc_->On(), on_at_end);
  enc_.reset();
  PumpUntil(presses, presses.load() + 20);
  stop.store(true);
  presser.join();
  loop_.ProcessPending();
  EXPECT_EQ(Take(), (std::vector<std::string>{"4/0 00000000"}));
}

}  // namespace
}  // namespace audio77::test
