#include "device/SignedText.h"

#include <gtest/gtest.h>

#include <array>

#include "device/Base64.h"

namespace audio77 {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Made with an independent DES implementation (openssl enc -des-cbc, key "KiteTune", zero IV).
constexpr std::string_view kAudioPattern = "USB\\VID_2E8D&PID_77XX&REV_0100&MI_00";
constexpr std::string_view kAudioSignature = "Dfyp5z1FYArjjH+c9djT2ynciFbv1NZjZWINnW/qPl/dL4SXz64XfA==";

TEST(Base64Decode, AlphabetPaddingAndLimits) {
  struct Case {
    std::string text;
    int result;
    Bytes bytes;
  };
  const Case cases[] = {
      {"QQ==", 0, {'A'}},
      {"QUI=", 0, {'A', 'B'}},
      {"QUJD", 0, {'A', 'B', 'C'}},
      {"+/+/", 0, {0xFB, 0xFF, 0xBF}},
      {"QUJDRA==", 0, {'A', 'B', 'C', 'D'}},
      {"", 1, {}},
      {"QUJ", 1, {}},
      {"QUJDR", 1, {}},
      {"QU I", 3, {}},
      {"QUJ-", 3, {}},
      {"QUJ\n", 3, {}},
      {std::string(1364, 'A'), 0, Bytes(1023, 0)},
      {std::string(1368, 'A'), 2, {}},
      {std::string(4000, 'A'), 2, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 16));
    Bytes bytes{9, 9};
    EXPECT_EQ(Base64::Decode(c.text, bytes), c.result);
    EXPECT_EQ(bytes, c.bytes);
  }
}

TEST(SignedText, SignsAsTheIndependentImplementationAndDecodesBack) {
  EXPECT_EQ(SignedText::Sign(kAudioPattern), kAudioSignature);
  EXPECT_EQ(SignedText::Sign(""), "fAeGvDAHCVI=");

  std::array<std::uint8_t, 4096> output{};
  output.fill(0xEE);
  std::size_t length = 0;
  ASSERT_EQ(SignedText::DecodeSignedText(kAudioSignature, output, length), 0);
  EXPECT_EQ(std::string_view(reinterpret_cast<const char*>(output.data()), length), kAudioPattern);
  EXPECT_EQ(output[length], 0) << "the rest of the output is zeroed";
}

TEST(SignedText, DecodeFailures) {
  struct Case {
    const char* name;
    std::string signature;
    std::size_t capacity;
    int result;
  };
  const Case cases[] = {
      {"not Base64", "Dfyp5z1F!ArjjH+c", 4096, 1},
      {"length not a multiple of 4", "Dfyp5z1FYAr", 4096, 1},
      {"not whole DES blocks", "QUJDREVGRw==", 4096, 2},
      {"padding bytes disagree", "siY0MiAX16M=", 4096, 2},
      {"padding byte zero", "7en0RBgfndg=", 4096, 2},
      {"last block cut off", "cvhdYnyKllA=", 4096, 2},
      {"output smaller than the cipher text", std::string(kAudioSignature), 39, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::uint8_t> output(c.capacity, 0xEE);
    std::size_t length = 77;
    EXPECT_EQ(SignedText::DecodeSignedText(c.signature, output, length), c.result);
    EXPECT_EQ(length, 77u);
  }
  std::vector<std::uint8_t> exact(40);
  std::size_t length = 0;
  EXPECT_EQ(SignedText::DecodeSignedText(kAudioSignature, exact, length), 0);
  EXPECT_EQ(length, kAudioPattern.size());
}

}  // namespace
}  // namespace audio77
