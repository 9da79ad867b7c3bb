// The windows around the main window in the real program: the about window
// opened by its button, its web label handing addresses to a stand-in URL
// opener, the example plug-in started and ended from the tray menu, and the
// simple mode window that is made but never shown. Each scenario has a
// session bus of its own, so that plug-in broadcasts stay inside it.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include <sys/types.h>

#include "WindowScenario.h"
#include "support/PrivateBus.h"

namespace audio77::test {
namespace {

namespace fs = std::filesystem;
using std::chrono::seconds;

constexpr const char* kPlugin = "audio77-plugin-example";

std::string ReadAll(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) ++count;
  return count;
}

class AuxiliaryWindows : public WindowScenario {
 protected:
  void SetUp() override {
    ASSERT_FALSE(bus_.Address().empty());
    extra_env_["DBUS_SESSION_BUS_ADDRESS"] = bus_.Address();
    // The desktop's URL opener is a stand-in that writes down its arguments.
    fs::create_directories(opener_bin_.path());
    const fs::path opener = opener_bin_.path() / "xdg-open";
    std::ofstream(opener) << "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done >> '"
                          << Opened().string() << "'\n";
    fs::permissions(opener, fs::perms::owner_all);
    const char* path = std::getenv("PATH");
    extra_env_["PATH"] = opener_bin_.path().string() + ":" + (path != nullptr ? path : "/usr/bin:/bin");
    extra_env_["AUDIO77_DEBUG"] = "1";
  }
  void TearDown() override {
    if (program_ && program_->Running()) Close();
  }

  fs::path Opened() const { return opener_bin_.path() / "opened.txt"; }
  std::string OpenedUrls() const { return fs::exists(Opened()) ? ReadAll(Opened()) : std::string(); }

  std::string About(const std::vector<std::string>& command) const {
    std::vector<std::string> args{"window", "AboutForm"};
    args.insert(args.end(), command.begin(), command.end());
    return Ui(args).out;
  }
  void PressAbout() const {
    Do({"press", "Menu3Label"});
    Do({"release", "Menu3Label"});
  }
  bool AboutShown() const { return WaitForUi({"window", "AboutForm", "state"}, "visible=1"); }
  void CloseAbout() const {
    Do({"window", "AboutForm", "close"});
    EXPECT_TRUE(WaitForUi({"window", "AboutForm", "state"}, "visible=0"));
  }

  // Every language file of the program folder says this for the web label.
  void SetWebText(const std::string& text) {
    for (const auto& entry : fs::recursive_directory_iterator(ProgramFolder() / "Languages")) {
      if (entry.path().filename() != "Language.ini") continue;
      const std::string changed =
          std::regex_replace(ReadAll(entry.path()), std::regex("\nLabelWeb=[^\r\n]*"), "\nLabelWeb=" + text);
      std::ofstream(entry.path(), std::ios::binary | std::ios::trunc) << changed;
    }
  }

  // The tray path of the example plug-in's entry and whether it is marked.
  std::string PluginEntry() const {
    for (const auto& line : LinesOf(Ui({"menus"}).out)) {
      if (line.find(kPlugin) == std::string::npos) continue;
      const std::string path = line.substr(4);
      return path.substr(0, path.find('\t'));
    }
    return {};
  }
  bool PluginMarked(bool marked) const {
    return WaitUntil(
        [&] {
          for (const auto& line : LinesOf(Ui({"menus"}).out)) {
            if (line.find(kPlugin) != std::string::npos) return line.rfind(marked ? "[x]" : "[ ]", 0) == 0;
          }
          return false;
        },
        kPatience);
  }
  // The running plug-in started from this scenario's program folder.
  std::vector<pid_t> PluginProcesses() const {
    const fs::path program = fs::canonical(ProgramFolder() / "Plugins" / kPlugin / kPlugin);
    std::vector<pid_t> found;
    for (const auto& entry : fs::directory_iterator("/proc")) {
      const std::string name = entry.path().filename().string();
      if (name.find_first_not_of("0123456789") != std::string::npos) continue;
      std::error_code error;
      const fs::path exe = fs::read_symlink(entry.path() / "exe", error);
      if (!error && exe == program) found.push_back(static_cast<pid_t>(std::stoi(name)));
    }
    return found;
  }
  bool ProgramErrSays(const std::string& part, std::size_t times) const {
    return WaitUntil([&] { return Count(program_->Err(), part) >= times; }, kPatience);
  }

  PrivateBus bus_;
  TempDir opener_bin_;
};

TEST_F(AuxiliaryWindows, TheAboutWindowOpensOnlyWithADeviceDressedInTheLanguageShown) {
  Start({"[Device]\nPresent=0\n", {}});
  PressAbout();
  // Nothing opens without a device, and no warning is shown.
  EXPECT_FALSE(WaitUntil([&] { return About({"state"}).find("visible=1") != std::string::npos; }, seconds(2)));
  EXPECT_TRUE(Boxes().empty());

  ASSERT_EQ(Ctl({"virtual", "plug"}).exit_code, 0);
  ASSERT_TRUE(WaitForUi({"state"}, "device_active=1"));
  PressAbout();
  ASSERT_TRUE(AboutShown());
  EXPECT_NE(About({"state"}).find("title=\"About\""), std::string::npos) << About({"state"});
  EXPECT_EQ(FieldOf(About({"get", "AboutLabel"}), "caption"), "Audio77 control panel");
  EXPECT_EQ(FieldOf(About({"get", "WebLabel"}), "caption"), "https://audio77.example.org");
  EXPECT_EQ(FieldOf(About({"get", "LOGOQKImage"}), "picture"), "logo_about.png");
  const fs::path picture = home_.path() / "about.png";
  Do({"window", "AboutForm", "screenshot", picture.string()});
  EXPECT_TRUE(fs::file_size(picture) > 0);
  CloseAbout();

  // In another language the next showing says it in that language.
  std::string german;
  for (const auto& line : LinesOf(Ui({"menus"}).out)) {
    if (line.find("/Deutsch") != std::string::npos || line.find("/German") != std::string::npos) {
      german = line.substr(4, line.find('\t') == std::string::npos ? std::string::npos : line.find('\t') - 4);
    }
  }
  ASSERT_FALSE(german.empty()) << Ui({"menus"}).out;
  Do({"menu", german});
  PressAbout();
  ASSERT_TRUE(AboutShown());
  EXPECT_NE(About({"state"}).find("title=\"Info\""), std::string::npos) << About({"state"});
  EXPECT_EQ(FieldOf(About({"get", "AboutLabel"}), "caption"), "Audio77-Steuerung");
  CloseAbout();
}

TEST_F(AuxiliaryWindows, TheWebLabelHandsOnlyWebAddressesToTheUrlOpener) {
  struct Case {
    std::string text;
    std::string opened;  // empty: nothing may be opened
  };
  const Case cases[] = {
      {"https://audio77.example.org", "https://audio77.example.org\n"},
      {"www.audio77.example.org/help", "https://www.audio77.example.org/help\n"},
      {"javascript:alert(1)", ""},
      {"file:///etc/passwd", ""},
      {"/usr/bin/xterm", ""},
      // Shell words inside an address travel as text, never as a command.
      {"https://x.example.org/;$(touch${IFS}pwned)", "https://x.example.org/;$(touch${IFS}pwned)\n"},
      {"https://x.example.org/ $(touch pwned)", ""},
      {std::string(10000, 'w'), ""},
  };
  PrepareProgramFolder({});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 60));
    SetWebText(c.text);
    fs::remove(Opened());
    Start();
    PressAbout();
    ASSERT_TRUE(AboutShown());
    Do({"window", "AboutForm", "click", "WebLabel"});
    if (c.opened.empty()) {
      EXPECT_TRUE(ProgramErrSays("WebLabel: not a web address, not opened", 1));
      EXPECT_EQ(OpenedUrls(), "");
    } else {
      EXPECT_TRUE(WaitUntil([&] { return !OpenedUrls().empty(); }, kPatience));
      EXPECT_EQ(OpenedUrls(), c.opened);
    }
    CloseAbout();
    EXPECT_EQ(Close(), 0);
  }
  EXPECT_FALSE(fs::exists(fs::current_path() / "pwned"));
}

TEST_F(AuxiliaryWindows, TheExamplePluginStartsFromTheTrayAndTheNextStartEndsIt) {
  Start();
  const std::string entry = PluginEntry();
  ASSERT_FALSE(entry.empty()) << Ui({"menus"}).out;
  ASSERT_TRUE(PluginMarked(false));

  Do({"menu", entry});
  ASSERT_TRUE(ProgramErrSays(std::string(kPlugin) + ": listening", 1)) << program_->Err();
  EXPECT_TRUE(PluginMarked(true));
  // The window makes way for the plug-in.
  EXPECT_TRUE(WaitUntil([&] { return State().find("visible=0") != std::string::npos ||
                                     State().find("minimised=1") != std::string::npos; },
                        kPatience))
      << State();

  Do({"menu", entry});
  EXPECT_TRUE(ProgramErrSays(std::string(kPlugin) + ": ended", 1)) << program_->Err();
  EXPECT_TRUE(ProgramErrSays(std::string(kPlugin) + ": listening", 2)) << program_->Err();
  EXPECT_TRUE(PluginMarked(true));
  EXPECT_TRUE(WaitUntil([&] { return PluginProcesses().size() == 1; }, kPatience));
}

TEST_F(AuxiliaryWindows, AKilledPluginClearsItsMark) {
  Start();
  const std::string entry = PluginEntry();
  ASSERT_FALSE(entry.empty()) << Ui({"menus"}).out;
  Do({"menu", entry});
  ASSERT_TRUE(PluginMarked(true));
  std::vector<pid_t> running;
  ASSERT_TRUE(WaitUntil([&] { return (running = PluginProcesses()).size() == 1; }, kPatience));

  ASSERT_EQ(::kill(running.front(), SIGKILL), 0);
  // No farewell came: its end alone clears the mark, and the process is reaped.
  EXPECT_TRUE(PluginMarked(false));
  EXPECT_TRUE(WaitUntil([&] { return PluginProcesses().empty(); }, kPatience));
  EXPECT_EQ(Count(program_->Err(), std::string(kPlugin) + ": ended"), 0U);
}

TEST_F(AuxiliaryWindows, NamesShowAsTheyAreAndAPluginThatIsNoProgramIsReported) {
  PrepareProgramFolder({"", {{"Application", "Rock & Roll", "1"}, {"Application", "Broken", "1"}}});
  const fs::path plugins = ProgramFolder() / "Plugins";
  fs::create_directories(plugins / "Rock & Roll");
  fs::copy_file(plugins / kPlugin / kPlugin, plugins / "Rock & Roll" / "Rock & Roll");
  fs::create_directories(plugins / "Broken");
  std::ofstream(plugins / "Broken" / "Broken") << "#!/bin/sh\necho not a program\n";
  Start();
  std::string menu;
  for (const auto& line : LinesOf(Ui({"menus"}).out)) {
    if (line.find("Broken") != std::string::npos) menu = line.substr(4, line.find('/') - 4);
  }
  ASSERT_FALSE(menu.empty()) << Ui({"menus"}).out;

  Do({"answer", "OK"});
  Do({"menu", menu + "/Broken"});
  const auto boxes = Boxes();
  ASSERT_EQ(boxes.size(), 1U);
  EXPECT_NE(boxes[0].find((plugins / "Broken" / "Broken").string()), std::string::npos) << boxes[0];
  EXPECT_EQ(Ui({"menus"}).out.find("[x] " + menu + "/"), std::string::npos) << "no mark without a program";
  EXPECT_NE(State().find("visible=1"), std::string::npos) << "the window stays";

  // The "&" is part of the name: shown as it is, and its own folder's program starts.
  Do({"menu", menu + "/Rock & Roll"});
  EXPECT_TRUE(ProgramErrSays(std::string(kPlugin) + ": listening", 1)) << program_->Err();
  EXPECT_NE(Ui({"menus"}).out.find("[x] " + menu + "/Rock & Roll"), std::string::npos) << Ui({"menus"}).out;
}

TEST_F(AuxiliaryWindows, WithoutPluginsThePluginMenuIsHidden) {
  PrepareProgramFolder({});
  fs::remove_all(ProgramFolder() / "Plugins");
  Start();
  const std::string menus = Ui({"menus"}).out;
  EXPECT_EQ(menus.find(kPlugin), std::string::npos) << menus;
  // Only the language, skin and close items and their entries remain.
  for (const auto& line : LinesOf(menus)) {
    const std::string path = line.substr(4);
    if (path.find('/') == std::string::npos) {
      EXPECT_EQ(path.find("Plug"), std::string::npos) << path;
    }
  }
}

TEST_F(AuxiliaryWindows, TheSimpleWindowIsMadeHiddenWithItsVersionedCaption) {
  Start();
  const std::string state = Ui({"window", "SimpleForm", "state"}).out;
  EXPECT_NE(state.find("visible=0"), std::string::npos) << state;
  EXPECT_TRUE(std::regex_search(state, std::regex("title=\"SimpleForm \\(V[0-9.]+\\)\""))) << state;
  const std::string controls = Ui({"window", "SimpleForm", "list"}).out;
  EXPECT_NE(controls.find("EffectModeRadioGroup "), std::string::npos) << controls;
  EXPECT_NE(controls.find("EffectImage "), std::string::npos) << controls;
  // The LED dialog is there too, hidden until it is asked for.
  EXPECT_NE(Ui({"window", "LEDForm", "state"}).out.find("visible=0"), std::string::npos);
}

}  // namespace
}  // namespace audio77::test
