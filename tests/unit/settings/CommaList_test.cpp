#include "settings/CommaList.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace audio77 {
namespace {

TEST(CommaList, SplitsAtCommasWithQuotedItems) {
  const std::pair<const char*, std::vector<std::string>> cases[] = {
      {"a.bmp,10,20", {"a.bmp", "10", "20"}},
      {" spaced item , b", {" spaced item ", " b"}},
      {"a,,b,", {"a", "", "b", ""}},
      {",", {"", ""}},
      {"", {}},
      {"\"x,y\",2", {"x,y", "2"}},
      {"\"say \"\"hi\"\"\",z", {"say \"hi\"", "z"}},
      {"\"open,end", {"open,end"}},
      {"\"q\"tail,n", {"qtail", "n"}},
      {"mid\"quote,n", {"mid\"quote", "n"}},
  };
  for (const auto& [text, expected] : cases) {
    SCOPED_TRACE(text);
    std::array<std::string, 8> slots;
    slots.fill("left over");  // the array of an earlier, longer list
    const int count = SplitCommaList(text, slots);
    ASSERT_EQ(count, static_cast<int>(expected.size()));
    std::vector<std::string> all = expected;
    all.resize(slots.size());
    EXPECT_EQ(std::vector<std::string>(slots.begin(), slots.end()), all);
  }
}

TEST(CommaList, TheSlotsBoundCountAndLength) {
  std::array<std::string, 2> slots{"old", "old"};
  EXPECT_EQ(SplitCommaList("1,2,3", slots), 2);
  EXPECT_EQ(slots[1], "2");

  std::array<std::string, 3> wide;
  const std::string long_item(200, 'a');
  const std::string accented = std::string(126, 'b') + "\xC3\xA9\xC3\xA9";
  EXPECT_EQ(SplitCommaList(long_item + "," + accented + ",c", wide), 3);
  EXPECT_EQ(wide[0], std::string(127, 'a'));
  EXPECT_EQ(wide[1], std::string(126, 'b') + "\xC3\xA9");
  EXPECT_EQ(wide[2], "c");
}

}  // namespace
}  // namespace audio77
