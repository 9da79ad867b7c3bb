// The about and simple mode windows as they are built, shown and clicked.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../device/MemoryRegistry.h"
#include "platform/ManualClock.h"
#include "platform/RecordingDebugOutput.h"
#include "platform/RecordingShell.h"
#include "toolkit/Application.h"
#include "toolkit/EventLoop.h"
#include "toolkit/ScriptedDialogs.h"
#include "windows/AboutForm.h"
#include "windows/SimpleModeForm.h"

namespace audio77 {
namespace {

class AuxiliaryFormsTest : public ::testing::Test {
 protected:
  AuxiliaryFormsTest() { app.SetDialogs(dialogs); }

  ManualClock clock{1000};
  toolkit::EventLoop loop{clock};
  toolkit::Application app{loop};
  toolkit::ScriptedDialogs dialogs;
  RecordingDebugOutput debug;
  RecordingShell shell;
  test::MemoryRegistry registry;
};

TEST_F(AuxiliaryFormsTest, TheWebLabelOpensOnlyWebAddressesAndSaysWhenItRefuses) {
  TAboutForm about(app, shell, debug, "1.0.0.7");
  auto* web = about.Form().Find<toolkit::Label>("WebLabel");
  ASSERT_NE(web, nullptr);

  web->SetCaption("www.audio77.example");
  web->Click();
  web->SetCaption("file:///home/user/.bashrc");
  web->Click();

  EXPECT_EQ(shell.OpenedUrls(), (std::vector<std::string>{"https://www.audio77.example"}));
  EXPECT_EQ(debug.Lines(), (std::vector<std::string>{"WebLabel: not a web address, not opened"}));
}

TEST_F(AuxiliaryFormsTest, TheAboutWindowHasItsControlsAndVersion) {
  TAboutForm about(app, shell, debug, "1.0.0.7");
  toolkit::Form& form = about.Form();
  EXPECT_EQ(form.Caption(), "About");
  EXPECT_EQ(form.ClientSize(), (toolkit::Size{479, 89}));
  ASSERT_NE(form.Find<toolkit::Image>("LOGOQKImage"), nullptr);
  EXPECT_TRUE(form.Find<toolkit::Image>("LOGOQKImage")->Stretch());
  EXPECT_TRUE(form.Find<toolkit::Label>("WebLabel")->GetFont().underline);
  EXPECT_EQ(form.Find<toolkit::Label>("VersionLabel")->Caption(), "V1.0.0.7");
  // The notice and the address wrap within the window's width: they never
  // shrink to nothing, so the address can be clicked.
  for (const char* name : {"AboutLabel", "WebLabel"}) {
    SCOPED_TRACE(name);
    auto* label = form.Find<toolkit::Label>(name);
    EXPECT_TRUE(label->WordWrap());
    EXPECT_EQ(label->Width(), 380);
    label->SetCaption("https://audio77.example.org");
    EXPECT_EQ(label->Width(), 380);
  }
}

TEST_F(AuxiliaryFormsTest, TheSimpleWindowIsBuiltWithItsVersionedCaptionAndDisabledModes) {
  TSimpleForm simple(app, TSimpleForm::Services{debug, registry, app.Boxes()}, "2.1.0.0");
  EXPECT_EQ(simple.Form().Caption(), "SimpleForm (V2.1.0.0)");
  EXPECT_EQ(TSimpleForm(app, TSimpleForm::Services{debug, registry, app.Boxes()}, "").Caption(), "SimpleForm (V)");
  const auto* modes = simple.Form().Find<toolkit::RadioGroup>("EffectModeRadioGroup");
  ASSERT_NE(modes, nullptr);
  EXPECT_EQ(modes->Items(), (std::vector<std::string>{"None", "Music", "Game", "Movie"}));
  EXPECT_EQ(modes->ItemIndex(), 0);
  EXPECT_FALSE(modes->Enabled());
  EXPECT_FALSE(simple.Form().Visible());
  EXPECT_EQ(debug.Lines().front(), "==> TSimpleForm::TSimpleForm\n");
}

TEST_F(AuxiliaryFormsTest, ShowingTheSimpleWindowReportsEachDeviceIdGroupTheRegistryCannotGive) {
  registry.writable = false;  // neither group exists nor can be made
  TSimpleForm simple(app, TSimpleForm::Services{debug, registry, app.Boxes()}, "2.1.0.0");
  simple.FormShow();
  ASSERT_EQ(dialogs.Messages().size(), 2U);
  EXPECT_EQ(dialogs.Messages()[0].text, "***** Get USB device ID from registry FAIL! *****");
  EXPECT_EQ(dialogs.Messages()[1].text, "***** Get HID device ID from registry FAIL! *****");
  EXPECT_EQ(dialogs.Messages()[0].caption, "Uninstall");
}

}  // namespace
}  // namespace audio77
