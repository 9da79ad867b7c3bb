// The device library's header and the virtual library's generic entries are
// written by tools/entries/GenerateEntries.py from its one table; a hand edit of
// either file, or a table change without a new run, shows here. The script
// runs on a copy, so the source tree is never written.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "support/ProcessRunner.h"
#include "support/TempDir.h"

namespace audio77 {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

TEST(GeneratedEntries, TheCheckedInFilesAreWhatTheGeneratorWritesNow) {
  const fs::path source = test::SourceDir();
  const char* generated[] = {"src/device/DLLQK_UsbAudio77xx.h", "sim/dllqk/GenericEntries.cpp",
                             "src/hwlib/UnsupportedEntries.cpp"};

  // The generator writes relative to its own place: give it a tree of its own.
  test::TempDir copy;
  fs::create_directories(copy.path() / "sim/dllqk");
  fs::create_directories(copy.path() / "tools/entries");
  fs::create_directories(copy.path() / "src/device");
  fs::create_directories(copy.path() / "src/hwlib");
  fs::copy_file(source / "tools/entries/GenerateEntries.py", copy.path() / "tools/entries/GenerateEntries.py");
  const auto run = test::RunProcess("/usr/bin/env", {"python3", copy.File("tools/entries/GenerateEntries.py")});
  ASSERT_EQ(run.exit_code, 0) << run.err;

  for (const char* file : generated) {
    SCOPED_TRACE(file);
    const std::string expected = ReadFile(copy.path() / file);
    ASSERT_FALSE(expected.empty());
    EXPECT_TRUE(ReadFile(source / file) == expected)
        << file << " differs from what the generator writes: run python3 tools/entries/GenerateEntries.py";
  }
}

}  // namespace
}  // namespace audio77
