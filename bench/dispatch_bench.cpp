// The main window's mouse chains on the virtual device with register
// synchronisation on. An EQ drag movement runs the whole way: the
// application-wide hook, the knob's new top, the band's code, the register
// exchange with the device (which traces it), then knob, fill and value label.
// A page switch is a tab label's press: the tabs, the page and its controls.
// Items per second are chains per second.

#include <benchmark/benchmark.h>

#include <stdexcept>
#include <string>

#include "BenchProgram.h"

namespace {

using namespace audio77;
using bench::Program;


// One mouse movement of a held EQ knob, up and down through its travel.
void BM_EqDragMovementChain(benchmark::State& state) {
  Program program;
  toolkit::Form& form = program.Form().Form();
  const toolkit::Rect knob = form.FindControl("EQ60HzSliderImage")->ClientRect();
  const toolkit::Point press{knob.left + knob.width / 2, knob.top + knob.height / 2};
  form.MouseDown(press, toolkit::MouseButton::kLeft, {});
  if (!program.Form().Drag().dragging) throw std::runtime_error("the EQ knob did not start a drag");
  int step = 0;
  for (auto _ : state) {
    const int dy = (step % 161) - 80;
    form.MouseMove({press.x, press.y + dy}, toolkit::kLeftButton);
    ++step;
  }
  form.MouseUp(press, toolkit::MouseButton::kLeft, {});
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_EqDragMovementChain);

// A full page switch: SelectPage with its ShowPage, between two pages.
void BM_PageSwitch(benchmark::State& state) {
  Program program;
  int step = 0;
  for (auto _ : state) {
    program.Form().SelectPage(step % 2 == 0 ? 25 : 23);
    ++step;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PageSwitch)->Unit(benchmark::kMicrosecond);

}  // namespace
