// The toolkit's demo program renders its form offscreen to a PNG.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>

#include "support/ProcessRunner.h"
#include "support/TempDir.h"

namespace audio77::test {
namespace {

// The demo is a tool of the build, not part of the program folder.
std::string DemoProgram() {
  return (DistDir().parent_path() / "tools" / "toolkit-demo" / "toolkit-demo").string();
}

std::uint32_t BigEndian32(const std::string& bytes, std::size_t at) {
  std::uint32_t v = 0;
  for (std::size_t i = 0; i < 4; ++i) v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
  return v;
}

TEST(ToolkitDemo, RendersTheDemoFormToAPng) {
  ASSERT_TRUE(std::filesystem::exists(DemoProgram())) << DemoProgram();
  TempDir dir;
  const auto result = RunProcess(DemoProgram(), {"--render", dir.File("demo.png")},
                                 {{"QT_QPA_PLATFORM", "offscreen"}});
  ASSERT_EQ(result.exit_code, 0) << result.err;
  const std::string png = dir.Read("demo.png");
  ASSERT_GE(png.size(), 24u);
  EXPECT_EQ(png.substr(1, 3), "PNG");
  EXPECT_EQ(BigEndian32(png, 16), 480u);
  EXPECT_EQ(BigEndian32(png, 20), 320u);
}

TEST(ToolkitDemo, RefusesUnknownArgumentsAndUnwritableFiles) {
  const std::map<std::string, std::string> env{{"QT_QPA_PLATFORM", "offscreen"}};
  const auto usage = RunProcess(DemoProgram(), {"--bogus"}, env);
  EXPECT_EQ(usage.exit_code, 2);
  EXPECT_NE(usage.err.find("usage"), std::string::npos);
  TempDir dir;
  const auto failed =
      RunProcess(DemoProgram(), {"--render", dir.File("missing/folder/demo.png")}, env);
  EXPECT_EQ(failed.exit_code, 1);
  EXPECT_NE(failed.err.find("cannot write"), std::string::npos);
}

}  // namespace
}  // namespace audio77::test
