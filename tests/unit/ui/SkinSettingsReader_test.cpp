#include "ui/SkinSettingsReader.h"

#include <gtest/gtest.h>

#include "SkinFixture.h"
#include "settings/EConvertError.h"

namespace audio77::ui {
namespace {

using test::IniRow;
using test::IniText;
using test::WithRequired;

class SkinSettingsReaderTest : public ::testing::Test {
 protected:
  SkinSettings Read(const std::vector<IniRow>& rows, bool old_layout = false, int radius = 0) {
    const std::string path = dir.Write("Skin/SkinSetting.ini", IniText(rows));
    return ReadSkinSettings({path, old_layout, radius});
  }
  audio77::test::TempDir dir;
};

SkinEntry Entry(std::string file, int page) {
  SkinEntry e;
  e.file = std::move(file);
  e.page = page;
  return e;
}

TEST_F(SkinSettingsReaderTest, PictureValuesFillOnlyTheGivenFields) {
  struct Case {
    const char* section;
    const char* key;
    std::string value;
    bool old_layout;
    SkinEntry expected;
  };
  SkinEntry width_only = Entry("bar.png", 1);
  width_only.width = 120;
  width_only.width_given = true;
  SkinEntry hidden_moved = Entry("", 1);
  hidden_moved.left = 10, hidden_moved.top = 20;
  hidden_moved.left_given = hidden_moved.top_given = true;
  SkinEntry all = Entry("a.bmp", 0);
  all.left = 1, all.top = 2, all.width = 3, all.height = 4;
  all.left_given = all.top_given = all.width_given = all.height_given = true;
  SkinEntry lenient = Entry("a.png", 3);
  lenient.left = 12, lenient.top = 0;
  lenient.left_given = lenient.top_given = true;
  SkinEntry seven = all;
  seven.page = 5;
  SkinEntry shifted = Entry("a.png", 1);
  shifted.left = 402, shifted.top = 124;
  shifted.left_given = shifted.top_given = true;
  SkinEntry main_unshifted = Entry("a.png", 0);
  main_unshifted.left = 10, main_unshifted.top = 20;
  main_unshifted.left_given = main_unshifted.top_given = true;
  SkinEntry long_name = Entry(std::string(63, 'n'), 1);
  SkinEntry saturated = Entry("a.png", 1);
  saturated.left = 2147483647, saturated.top = 124;
  saturated.left_given = saturated.top_given = true;

  const Case cases[] = {
      {"EQ", "Back_EQImage", "bg.png", false, Entry("bg.png", 1)},
      {"EQ", "Back_EQImage", "bar.png,,,120", false, width_only},
      {"EQ", "Back_EQImage", ",10,20", false, hidden_moved},
      {"EQ", "Back_EQImage", "a.bmp,1,2,3,4,0", false, all},
      {"EQ", "Back_EQImage", "a.png,12px,x,,,3", false, lenient},
      {"EQ", "Back_EQImage", "a.bmp,1,2,3,4,5,6,7", false, seven},
      {"EQ", "Back_EQImage", std::string(70, 'n'), false, long_name},
      {"EQ", "Back_EQImage", "a.png,10,20", true, shifted},
      {"EQ", "Back_EQImage", "a.png,2147483647,20", true, saturated},
      {"Main", "MainFormImage", "a.png,10,20", true, main_unshifted},
      {"EQ", "EQ60HzBarDownImage", "a.png,10,20", true,
       [&] {
         SkinEntry e = main_unshifted;
         return e;
       }()},
      {"Mic", "MicBarDownImage", "", false, Entry("", 0)},
      {"3D", "Back_3DImage", "", false, Entry("", 5)},
      {"VoiceMagic", "VMFunctionUpImage", "", true, Entry("", 8)},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    SCOPED_TRACE(testing::Message() << "case " << i << ": " << c.key << "=" << c.value);
    const SkinSettings s = Read(WithRequired({{c.section, c.key, c.value}}), c.old_layout);
    EXPECT_EQ(s.table.Get(c.section, c.key), c.expected);
  }
}

TEST_F(SkinSettingsReaderTest, LogoOfTheAboutWindowIsItsOwnEntry) {
  const SkinSettings s =
      Read(WithRequired({{"Main", "LogoImage", "main.png"}, {"About", "LogoImage", "about.png"}}));
  EXPECT_EQ(s.table.Get("LogoImage").file, "main.png");
  EXPECT_EQ(s.table.Get("About", "LogoImage").file, "about.png");
}

TEST_F(SkinSettingsReaderTest, GeometryAndSwitches) {
  const SkinSettings s = Read(WithRequired({{"ENC", "ENCSlider", "30,200"},
                                            {"Main", "BevelLine", "2"},
                                            {"LED", "LEDPageMode", "1"},
                                            {"LED", "LEDFastRightSide", "1st"},
                                            {"LED", "Color03Shape", "10,20,30,40,7"},
                                            {"LED", "Color04Shape", ",5,5"}}),
                              false, 80);
  const SkinGeometry& g = s.geometry;
  EXPECT_EQ(g.eq.top, 100);
  EXPECT_EQ(g.eq.length, 120);
  EXPECT_EQ(g.d3_length, 120);
  EXPECT_EQ(g.mic.top, 80);
  EXPECT_EQ(g.mic.length, 100);
  EXPECT_EQ(g.mic_progress_length, 150);
  EXPECT_EQ(g.center_x, 200);
  EXPECT_EQ(g.center_y, 150);
  EXPECT_EQ(g.radius, 90);
  EXPECT_EQ(g.previous_radius, 80);
  EXPECT_EQ(g.enc.top, 30);
  EXPECT_EQ(g.enc.length, 200);
  EXPECT_EQ(g.led_page_mode, 1);
  EXPECT_EQ(g.led_fast_right_side, 1);
  EXPECT_TRUE(s.bevel_line);
  EXPECT_FALSE(s.bevel_line2);  // missing hides
  EXPECT_TRUE(s.swatches[2].given);
  EXPECT_EQ(s.swatches[2].bounds, (toolkit::Rect{10, 20, 30, 40}));
  EXPECT_EQ(ShapeForCode(s.swatches[2].shape_code), toolkit::ShapeType::kCircle);
  EXPECT_FALSE(s.swatches[3].given);  // empty first item: not taken
}

TEST_F(SkinSettingsReaderTest, OlderLayoutShiftsTravelsAndCircleButNotEnc) {
  const SkinSettings s = Read(WithRequired({{"ENC", "ENCSlider", "30,200"}}), true);
  EXPECT_EQ(s.geometry.eq.top, 152);
  EXPECT_EQ(s.geometry.eq.length, 120);
  EXPECT_EQ(s.geometry.mic.top, 132);
  EXPECT_EQ(s.geometry.center_x, 396);
  EXPECT_EQ(s.geometry.center_y, 202);
  EXPECT_EQ(s.geometry.enc.top, 30);
}

TEST_F(SkinSettingsReaderTest, MissingOptionalValuesReadAsOff) {
  const SkinSettings s = Read(WithRequired({}));
  EXPECT_FALSE(s.bevel_line);
  EXPECT_EQ(s.geometry.led_page_mode, 0);
  EXPECT_EQ(s.geometry.led_fast_right_side, 0);
  EXPECT_EQ(s.geometry.enc.length, 0);
  EXPECT_EQ(s.table.Get("MainFormImage"), Entry("", 0));
  EXPECT_EQ(s.table.Get("ColorBreatheBarImage"), Entry("", 6));
}

TEST_F(SkinSettingsReaderTest, StrictValuesThatAreNoIntegersFailNamingTheKey) {
  struct Case {
    std::vector<IniRow> rows;
    const char* key;
    const char* value_text;
  };
  const std::vector<IniRow> eq = {{"EQ", "EQSlider", "100,120"}};
  const std::vector<IniRow> mic = {{"Mic", "MicSlider", "80,100"},
                                   {"Mic", "MicProgressLength", "150"}};
  const std::vector<IniRow> circle = {{"Virtual7ch1", "VirtualCenter", "1,2,3"}};
  const auto join = [](std::vector<IniRow> a, const std::vector<IniRow>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
  };
  const Case cases[] = {
      {{{"Main", "LogoImage", "logo.bmp"}}, "EQSlider", "''"},
      {{{"EQ", "EQSlider", "100"}}, "EQSlider", "''"},
      {{{"EQ", "EQSlider", "100,1.5"}}, "EQSlider", "'1.5'"},
      {join(eq, {{"Mic", "MicSlider", "80,x"}}), "MicSlider", "'x'"},
      {join(eq, {{"Mic", "MicSlider", "80,100"}}), "MicProgressLength", "''"},
      {join(join(eq, mic), {{"Virtual7ch1", "VirtualCenter", "1,2"}}), "VirtualCenter", "''"},
      {join(join(join(eq, mic), circle), {{"Main", "BevelLine", "yes"}}), "BevelLine", "'yes'"},
      {join(join(join(eq, mic), circle), {{"Main", "BevelLine2", "1 2"}}), "BevelLine2", "'1 2'"},
      {join(join(join(eq, mic), circle), {{"LED", "LEDPageMode", "x"}}), "LEDPageMode", "'x'"},
      {join(join(join(eq, mic), circle), {{"LED", "Color03Shape", "1,2,3,4"}}), "Color03Shape",
       "''"},
      {join(join(join(eq, mic), circle), {{"ENC", "ENCSlider", "5"}}), "ENCSlider", "''"},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(testing::Message() << "case " << i << ": " << cases[i].key);
    try {
      Read(cases[i].rows);
      ADD_FAILURE() << "no error";
    } catch (const EConvertError& error) {
      const std::string text = error.what();
      EXPECT_EQ(text.rfind(std::string(cases[i].value_text) + " is not a valid integer value", 0),
                0u)
          << text;
      EXPECT_NE(text.find('"' + std::string(cases[i].key) + '"'), std::string::npos) << text;
    }
  }
}

TEST(SkinGeometryTest, ZeroOrNegativeLengthsAndRadiiNeverDivide) {
  EXPECT_DOUBLE_EQ((SkinTravel{100, 0}.FractionFromBottom(150)), 0.0);
  EXPECT_DOUBLE_EQ((SkinTravel{100, -5}.FractionFromBottom(50)), 0.0);
  EXPECT_EQ((SkinTravel{100, 0}.KnobTop(0.7)), 100);
  EXPECT_DOUBLE_EQ((SkinTravel{100, 120}.FractionFromBottom(100)), 1.0);
  EXPECT_DOUBLE_EQ((SkinTravel{100, 120}.FractionFromBottom(400)), 0.0);
  EXPECT_EQ((SkinTravel{100, 120}.KnobTop(0.5)), 160);
  SkinGeometry g;
  g.radius = 90;
  EXPECT_DOUBLE_EQ(g.RadiusRatio(), 1.0);
  g.previous_radius = 60;
  EXPECT_DOUBLE_EQ(g.RadiusRatio(), 1.5);
}

}  // namespace
}  // namespace audio77::ui
