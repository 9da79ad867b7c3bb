// The real program on the virtual device with a real sound server: the
// device's microphone appears there, the Mic page's meter captures while the
// page shows, Monitor writes the chip's registers and routes the microphone
// to the output, Mute reaches the source, and closing leaves nothing behind.
#include <gtest/gtest.h>

#include "../WindowScenario.h"

namespace audio77::test {
namespace {

class MicrophoneScenario : public WindowScenario {
 protected:
  static ProcessResult Pactl(const std::vector<std::string>& args) { return RunProcess("/usr/bin/pactl", args); }
  static bool Has(const std::vector<std::string>& args, const std::string& part) {
    return Pactl(args).out.find(part) != std::string::npos;
  }
  static bool Eventually(const std::function<bool()>& condition) {
    return WaitUntil(condition, std::chrono::seconds(20));
  }
};

TEST_F(MicrophoneScenario, MeterMonitorMuteAndShutdownOnTheSoundServer) {
  ASSERT_NE(std::getenv("PULSE_SERVER"), nullptr) << "run through ctest, which starts the sound server";
  Start();
  const std::vector<std::string> sources{"list", "short", "sources"};
  ASSERT_TRUE(Eventually([&] { return Has(sources, "audio77_virtual_mic"); })) << Pactl(sources).out << Pactl(sources).err << program_->Err();
  const std::vector<std::string> outputs{"list", "source-outputs"};
  EXPECT_FALSE(Has(outputs, "Input level")) << "captured while the Mic page is not shown";

  Do({"click", "PageMicLabel"});
  EXPECT_TRUE(Eventually([&] { return Has(outputs, "Input level"); }));

  std::size_t mark = Mark();
  Do({"click", "MicMonitorLabel"});
  const auto traffic = TrafficSince(mark);
  ASSERT_EQ(traffic.size(), 3u);
  EXPECT_EQ(traffic[0].rfind("lib DLLQK_Read_Register_ById 512", 0), 0u) << traffic[0];
  EXPECT_EQ(traffic[1], "lib DLLQK_Write_Register_ById 512 0x04 0x00");
  EXPECT_EQ(traffic[2], "lib DLLQK_Write_Register_ById 560 0x20 0x00");
  const std::vector<std::string> modules{"list", "short", "modules"};
  EXPECT_TRUE(Has(modules, "source=\"audio77_virtual_mic\"")) << Pactl(modules).out;

  Do({"click", "MicMuteLabel"});
  EXPECT_TRUE(Has({"get-source-mute", "audio77_virtual_mic"}, "yes"));

  // Monitor mode 1: off leaves the registers alone and takes the route away.
  mark = Mark();
  Do({"click", "MicMonitorLabel"});
  EXPECT_TRUE(TrafficSince(mark).empty());
  EXPECT_FALSE(Has(modules, "module-loopback"));

  Do({"click", "PageEQLabel"});
  EXPECT_TRUE(Eventually([&] { return !Has(outputs, "Input level"); }));

  Do({"click", "PageMicLabel"});
  Do({"click", "MicMonitorLabel"});
  EXPECT_TRUE(Has(modules, "module-loopback"));
  EXPECT_EQ(Close(), 0);
  EXPECT_FALSE(Has(modules, "audio77")) << Pactl(modules).out;
  EXPECT_FALSE(Has(modules, "module-loopback"));
  EXPECT_FALSE(Has(outputs, "Input level"));
  EXPECT_FALSE(std::filesystem::exists(state_.path() / "audio77" / "RecordTest.pcm"));
}

}  // namespace
}  // namespace audio77::test
