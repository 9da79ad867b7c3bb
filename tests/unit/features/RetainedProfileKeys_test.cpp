#include "features/RetainedProfileKeys.h"

#include <gtest/gtest.h>

#include "platform/InProcessFileGuard.h"
#include "settings/EConvertError.h"
#include "settings/ProfileFileReader.h"
#include "settings/ProfileFileWriter.h"
#include "support/TempDir.h"

namespace audio77 {
namespace {

RetainedProfileKeys Sample() {
  using Range = RetainedProfileKeys::Range;
  using Kind = RetainedProfileKeys::Kind;
  return RetainedProfileKeys("sample", {{"LED", "LEDEffectMode", "0", Kind::kNumber, Range{0, 3, 0}},
                                        {"LED", "LEDBreatheSpeed", "1", Kind::kNumber, Range{1, 255, std::nullopt}},
                                        {"Virtual7ch1", "C", "480,204", Kind::kPoint, std::nullopt},
                                        {"ENC", "ENCValue", "0", Kind::kWriteOnly, std::nullopt}});
}

TEST(RetainedProfileKeys, KeepsWhatAProfileGaveWithinRangeAndWritesItBack) {
  struct Case {
    const char* file;
    const char* mode;
    const char* speed;
    const char* centre;
  };
  const Case cases[] = {
      {"[Virtual7ch1]\nC=480,204\n", "0", "1", "480,204"},  // nothing else given: the defaults
      {"[LED]\nLEDEffectMode=\nLEDBreatheSpeed=\n[Virtual7ch1]\nC= 7,0x10\n[ENC]\nENCValue=9\n", "0", "1", "7,16"},
      {"[LED]\nLEDEffectMode=3\nLEDBreatheSpeed=0x80\n[Virtual7ch1]\nC=1,2\n", "3", "128", "1,2"},
      {"[LED]\nLEDEffectMode=4\nLEDBreatheSpeed=0\n[Virtual7ch1]\nC=-3,5\n", "0", "1", "-3,5"},  // fallback, nearest end
      {"[LED]\nLEDEffectMode=-1\nLEDBreatheSpeed=99999\n[Virtual7ch1]\nC=0,0\n", "0", "255", "0,0"},
  };
  InProcessFileGuard guard;
  PrivateProfile profiles(guard);
  test::TempDir dir;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    RetainedProfileKeys keys = Sample();
    ProfileFileReader reader(profiles, dir.Write("in.ini", c.file));
    keys.Load(reader);
    ProfileFileWriter writer(profiles, dir.File("out.ini"));
    keys.Save(writer);
    ASSERT_EQ(writer.Commit(), std::nullopt);
    EXPECT_EQ(dir.Read("out.ini"), std::string("[Virtual7ch1]\r\nC=") + c.centre + "\r\n[LED]\r\nLEDEffectMode=" + c.mode +
                                       "\r\nLEDBreatheSpeed=" + c.speed + "\r\n[ENC]\r\nENCValue=0\r\n");
  }
}

TEST(RetainedProfileKeys, AValueItsKindDoesNotTakeStopsTheApply) {
  InProcessFileGuard guard;
  PrivateProfile profiles(guard);
  test::TempDir dir;
  const char* const files[] = {"[LED]\nLEDEffectMode=2\nLEDBreatheSpeed=fast\n[Virtual7ch1]\nC=1,2\n",
                               "[LED]\nLEDEffectMode=2\n[Virtual7ch1]\nC=1\n",
                               "[LED]\nLEDEffectMode=2\n"};  // a point is strict: missing is no number
  for (const char* file : files) {
    SCOPED_TRACE(file);
    RetainedProfileKeys keys = Sample();
    ProfileFileReader reader(profiles, dir.Write("in.ini", file));
    EXPECT_THROW(keys.Load(reader), EConvertError);
    EXPECT_EQ(keys.Value("LED", "LEDEffectMode"), "2");  // what came before stays
    EXPECT_EQ(keys.Value("Virtual7ch1", "C"), "480,204");
  }
}

}  // namespace
}  // namespace audio77
