// One tick of the speaker animation with a switch on, as the 20 ms timer runs
// it: the step of the switch, the scratch measurement, the placement block
// and the two library calls through the virtual device, which keeps the block
// and traces both calls. Items per second are ticks per second; at 50 ticks a
// second, the share of one core is 50 / (ticks per second).

#include <benchmark/benchmark.h>

#include <array>
#include <iterator>

#include "BenchProgram.h"
#include "features/PlacementBlock.h"
#include "features/SpeakerAnimation.h"

namespace {

using namespace audio77;
using bench::Program;

constexpr SpeakerCircle kBundledCircle{364, 264, 120};

// The four switches in turn, a few hundred ticks each, as a user would try them.
const std::array<AnimationLatches, 4> kSwitches = {
    AnimationLatches{.clockwise = 1}, AnimationLatches{.counter_clockwise = 1}, AnimationLatches{.narrow = 1},
    AnimationLatches{.enlarge = 1}};

void BM_SpeakerAnimationTick(benchmark::State& state) {
  Program program;
  DeviceLibrary& library = program.Form().Library();
  SpeakerLayout layout;
  layout.SetCircle(kBundledCircle);
  layout.LayoutSpeakers({});
  layout.MeasureSpeakers(SpeakerLayout::Target::kMain);
  std::size_t tick = 0;
  for (auto _ : state) {
    const AnimationLatches& latches = kSwitches[(tick++ / 300) % kSwitches.size()];
    if (SpeakerAnimation::Step(latches, layout)) {
      library.SetVirtual7ch1_OnOff(1);
      const auto fields = PlacementBlock::Prepare(1, layout.LibraryValues(), layout.Circle().radius);
      if (library.SetVirtual7ch1(PlacementBlock::ToLibrary(fields)) != 0) state.SkipWithError("the device refused the block");
    }
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SpeakerAnimationTick);

// The window's own tick: the feature's VirtualTick with a switch on, which
// also moves the eight icons on the form. Afterwards every switch goes off,
// and the counter tells whether the animation timer is still armed (an idle
// window must not wake up for it: the goal is 0).
void BM_Virtual71WindowTick(benchmark::State& state) {
  Program program;
  Virtual71& v71 = program.Form().Virtual71Feature();
  v71.ToggleEnable();
  v71.ResetVirtual();
  constexpr int kTags[] = {Virtual71::kClockwiseTag, Virtual71::kCounterClockwiseTag, Virtual71::kNarrowTag,
                           Virtual71::kEnlargeTag};
  std::size_t tick = 0;
  int pressed = 0;
  for (auto _ : state) {
    const int wanted = kTags[(tick++ / 300) % std::size(kTags)];
    if (wanted != pressed) {
      v71.PressAnimationSwitch(wanted);
      pressed = wanted;
    }
    v71.VirtualTick();
  }
  state.SetItemsProcessed(state.iterations());
  v71.PressAnimationSwitch(pressed);
  state.counters["idle_timer_armed"] = v71.Animating() ? 1 : 0;
}
BENCHMARK(BM_Virtual71WindowTick);

}  // namespace
