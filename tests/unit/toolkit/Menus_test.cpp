#include <string>
#include <vector>

#include "ToolkitFixture.h"
#include "toolkit/MenuItem.h"
#include "toolkit/MenuPresenter.h"
#include "toolkit/ScriptedDialogs.h"

namespace audio77::toolkit::test {
namespace {

TEST(MenuItem, PlainCaptionDropsHotKeyMarkers) {
  struct Case {
    const char* caption;
    const char* plain;
  };
  const Case cases[] = {{"&Close", "Close"},
                        {"Rock && Roll", "Rock & Roll"},
                        {"a&&&b", "a&b"},
                        {"trailing&", "trailing"},
                        {"", ""},
                        {"&&&&", "&&"}};
  for (const Case& c : cases) {
    MenuItem item("Item", c.caption, nullptr);
    EXPECT_EQ(item.PlainCaption(), c.plain) << c.caption;
  }
}

TEST(MenuItem, AutoCheckRadioItemsKeepOneMarkPerGroup) {
  MenuItem root("PopupMenu", "", nullptr);
  MenuItem& skins = root.Add("SkinMenu", "Skin");
  MenuItem& blue = skins.Add("Blue", "&Blue");
  MenuItem& red = skins.Add("Red", "&Red");
  MenuItem& toggle = skins.Add("Toggle", "Toggle");
  for (MenuItem* item : {&blue, &red}) {
    item->SetAutoCheck(true);
    item->SetRadioItem(true);
  }
  toggle.SetAutoCheck(true);
  std::vector<std::string> clicked;
  for (MenuItem* item : {&blue, &red, &toggle})
    item->OnClick = [&](MenuItem& m) { clicked.push_back(m.Name()); };

  blue.Click();
  red.Click();
  red.Click();  // a radio item stays checked
  toggle.Click();
  toggle.Click();
  EXPECT_FALSE(blue.Checked());
  EXPECT_TRUE(red.Checked());
  EXPECT_FALSE(toggle.Checked());
  EXPECT_EQ(clicked, (std::vector<std::string>{"Blue", "Red", "Red", "Toggle", "Toggle"}));

  red.SetEnabled(false);
  blue.Click();
  red.Click();
  EXPECT_TRUE(blue.Checked());
  EXPECT_EQ(clicked.size(), 6u) << "a disabled item does not click";
  EXPECT_EQ(root.Find("Red"), &red);
}

class RecordingPresenter : public MenuPresenter {
 public:
  void Popup(PopupMenu& menu, Point screen) override {
    shown.push_back(menu.Name());
    at = screen;
    if (choose) menu.Find(*choose)->Click();
  }
  std::vector<std::string> shown;
  Point at;
  std::optional<std::string> choose;
};

class TrayTest : public ToolkitTest {};

TEST_F(TrayTest, DoubleClickRestoresAndRightReleaseOpensTheMenu) {
  Form main(app, "AudioMainForm");
  TrayIcon& tray = main.AddTrayIcon();
  PopupMenu& menu = main.AddPopupMenu("PopupMenu");
  MenuItem& close = menu.Add("CloseMenu", "Close");
  int closes = 0;
  close.OnClick = [&](MenuItem&) { ++closes; };
  tray.SetMenu(&menu);
  RecordingPresenter presenter;
  presenter.choose = "CloseMenu";
  app.SetMenuPresenter(&presenter);

  main.Minimize();
  int restores = 0;
  tray.OnRestore = [&](TrayIcon&) {
    ++restores;
    EXPECT_TRUE(main.Visible());
  };
  tray.DoubleClick();
  EXPECT_EQ(restores, 1);
  EXPECT_EQ(main.State(), WindowState::kNormal);

  tray.RightButtonUp({1800, 1050});
  EXPECT_EQ(presenter.shown, (std::vector<std::string>{"PopupMenu"}));
  EXPECT_EQ(presenter.at, (Point{1800, 1050}));
  EXPECT_EQ(menu.Popups(), 1);
  EXPECT_EQ(closes, 1);

  tray.SetRestoreOnDoubleClick(false);
  main.Hide();
  tray.DoubleClick();
  EXPECT_FALSE(main.Visible());
  app.SetMenuPresenter(nullptr);
}

TEST_F(TrayTest, ListenerFollowsHintPictureAndVisibility) {
  Form main(app, "AudioMainForm");
  TrayIcon& tray = main.AddTrayIcon();
  int changes = 0;
  tray.SetChangeListener([&] { ++changes; });
  tray.SetHint("Audio77");
  tray.SetHint("Audio77");
  tray.SetPicture(Picture::Filled({16, 16}, 0xFFFF0000));
  tray.SetVisible(false);
  EXPECT_EQ(changes, 3);
}

TEST(ScriptedDialogs, AnswersInOrderAndRecordsWhatWasShown) {
  ScriptedDialogs dialogs;
  dialogs.QueueMessageAnswer(MessageAnswer::kYes);
  dialogs.QueueColor(0x00F0CAA6u);
  dialogs.QueueColor(std::nullopt);
  dialogs.QueueSaveFile("/home/u/profile.ini");
  const MessageRequest warning{"No device", "Audio77", MessageIcon::kWarning,
                               MessageButtons::kYesNo};
  EXPECT_EQ(dialogs.ShowMessage(warning), MessageAnswer::kYes);
  EXPECT_EQ(dialogs.ShowMessage(warning), MessageAnswer::kNo) << "unscripted: dismissed";
  EXPECT_EQ(dialogs.ChooseColor({0x0000FF}), std::optional<Color>(0x00F0CAA6u));
  EXPECT_EQ(dialogs.ChooseColor({0x0000FF}), std::nullopt);
  const FileRequest save{"Save", "/home/u", "LastProfile", "Profile (*.ini)|*.ini", "ini"};
  EXPECT_EQ(dialogs.SaveFile(save), std::optional<std::string>("/home/u/profile.ini"));
  EXPECT_EQ(dialogs.OpenFile(save), std::nullopt);
  EXPECT_EQ(dialogs.Messages(), (std::vector<MessageRequest>{warning, warning}));
  EXPECT_EQ(dialogs.SaveRequests(), (std::vector<FileRequest>{save}));
  EXPECT_EQ(dialogs.ColorRequests().size(), 2u);
  EXPECT_EQ(dialogs.Unscripted(), 2);
  EXPECT_EQ(dialogs.Unused(), 0u);
}

TEST(DismissAnswer, IsTheCancellingButtonOfEachSet) {
  EXPECT_EQ(DismissAnswer(MessageButtons::kOk), MessageAnswer::kOk);
  EXPECT_EQ(DismissAnswer(MessageButtons::kOkCancel), MessageAnswer::kCancel);
  EXPECT_EQ(DismissAnswer(MessageButtons::kYesNo), MessageAnswer::kNo);
  EXPECT_EQ(DismissAnswer(MessageButtons::kAbortRetryIgnore), MessageAnswer::kAbort);
}

}  // namespace
}  // namespace audio77::toolkit::test
