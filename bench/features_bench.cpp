// The equalizer and 3D chains on the virtual device with register
// synchronisation on: a knob moves, the feature computes the value, and the
// registers travel through the HID exchange to the device, which traces them.
// Items per second are chains per second.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>

#include "app/AudioMainForm.h"
#include "platform/ManualClock.h"
#include "sim/platform/VirtualPlatform.h"
#include "toolkit/Application.h"
#include "toolkit/EventLoop.h"

namespace {

namespace fs = std::filesystem;
using namespace audio77;

// The whole program started on the virtual device in folders of its own.
class Program {
 public:
  Program() {
    std::random_device seed;
    root_ = fs::temp_directory_path() / ("audio77-bench-" + std::to_string(seed()));
    const fs::path dist = AUDIO77_BENCH_DIST_DIR;
    fs::create_directories(root_ / "program");
    fs::create_directories(root_ / "state");
    fs::create_directories(root_ / "home" / ".config" / "Audio77");
    fs::copy_file(dist / "AudioConfig.cfg", root_ / "program" / "AudioConfig.cfg");
    fs::copy_file(dist / "libDLLQK_UsbAudio77xx.so", root_ / "program" / "libDLLQK_UsbAudio77xx.so");
    sim::VirtualPlatformOptions options;
    options.state_folder = (root_ / "state").string();
    options.program_path = (root_ / "program" / "audio77").string();
    options.home = (root_ / "home").string();
    auto clock = std::make_unique<ManualClock>();
    clock_ = clock.get();
    options.clock = std::move(clock);
    host_ = sim::CreateVirtualPlatform(std::move(options));
    loop_ = std::make_unique<toolkit::EventLoop>(*clock_);
    app_ = std::make_unique<toolkit::Application>(*loop_);
    form_ = std::make_unique<TAudioMainForm>(host_->Get(), *app_);
    form_->Create();
    if (!form_->Session().RegisterSync()) throw std::runtime_error("the virtual device did not become active");
  }
  ~Program() {
    form_.reset();
    app_.reset();
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }
  TAudioMainForm& Form() { return *form_; }

 private:
  fs::path root_;
  ManualClock* clock_ = nullptr;
  std::unique_ptr<PlatformHost> host_;
  std::unique_ptr<toolkit::EventLoop> loop_;
  std::unique_ptr<toolkit::Application> app_;
  std::unique_ptr<TAudioMainForm> form_;
};

// A knob of the current preset dragged through its travel, one band after the other.
void BM_EqualizerSliderChain(benchmark::State& state) {
  Program program;
  TAudioMainForm& form = program.Form();
  const SliderTravel travel = form.View().EqTravel();
  int step = 0;
  for (auto _ : state) {
    const int band = step % Equalizer::kBands;
    form.View().SetKnobTop(Equalizer::kFirstSliderTag + band, travel.top + step % (travel.length + 1));
    form.EqualizerFeature().SliderMoved(band);
    ++step;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_EqualizerSliderChain);

// A preset chosen: ten band registers and the on/off read-back.
void BM_EqualizerPresetChain(benchmark::State& state) {
  Program program;
  TAudioMainForm& form = program.Form();
  form.View().SetKnobTop(Equalizer::kFirstSliderTag, form.View().EqTravel().top);
  form.EqualizerFeature().SliderMoved(0);  // S1 is not flat, so its registers go out
  for (auto _ : state) form.EqualizerFeature().SelectEqPreset(1);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_EqualizerPresetChain);

// A 3D knob dragged with its partner linked: both sides' registers twice.
void BM_Sound3DSliderChain(benchmark::State& state) {
  Program program;
  Sound3D& d3 = program.Form().Sound3DFeature();
  d3.CycleBetaLink();
  d3.CycleBetaLink();
  d3.CycleBetaLink();  // mirror
  int step = 0;
  for (auto _ : state) {
    d3.SliderMoved(Sound3D::kLeftBetaTag, Sound3D::kKnobTopLimit + step % 121);
    ++step;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Sound3DSliderChain);

}  // namespace
