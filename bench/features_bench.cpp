// The equalizer and 3D chains on the virtual device with register
// synchronisation on: a knob moves, the feature computes the value, and the
// registers travel through the HID exchange to the device, which traces them.
// Items per second are chains per second.

#include <benchmark/benchmark.h>

#include <stdexcept>
#include <string>

#include "BenchProgram.h"

namespace {

using namespace audio77;
using bench::Program;


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
