// The windows and programs around the main window, on the virtual device: the
// about window opened by its button, the tray's plug-in entries, and the
// order in which the window instance makes its windows.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/MainWindowInstance.h"
#include "platform/RecordingShell.h"
#include "support/harness/ProgramHarness.h"
#include "toolkit/Image.h"
#include "toolkit/Label.h"
#include "toolkit/MenuItem.h"
#include "toolkit/PopupMenu.h"
#include "toolkit/Timer.h"
#include "toolkit/TrayIcon.h"
#include "windows/AboutForm.h"

namespace audio77 {
namespace {

namespace fs = std::filesystem;
using test::HarnessOptions;
using test::ProgramHarness;

// What the about window showed while it was up.
struct AboutSeen {
  int showings = 0;
  std::string caption;
  std::string notice;
  std::string web;
  std::string logo;
  bool centred = false;
  toolkit::Color web_colour = 0;
  bool web_underlined = false;
};

class AboutButton : public ::testing::Test {
 protected:
  void StartWith(HarnessOptions options) {
    h = std::make_unique<ProgramHarness>(std::move(options));
    h->Start();
    about = std::make_unique<TAboutForm>(h->App(), h->GetPlatform().shell, h->GetPlatform().debug, "1.2.3.4");
    h->Form().SetAboutWindow(about.get());
    h->App().SetModalRunner([this](toolkit::Form& form) {
      ++seen.showings;
      seen.caption = form.Caption();
      seen.notice = form.Find<toolkit::Label>("AboutLabel")->Caption();
      seen.web = form.Find<toolkit::Label>("WebLabel")->Caption();
      seen.web_colour = form.Find<toolkit::Label>("WebLabel")->GetFont().color;
      seen.web_underlined = form.Find<toolkit::Label>("WebLabel")->GetFont().underline;
      const auto* logo = form.Find<toolkit::Image>("LOGOQKImage");
      seen.logo = logo->GetPicture() ? fs::path(logo->GetPicture()->Source()).filename().string() : "";
      const toolkit::Rect main = h->Form().Form().ScreenRect();
      const toolkit::Rect own = form.ScreenRect();
      seen.centred = std::abs(own.left + own.width / 2 - (main.left + main.width / 2)) <= 1 &&
                     std::abs(own.top + own.height / 2 - (main.top + main.height / 2)) <= 1;
    });
  }
  ~AboutButton() override {
    if (h) h->Form().SetAboutWindow(nullptr);
  }

  std::unique_ptr<ProgramHarness> h;
  std::unique_ptr<TAboutForm> about;
  AboutSeen seen;
};

TEST_F(AboutButton, OpensDressedByTheLanguageAndTheSkinOnceTheReleaseIsDone) {
  StartWith({});
  ASSERT_TRUE(h->Form().Session().Active());
  h->Click("Menu3Label");
  // Modal: it waits for the gesture to end.
  EXPECT_EQ(seen.showings, 0);
  h->RunPending();

  EXPECT_EQ(seen.showings, 1);
  EXPECT_EQ(seen.caption, "About");
  EXPECT_EQ(seen.notice, "Audio77 control panel");
  EXPECT_EQ(seen.web, "https://audio77.example.org");
  EXPECT_EQ(seen.logo, "logo_about.png");
  EXPECT_TRUE(seen.centred);
  // The language's common colour is for the skinned window: the address
  // stays a blue, underlined link.
  EXPECT_EQ(seen.web_colour, 0xFF0000U);
  EXPECT_TRUE(seen.web_underlined);
  EXPECT_FALSE(about->Form().Visible()) << "closed again when the modal run ended";
  EXPECT_TRUE(h->Dialogs().Messages().empty());
}

TEST_F(AboutButton, OpensNothingWithoutADevice) {
  HarnessOptions options;
  options.device_ini = "[Device]\nPresent=0\n";
  StartWith(options);
  h->Click("Menu3Label");
  h->RunPending();
  EXPECT_EQ(seen.showings, 0);
  EXPECT_TRUE(h->Dialogs().Messages().empty()) << "no warning either";
}

TEST(PluginMenuOfTheWindow, IsHiddenWithoutPlugins) {
  ProgramHarness h;
  h.Start();
  const toolkit::MenuItem* plugins = h.Form().TrayMenu().Find("ModeMenu");
  ASSERT_NE(plugins, nullptr);
  EXPECT_FALSE(plugins->Visible());
  EXPECT_TRUE(plugins->Items().empty());
  EXPECT_EQ(h.Form().State().plugin_count, 0);
}

TEST(PluginMenuOfTheWindow, StartsThePickedPluginHidesTheWindowAndClearsItsMarkWhenItEnds) {
  HarnessOptions options;
  options.config = {{"Application", "Echo", "1"}, {"Application", "Rock & Roll", "1"}, {"Application", "Off", "0"}};
  ProgramHarness h(options);
  for (const char* name : {"Echo", "Rock & Roll", "Off"}) fs::create_directories(h.ProgramFolder() / "Plugins" / name);
  h.Start();
  toolkit::MenuItem& plugins = *h.Form().TrayMenu().Find("ModeMenu");
  auto& shell = dynamic_cast<RecordingShell&>(h.GetPlatform().shell);
  auto marks = [&plugins] {
    std::vector<bool> marks;
    for (const auto& item : plugins.Items()) marks.push_back(item->Checked());
    return marks;
  };
  ASSERT_TRUE(plugins.Visible());
  ASSERT_EQ(plugins.Items().size(), 2U);
  EXPECT_EQ(plugins.Items()[1]->PlainCaption(), "Rock & Roll");
  EXPECT_EQ(h.Form().State().plugin_count, 2);
  toolkit::Form& window = h.Form().Form();
  h.Form().AutomationTray()->SetVisible(true);
  window.Show();

  plugins.Items()[1]->Click();
  const std::string program = (h.ProgramFolder() / "Plugins" / "Rock & Roll" / "Rock & Roll").string();
  ASSERT_EQ(shell.StartedPrograms().size(), 1U);
  EXPECT_EQ(shell.StartedPrograms()[0].program, program);
  EXPECT_EQ(shell.StartedPrograms()[0].arguments, (std::vector<std::string>{program}));
  EXPECT_EQ(marks(), (std::vector<bool>{false, true}));
  EXPECT_FALSE(window.Visible());
  // While it runs the tray keeps the window away.
  h.Form().TrayIconRestore();
  EXPECT_FALSE(window.Visible());

  // Its farewell clears the mark...
  h.Form().OnSessionMessage(h.Form().Messages().exit_resume);
  EXPECT_EQ(marks(), (std::vector<bool>{false, false}));
  // ...and so does an end without one.
  plugins.Items()[0]->Click();
  EXPECT_EQ(marks(), (std::vector<bool>{true, false}));
  shell.End(1);
  EXPECT_EQ(marks(), (std::vector<bool>{false, false}));
  h.Form().TrayIconRestore();
  EXPECT_TRUE(window.Visible());
}

TEST(WindowInstanceWindows, TheSimpleWindowIsMadeLastAndStaysHidden) {
  ProgramHarness h;
  MainWindowInstance instance({h.GetPlatform(), h.App(), "audio77 -servicestart"});
  std::vector<std::string> names;
  bool simple_visible = true;
  std::string simple_caption;
  toolkit::Timer check(h.App().Loop(), "Check", 50, true);
  check.OnTimer = [&](toolkit::Timer& timer) {
    timer.SetEnabled(false);
    for (const toolkit::Form* form : h.App().Forms()) names.push_back(form->Name());
    for (toolkit::Form* form : h.App().Forms()) {
      if (form->Name() != "SimpleForm") continue;
      simple_visible = form->Visible();
      simple_caption = form->Caption();
    }
    instance.Close();
  };
  instance.Run();
  EXPECT_EQ(names, (std::vector<std::string>{"AudioMainForm", "AboutForm", "LEDForm", "SimpleForm"}));
  EXPECT_FALSE(simple_visible);
  EXPECT_EQ(simple_caption.rfind("SimpleForm (V", 0), 0U) << simple_caption;
  EXPECT_EQ(simple_caption.back(), ')');
}

}  // namespace
}  // namespace audio77
