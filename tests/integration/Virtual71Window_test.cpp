// The virtual 7.1 page of the real program on the virtual device, driven as a
// person would: speakers dragged, the animation switches held on for a few
// hundred milliseconds, the exclusion with 3D, RESET, unplug and plug, the
// bee test and shutdown. What the device got is read back from trace.log and
// from `audio77ctl virtual status`, which decodes the last placement block.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <chrono>
#include <cmath>
#include <fstream>
#include <thread>

#include "WindowScenario.h"

namespace audio77 {
namespace {

using test::Joined;
using test::ScenarioOptions;
using test::WaitUntil;
using Strings = std::vector<std::string>;
using Json = nlohmann::json;

constexpr double kPi = 3.14159265;
constexpr double kDegree = 0.0174532925;
// The bundled skins' speaker circle.
constexpr int kCx = 364, kCy = 264, kRadius = 120;
// Speakers in the block's order.
constexpr int kC = 2, kSub = 3;

struct Point {
  int x = 0, y = 0;
};

class Virtual71Window : public test::WindowScenario {
 protected:
  void OpenPage() { Do({"click", "PageVirtual7p1Label"}); }
  Point At(const std::string& control) const {
    const std::string line = Get(control);
    return {std::stoi(test::FieldOf(line, "x")), std::stoi(test::FieldOf(line, "y"))};
  }
  Json Virtual71() const {
    const auto result = Ctl({"virtual", "status", "--json"});
    EXPECT_EQ(result.exit_code, 0) << result.err;
    return Json::parse(result.out)["virtual71"];
  }
  static double Distance(const Json& v71, int speaker) {
    return v71["placement"]["speakers"][speaker]["distance"].get<double>();
  }
  static double Angle(const Json& v71, int speaker) { return v71["placement"]["speakers"][speaker]["angle"].get<double>(); }
  // The placement blocks and library switches sent since mark.
  std::size_t Blocks(std::size_t mark) const { return Only(TrafficSince(mark), "lib DLLQK_SetVirtual7ch1 ").size(); }
  static Strings Only(const Strings& traffic, const std::string& prefix) {
    Strings out;
    for (const auto& line : traffic) {
      if (line.rfind(prefix, 0) == 0) out.push_back(line);
    }
    return out;
  }
  // Holds an animation switch on for ms; the blocks it sent.
  std::size_t Hold(const std::string& label, int ms) {
    const std::size_t mark = Mark();
    Do({"click", label});
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    Do({"click", label});
    return Blocks(mark);
  }
  std::string LastProfileValue(const std::string& key) const {
    std::ifstream in(UserFolder() / "LastProfile.ini", std::ios::binary);
    bool inside = false;
    for (std::string line; std::getline(in, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (!line.empty() && line.front() == '[') inside = line == "[Virtual7ch1]";
      if (inside && line.rfind(key + "=", 0) == 0) return line.substr(key.size() + 1);
    }
    return "<missing>";
  }
};

TEST_F(Virtual71Window, DragsMoveTheSpeakersInsideTheCircleOnlyAndEachAcceptedStepIsSent) {
  Start();
  OpenPage();
  ASSERT_EQ(At("VirtualCImage").x, kCx);
  ASSERT_EQ(At("VirtualCImage").y, kCy - 96);
  std::size_t mark = Mark();
  Do({"drag", "VirtualCImage", "36", "32"});
  EXPECT_EQ(At("VirtualCImage").x, 400);
  EXPECT_EQ(At("VirtualCImage").y, 200);
  EXPECT_GE(Blocks(mark), 1u) << Joined(TrafficSince(mark));
  Json v71 = Virtual71();
  EXPECT_NEAR(Angle(v71, kC), std::atan2(64.0, 36.0), 1e-4);
  EXPECT_NEAR(Distance(v71, kC), std::hypot(64.0, 36.0) * 1.7 / kRadius, 1e-4);

  // Far out of the circle: the icon stops at the last step inside it.
  mark = Mark();
  Do({"drag", "VirtualCImage", "0", "-300"});
  const Point c = At("VirtualCImage");
  EXPECT_LT(c.y, 200);
  EXPECT_LE((c.x - kCx) * (c.x - kCx) + (c.y - kCy) * (c.y - kCy), kRadius * kRadius);
  v71 = Virtual71();
  EXPECT_LE(Distance(v71, kC), 1.7);
  EXPECT_GT(Distance(v71, kC), 1.5);
}

TEST_F(Virtual71Window, EachSwitchAnimatesWhileOnAndNothingIsSentOnceItIsOff) {
  Start();
  OpenPage();
  Do({"click", "VirtualENLabel"});
  const double c_angle = Angle(Virtual71(), kC);
  // Rotation: one degree a tick, the device one tick behind the records.
  const std::size_t turned = Hold("VirtualClockwiseLabel", 300);
  ASSERT_GE(turned, 3u);
  Json v71 = Virtual71();
  EXPECT_TRUE(v71["on"].get<bool>());
  EXPECT_NEAR(Angle(v71, kC), c_angle + static_cast<double>(turned - 1) * kDegree, 0.03);
  const std::size_t back = Hold("VirtualCounterclockwiseLabel", 200);
  ASSERT_GE(back, 2u);
  EXPECT_NEAR(Angle(Virtual71(), kC), c_angle + (static_cast<double>(turned) - static_cast<double>(back) + 1) * kDegree,
              0.04);

  // No switch on: the timer sleeps and nothing goes out.
  std::size_t mark = Mark();
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  EXPECT_EQ(Blocks(mark), 0u);

  // Narrowing: one pixel a tick, from the 96 of the default layout.
  const std::size_t narrowed = Hold("VirtualNarrowLabel", 300);
  ASSERT_GE(narrowed, 3u);
  const double narrowed_distance = Distance(Virtual71(), kC);
  EXPECT_NEAR(narrowed_distance, (96.0 - static_cast<double>(narrowed)) * 1.7 / kRadius, 0.04);
  // Widening stops once a radius reaches 111: the distance never passes 111.5 / 120 × 1.7.
  const std::size_t widened = Hold("VirtualEnlargeLabel", 1200);
  ASSERT_GE(widened, 3u);
  const double widest = Distance(Virtual71(), kC);
  EXPECT_GT(widest, narrowed_distance);
  EXPECT_LE(widest, 111.5 * 1.7 / kRadius + 0.02);
  if (widened > 40) {
    EXPECT_GT(widest, 109.0 * 1.7 / kRadius) << "held long enough to reach the limit";
  }
  mark = Mark();
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_EQ(Blocks(mark), 0u);
}

TEST_F(Virtual71Window, ThreeDAndVirtual71ExcludeEachOtherAndResetBringsTheLayoutBack) {
  ScenarioOptions options;
  options.config = {{"DefaultSet", "3DV7ch1MutuallyExclusive", "1"}};
  Start(options);
  Do({"click", "EQ3DENLabel"});
  OpenPage();
  std::size_t mark = Mark();
  Do({"click", "VirtualENLabel"});
  EXPECT_TRUE(test::InOrder(TrafficSince(mark), {"lib DLLQK_Set3D_OnOff_ById 0", "lib DLLQK_SetVirtual7ch1_OnOff 1",
                                                 "lib DLLQK_SetVirtual7ch1 "}))
      << Joined(TrafficSince(mark));
  EXPECT_TRUE(Virtual71()["on"].get<bool>());
  Do({"click", "PageEQLabel"});
  EXPECT_EQ(Picture("EQ3DENImage"), "button_up.png");
  mark = Mark();
  Do({"click", "EQ3DENLabel"});
  EXPECT_TRUE(test::InOrder(TrafficSince(mark), {"lib DLLQK_SetVirtual7ch1_OnOff 0", "lib DLLQK_Set3D_OnOff_ById 1"}))
      << Joined(TrafficSince(mark));
  EXPECT_FALSE(Virtual71()["on"].get<bool>());
  EXPECT_EQ(Virtual71()["placement"]["enable"].get<int>(), 0);

  // RESET puts a dragged speaker back where the default profile has it.
  OpenPage();
  Do({"drag", "VirtualSUBImage", "40", "-20"});
  ASSERT_NE(At("VirtualSUBImage").x, kCx);
  mark = Mark();
  Do({"click", "VirtualResetLabel"});
  EXPECT_EQ(At("VirtualSUBImage").x, kCx);
  EXPECT_EQ(At("VirtualSUBImage").y, kCy - 60);
  EXPECT_EQ(Blocks(mark), 1u);
  EXPECT_NEAR(Distance(Virtual71(), kSub), 60.0 * 1.7 / kRadius, 1e-4);
}

TEST_F(Virtual71Window, UnplugStopsTheAnimationPlugBringsTheLayoutBackAndShutdownLeavesItOff) {
  Start();
  OpenPage();
  Do({"click", "VirtualENLabel"});
  Do({"drag", "VirtualCImage", "36", "32"});
  Do({"click", "VirtualClockwiseLabel"});
  ASSERT_EQ(Ctl({"virtual", "unplug"}).exit_code, 0);
  ASSERT_TRUE(WaitUntil([&] { return State().find("device_active=0") != std::string::npos; }, kPatience));
  EXPECT_EQ(Picture("VirtualEnableImage"), "button_up.png") << "the switch shows off";
  EXPECT_EQ(Picture("VirtualClockwiseImage"), "v_clockwise_down.png") << "the latch stays";
  const Point parked = At("VirtualCImage");
  std::size_t mark = Mark();
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  EXPECT_EQ(Blocks(mark), 0u);
  EXPECT_EQ(At("VirtualCImage").x, parked.x) << "nothing moves without a device";

  mark = Mark();
  ASSERT_EQ(Ctl({"virtual", "plug"}).exit_code, 0);
  ASSERT_TRUE(WaitUntil([&] { return State().find("device_active=1") != std::string::npos; }, kPatience));
  // The re-sync: the default profile's enable (off), the layout and the scale; then the rotation goes on.
  EXPECT_TRUE(test::InOrder(TrafficSince(mark), {"lib DLLQK_SetVirtual7ch1_OnOff 0", "lib DLLQK_SetVirtual7ch1 ",
                                                 "lib DLLQK_SetVirtual7ch1_Scalar 2"}))
      << Joined(TrafficSince(mark));
  ASSERT_TRUE(WaitUntil([&] { return At("VirtualCImage").x != parked.x; }, kPatience));

  mark = Mark();
  EXPECT_EQ(Close(), 0);
  const Strings traffic = TrafficSince(mark);
  EXPECT_TRUE(test::InOrder(traffic, {"lib DLLQK_SetVirtual7ch1_OnOff 0", "lib DLLQK_SetVirtual7ch1 "})) << Joined(traffic);
  const Json v71 = Virtual71();
  EXPECT_FALSE(v71["on"].get<bool>());
  EXPECT_EQ(v71["placement"]["enable"].get<int>(), 0);
  // The reset layout went out last.
  EXPECT_NEAR(Distance(v71, kC), 96.0 * 1.7 / kRadius, 1e-4);
}

TEST_F(Virtual71Window, TheBeeTestCirclesAndSendsAndTheWindowsEndKeepsTheUsersLayout) {
  Start();
  OpenPage();
  Do({"drag", "VirtualCImage", "36", "32"});
  EXPECT_FALSE(Visible("BeeImage"));
  std::size_t mark = Mark();
  Do({"click", "BeeCheckBox"});
  EXPECT_TRUE(Visible("BeeImage"));
  const Point bee = At("BeeImage");
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  EXPECT_GE(Blocks(mark), 3u);
  const Point later = At("BeeImage");
  EXPECT_TRUE(later.x != bee.x || later.y != bee.y) << "the bee flies";
  // The speakers ride with it, on its orbit of 120 / 2 × 1.6 = 96 pixels.
  const Point c = At("VirtualCImage");
  EXPECT_NEAR(std::hypot(c.x - kCx, c.y - kCy), 96.0, 2.0);
  // The animation switches and RESET rest while the box is ticked.
  Do({"click", "VirtualNarrowLabel"});
  EXPECT_EQ(Picture("VirtualNarrowImage"), "v_narrow_up.png");
  // Clearing the box gives the speakers back their places.
  Do({"click", "BeeCheckBox"});
  EXPECT_FALSE(Visible("BeeImage"));
  EXPECT_NEAR(At("VirtualCImage").x, 400, 2);
  EXPECT_NEAR(At("VirtualCImage").y, 200, 2);
  mark = Mark();
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_EQ(Blocks(mark), 0u) << "the bee's timer stopped";

  // Closing while the bee flies saves the user's layout, not the bee's orbit; the next start shows it.
  Do({"click", "BeeCheckBox"});
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_EQ(Close(), 0);
  const std::string saved = LastProfileValue("C");
  const auto comma = saved.find(',');
  ASSERT_NE(comma, std::string::npos) << saved;
  EXPECT_NEAR(std::stoi(saved.substr(0, comma)), 400, 3) << saved;
  EXPECT_NEAR(std::stoi(saved.substr(comma + 1)), 200, 3) << saved;
  Start();
  OpenPage();
  EXPECT_EQ(std::to_string(At("VirtualCImage").x) + "," + std::to_string(At("VirtualCImage").y), saved);
}

}  // namespace
}  // namespace audio77
