#include "features/ProfileKeeper.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "platform/FixedFolders.h"
#include "platform/InProcessFileGuard.h"
#include "platform/RecordingDebugOutput.h"
#include "settings/EConvertError.h"
#include "settings/ProfileFileReader.h"
#include "support/TempDir.h"
#include "toolkit/ScriptedDialogs.h"

namespace audio77 {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

// Everything a call of the keeper did, in order, in one list.
using Log = std::vector<std::string>;

class FakeHost final : public ProfileHost {
 public:
  FakeHost(Log& log, toolkit::Dialogs& dialogs) : log_(log), dialogs_(dialogs) {}
  bool DeviceHidPresent() override { return device; }
  void BeforeApply() override { log_.push_back("before apply"); }
  void AfterApply() override { log_.push_back("after apply"); }
  void SetProfileSaving(bool on) override {
    saving = on;
    log_.push_back(on ? "saving on" : "saving off");
  }
  std::string UserFolderName() const override { return "Audio77"; }
  std::string Title() const override { return "Audio77 Title"; }
  toolkit::Dialogs& Dialogs() override { return dialogs_; }

  bool device = true;
  bool saving = false;

 private:
  Log& log_;
  toolkit::Dialogs& dialogs_;
};

// A feature holding a few integer keys of one section, each read back with
// the kind it is given.
class FakeFeature final : public Feature {
 public:
  enum class Kind { kStrict, kZeroWhenEmpty, kWhenPresent };
  struct Key {
    std::string name;
    Kind kind;
  };
  FakeFeature(std::string section, std::vector<Key> keys, Log& log, const FakeHost& host)
      : section_(std::move(section)), keys_(std::move(keys)), log_(log), host_(host) {}

  std::string_view Name() const override { return section_; }
  void Save(ProfileWriter& profile) override {
    log_.push_back("save " + section_ + (host_.saving ? " while saving" : ""));
    for (const auto& key : keys_) profile.WriteInt(section_, key.name, values[key.name]);
  }
  void Load(ProfileReader& profile) override {
    log_.push_back("load " + section_);
    for (const auto& key : keys_) {
      switch (key.kind) {
        case Kind::kStrict: values[key.name] = profile.Strict(section_, key.name); break;
        case Kind::kZeroWhenEmpty: values[key.name] = profile.ZeroWhenEmpty(section_, key.name); break;
        case Kind::kWhenPresent:
          if (auto value = profile.WhenPresent(section_, key.name)) values[key.name] = *value;
          break;
      }
    }
  }

  std::map<std::string, int> values;

 private:
  std::string section_;
  std::vector<Key> keys_;
  Log& log_;
  const FakeHost& host_;
};

class ProfileKeeperTest : public ::testing::Test {
 protected:
  ProfileKeeperTest() {
    keeper.SetFeatures({&eq, &effect, &led});
    eq.values = {{"S1", 0x410}, {"EQEN", 1}};
    effect.values = {{"CurrentEffect", 3}};
    led.values = {{"LEDON", 1}};
  }
  std::string Home(const std::string& relative = "") const { return home.path().string() + "/" + relative; }
  std::string OverlayPath() const { return folders.AppData() + "audio77/program/AudioConfig.cfg"; }
  void Change(int by) {
    for (FakeFeature* feature : {&eq, &effect, &led}) {
      for (auto& [key, value] : feature->values) value += by;
    }
  }
  std::map<std::string, int> All() const {
    std::map<std::string, int> all;
    for (const FakeFeature* feature : {&eq, &effect, &led}) all.insert(feature->values.begin(), feature->values.end());
    return all;
  }

  TempDir home;
  FixedFolders folders{"/opt/audio77/audio77", home.path().string()};
  InProcessFileGuard guard;
  PrivateProfile profiles{guard};
  ProgramConfigFile program_config{profiles, "/opt/audio77/AudioConfig.cfg", OverlayPath()};
  toolkit::ScriptedDialogs dialogs;
  RecordingDebugOutput debug;
  Log log;
  FakeHost host{log, dialogs};
  using K = FakeFeature::Kind;
  FakeFeature eq{"EQ", {{"S1", K::kStrict}, {"EQEN", K::kZeroWhenEmpty}}, log, host};
  FakeFeature effect{"Effect", {{"CurrentEffect", K::kStrict}}, log, host};
  FakeFeature led{"LED", {{"LEDON", K::kWhenPresent}}, log, host};
  ProfileKeeper keeper{{profiles, program_config, folders, debug, host}};
};

TEST_F(ProfileKeeperTest, SavedThenChangedThenLoadedGivesBackEveryValueThroughTheFeaturesInOrder) {
  dialogs.QueueSaveFile(Home("mine.ini"));
  EXPECT_EQ(keeper.SaveProfileAs(), ProfileKeeper::kDone);
  EXPECT_EQ(log, (Log{"saving on", "save EQ while saving", "save Effect while saving", "save LED while saving",
                      "saving off"}));
  EXPECT_FALSE(host.saving);
  const auto saved = All();
  Change(5);
  log.clear();
  dialogs.QueueOpenFile(Home("mine.ini"));
  EXPECT_EQ(keeper.OpenProfile(), ProfileKeeper::kDone);
  EXPECT_EQ(log, (Log{"before apply", "load EQ", "load Effect", "load LED", "after apply"}));
  EXPECT_EQ(All(), saved);
  EXPECT_TRUE(dialogs.Messages().empty());
  // Written in the key table's order, one replacement, nothing else in the folder.
  EXPECT_EQ(home.Read("mine.ini"), "[EQ]\r\nS1=1040\r\nEQEN=1\r\n[Effect]\r\nCurrentEffect=3\r\n[LED]\r\nLEDON=1\r\n");
}

TEST_F(ProfileKeeperTest, SaveStartsInTheUserFolderAddsIniWhereTheNameHasNoneAndRemembersThePath) {
  struct Case {
    std::string chosen;
    std::string written;
  };
  fs::create_directories(Home("a.ini.d"));
  const std::string long_folder = Home(std::string(200, 'f') + "/" + std::string(120, 'g'));
  fs::create_directories(long_folder);
  const Case cases[] = {
      {Home("plain"), Home("plain.ini")},
      {Home("upper.INI"), Home("upper.INI.ini")},
      {Home("a.ini.d/inside"), Home("a.ini.d/inside")},  // ".ini" in a folder's name is enough
      {Home("dotted.ini.txt"), Home("dotted.ini.txt")},
      {long_folder + "/long", long_folder + "/long.ini"},  // no cut at 255 characters
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.chosen);
    dialogs.QueueSaveFile(c.chosen);
    EXPECT_EQ(keeper.SaveProfileAs(), ProfileKeeper::kDone);
    EXPECT_TRUE(fs::is_regular_file(c.written));
    EXPECT_EQ(program_config.GetString("LastINI", "Path", "", 65536), c.written);
  }
  const toolkit::FileRequest expected{"Save", Home("Audio77"), "AudioSetting.ini", "INI (*.ini)|*.ini", ""};
  EXPECT_EQ(dialogs.SaveRequests().front(), expected);
  EXPECT_TRUE(fs::is_directory(Home("Audio77")));
  EXPECT_FALSE(fs::exists("/opt/audio77/AudioConfig.cfg"));  // the program folder is never written

  dialogs.QueueOpenFile(std::nullopt);
  EXPECT_EQ(keeper.OpenProfile(), ProfileKeeper::kCancelled);
  EXPECT_EQ(dialogs.OpenRequests().back().initial_folder, long_folder);
}

TEST_F(ProfileKeeperTest, WithoutADeviceOrWithTheDialogCancelledNothingIsWrittenOrApplied) {
  host.device = false;
  EXPECT_EQ(keeper.SaveProfileAs(), ProfileKeeper::kNoDeviceOrFile);
  EXPECT_EQ(keeper.OpenProfile(), ProfileKeeper::kNoDeviceOrFile);
  EXPECT_TRUE(dialogs.SaveRequests().empty() && dialogs.OpenRequests().empty());
  host.device = true;
  dialogs.QueueSaveFile(std::nullopt);
  EXPECT_EQ(keeper.SaveProfileAs(), ProfileKeeper::kCancelled);
  EXPECT_TRUE(log.empty());
  EXPECT_FALSE(fs::exists(OverlayPath()));
  // Load with no profile saved yet starts in the user folder, made for it.
  fs::remove_all(Home("Audio77"));
  dialogs.QueueOpenFile(std::nullopt);
  EXPECT_EQ(keeper.OpenProfile(), ProfileKeeper::kCancelled);
  EXPECT_EQ(dialogs.OpenRequests().back().initial_folder, Home("Audio77"));
  EXPECT_TRUE(fs::is_directory(Home("Audio77")));
  EXPECT_TRUE(log.empty());
}

TEST_F(ProfileKeeperTest, AProfileThatCannotBeWrittenIsReportedAndNotRemembered) {
  fs::create_directories(Home("folder.ini"));
  dialogs.QueueSaveFile(Home("folder.ini"));
  EXPECT_EQ(keeper.SaveProfileAs(), ProfileKeeper::kFailed);
  ASSERT_EQ(dialogs.Messages().size(), 1u);
  EXPECT_EQ(dialogs.Messages()[0].caption, "Audio77 Title");
  EXPECT_EQ(dialogs.Messages()[0].icon, toolkit::MessageIcon::kError);
  EXPECT_NE(dialogs.Messages()[0].text.find("it is a folder"), std::string::npos);
  EXPECT_FALSE(fs::exists(OverlayPath()));
  EXPECT_FALSE(host.saving);
}

TEST_F(ProfileKeeperTest, LoadingStopsAtABadStrictKeyAndKeepsWhatCameBefore) {
  struct Case {
    const char* what;
    std::string file;  // "" with folder: the path is a folder
    bool folder;
    Log log;
    const char* box;
    int eqen;
  };
  const Case cases[] = {
      {"bad strict key in the second feature", "[EQ]\nS1=7\nEQEN=1\n[Effect]\nCurrentEffect=x\n", false,
       {"before apply", "load EQ", "load Effect"},
       "'x' is not a valid integer value (\"CurrentEffect\" in section \"Effect\" of ", 1},
      {"strict key missing", "[EQ]\nEQEN=1\n", false, {"before apply", "load EQ"},
       "'' is not a valid integer value (\"S1\" in section \"EQ\" of ", 0},
      {"a folder", "", true, {}, "cannot be read: it is a folder", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    log.clear();
    eq.values["EQEN"] = 0;
    const std::string path = Home(std::string("case") + std::to_string(&c - cases) + ".ini");
    if (c.folder) fs::create_directories(path);
    else home.Write(fs::path(path).filename().string(), c.file);
    dialogs.QueueOpenFile(path);
    EXPECT_EQ(keeper.OpenProfile(), ProfileKeeper::kFailed);
    EXPECT_EQ(log, c.log);
    ASSERT_FALSE(dialogs.Messages().empty());
    EXPECT_NE(dialogs.Messages().back().text.find(c.box), std::string::npos) << dialogs.Messages().back().text;
    EXPECT_EQ(eq.values["EQEN"], c.eqen);
  }
}

TEST_F(ProfileKeeperTest, TheLastProfileIsWrittenAtExitAndAppliedAtTheNextStart) {
  EXPECT_EQ(keeper.ApplyLastProfileAtStart(), ProfileKeeper::kNoDeviceOrFile);
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(keeper.SaveLastProfile(), ProfileKeeper::kDone);
  EXPECT_EQ(keeper.LastProfilePath(), folders.AppData() + "Audio77/LastProfile.ini");
  const auto saved = All();
  Change(1);
  EXPECT_EQ(keeper.ApplyLastProfileAtStart(), ProfileKeeper::kDone);
  EXPECT_EQ(All(), saved);
  EXPECT_TRUE(dialogs.Messages().empty());
}

TEST_F(ProfileKeeperTest, ABadLastProfileIsShownKeptAsideAndReplacedAtExit) {
  const std::string last = folders.AppData() + "Audio77/LastProfile.ini";
  fs::create_directories(fs::path(last).parent_path());
  struct Case {
    const char* what;
    std::string bytes;
    bool moved;  // unreadable as a profile: moved aside rather than copied
    bool keeps_other_keys;
  };
  const Case cases[] = {
      {"non-numeric strict key", "[EQ]\nS1=zz\nEQEN=1\nMine=keep\n", false, true},
      {"too large", std::string(kMaxProfileBytes + 1, '\n'), true, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    { std::ofstream(last, std::ios::binary) << c.bytes; }
    EXPECT_EQ(keeper.ApplyLastProfileAtStart(), ProfileKeeper::kFailed);
    EXPECT_FALSE(keeper.LastProblem().empty());
    EXPECT_TRUE(dialogs.Messages().empty()) << "shown by the window once it is up";
    EXPECT_EQ(home.Read(".config/Audio77/LastProfile.ini.bad"), c.bytes);
    EXPECT_EQ(fs::exists(last), !c.moved);
    EXPECT_EQ(keeper.SaveLastProfile(), ProfileKeeper::kDone);
    EXPECT_EQ(home.Read(".config/Audio77/LastProfile.ini").find("Mine=keep") != std::string::npos,
              c.keeps_other_keys);
    Change(1);
    EXPECT_EQ(keeper.ApplyLastProfileAtStart(), ProfileKeeper::kDone);
    EXPECT_EQ(home.Read(".config/Audio77/LastProfile.ini.bad"), c.bytes);
  }
}

TEST_F(ProfileKeeperTest, AnExitTimeWriteThatFailsIsSaidOnTheDebugOutput) {
  fs::create_directories(folders.AppData() + "Audio77/LastProfile.ini");  // a folder in the way
  EXPECT_EQ(keeper.SaveLastProfile(), ProfileKeeper::kFailed);
  EXPECT_NE(debug.Text().find("SaveLastProfile: The profile \"" + keeper.LastProfilePath() +
                              "\" could not be saved: it is a folder."),
            std::string::npos)
      << debug.Text();
  EXPECT_TRUE(dialogs.Messages().empty());
}

TEST_F(ProfileKeeperTest, TheDefaultProfileIsAppliedAndItsEnablesRead) {
  DefaultEnables enables{9, 9, 9, 9};
  EXPECT_EQ(keeper.ApplyDefaultProfile(), ProfileKeeper::kNoDeviceOrFile);
  EXPECT_EQ(keeper.ReadDefaultEnables(enables), ProfileKeeper::kNoDeviceOrFile);
  EXPECT_EQ(enables, (DefaultEnables{9, 9, 9, 9}));
  struct Case {
    const char* file;
    int apply;
    DefaultEnables enables;
  };
  const Case cases[] = {
      {"[EQ]\nS1=1\nEQEN=1\n[3D]\n3DEN=1\n[Virtual7ch1]\n7ch1EN=1\n[ENC]\nENCEN=1\n[Effect]\nCurrentEffect=2\n",
       ProfileKeeper::kDone, {1, 1, 1, 1}},
      {"[EQ]\nS1=1\nEQEN=\n[3D]\n3DEN=x\n[Effect]\nCurrentEffect=2\n", ProfileKeeper::kDone, {0, 0, 0, 0}},
      // A bad installed profile is shown and start-up goes on; it is never written.
      {"[EQ]\nS1=bad\nEQEN=1\n", ProfileKeeper::kFailed, {1, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    home.Write(".config/Audio77/DefaultProfile.ini", c.file);
    EXPECT_EQ(keeper.ApplyDefaultProfile(), c.apply);
    if (c.apply == ProfileKeeper::kFailed) {
      EXPECT_NE(keeper.LastProblem().find("'bad'"), std::string::npos);
    }
    EXPECT_EQ(keeper.ReadDefaultEnables(enables), ProfileKeeper::kDone);
    EXPECT_EQ(enables, c.enables);
    EXPECT_EQ(home.Read(".config/Audio77/DefaultProfile.ini"), c.file);
  }
  EXPECT_TRUE(dialogs.Messages().empty());
}

}  // namespace
}  // namespace audio77
