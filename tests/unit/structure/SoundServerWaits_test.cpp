// Keeps every wait for the sound server bounded: the UI thread blocks on
// libpulse only inside PulseConnection::WaitUntil, whose deadline timer ends
// every wait, and nothing uses libpulse's blocking "simple" interface.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "support/TempDir.h"

namespace audio77 {
namespace {

namespace fs = std::filesystem;

std::size_t Occurrences(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

TEST(SoundServerWaits, OnlyTheConnectionWaitsAndItWaitsWithADeadline) {
  std::size_t files = 0;
  for (const auto& root : {"src", "sim"}) {
    for (const auto& entry : fs::recursive_directory_iterator(test::SourceDir() / root)) {
      const auto extension = entry.path().extension();
      if (extension != ".cpp" && extension != ".h") continue;
      std::ifstream in(entry.path());
      std::stringstream text;
      text << in.rdbuf();
      const std::string source = text.str();
      if (source.find("pulse/") == std::string::npos && source.find("pa_") == std::string::npos) continue;
      ++files;
      SCOPED_TRACE(entry.path().string());
      EXPECT_EQ(Occurrences(source, "pulse/simple.h"), 0u);
      EXPECT_EQ(Occurrences(source, "pa_simple_"), 0u);
      const std::size_t waits = Occurrences(source, "pa_threaded_mainloop_wait(");
      if (entry.path().filename() == "PulseConnection.cpp") {
        EXPECT_EQ(waits, 1u);
        EXPECT_EQ(Occurrences(source, "while (!done() && !expiry.expired) pa_threaded_mainloop_wait(loop_);"), 1u);
      } else {
        EXPECT_EQ(waits, 0u);
      }
    }
  }
  EXPECT_GT(files, 0u);
}

}  // namespace
}  // namespace audio77
