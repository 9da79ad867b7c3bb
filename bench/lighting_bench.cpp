// The lighting on the virtual device with real time: how long a colour chosen
// for a swatch takes to reach the device (the click's whole chain: outline,
// colour dialog answered at once, fill, the library call and the device's
// state record), and how often the two idle LED workers wake up while nothing
// changes (they should not wake at all).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "device/DeviceLibrary.h"
#include "lighting/LedCommandWorker.h"
#include "lighting/LedPage.h"
#include "platform/RecordingDebugOutput.h"
#include "platform/SteadyClock.h"
#include "platform/posix/PosixDynamicLibrary.h"
#include "sim/core/VirtualDevice.h"
#include "toolkit/DialogsMessageBox.h"
#include "toolkit/ScriptedDialogs.h"

namespace {

using namespace audio77;

std::string StateFolder() {
  static const std::string folder = [] {
    if (const char* chosen = std::getenv("AUDIO77_BENCH_STATE_DIR")) return std::string(chosen);
    char pattern[] = "/dev/shm/audio77-lighting-bench-XXXXXX";
    const char* made = ::mkdtemp(pattern);
    return std::string(made != nullptr ? made : "/tmp");
  }();
  return folder;
}

// A view that answers every colour dialog at once with the next colour.
class InstantView : public LedPageView {
 public:
  void ShowCheck(LedCheck, bool) override {}
  void ShowSpeedBar(int) override {}
  LedSpeedBar SpeedBar(int) const override { return {420, 240, 14}; }
  int KnobLeft(int) const override { return 420; }
  void SetKnobLeft(int, int) override {}
  void FillSwatch(LedSwatch, toolkit::Color) override {}
  void OutlineSwatch(LedSwatch, toolkit::Color, int) override {}
  std::optional<toolkit::Color> ChooseColour(toolkit::Color) override { return next_ = next_ % 0xFFFFFF + 1; }
  void ProcessPending() override {}

 private:
  toolkit::Color next_ = 0;
};

class ActiveDevice : public DeviceStatus {
 public:
  std::uint16_t VendorId() const override { return 0x2E8D; }
  std::uint16_t ProductId() const override { return 0x771F; }
  bool Active() const override { return true; }
  bool RegisterSync() const override { return true; }
};

struct Bench {
  Bench() {
    sim::VirtualDevice::Instance().Load(StateFolder());
    if (library.Open_DLLQK_UsbAudio77xx(DeviceLibrary::kProgramFileName) != 0) std::abort();
  }
  PosixDynamicLibrary loader{std::string(AUDIO77_BENCH_DIST_DIR) + "/virtual/"};
  RecordingDebugOutput debug;
  toolkit::ScriptedDialogs dialogs;
  toolkit::DialogsMessageBox boxes{dialogs};
  DeviceLibrary library{loader, debug, boxes};
  SteadyClock clock;
  InstantView view;
  ActiveDevice status;
};

void ColourClickReachesTheDevice(benchmark::State& state) {
  Bench bench;
  LedPage page(bench.library, bench.status, bench.clock, bench.debug, bench.view);
  page.ApplySkin(1, 0, true);
  for (auto _ : state) {
    page.SwatchMouseDown({3});
  }
  if (sim::VirtualDevice::Instance().Snapshot().master.slot_colours[3] != page.SlotColour(3)) {
    state.SkipWithError("the device did not get the colour");
  }
}
BENCHMARK(ColourClickReachesTheDevice)->Unit(benchmark::kMillisecond);

// Both workers started and left alone for half a second: their wake-ups.
void IdleWorkersWakeUps(benchmark::State& state) {
  Bench bench;
  LedPage page(bench.library, bench.status, bench.clock, bench.debug, bench.view);
  page.ApplySkin(1, 0, true);
  page.StartLedEffects();
  LedDialogCommands dialog_commands(&bench.library);
  LedDialogState dialog_state;
  LedCommandWorker dialog_worker(dialog_commands, dialog_state, bench.clock, bench.debug);
  // The start's own pass first.
  while (page.Worker()->Passes() == 0) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  std::uint64_t wakeups = 0;
  for (auto _ : state) {
    const std::uint64_t before = page.Worker()->Passes() + dialog_worker.Passes();
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    wakeups += page.Worker()->Passes() + dialog_worker.Passes() - before;
  }
  state.counters["wakeups"] = static_cast<double>(wakeups);
}
BENCHMARK(IdleWorkersWakeUps)->Iterations(2)->Unit(benchmark::kMillisecond);

}  // namespace
