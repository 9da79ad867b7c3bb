#include "windows/PluginMenu.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "platform/InProcessFileGuard.h"
#include "platform/ManualClock.h"
#include "platform/RecordingDebugOutput.h"
#include "platform/RecordingShell.h"
#include "support/TempDir.h"
#include "toolkit/Application.h"
#include "toolkit/EventLoop.h"
#include "toolkit/Form.h"
#include "toolkit/ScriptedDialogs.h"

namespace audio77 {
namespace {

namespace fs = std::filesystem;

// Broadcasts in the order they were sent, by name; this program's own
// handler hears them at once, as on the session bus.
class RecordingBus final : public MessageBus {
 public:
  std::uint32_t Register(const std::string& name) override {
    auto [it, added] = numbers_.try_emplace(name, static_cast<std::uint32_t>(numbers_.size() + 1));
    if (added) names_[it->second] = name;
    return it->second;
  }
  void Broadcast(std::uint32_t message) override {
    sent.push_back(names_[message]);
    if (handler_) handler_(message);
  }
  void SetHandler(std::function<void(std::uint32_t)> handler) override { handler_ = std::move(handler); }

  std::vector<std::string> sent;

 private:
  std::map<std::string, std::uint32_t> numbers_;
  std::map<std::uint32_t, std::string> names_;
  std::function<void(std::uint32_t)> handler_;
};

class PluginMenuTest : public ::testing::Test {
 protected:
  PluginMenuTest() {
    app.SetDialogs(dialogs);
    root = (dir.path() / "Plugins").string() + "/";
    config = (dir.path() / "AudioConfig.cfg").string();
  }

  void AddPlugin(const std::string& name, const std::string& application) {
    fs::create_directories(fs::path(root) / name);
    if (!application.empty()) WriteIniValue(profiles, config, "Application", name.substr(0, 31), application);
  }

  PluginMenu& Menu() {
    if (!menu_) {
      menu_ = std::make_unique<PluginMenu>(
          PluginMenu::Services{bus, clock, debug, shell, app.Boxes(), profiles},
          PluginMenu::Places{root, folder_name, config, "Audio77"},
          PluginMenu::WindowHooks{[this] { ++pumps; }, [this] { ++hides; }});
    }
    return *menu_;
  }

  std::vector<std::string> Captions() const {
    std::vector<std::string> captions;
    for (const auto& item : mode_menu.Items()) captions.push_back(item->PlainCaption());
    return captions;
  }

  std::vector<bool> Marks() const {
    std::vector<bool> marks;
    for (const auto& item : mode_menu.Items()) marks.push_back(item->Checked());
    return marks;
  }

  test::TempDir dir;
  std::string root;
  std::string config;
  ManualClock clock{1000};
  toolkit::EventLoop loop{clock};
  toolkit::Application app{loop};
  toolkit::ScriptedDialogs dialogs;
  toolkit::Form form{app, "AudioMainForm"};
  toolkit::DirectoryList& list = form.AddDirectoryList("DirectoryListBox");
  toolkit::MenuItem mode_menu{"ModeMenu", "Plugin", nullptr};
  InProcessFileGuard files;
  PrivateProfile profiles{files};
  RecordingBus bus;
  RecordingDebugOutput debug;
  RecordingShell shell;
  int pumps = 0;
  int hides = 0;
  std::string folder_name = "Plugins";

  // The window goes away with its menu.
  void DropMenu() { menu_.reset(); }

 private:
  std::unique_ptr<PluginMenu> menu_;
};

TEST_F(PluginMenuTest, ListsTheFoldersTheConfigurationSwitchesOn) {
  AddPlugin("Echo", "1");
  AddPlugin("Off", "0");
  AddPlugin("Unlisted", "");
  AddPlugin("Word", "yes");
  AddPlugin("Rock & Roll", "2");
  const std::string long_name(40, 'L');
  AddPlugin(long_name, "1");
  std::ofstream(fs::path(root) / "NotAFolder") << "x";

  EXPECT_EQ(Menu().Build(list, mode_menu), 3);
  EXPECT_EQ(Menu().Count(), 3);
  // The key of a long name is its first 31 characters; "&" shows literally.
  EXPECT_EQ(Captions(), (std::vector<std::string>{"Echo", long_name, "Rock & Roll"}));
  for (const auto& item : mode_menu.Items()) {
    EXPECT_TRUE(item->AutoCheck());
    EXPECT_TRUE(item->RadioItem());
  }
}

TEST_F(PluginMenuTest, AMissingOrEmptyFolderListsNothing) {
  EXPECT_EQ(Menu().Build(list, mode_menu), 0);
  fs::create_directories(root);
  EXPECT_EQ(Menu().Build(list, mode_menu), 0);
  EXPECT_TRUE(mode_menu.Items().empty());
}

TEST_F(PluginMenuTest, WithoutAFolderNameNoFolderOfTheProgramIsTakenForAPlugin) {
  // The plug-ins root is then the program folder itself.
  root = dir.path().string() + "/";
  folder_name.clear();
  AddPlugin("Skins", "1");
  EXPECT_EQ(Menu().Build(list, mode_menu), 0);
  EXPECT_TRUE(mode_menu.Items().empty());
}

TEST_F(PluginMenuTest, AStartAsksTheRunningOneToEndThreeTimesThenStartsTheProgramWithoutAShell) {
  AddPlugin("Rock & Roll", "1");
  Menu().Build(list, mode_menu);
  bus.SetHandler([this](std::uint32_t message) {
    if (message == bus.Register("WM_APP_EXIT_RESUME")) Menu().ClearMarks();
  });
  debug.Clear();

  mode_menu.Items()[0]->Click();

  EXPECT_EQ(bus.sent, (std::vector<std::string>{"WM_AUDIO_EFFECT_EXIT", "WM_APP_EXIT_RESUME", "WM_AUDIO_EFFECT_EXIT",
                                                "WM_AUDIO_EFFECT_EXIT"}));
  EXPECT_EQ(clock.Sleeps(), (std::vector<std::uint32_t>{300, 300, 300}));
  EXPECT_EQ(pumps, 3);
  const std::string program = root + "Rock & Roll/Rock & Roll";
  EXPECT_EQ(debug.Lines(),
            (std::vector<std::string>{"WM_APP_EXIT_RESUME", "WM_APP_EXIT_EFFECT", "WM_APP_EXIT_EFFECT", program}));
  ASSERT_EQ(shell.StartedPrograms().size(), 1U);
  EXPECT_EQ(shell.StartedPrograms()[0].program, program);
  EXPECT_EQ(shell.StartedPrograms()[0].arguments, (std::vector<std::string>{program}));
  EXPECT_EQ(Marks(), (std::vector<bool>{true}));
  EXPECT_EQ(hides, 1);
}

TEST_F(PluginMenuTest, APluginThatEndsClearsItsMarkButNotTheMarkOfTheOneThatReplacedIt) {
  AddPlugin("A", "1");
  AddPlugin("B", "1");
  Menu().Build(list, mode_menu);

  mode_menu.Items()[0]->Click();
  mode_menu.Items()[1]->Click();
  EXPECT_EQ(Marks(), (std::vector<bool>{false, true}));

  shell.End(0);  // the replaced one goes late
  EXPECT_EQ(Marks(), (std::vector<bool>{false, true}));
  shell.End(1);  // the current one is killed without a farewell
  EXPECT_EQ(Marks(), (std::vector<bool>{false, false}));
}

TEST_F(PluginMenuTest, APluginThatEndsAfterTheWindowIsGoneTellsNobody) {
  AddPlugin("A", "1");
  Menu().Build(list, mode_menu);
  mode_menu.Items()[0]->Click();
  ASSERT_EQ(shell.StartedPrograms().size(), 1U);

  DropMenu();
  shell.End(0);  // with the sanitizers on, a dangling menu would be caught here

  EXPECT_EQ(Marks(), (std::vector<bool>{true}));
}

TEST_F(PluginMenuTest, AProgramThatCannotStartIsReportedAndLeavesNoMark) {
  AddPlugin("Broken", "1");
  Menu().Build(list, mode_menu);
  shell.SetStartFails(true);

  mode_menu.Items()[0]->Click();

  EXPECT_EQ(Marks(), (std::vector<bool>{false}));
  EXPECT_EQ(hides, 0);
  ASSERT_EQ(dialogs.Messages().size(), 1U);
  EXPECT_NE(dialogs.Messages()[0].text.find("Broken"), std::string::npos);
  EXPECT_EQ(dialogs.Messages()[0].caption, "Audio77");
}

TEST(PluginMenuPaths, TheProgramLiesInTheFolderOfItsName) {
  EXPECT_EQ(PluginMenu::ProgramPath("/opt/audio77/Plugins/", "Echo"), "/opt/audio77/Plugins/Echo/Echo");
  EXPECT_EQ(PluginMenu::NameFromPath("/opt/audio77/Plugins/Echo", "Plugins"), "Echo");
  EXPECT_EQ(PluginMenu::NameFromPath("/opt/audio77/Other/Echo", "Plugins"), "");
  // A program folder that itself lies under a folder of that name.
  EXPECT_EQ(PluginMenu::NameFromPath("/home/me/Plugins/audio77/Plugins/Echo", "Plugins"), "Echo");
}

}  // namespace
}  // namespace audio77
