// A skin change on the main window: the bundled dark and light skins loaded
// and applied in turn through the skin menu, with pictures decoded by Qt and
// kept by the picture cache (path, size and time), and once with a cold cache.

#include <benchmark/benchmark.h>

#include <string>

#include "app/MainFormResource.h"
#include "platform/ManualClock.h"
#include "toolkit/Application.h"
#include "toolkit/EventLoop.h"
#include "toolkit/Form.h"
#include "toolkit/qt/QtPictureLoader.h"
#include "ui/Skin.h"

namespace {

using namespace audio77;

struct Host : ui::SkinHost {
  ui::SkinViewState ViewState() const override { return {}; }
  std::int32_t RegionCut() const override { return 1; }
  void SkinChanged() override {}
  std::string CurrentLanguage() const override { return {}; }
};

struct MainWindow {
  ManualClock clock;
  toolkit::EventLoop loop{clock};
  toolkit::Application app{loop};
  toolkit::qt::QtPictureLoader loader;
  toolkit::Form form{app, "AudioMainForm"};
  Host host;
  ui::Skin skin{form, host, std::string(AUDIO77_DIST_DIR) + "/Skins/", false, nullptr};
  toolkit::MenuItem menu{"SkinMenu", "Skin", nullptr};

  MainWindow() {
    app.SetPictureLoader(loader);
    BuildControls(form);
    skin.SetName("Dark");
    skin.ChooseResolutionFolder(1920, 1080);
    skin.BuildSkinMenu(*form.Find<toolkit::DirectoryList>("DirectoryListBox"), menu);
    skin.LoadSkinSettings("Dark");
    skin.ApplySkin();
  }
};

void BM_SkinChange(benchmark::State& state) {
  MainWindow window;
  if (window.menu.Items().size() < 2) {
    state.SkipWithError("the bundled skins are missing");
    return;
  }
  std::size_t next = 0;
  for (auto _ : state) {
    window.menu.Items()[next]->Click();
    next = 1 - next;
  }
  state.counters["pictures"] = static_cast<double>(window.app.Pictures().Entries());
}
BENCHMARK(BM_SkinChange)->Unit(benchmark::kMillisecond);

void BM_SkinChangeColdCache(benchmark::State& state) {
  MainWindow window;
  if (window.menu.Items().size() < 2) {
    state.SkipWithError("the bundled skins are missing");
    return;
  }
  std::size_t next = 0;
  for (auto _ : state) {
    window.app.Pictures().Clear();
    window.menu.Items()[next]->Click();
    next = 1 - next;
  }
}
BENCHMARK(BM_SkinChangeColdCache)->Unit(benchmark::kMillisecond);

}  // namespace
