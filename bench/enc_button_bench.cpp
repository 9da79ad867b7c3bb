// The noise-cancellation button on the virtual device: a press reported on a
// thread of the library's own, its copy posted to the UI thread, the dedupe,
// the toggle, ENC sent to the device and the switch's picture changed. The
// time of one item is from the press on the library's thread to the picture
// change on the UI thread (which spins on its loop, so a real window adds
// only its own wake-up).

#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>

#include "BenchProgram.h"
#include "app/MainFormResource.h"
#include "settings/RegistryDword.h"
#include "sim/core/VirtualDevice.h"

namespace {

using namespace audio77;
using bench::Program;
using Clock = std::chrono::steady_clock;

constexpr int kButtonLine = 3;

std::string SwitchPicture(TAudioMainForm& form) { return form.View().SkinEntryOf("ENCFunctionImage"); }

void BM_EncButtonToPicture(benchmark::State& state) {
  Program program;
  TAudioMainForm& form = program.Form();
  // This device offers ENC, and the button sits on line 3.
  RegSetDword(program.Services().registry, "QKW 77xx Software\\EncValueMap", "VID_2E8D&PID_771F", 12);
  NoiseCancellation& enc = form.NoiseFeature();
  enc.Configure(1, kButtonLine);
  enc.LoadEncState();
  form.SelectPage(TagOf("PageENCLabel"));
  enc.StartButtonScan();
  // The lines' state when the scan began is the first report: skipped.
  while (enc.Button().SkipFirst()) program.Loop().ProcessPending();
  if (!enc.ScanRunning()) throw std::runtime_error("the button is not scanned");

  for (auto _ : state) {
    const std::string before = SwitchPicture(form);
    std::atomic<std::int64_t> pressed_at{0};
    std::thread library([&] {
      pressed_at.store(Clock::now().time_since_epoch().count());
      sim::VirtualDevice::Instance().PressButton(1u << kButtonLine);
    });
    while (SwitchPicture(form) == before) program.Loop().ProcessPending();
    const auto changed_at = Clock::now().time_since_epoch().count();
    library.join();
    // The release report that follows each press changes nothing on screen.
    program.Loop().ProcessPending();
    state.SetIterationTime(std::chrono::duration<double>(Clock::duration(changed_at - pressed_at.load())).count());
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_EncButtonToPicture)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace
