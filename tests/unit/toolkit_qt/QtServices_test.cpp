#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <algorithm>
#include <atomic>
#include <thread>

#include "QtTestApp.h"
#include "platform/SteadyClock.h"
#include "support/TempDir.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/TrayIcon.h"
#include "toolkit/EventLoop.h"
#include "toolkit/PictureError.h"
#include "toolkit/PopupMenu.h"
#include "toolkit/Timer.h"
#include "toolkit/qt/QtDialogs.h"
#include "toolkit/qt/QtEventLoopBridge.h"
#include "toolkit/qt/QtMenuPresenter.h"
#include "toolkit/qt/QtPictureLoader.h"
#include "toolkit/qt/QtToolkit.h"

namespace audio77::toolkit::qt::test {
namespace {

std::string Fixture(const char* name) {
  return audio77::test::FixturePath(std::string("toolkit/") + name).string();
}

TEST(QtPictureLoader, DecodesPngAndBitmapPixels) {
  TestApp();
  QtPictureLoader loader;
  const PicturePtr png = loader.Load(Fixture("bar_6x4.png"));
  EXPECT_EQ(png->GetSize(), (Size{6, 4}));
  EXPECT_EQ(png->PixelAt(0, 0), 0xFFFF0000u);
  EXPECT_EQ(png->PixelAt(5, 3), 0xFF0000FFu);
  EXPECT_EQ(loader.Load(Fixture("green_5x3.bmp"))->PixelAt(4, 2), 0xFF00FF00u);
  const PicturePtr top_down = loader.Load(Fixture("topdown_2x7.bmp"));
  EXPECT_EQ(top_down->PixelAt(1, 0), 0xFFFFFFFFu);
  EXPECT_EQ(top_down->PixelAt(1, 6), 0xFF000000u);
}

TEST(QtPictureLoader, MissingAndUnreadableFilesRaiseTheirErrors) {
  TestApp();
  QtPictureLoader loader;
  for (const char* name : {"no_such.png", "not_a_picture.png", "truncated.png"}) {
    EXPECT_THROW(loader.Load(Fixture(name)), PictureError) << name;
  }
  audio77::test::TempDir dir;
  std::filesystem::create_directories(dir.path() / "folder.png");
  EXPECT_THROW(loader.Load(dir.File("folder.png")), PictureError);
}

TEST(QtPictureLoader, APictureLargerThanTheDecoderHoldsSaysSo) {
  TestApp();
  // A bitmap header for 16000 x 16000 pixels: 1 GB decoded.
  std::string bmp = "BM";
  const auto put32 = [&bmp](std::uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8) bmp += static_cast<char>((v >> shift) & 0xFF);
  };
  put32(54 + 16);
  put32(0);
  put32(54);
  put32(40);
  put32(16000);
  put32(16000);
  bmp += std::string("\x01\x00\x18\x00", 4);
  bmp.append(54 + 16 - bmp.size(), '\0');
  audio77::test::TempDir dir;
  try {
    QtPictureLoader().Load(dir.Write("huge.bmp", bmp));
    ADD_FAILURE() << "loaded";
  } catch (const PictureError& e) {
    EXPECT_NE(std::string(e.what()).find("too large (16000 x 16000 pixels"), std::string::npos) << e.what();
  }
}

TEST(QtDialogs, FilterBecomesQtNameFilters) {
  struct Case {
    const char* filter;
    QStringList expected;
  };
  const Case cases[] = {
      {"Profile (*.ini)|*.ini", {"Profile (*.ini) (*.ini)"}},
      {"Profiles|*.ini;*.cfg|All files|*.*", {"Profiles (*.ini *.cfg)", "All files (*.*)"}},
      {"Dangling description", {}},
      {"Empty patterns||All|*", {"All (*)"}},
      {"", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(QtDialogs::NameFilters(c.filter), c.expected) << c.filter;
}

TEST(QtMenuPresenter, BuildsTheVisibleItemsWithTheirMarks) {
  TestApp();
  SteadyClock clock;
  EventLoop loop(clock);
  Application app(loop);
  PopupMenu popup(app, "PopupMenu");
  MenuItem& languages = popup.Add("LanguageMenu", "&Language");
  MenuItem& english = languages.Add("English", "English");
  MenuItem& german = languages.Add("German", "German");
  for (MenuItem* item : {&english, &german}) {
    item->SetAutoCheck(true);
    item->SetRadioItem(true);
  }
  german.SetChecked(true);
  popup.Add("ModeMenu", "Plugin").SetVisible(false);
  MenuItem& close = popup.Add("CloseMenu", "Close");
  int closes = 0;
  close.OnClick = [&](MenuItem&) { ++closes; };

  QMenu menu;
  QHash<QAction*, MenuItem*> actions;
  QtMenuPresenter::Build(popup.Root(), menu, actions);
  const QList<QAction*> top = menu.actions();
  ASSERT_EQ(top.size(), 2) << "the hidden plug-in menu is left out";
  EXPECT_EQ(top[0]->text(), QString("&Language"));
  ASSERT_NE(top[0]->menu(), nullptr);
  const QList<QAction*> sub = top[0]->menu()->actions();
  ASSERT_EQ(sub.size(), 2);
  EXPECT_TRUE(sub[0]->isCheckable());
  EXPECT_FALSE(sub[0]->isChecked());
  EXPECT_TRUE(sub[1]->isChecked());
  EXPECT_FALSE(top[1]->isCheckable());
  actions.value(top[1])->Click();
  EXPECT_EQ(closes, 1);
}

// Device reports are posted from threads of their own; Qt's loop runs them,
// and timers run on Qt's loop too.
TEST(QtEventLoopBridge, RunsPostedWorkAndTimersOnQtsLoop) {
  TestApp();
  SteadyClock clock;
  EventLoop loop(clock);
  QtEventLoopBridge bridge(loop);
  std::atomic<int> posted{0};
  std::thread worker([&] {
    for (int i = 0; i < 100; ++i) loop.Post([&] { posted.fetch_add(1); });
  });
  worker.join();
  Timer timer(loop, "BeeTimer", 1, true);
  timer.OnTimer = [](Timer& t) {
    if (t.Ticks() >= 3) t.SetEnabled(false);
  };
  QElapsedTimer waited;
  waited.start();
  while ((posted.load() < 100 || timer.Ticks() < 3) && waited.elapsed() < 10000) {
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
  }
  EXPECT_EQ(posted.load(), 100);
  EXPECT_EQ(timer.Ticks(), 3u);
}

// The program's loop is Qt's: Run returns when the model's loop is asked to
// quit, from its own work or from another thread; forms and the tray icon
// come on screen through the application's presenter.
TEST(QtToolkit, RunsTheProgramsLoopOnQtsAndPresentsForms) {
  TestApp();
  SteadyClock clock;
  EventLoop loop(clock);
  Application app(loop);
  {
    QtToolkit toolkit(app);
    ASSERT_NE(app.GetPresenter(), nullptr);
    Form form(app, "MainForm");
    TrayIcon& tray = form.AddTrayIcon();
    const auto window = app.GetPresenter()->PresentForm(form);
    const auto icon = app.GetPresenter()->PresentTray(tray);
    ASSERT_NE(window, nullptr);
    ASSERT_NE(icon, nullptr);
    form.Show();
    const QWidgetList windows = QApplication::topLevelWidgets();
    EXPECT_EQ(std::count_if(windows.begin(), windows.end(), [](const QWidget* w) { return w->isVisible(); }), 1);

    Timer timer(loop, "Timer", 5, true);
    std::thread quitter;
    timer.OnTimer = [&](Timer& t) {
      if (t.Ticks() < 2) return;
      t.SetEnabled(false);
      quitter = std::thread([&] { loop.Quit(); });
    };
    QElapsedTimer waited;
    waited.start();
    loop.Run();
    quitter.join();
    EXPECT_EQ(timer.Ticks(), 2u);
    EXPECT_LT(waited.elapsed(), 10000);
  }
  EXPECT_EQ(app.GetPresenter(), nullptr) << "headless again once the toolkit is gone";
}

}  // namespace
}  // namespace audio77::toolkit::qt::test
