#include "ui/RegionFile.h"

#include <gtest/gtest.h>

#include "SkinFixture.h"

namespace audio77::ui {
namespace {

using test::RegionBytes;
using toolkit::Rect;

std::optional<RegionShape> Parse(const std::string& bytes) {
  return ParseRegionData(
      std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

TEST(RegionFileTest, RectanglesBecomeTheShape) {
  // Edges as left, top, right, bottom.
  const auto shape = Parse(RegionBytes({{2, 0, 98, 1}, {0, 1, 100, 59}, {2, 59, 98, 60}}, 1,
                                       std::nullopt, {0, 0, 100, 60}));
  ASSERT_TRUE(shape);
  EXPECT_EQ(shape->region.Rects(),
            (std::vector<Rect>{{2, 0, 96, 1}, {0, 1, 100, 58}, {2, 59, 96, 1}}));
  EXPECT_EQ(shape->bound_right, 100);
  EXPECT_EQ(shape->bound_bottom, 60);
  EXPECT_FALSE(shape->region.Contains({0, 0}));
  EXPECT_TRUE(shape->region.Contains({0, 1}));
}

TEST(RegionFileTest, BadDataGivesNoShape) {
  const std::string good = RegionBytes({{0, 0, 10, 10}});
  struct Case {
    const char* what;
    std::string bytes;
  };
  const Case cases[] = {
      {"empty", ""},
      {"short header", good.substr(0, 31)},
      {"header only, no rectangles", RegionBytes({})},
      {"type 2", RegionBytes({{0, 0, 10, 10}}, 2)},
      {"count beyond the file", RegionBytes({{0, 0, 10, 10}}, 1, 2)},
      {"huge count", RegionBytes({{0, 0, 10, 10}}, 1, -2)},
      {"rectangle cut short", good.substr(0, good.size() - 1)},
      {"only empty and inverted rectangles",
       RegionBytes({{5, 5, 5, 9}, {9, 9, 3, 12}, {0, 9, 4, 2}})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_FALSE(Parse(c.bytes));
  }
}

TEST(RegionFileTest, EmptyInvertedAndOverwideRectanglesAreSkipped) {
  const auto shape = Parse(RegionBytes({{5, 5, 5, 9},
                                        {0, 0, 10, 10},
                                        {9, 9, 3, 12},
                                        {-2147483647 - 1, 0, 2147483647, 5},
                                        {20, 20, 21, 21}}) +
                           "trailing bytes are ignored");
  ASSERT_TRUE(shape);
  EXPECT_EQ(shape->region.Rects(), (std::vector<Rect>{{0, 0, 10, 10}, {20, 20, 1, 1}}));
}

TEST(RegionFileTest, BoundsOfFarApartRectanglesStayWithinAnInt) {
  constexpr int kMax = 2147483647;
  struct Case {
    const char* what;
    std::vector<Rect> edges;  // left, top, right, bottom
    Rect bounds;
  };
  const Case cases[] = {
      {"near", {{0, 0, 10, 10}, {20, 5, 30, 40}}, {0, 0, 30, 40}},
      {"across the whole range in x", {{-2000000000, 0, -1999999990, 10}, {1000000000, 0, 1000000010, 10}},
       {-2000000000, 0, kMax, 10}},
      {"across the whole range in y", {{0, -2000000000, 10, -1999999990}, {0, 2000000000, 10, 2000000010}},
       {0, -2000000000, 10, kMax}},
      {"far right", {{0, 0, 10, 10}, {kMax - 10, kMax - 10, kMax, kMax}}, {0, 0, kMax, kMax}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const auto shape = Parse(RegionBytes(c.edges));
    ASSERT_TRUE(shape);
    const Rect bounds = shape->region.Bounds();
    EXPECT_EQ(bounds, c.bounds);
    EXPECT_GE(static_cast<long long>(bounds.left) + bounds.width, bounds.left) << "the right edge is an int";
  }
}

TEST(RegionFileTest, MissingFileIsAnErrorAndAnUnusableOneNoShape) {
  audio77::test::TempDir dir;
  EXPECT_THROW(ReadRegionFile(dir.File("none.rgn")), RegionFileError);
  EXPECT_FALSE(ReadRegionFile(dir.Write("bad.rgn", "not a region")));
  EXPECT_TRUE(ReadRegionFile(dir.Write("good.rgn", RegionBytes({{0, 0, 4, 4}}))));
}

}  // namespace
}  // namespace audio77::ui
