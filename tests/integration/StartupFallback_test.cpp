// A skin or language that fails to load at start-up: the window comes up with
// the first one that loads, says so once it is up, and the user's stored
// choice stays until another is picked. A language file that cannot serve is
// refused from the menu as a conversion failure is.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "WindowScenario.h"

namespace audio77::test {
namespace {

namespace fs = std::filesystem;

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) text += line + "\n";
  return text;
}

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteText(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

// Every copy of a file of that name under root (the resolution classes hold their own).
std::vector<fs::path> Copies(const fs::path& root, const std::string& folder, const std::string& file) {
  std::vector<fs::path> found;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (entry.path().filename() == file && entry.path().parent_path().filename() == folder) {
      found.push_back(entry.path());
    }
  }
  return found;
}

class StartupFallback : public WindowScenario {
 protected:
  // The program folder with its own copy of the skins, so that one can break.
  void PrepareWithOwnSkins() {
    PrepareProgramFolder({});
    const fs::path skins = ProgramFolder() / "Skins";
    const fs::path shared = fs::read_symlink(skins);
    fs::remove(skins);
    fs::copy(shared, skins, fs::copy_options::recursive);
  }
  std::string UserChoice(const std::string& key) const {
    const std::string text = ReadText(UserFolder() / "AudioConfig.cfg");
    const auto at = text.find(key + "=");
    if (at == std::string::npos) return {};
    const auto start = at + key.size() + 1;
    return text.substr(start, text.find_first_of("\r\n", start) - start);
  }
  std::string CheckedUnder(const std::string& menu) const {
    for (const auto& line : LinesOf(Ui({"menus"}).out)) {
      const std::string path = MenuPath(line);
      if (line.rfind("[x] ", 0) == 0 && path.rfind(menu + "/", 0) == 0) return path.substr(menu.size() + 1);
    }
    return {};
  }
  // A user who has run the program before and chose these: the desktop's
  // choices of a first start stay out of the way.
  void SeedUserFolder(const std::string& language, const std::string& skin) {
    fs::create_directories(UserFolder().parent_path());
    fs::copy(ProgramFolder() / "user", UserFolder(), fs::copy_options::recursive);
    WriteText(UserFolder() / "AudioConfig.cfg",
              "[Language]\nDefaultLanguage=" + language + "\n[Skin]\nDefaultSkin=" + skin + "\n");
  }
};

TEST_F(StartupFallback, ABrokenSkinFallsBackUntilTheUserPicksAnother) {
  PrepareWithOwnSkins();
  SeedUserFolder("English", "Dark");
  const auto broken = Copies(ProgramFolder() / "Skins", "Dark", "SkinSetting.ini");
  ASSERT_FALSE(broken.empty());
  for (const auto& path : broken) WriteText(path, "[EQ]\nEQSlider=abc,120\n" + ReadText(path));

  for (int start = 0; start < 2; ++start) {
    SCOPED_TRACE(start == 0 ? "first start" : "second start");
    Start();
    ASSERT_TRUE(WaitUntil([&] { return !Boxes().empty(); }, kPatience));
    const auto boxes = Boxes();
    ASSERT_EQ(boxes.size(), 1u) << Joined(boxes);
    for (const std::string part : {"SkinSetting.ini", "\"EQSlider\"", "'abc'", "\"Light\" is shown instead"}) {
      EXPECT_NE(boxes[0].find(part), std::string::npos) << part << " in " << boxes[0];
    }
    EXPECT_EQ(CheckedUnder("Skin"), "Light");
    EXPECT_EQ(UserChoice("DefaultSkin"), "Dark");
    EXPECT_NE(Picture("MainFormImage"), "");
    EXPECT_EQ(Close(), 0);
  }

  // Picking a skin ends the fallback: it is saved and the next start is quiet.
  Start();
  Do({"menu", "Skin/Light"});
  EXPECT_EQ(UserChoice("DefaultSkin"), "Light");
  EXPECT_EQ(Close(), 0);
  Start();
  EXPECT_TRUE(Boxes().empty()) << Joined(Boxes());
  EXPECT_EQ(CheckedUnder("Skin"), "Light");
  EXPECT_EQ(Close(), 0);
}

TEST_F(StartupFallback, ABrokenLanguageFallsBackAndTheChoiceStays) {
  PrepareProgramFolder({});
  SeedUserFolder("English", "Dark");
  for (const auto& path : Copies(ProgramFolder() / "Languages", "English", "Language.ini")) {
    WriteText(path, "[Main]\nLabelPageEQ=Equalizer,notanumber\n" + ReadText(path));
  }
  Start();
  ASSERT_TRUE(WaitUntil([&] { return !Boxes().empty(); }, kPatience));
  const auto boxes = Boxes();
  ASSERT_EQ(boxes.size(), 1u) << Joined(boxes);
  for (const std::string part : {"English/Language.ini", "\"LabelPageEQ\"", "'notanumber'", "is shown instead"}) {
    EXPECT_NE(boxes[0].find(part), std::string::npos) << part << " in " << boxes[0];
  }
  EXPECT_NE(CheckedUnder(LanguageMenu()), "English");
  EXPECT_NE(Caption("PageEQLabel"), "");
  EXPECT_EQ(UserChoice("DefaultLanguage"), "English");
  EXPECT_EQ(Close(), 0);
}

TEST_F(StartupFallback, AnEmptyLanguageFileIsRefusedFromTheMenuAndNothingIsSaved) {
  PrepareProgramFolder({});
  SeedUserFolder("English", "Dark");
  for (const auto& path : Copies(ProgramFolder() / "Languages", "German", "Language.ini")) WriteText(path, "");
  Start();
  const std::string label = Caption("PageEQLabel");
  ASSERT_NE(label, "");
  const std::string menu = LanguageMenu();
  Do({"answer", "OK"});
  Do({"menu", "Language/Deutsch"});
  ASSERT_TRUE(WaitUntil([&] { return !Boxes().empty(); }, kPatience));
  EXPECT_NE(Boxes().back().find("German/Language.ini\" is empty"), std::string::npos) << Joined(Boxes());
  EXPECT_EQ(Caption("PageEQLabel"), label);
  EXPECT_EQ(CheckedUnder(menu), "English");
  EXPECT_EQ(UserChoice("DefaultLanguage"), "English");
  EXPECT_EQ(Close(), 0);
}

}  // namespace
}  // namespace audio77::test
