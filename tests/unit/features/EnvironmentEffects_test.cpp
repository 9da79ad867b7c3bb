// Environment effects: the requests to the driver and the buttons shown.
#include "features/EnvironmentEffects.h"

#include <gtest/gtest.h>

#include "FeatureFixture.h"

namespace audio77 {
namespace {

using test::FeatureFixture;
using test::Joined;
using Strings = std::vector<std::string>;

bool Starts(const std::string& line, const std::string& prefix) { return line.rfind(prefix, 0) == 0; }

TEST(EnvironmentEffects, EachEnvironmentIsSelectedAndAppliedAndShown) {
  struct Case {
    int n;
    const char* index;  // as the request's 4-byte input
    const char* button;
    const char* down_key;
    const char* picture;
  };
  const Case cases[] = {
      {1, "00000000", "EffectButtonNonImage", "EffectButtonNonImageDown", "EffectPicNonImage"},
      {2, "01000000", "EffectButtonTheaterImage", "EffectButtonTheaterImageDown", "EffectPicTheaterImage"},
      {3, "02000000", "EffectButtonStoneGalleryImage", "EffectButtonBathroomImageDown", "EffectPicBathroomImage"},
      {4, "03000000", "EffectButtonLivingroomImage", "EffectButtonLivingroomImageDown", "EffectPicLivingroomImage"},
      {5, "04000000", "EffectButtonBathroomImage", "EffectButtonStoneGalleryImageDown", "EffectPicStoneGalleryImage"},
  };
  FeatureFixture<EnvironmentEffects> f;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.n);
    f.feature->SelectEffect(c.n);
    const auto traffic = f.Take();
    ASSERT_EQ(traffic.size(), 2u) << Joined(traffic);
    EXPECT_TRUE(Starts(traffic[0], std::string("ext 0x08232008 in=") + c.index)) << traffic[0];
    EXPECT_TRUE(Starts(traffic[1], "ext 0x08232000 in=01000000")) << traffic[1];
    EXPECT_EQ(f.feature->Current(), c.n);
    EXPECT_EQ(f.view.skin[c.button], c.down_key);
    EXPECT_EQ(f.view.skin["EffectPicImage"], c.picture);
    int pressed = 0;
    for (const auto& [tag, down] : f.view.highlighted) pressed += down ? 1 : 0;
    EXPECT_EQ(pressed, 1);
    EXPECT_TRUE(f.view.highlighted[EnvironmentEffects::TagOf(c.n)]);
  }
}

TEST(EnvironmentEffects, NumberOutsideTheButtonsIsSentAndLeavesThePicture) {
  FeatureFixture<EnvironmentEffects> f;
  f.feature->SelectEffect(2);
  f.Take();
  f.feature->SelectEffect(7);
  const auto traffic = f.Take();
  ASSERT_EQ(traffic.size(), 2u);
  EXPECT_TRUE(Starts(traffic[0], "ext 0x08232008 in=06000000")) << traffic[0];
  EXPECT_EQ(f.view.skin["EffectPicImage"], "EffectPicTheaterImage");
  EXPECT_EQ(f.view.skin["EffectButtonTheaterImage"], "EffectButtonTheaterImageUp");
}

TEST(EnvironmentEffects, DriverWithoutExtensionStillShowsTheChoice) {
  FeatureFixture<EnvironmentEffects> f("[Faults]\next=missing\n");
  f.feature->SelectEffect(4);
  EXPECT_EQ(f.feature->Current(), 4);
  EXPECT_EQ(f.view.skin["EffectButtonLivingroomImage"], "EffectButtonLivingroomImageDown");
}

}  // namespace
}  // namespace audio77
