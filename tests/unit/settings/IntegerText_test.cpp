#include "settings/IntegerText.h"

#include <gtest/gtest.h>

#include <optional>

#include "settings/EConvertError.h"

namespace audio77 {
namespace {

TEST(IntegerText, StrictConversionAcceptsDecimalAndHexadecimalOnly) {
  const std::pair<const char*, std::optional<std::int32_t>> cases[] = {
      {"42", 42},          {"  -7", -7},        {"+15", 15},       {"2147483647", 2147483647},
      {"-2147483648", -2147483647 - 1},         {"$1F", 31},       {"x10", 16},
      {"0x7fffffff", 2147483647},               {"0XFFFFFFFF", -1}, {"-$10", -16},
      {"", std::nullopt},  {" ", std::nullopt}, {"2147483648", std::nullopt},
      {"-2147483649", std::nullopt},            {"12 ", std::nullopt}, {"1.5", std::nullopt},
      {"\t1", std::nullopt}, {"0x", std::nullopt}, {"$100000000", std::nullopt}, {"abc", std::nullopt},
      {"- 1", std::nullopt},
  };
  for (const auto& [text, expected] : cases) {
    SCOPED_TRACE(text);
    EXPECT_EQ(TryStrToInt(text), expected);
    if (expected) {
      EXPECT_EQ(StrToInt(text), *expected);
    } else {
      try {
        StrToInt(text);
        ADD_FAILURE() << "no error";
      } catch (const EConvertError& error) {
        EXPECT_EQ(std::string(error.what()), "'" + std::string(text) + "' is not a valid integer value");
      }
      EXPECT_EQ(StrToIntDef(text, 99), 99);
    }
  }
}

TEST(IntegerText, LenientConversionTakesLeadingDigitsAndNeverThrows) {
  const std::pair<const char*, std::int32_t> cases[] = {
      {"15", 15}, {" \t-3x", -3}, {"abc", 0}, {"", 0}, {"+", 0}, {"12.9", 12},
      {"99999999999", 2147483647}, {"-99999999999999999999", -2147483647 - 1}, {"0x10", 0},
  };
  for (const auto& [text, expected] : cases) {
    SCOPED_TRACE(text);
    EXPECT_EQ(LeadingInt(text), expected);
  }
  EXPECT_EQ(LeadingIntOr("", 1), 1);
  EXPECT_EQ(LeadingIntOr("0", 1), 0);
  EXPECT_EQ(LeadingIntOr("x", 1), 0);
}

}  // namespace
}  // namespace audio77
