// One tick of the speaker animation with a switch on, as the 20 ms timer runs
// it: the step of the switch, the scratch measurement, the placement block
// and the two library calls through the virtual device, which keeps the block
// and traces both calls. Items per second are ticks per second; at 50 ticks a
// second, the share of one core is 50 / (ticks per second).

#include <benchmark/benchmark.h>

#include <array>

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

}  // namespace
