#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "platform/InProcessFileGuard.h"
#include "settings/PrivateProfile.h"
#include "support/TempDir.h"

namespace audio77 {
namespace {

TEST(PrivateProfileThreads, ConcurrentWritersKeepEachOthersKeys) {
  test::TempDir dir;
  const std::string path = dir.File("shared.ini");
  constexpr int kWriters = 4;
  constexpr int kKeysEach = 25;
  InProcessFileGuard guard;  // one program's guard and reader, shared by its threads
  PrivateProfile profiles(guard);
  std::vector<std::thread> writers;
  for (int w = 0; w < kWriters; ++w) {
    writers.emplace_back([&profiles, &path, w] {
      for (int k = 0; k < kKeysEach; ++k) {
        const std::string section = "W" + std::to_string(w);
        profiles.WriteString(section, "k" + std::to_string(k), std::to_string(w * 100 + k), path);
        // A reader in between always sees a whole file.
        EXPECT_EQ(profiles.GetString(section, "k0", "missing", 32, path), std::to_string(w * 100));
      }
    });
  }
  for (auto& writer : writers) writer.join();
  for (int w = 0; w < kWriters; ++w) {
    for (int k = 0; k < kKeysEach; ++k) {
      EXPECT_EQ(profiles.GetString("W" + std::to_string(w), "k" + std::to_string(k), "", 32, path),
                std::to_string(w * 100 + k));
    }
  }
}

}  // namespace
}  // namespace audio77
