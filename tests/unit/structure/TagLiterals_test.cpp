// Keeps Tag numbers in the control table: the controller (src/app/) reaches
// controls by name, by the table's rows and by the features' own constants,
// never by a number written out. A Tag literal is a number handed to a call
// that takes a Tag, compared with a tag, used as a case label, or given to a
// Tag constant.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "support/TempDir.h"

namespace audio77 {
namespace {

namespace fs = std::filesystem;

// The one file of the controller where Tag numbers belong.
constexpr const char* kControlTable = "MainFormResource.cpp";

const std::regex& TagLiteral() {
  static const std::regex pattern(
      R"((ByTag|FlipSwitch|ShowSwitch|HighlightLabel|SelectPage|PressTab|SetKnobTop|KnobTop|SetValueLabel|)"
      R"(SetImageVisible|FindByTag|Press|Release)\(\s*(View\(\)\s*,\s*)?[0-9])"
      R"(|\b(tag|tab_tag|Tag\(\))\s*(==|!=|<=|>=|<|>|-|\+)\s*[0-9])"
      R"(|\bcase\s+[0-9]+\s*:)"
      R"(|\bk\w*Tag\s*=\s*[0-9])");
  return pattern;
}

std::vector<std::string> Violations(const fs::path& app) {
  std::vector<std::string> found;
  for (const auto& entry : fs::directory_iterator(app)) {
    const fs::path& path = entry.path();
    if (path.filename() == kControlTable) continue;
    if (path.extension() != ".cpp" && path.extension() != ".h") continue;
    std::ifstream in(path);
    int number = 0;
    for (std::string line; std::getline(in, line);) {
      ++number;
      const std::string code = line.substr(0, line.find("//"));
      if (std::regex_search(code, TagLiteral())) {
        found.push_back(path.filename().string() + ":" + std::to_string(number) + ": " + line);
      }
    }
  }
  std::sort(found.begin(), found.end());
  return found;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) text += "\n  " + line;
  return text;
}

TEST(TagLiterals, TheControllerWritesNoTagNumberOutsideTheControlTable) {
  const std::vector<std::string> violations = Violations(test::SourceDir() / "src" / "app");
  EXPECT_TRUE(violations.empty()) << Joined(violations);
}

// The scan itself, on a small folder with each kind of literal and the
// lines that must pass.
TEST(TagLiterals, TheScanFindsEachKindOfLiteral) {
  test::TempDir dir;
  dir.Write("app/MainFormResource.cpp", "Img(\"EQEQENImage\", 7, {1, 2, 3, 4}, kEq),\ncase 7:\n");
  dir.Write("app/Calls.cpp",
            "if (auto* image = FindImageByTag(29)) {}\n"
            "FlipSwitch(54, state);\n"
            "ui::MomentaryButtons::Press(View(), 48);\n"
            "SelectPage(23);\n");
  dir.Write("app/Compare.cpp", "if (tag == 228) return;\nif (tab_tag >= 226) {}\nint band = knob.Tag() - 29;\n");
  dir.Write("app/Switch.h", "switch (tag) {\n  case 16: case 17:\n}\nstatic constexpr int kEnableTag = 47;\n");
  dir.Write("app/Clean.cpp",
            "FlipSwitch(TagOf(\"DeviceInImage\"), state);\n"
            "equalizer_.SliderMoved(knob.Tag() - Equalizer::kFirstSliderTag);\n"
            "// FindImageByTag(29) in a comment is not code\n"
            "if (count == 0) return;\n"
            "SetTimeout(2000);\n");
  const std::vector<std::string> violations = Violations(dir.path() / "app");
  std::vector<std::string> where;
  for (const auto& line : violations) where.push_back(line.substr(0, line.find(':', line.find(':') + 1)));
  EXPECT_EQ(where, (std::vector<std::string>{"Calls.cpp:1", "Calls.cpp:2", "Calls.cpp:3", "Calls.cpp:4",
                                             "Compare.cpp:1", "Compare.cpp:2", "Compare.cpp:3", "Switch.h:2",
                                             "Switch.h:4"}))
      << Joined(violations);
}

}  // namespace
}  // namespace audio77
