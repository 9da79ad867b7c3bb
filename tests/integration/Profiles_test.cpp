// Profiles of the real program on the virtual device: "Save" and "Load"
// answered through audio77ctl, the last profile written at exit and applied
// at the next start, bad profiles, and saves cut short by a kill.
#include <gtest/gtest.h>
#include <signal.h>

#include <filesystem>
#include <fstream>
#include <atomic>
#include <random>
#include <thread>

#include "WindowScenario.h"

namespace audio77::test {
namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

struct Key {
  const char* section;
  const char* key;
  bool read_back;
};

// Every key of a profile, in file order, and whether applying reads it.
const Key kKeys[] = {
    {"EQ", "S1", true}, {"EQ", "S2", true}, {"EQ", "S3", true}, {"EQ", "S4", true}, {"EQ", "EQEN", true},
    {"EQ", "EQFromEEPROM", true}, {"3D", "LeftAlpha", false}, {"3D", "LeftBeta", false},
    {"3D", "RightAlpha", false}, {"3D", "RightBeta", false}, {"3D", "FBM", false}, {"3D", "3DEN", true},
    {"3D", "3DFromEEPROM", true}, {"Effect", "CurrentEffect", true}, {"Virtual7ch1", "C", true},
    {"Virtual7ch1", "L", true}, {"Virtual7ch1", "LS", true}, {"Virtual7ch1", "LB", true},
    {"Virtual7ch1", "RB", true}, {"Virtual7ch1", "RS", true}, {"Virtual7ch1", "SUB", true},
    {"Virtual7ch1", "R", true}, {"Virtual7ch1", "7ch1EN", true}, {"LED", "LEDON", true},
    {"LED", "LEDPageMode", true}, {"LED", "LEDOff", true}, {"LED", "LEDSingleColor", true},
    {"LED", "LEDEffectMode", true}, {"LED", "LEDBreatheSpeed", true}, {"LED", "LEDRainbowSpeed", true},
    {"LED", "LEDMultiBreatheSpeed", true}, {"LED", "LEDBreatheSliderPos", true},
    {"LED", "LEDRainbowSliderPos", true}, {"LED", "LEDMultiBreatheSliderPos", true},
    {"LED", "LEDSingleColorRGB", true}, {"LED", "LEDBreatheColorRGB", true}, {"LED", "LEDColor1RGB", true},
    {"LED", "LEDColor2RGB", true}, {"LED", "LEDColor3RGB", true}, {"LED", "LEDColor4RGB", true},
    {"LED", "LEDColor5RGB", true}, {"LED", "LEDColor6RGB", true}, {"LED", "LEDColor7RGB", true},
    {"LED", "LEDFastRightSide", true}, {"ENC", "ENCEN", false}, {"ENC", "ENCValue", false},
    {"VoiceMagic", "VoiceMagicEN", false}, {"VoiceMagic", "VoiceMagicMode", false},
};
const char* const kStrict[][2] = {{"EQ", "S1"}, {"EQ", "S2"}, {"EQ", "S3"}, {"EQ", "S4"},
                                  {"Effect", "CurrentEffect"}, {"Virtual7ch1", "C"}, {"Virtual7ch1", "L"},
                                  {"Virtual7ch1", "LS"}, {"Virtual7ch1", "LB"}, {"Virtual7ch1", "RB"},
                                  {"Virtual7ch1", "RS"}, {"Virtual7ch1", "SUB"}, {"Virtual7ch1", "R"},
                                  {"Virtual7ch1", "7ch1EN"}};

// Only the lines of traffic that begin with prefix.
Strings Only(const Strings& traffic, const std::string& prefix) {
  Strings out;
  for (const auto& line : traffic) {
    if (line.rfind(prefix, 0) == 0) out.push_back(line);
  }
  return out;
}

class Profiles : public WindowScenario {
 protected:
  std::string Home(const std::string& name) const { return (home_.path() / name).string(); }
  std::string LastProfile() const { return (UserFolder() / "LastProfile.ini").string(); }
  // A key of a profile the program wrote (UTF-8, one key a line); "<missing>" when absent.
  static std::string Value(const std::string& file, const std::string& section, const std::string& key) {
    std::ifstream in(file, std::ios::binary);
    bool inside = false;
    for (std::string line; std::getline(in, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (!line.empty() && line.front() == '[') {
        inside = line == "[" + section + "]";
      } else if (inside && line.rfind(key + "=", 0) == 0) {
        return line.substr(key.size() + 1);
      }
    }
    return "<missing>";
  }
  void Save(const std::string& path) const {
    Do({"answer", "FILE=" + path});
    Do({"click", "Menu1Label"});
  }
  void Load(const std::string& path) const {
    Do({"answer", "FILE=" + path});
    Do({"click", "Menu2Label"});
  }
  // The strict keys that are missing or not numbers.
  Strings BadStrictKeys(const std::string& file) const {
    Strings bad;
    for (const auto& key : kStrict) {
      const std::string value = Value(file, key[0], key[1]);
      const bool numeric = !value.empty() && value.find_first_not_of("0123456789-,xABCDEF") == std::string::npos;
      if (!numeric) bad.push_back(std::string(key[1]) + "=" + value);
    }
    return bad;
  }
  void WriteFile(const std::string& path, const std::string& text) const {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << text;
  }
};

TEST_F(Profiles, SavedChangedAndLoadedEveryReadBackKeyComesBack) {
  Start();
  Do({"click", "EQEQENLabel"});
  Do({"click", "PageEffectLabel"});
  Do({"click", "EffectLivingroomLabel"});
  Do({"click", "PageEQLabel"});
  Do({"click", "EQS3Label"});
  Save(Home("first.ini"));
  for (const Key& key : kKeys) EXPECT_NE(Value(Home("first.ini"), key.section, key.key), "<missing>") << key.key;
  // Saved while the equalizer is on: every preset line ends in 1.
  for (const char* s : {"S1", "S2", "S3", "S4"}) EXPECT_EQ(Value(Home("first.ini"), "EQ", s).back(), '1') << s;
  EXPECT_EQ(Value(Home("first.ini"), "Effect", "CurrentEffect"), "4");

  Do({"click", "EQEQENLabel"});
  Do({"click", "PageEffectLabel"});
  Do({"click", "EffectTheaterLabel"});
  Do({"click", "PageEQLabel"});
  Do({"click", "EQS1Label"});
  const std::size_t mark = Mark();
  Load(Home("first.ini"));
  EXPECT_EQ(Boxes().size(), 2u) << Joined(Boxes());  // the two file dialogs, no error
  EXPECT_EQ(Picture("EQEQENImage"), "button_down.png");
  EXPECT_TRUE(InOrder(TrafficSince(mark), {"ext 0x08232008 in=03000000", "ext 0x08232000 in=01000000"}));
  Save(Home("second.ini"));
  for (const Key& key : kKeys) {
    if (!key.read_back) continue;
    EXPECT_EQ(Value(Home("second.ini"), key.section, key.key), Value(Home("first.ini"), key.section, key.key))
        << key.key;
  }
}

TEST_F(Profiles, SaveAndLoadDialogsStartWhereTheyShouldAndNamesGetIniOnlyWithoutIt) {
  Start();
  // No profile saved yet: Load starts in the user folder, made for it.
  EXPECT_FALSE(fs::exists(Home("Audio77")));
  Do({"answer", "Cancel"});
  Do({"click", "Menu2Label"});
  EXPECT_TRUE(fs::is_directory(Home("Audio77")));
  ASSERT_FALSE(Boxes().empty());
  EXPECT_EQ(Boxes().back(), "Load\topen " + Home("Audio77") + "/ (INI (*.ini)|*.ini)");

  struct Case {
    std::string chosen;
    std::string written;
  };
  fs::create_directories(Home("my.ini.d"));
  const Case cases[] = {
      {Home("upper.INI"), Home("upper.INI.ini")},
      {Home("my.ini.d/plain"), Home("my.ini.d/plain")},
      {Home("plain"), Home("plain.ini")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.chosen);
    Save(c.chosen);
    EXPECT_TRUE(fs::is_regular_file(c.written));
    EXPECT_EQ(Boxes().back(), "Save\tsave " + Home("Audio77") + "/AudioSetting.ini (INI (*.ini)|*.ini)");
  }
  // Load starts in the folder of the profile saved last.
  Do({"answer", "Cancel"});
  Do({"click", "Menu2Label"});
  EXPECT_EQ(Boxes().back(), "Load\topen " + home_.path().string() + "/ (INI (*.ini)|*.ini)");
}

// A script never hangs on a dialog its own command opened: the command
// returns, the dialog waits in `ui boxes`, and `ui answer` answers it there.
TEST_F(Profiles, TheSaveDialogWaitsForItsAnswerWithoutHoldingUpTheScript) {
  Start();
  const ProcessResult opened = Ui({"click", "Menu1Label"});
  ASSERT_EQ(opened.exit_code, 0) << opened.err;
  const std::string line = "Save\tsave " + Home("Audio77") + "/AudioSetting.ini (INI (*.ini)|*.ini)";
  EXPECT_EQ(opened.out, "waiting dialog: " + line + "\n");
  ASSERT_FALSE(Boxes().empty());
  EXPECT_EQ(Boxes().back(), line);
  const ProcessResult answered = Ui({"answer", "FILE=" + Home("waited.ini")});
  EXPECT_EQ(answered.out, "answered the waiting dialog\n");
  EXPECT_TRUE(WaitUntil([&] { return fs::is_regular_file(Home("waited.ini")); }, kPatience));

  // An answer no dialog took is gone once another command has acted: the
  // next Save waits for its own answer.
  Do({"answer", "FILE=" + Home("stale.ini")});
  Do({"move", "5", "5"});
  EXPECT_EQ(Ui({"click", "Menu1Label"}).out, "waiting dialog: " + line + "\n");
  EXPECT_EQ(Ui({"answer", "Cancel"}).out, "answered the waiting dialog\n");
  EXPECT_EQ(State().find("device_active=1") != std::string::npos, true);
  EXPECT_FALSE(fs::exists(Home("stale.ini")));
  EXPECT_EQ(Close(), 0);
}

TEST_F(Profiles, AProfileStopsAtABadStrictKeyAndKeepsWhatCameBefore) {
  Start();
  const std::string path = Home("bad.ini");
  WriteFile(path,
            "[EQ]\nS1=0x9FF,0x400,0x400,0x400,0x400,1\nS2=0x400,0x400,0x400,0x400,0x400,1\n"
            "S3=0x400,0x400,0x400,0x400,0x400,1\nS4=0x400,0x400,0x400,0x400,0x400,1\nEQEN=1\n"
            "[Effect]\nCurrentEffect=three\n");
  const std::size_t mark = Mark();
  Do({"answer", "FILE=" + path});
  Do({"answer", "OK"});
  Do({"click", "Menu2Label"});
  ASSERT_EQ(Boxes().size(), 2u) << Joined(Boxes());
  EXPECT_NE(Boxes()[1].find("'three' is not a valid integer value (\"CurrentEffect\" in section \"Effect\""),
            std::string::npos)
      << Boxes()[1];
  EXPECT_EQ(Picture("EQEQENImage"), "button_down.png");  // applied before the bad key
  EXPECT_TRUE(Only(TrafficSince(mark), "ext 0x08232008").empty());
}

TEST_F(Profiles, BothThreeDAndVirtual71AskedForLoadWithVirtual71OffWhenTheyExcludeEachOther) {
  ScenarioOptions options;
  options.config = {{"DefaultSet", "3DV7ch1MutuallyExclusive", "1"}};
  Start(options);
  const std::string path = Home("both.ini");
  Save(path);
  Ctl({"profile", "set", path, "3D", "3DEN", "1"});
  Ctl({"profile", "set", path, "Virtual7ch1", "7ch1EN", "1"});
  const std::size_t mark = Mark();
  Load(path);
  EXPECT_EQ(Boxes().back().rfind("Load\t", 0), 0u) << Joined(Boxes());  // no error box
  EXPECT_EQ(Picture("EQ3DENImage"), "button_down.png");
  const Strings switches = Only(TrafficSince(mark), "lib DLLQK_SetVirtual7ch1_OnOff");
  ASSERT_EQ(switches.size(), 1u) << Joined(switches);
  EXPECT_EQ(switches[0].rfind("lib DLLQK_SetVirtual7ch1_OnOff 0", 0), 0u) << switches[0];
}

TEST_F(Profiles, TheLastProfileIsWrittenAtExitAndAppliedAtTheNextStart) {
  Start();
  Do({"click", "EQEQENLabel"});
  Do({"click", "PageEffectLabel"});
  Do({"click", "EffectBathroomLabel"});
  EXPECT_EQ(Close(), 0);
  EXPECT_EQ(Value(LastProfile(), "EQ", "EQEN"), "1");
  EXPECT_EQ(Value(LastProfile(), "Effect", "CurrentEffect"), "3");
  EXPECT_TRUE(BadStrictKeys(LastProfile()).empty());

  const std::size_t mark = Mark();
  Start();
  EXPECT_TRUE(Boxes().empty()) << Joined(Boxes());
  EXPECT_EQ(Picture("EQEQENImage"), "button_down.png");
  EXPECT_TRUE(InOrder(TrafficSince(mark), {"ext 0x08232008 in=02000000", "ext 0x08232000 in=01000000"}));
  // The equalizer's enable bit of the effect register, set by the profile.
  EXPECT_EQ(std::stoi(Register(0x100), nullptr, 16) & 0x04, 0x04) << Register(0x100);
}

TEST_F(Profiles, ABadLastProfileIsShownStartUpGoesOnAndExitReplacesIt) {
  const std::string bad = "[EQ]\nS1=0x400,0x400,0x400,0x400,0x400,0\nS2=oops\nMine=kept\n";
  WriteFile(LastProfile(), bad);
  Start();
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_NE(Boxes()[0].find("'oops' is not a valid integer value (\"S2\" in section \"EQ\""), std::string::npos);
  std::ifstream kept(LastProfile() + ".bad", std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), bad);
  EXPECT_EQ(Close(), 0);
  EXPECT_TRUE(BadStrictKeys(LastProfile()).empty());
  EXPECT_EQ(Value(LastProfile(), "EQ", "Mine"), "kept");
  Start();
  EXPECT_TRUE(Boxes().empty()) << Joined(Boxes());
  EXPECT_EQ(Close(), 0);
}

TEST_F(Profiles, AKillDuringRepeatedSavesLeavesEveryProfileWhole) {
  std::mt19937 random(20261210);
  const std::string path = Home("repeated.ini");
  for (int round = 0; round < 4; ++round) {
    SCOPED_TRACE(round);
    Start();
    std::atomic<bool> stop{false};
    std::thread saver([&] {
      for (int i = 0; !stop; ++i) {
        Ui({"answer", "FILE=" + path});
        Ui({"click", i % 2 == 0 ? "Menu1Label" : "EQEQENLabel"});
      }
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(200 + random() % 800));
    program_->Signal(SIGKILL);
    program_->Wait(kPatience);
    stop = true;
    saver.join();
    if (fs::exists(path)) {
      EXPECT_TRUE(BadStrictKeys(path).empty()) << Joined(BadStrictKeys(path));
    }
    for (const auto& entry : fs::directory_iterator(home_.path())) {
      EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos) << entry.path();
    }
  }
  EXPECT_TRUE(fs::exists(path));
}

}  // namespace
}  // namespace audio77::test
