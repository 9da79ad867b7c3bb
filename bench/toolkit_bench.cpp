// Model operations of the window toolkit (moving an image, applying a skin
// entry, hit testing) on a form of 300 controls, and the offscreen paint time of
// the demo form.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>
#include <string>

#include "platform/ManualClock.h"
#include "toolkit/Application.h"
#include "toolkit/EventLoop.h"
#include "toolkit/Form.h"
#include "toolkit/FormView.h"
#include "toolkit/qt/DemoForm.h"
#include "toolkit/qt/FormWidget.h"
#include "toolkit/qt/QtToolkit.h"

namespace {

using namespace audio77::toolkit;

// Collects repaint requests the way a window would, without painting.
class CountingView : public FormView {
 public:
  void Invalidate(const Rect& r) override { dirty = dirty.United(r), ++rects; }
  void ControlStateChanged(Control&) override {}
  void FormChanged() override {}
  void StartSystemMove() override {}
  void RunModal() override {}
  Rect dirty;
  long rects = 0;
};

struct BigForm {
  audio77::ManualClock clock;
  EventLoop loop{clock};
  Application app{loop};
  Form form{app, "MainForm"};
  CountingView view;
  PicturePtr picture = Picture::Filled({24, 24}, 0xFF808080);

  BigForm() {
    form.SetClientSize({960, 540});
    for (int i = 0; i < 300; ++i) {
      Image& image = form.AddImage("Image" + std::to_string(i), i);
      image.SetBounds({(i * 37) % 930, (i * 53) % 510, 24, 24});
      image.SetPicture(picture);
    }
    form.SetView(&view);
  }
  ~BigForm() { form.SetView(nullptr); }
};

void BM_MoveImage(benchmark::State& state) {
  BigForm big;
  Image& knob = *big.form.FindImageByTag(150);
  int top = 0;
  for (auto _ : state) {
    knob.SetTop(top);
    top = (top + 1) % 500;
  }
  state.SetItemsProcessed(state.iterations());
  state.counters["rects_per_move"] = benchmark::Counter(static_cast<double>(big.view.rects) /
                                                        static_cast<double>(state.iterations()));
}
BENCHMARK(BM_MoveImage);

// What applying one skin entry does: picture, bounds, visibility.
void BM_ShowEntry(benchmark::State& state) {
  BigForm big;
  Image& image = *big.form.FindImageByTag(42);
  const PicturePtr up = Picture::Filled({40, 20}, 0xFF0000FF);
  const PicturePtr down = Picture::Filled({40, 20}, 0xFFFF0000);
  bool pressed = false;
  for (auto _ : state) {
    image.SetPicture(pressed ? down : up);
    image.SetBounds({100, pressed ? 60 : 61, 40, 20});
    image.SetVisible(true);
    pressed = !pressed;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ShowEntry);

void BM_HitTest(benchmark::State& state) {
  BigForm big;
  int x = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(big.form.ControlAt({x, (x * 7) % 540}));
    x = (x + 13) % 960;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_HitTest);

QApplication& Qt() {
  static int argc = 1;
  static char name[] = "toolkit_bench";
  static char* argv[] = {name, nullptr};
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

void BM_PaintDemoOffscreen(benchmark::State& state) {
  Qt();
  audio77::ManualClock clock;
  EventLoop loop(clock);
  Application app(loop);
  qt::QtToolkit toolkit(app);
  Form form(app, "DemoForm");
  qt::DemoForm demo(form);
  qt::FormWidget widget(form);
  for (auto _ : state) benchmark::DoNotOptimize(widget.RenderToImage());
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PaintDemoOffscreen)->Unit(benchmark::kMillisecond);

}  // namespace
