#include "windows/WebAddress.h"

#include <gtest/gtest.h>

#include <string>

namespace audio77 {
namespace {

struct Case {
  std::string text;
  std::string opened;  // empty: nothing is opened
};

TEST(WebAddress, OnlyPlainWebAddressesAreOpened) {
  const Case cases[] = {
      {"https://audio77.example/support", "https://audio77.example/support"},
      {"HTTP://audio77.example", "HTTP://audio77.example"},
      {"  www.audio77.example  ", "https://www.audio77.example"},
      {"javascript:alert(1)", ""},
      {"file:///etc/passwd", ""},
      {"/usr/bin/xterm", ""},
      {"-e xterm", ""},
      {"audio77.example", ""},
      {"https://", ""},
      {"https:///etc/passwd", ""},
      {"https://a.example/x y", ""},
      {"https://a.example/\"; rm -rf ~", ""},
      {"https://a.example/\n", "https://a.example/"},
      {"https://a.example/\tx", ""},
      {"", ""},
      {"(null)", ""},
  };
  for (const Case& c : cases) {
    const auto address = SafeWebAddress(c.text);
    EXPECT_EQ(address.value_or(""), c.opened) << "text: " << c.text;
  }
}

TEST(WebAddress, AnAddressLongerThanAnyoneTypesIsRefused) {
  EXPECT_FALSE(SafeWebAddress("https://a.example/" + std::string(10000, 'a')));
  EXPECT_TRUE(SafeWebAddress("https://a.example/" + std::string(kLongestWebAddress - 18, 'a')));
}

}  // namespace
}  // namespace audio77
