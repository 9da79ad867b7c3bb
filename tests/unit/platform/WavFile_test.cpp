// WAVE files: what we write reads back; every malformed file is refused,
// never read past its end.
#include "platform/WavFile.h"

#include <gtest/gtest.h>

#include <string>

namespace audio77 {
namespace {

std::vector<std::uint8_t> Sample() {
  return WavFile::Write(WavSound{WaveFormat{SampleFormat::kS16LE, 8000, 1}, {1, 2, 3, 4, 5, 6}});
}

TEST(WavFile, WrittenFilesReadBackWithTheirLength) {
  const auto bytes = Sample();
  ASSERT_EQ(bytes.size(), 50u);
  const auto sound = WavFile::Parse(bytes);
  ASSERT_TRUE(sound.has_value());
  EXPECT_EQ(sound->format, (WaveFormat{SampleFormat::kS16LE, 8000, 1}));
  EXPECT_EQ(sound->samples, (std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6}));
  const WavSound second{WaveFormat{SampleFormat::kU8, 8000, 1}, std::vector<std::uint8_t>(4000, 128)};
  EXPECT_EQ(second.LengthMs(), 500u);
}

TEST(WavFile, OtherChunksAreSkippedAndAShortDataChunkIsCutToWholeFrames) {
  auto bytes = Sample();
  // A "LIST" chunk of odd length (padded) between "fmt " and "data".
  const std::vector<std::uint8_t> list{'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0};
  bytes.insert(bytes.begin() + 36, list.begin(), list.end());
  ASSERT_EQ(WavFile::Parse(bytes)->samples.size(), 6u);
  // The data chunk claims more than the file holds and ends mid-frame.
  bytes.pop_back();
  EXPECT_EQ(WavFile::Parse(bytes)->samples, (std::vector<std::uint8_t>{1, 2, 3, 4}));
}

TEST(WavFile, MalformedFilesAreRefused) {
  struct Case {
    const char* what;
    std::size_t at;
    std::uint8_t value;
  };
  const Case cases[] = {
      {"not RIFF", 0, 'X'},       {"not WAVE", 8, 'X'},         {"compressed", 20, 2},
      {"three channels", 22, 3},  {"no channels", 22, 0},       {"24-bit", 34, 24},
      {"rate 0", 24, 0},          {"fmt chunk too short", 16, 8}, {"chunk past the end", 19, 0x7F},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    auto bytes = Sample();
    bytes[c.at] = c.value;
    if (std::string(c.what) == "rate 0") bytes[25] = 0;
    EXPECT_FALSE(WavFile::Parse(bytes).has_value());
  }
  const auto whole = Sample();
  for (std::size_t length = 0; length < 44; ++length) {
    SCOPED_TRACE(length);
    EXPECT_FALSE(WavFile::Parse(std::span(whole.data(), length)).has_value());
  }
}

}  // namespace
}  // namespace audio77
