// The bee test of the real program with a real sound server: ticking the box
// plays "bee.wav" in a loop through the default output while the bee flies,
// clearing it stops the sound, and closing the window while it plays leaves
// no stream behind.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "../WindowScenario.h"

namespace audio77::test {
namespace {

class BeeSoundScenario : public WindowScenario {
 protected:
  static bool Playing() {
    return RunProcess("/usr/bin/pactl", {"list", "sink-inputs"}).out.find("Media player") != std::string::npos;
  }
  static bool Eventually(const std::function<bool()>& condition) {
    return WaitUntil(condition, std::chrono::seconds(20));
  }
};

TEST_F(BeeSoundScenario, TheBeeSoundLoopsWhileTheBoxIsTickedAndNothingIsLeftAfterTheWindowsEnd) {
  ASSERT_NE(std::getenv("PULSE_SERVER"), nullptr) << "run through ctest, which starts the sound server";
  Start();
  Do({"click", "PageVirtual7p1Label"});
  EXPECT_FALSE(Playing());
  Do({"click", "BeeCheckBox"});
  ASSERT_TRUE(Eventually(Playing)) << program_->Err();
  // The sound is 1.2 seconds long; it starts again within 100 ms of its end.
  std::this_thread::sleep_for(std::chrono::milliseconds(1600));
  EXPECT_TRUE(Eventually(Playing));
  Do({"click", "BeeCheckBox"});
  EXPECT_TRUE(Eventually([] { return !Playing(); })) << program_->Err();

  Do({"click", "BeeCheckBox"});
  ASSERT_TRUE(Eventually(Playing)) << program_->Err();
  EXPECT_EQ(Close(), 0);
  EXPECT_TRUE(Eventually([] { return !Playing(); }));
}

}  // namespace
}  // namespace audio77::test
