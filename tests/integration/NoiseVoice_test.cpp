// Noise cancellation and voice effects of the real program on the virtual
// device: the registry value that makes a device "ENC supported", the ENC
// switch, knob and bar, the five voice effects, the hardware button with its
// GPIO line, presses during unplug and plug, and what shutdown leaves in the
// device and in the registry.
#include <gtest/gtest.h>

#include <thread>

#include "WindowScenario.h"

namespace audio77::test {
namespace {

using Strings = std::vector<std::string>;

constexpr const char* kEncKey = "QKW 77xx Software\\EncValueMap";
constexpr const char* kDeviceValue = "VID_2E8D&PID_771F";
constexpr const char* kSoftware = "QKW 77xx Software";
constexpr const char* kEncWarning = "Audio77\tThis device does not support noise cancellation.";

// The noise-cancellation and voice traffic, compact: "4/0 01000000",
// "7/2 <10 payload bytes>", "4/8", "params <16 bytes>".
Strings EncVoice(const Strings& traffic) {
  Strings out;
  for (const auto& line : traffic) {
    if (line.rfind("lib DLLQK_AudioCommand ", 0) == 0) {
      const std::string hex = line.substr(23, 2 * 234);
      const int group = std::stoi(hex.substr(0, 2), nullptr, 16);
      const int sub = std::stoi(hex.substr(2, 2), nullptr, 16);
      if (group != 4 && group != 7) continue;
      const std::size_t payload = group == 7 && sub == 2 ? 10 : sub == 8 ? 0 : 4;
      std::string compact = std::to_string(group) + "/" + std::to_string(sub);
      if (payload > 0) compact += " " + hex.substr(4, 2 * payload);
      out.push_back(compact);
    } else if (line.rfind("lib DLLQK_SetEnc_Parameters ", 0) == 0) {
      out.push_back("params " + line.substr(28, 32));
    } else if (line.rfind("lib DLLQK_SetGpioModeEx_ById", 0) == 0 || line.rfind("lib DLLQK_ScanButton_ById", 0) == 0) {
      out.push_back(line.substr(4));
    }
  }
  return out;
}

// The virtual device's own parameter block with the level in bytes 8..11.
std::string DeviceParams(const char* level) {
  return std::string("params 0100000010000000") + level + "000000401f0000";
}

class NoiseVoice : public WindowScenario {
 protected:
  void Support(unsigned level) {
    const ProcessResult set = Ctl({"registry", "set", kEncKey, kDeviceValue, std::to_string(level)});
    ASSERT_EQ(set.exit_code, 0) << set.err;
  }
  std::string Registry(const char* subkey, const char* name) const {
    const ProcessResult got = Ctl({"registry", "get", subkey, name});
    return got.exit_code == 0 ? got.out.substr(0, got.out.find('\n')) : "missing";
  }
  Strings EncVoiceSince(std::size_t mark) const { return EncVoice(TraceSince(mark)); }
  // Waits until the ENC switch shows on (true) or off.
  bool WaitForEnc(bool on) const {
    return WaitUntil([&] { return (Picture("ENCFunctionImage").find("_down") != std::string::npos) == on; },
                     kPatience);
  }
  bool EncShownOn() const { return Picture("ENCFunctionImage").find("_down") != std::string::npos; }
  void Press(const std::string& bits) const {
    const ProcessResult pressed = Ctl({"virtual", "press-button", bits});
    ASSERT_EQ(pressed.exit_code, 0) << pressed.err;
  }
  // Starts the program with the button on this GPIO line.
  void StartWithButton(const std::string& gpio) {
    if (!configured_) PrepareProgramFolder({});
    configured_ = true;
    const std::string config = (ProgramFolder() / "AudioConfig.cfg").string();
    for (const auto& [key, value] : {std::pair{"EncButtonMode", std::string("1")}, std::pair{"EncGpio", gpio}}) {
      const ProcessResult set = Ctl({"profile", "set", config, "DefaultSet", key, value});
      ASSERT_EQ(set.exit_code, 0) << set.err;
    }
    Start();
  }
  void Plug(bool in) const { ASSERT_EQ(Ctl({"virtual", in ? "plug" : "unplug"}).exit_code, 0); }

 private:
  bool configured_ = false;
};

TEST_F(NoiseVoice, WithoutTheRegistryValueEveryControlWarnsOncePerPressAndNothingIsSent) {
  Start();
  const std::size_t mark = Mark();
  Do({"click", "PageENCLabel"});
  const std::size_t boxes = Boxes().size();
  const char* pressed[] = {"ENCFunctionImage", "ENCFunctionLabel", "ENCSliderImage", "ENCBarImage"};
  for (std::size_t i = 0; i < std::size(pressed); ++i) {
    SCOPED_TRACE(pressed[i]);
    Do({"answer", "OK"});
    Do({"click", pressed[i]});
    EXPECT_EQ(Boxes().size(), boxes + 1 + i);
    EXPECT_EQ(Boxes().back(), kEncWarning);
  }
  // Hovering over the knob shows nothing.
  const std::string knob = Get("ENCSliderImage");
  const std::size_t before_hover = Boxes().size();
  Do({"move", std::to_string(std::stoi(FieldOf(knob, "x")) + 2), std::to_string(std::stoi(FieldOf(knob, "y")) + 2)});
  EXPECT_EQ(Boxes().size(), before_hover);

  Do({"click", "PageVMEffectLabel"});
  for (const char* control : {"VMFunctionImage", "VMEffect2Label"}) {
    SCOPED_TRACE(control);
    Do({"answer", "OK"});
    const std::size_t count = Boxes().size();
    Do({"click", control});
    EXPECT_EQ(Boxes().size(), count + 1);
    EXPECT_EQ(Boxes().back(), kEncWarning);
  }
  EXPECT_TRUE(EncVoiceSince(mark).empty()) << Joined(EncVoiceSince(mark));
}

TEST_F(NoiseVoice, WithTheRegistryValueEncStartsAtItsLevelAndFollowsSwitchKnobAndBar) {
  Support(17);
  const std::size_t start = Mark();
  Start();
  EXPECT_TRUE(InOrder(EncVoiceSince(start), {"4/0 01000000", "4/8", DeviceParams("11"), "7/0 00000000",
                                             "7/2 00000000000000000000"}))
      << Joined(EncVoiceSince(start));
  Do({"click", "PageENCLabel"});
  EXPECT_EQ(Caption("ENCValueLabel"), "17");
  EXPECT_TRUE(EncShownOn());

  std::size_t mark = Mark();
  Do({"click", "ENCFunctionLabel"});
  EXPECT_FALSE(EncShownOn());
  EXPECT_EQ(EncVoiceSince(mark), (Strings{"4/0 00000000", DeviceParams("11")}));

  // The knob dragged to the top of its travel: level 30 goes out and is stored.
  mark = Mark();
  Do({"drag", "ENCSliderImage", "0", "-400"});
  EXPECT_EQ(Caption("ENCValueLabel"), "30");
  EXPECT_EQ(EncVoiceSince(mark), (Strings{DeviceParams("1e")}));
  EXPECT_EQ(Registry(kEncKey, kDeviceValue), "30");

  // A click low on the bar only shows its level.
  mark = Mark();
  const std::string bar = Get("ENCBarImage");
  const int bottom = std::stoi(FieldOf(bar, "y")) + std::stoi(FieldOf(bar, "h")) - 1;
  Do({"click", "ENCBarImage", std::to_string(std::stoi(FieldOf(bar, "x")) + 2), std::to_string(bottom)});
  EXPECT_NE(Caption("ENCValueLabel"), "30");
  EXPECT_TRUE(EncVoiceSince(mark).empty());
  EXPECT_EQ(Registry(kEncKey, kDeviceValue), "30");
  EXPECT_EQ(Boxes().size(), 0u);
}

TEST_F(NoiseVoice, EachVoiceEffectSendsItsBytesAndStoresItsLevelAndExitLeavesTheDeviceOff) {
  Support(8);
  Start();
  Do({"click", "PageVMEffectLabel"});
  std::size_t mark = Mark();
  Do({"click", "VMFunctionLabel"});
  EXPECT_EQ(EncVoiceSince(mark), (Strings{"7/0 01000000", "7/2 01000000000000000000"}));
  EXPECT_EQ(Registry(kSoftware, "VoiceMagicEnable"), "1");
  struct Effect {
    const char* label;
    const char* command;
    const char* level;
  };
  const Effect effects[] = {
      {"VMEffect1Label", "7/2 01000000fdff00000000", "9"}, {"VMEffect2Label", "7/2 01000000070000000000", "19"},
      {"VMEffect3Label", "7/2 01000000f6ff00000000", "2"}, {"VMEffect4Label", "7/2 010000000c0000000000", "24"},
      {"VMEffectNoneLabel", "7/2 01000000000000000000", "12"},
  };
  for (const Effect& e : effects) {
    SCOPED_TRACE(e.label);
    mark = Mark();
    Do({"click", e.label});
    EXPECT_EQ(EncVoiceSince(mark), (Strings{e.command}));
    EXPECT_EQ(Registry(kSoftware, "VoiceMagicLevel"), e.level);
  }
  Do({"click", "VMEffect3Label"});

  mark = Mark();
  ASSERT_EQ(Close(), 0);
  EXPECT_TRUE(InOrder(EncVoiceSince(mark), {"4/0 00000000", "7/0 00000000"})) << Joined(EncVoiceSince(mark));
  // The registry keeps what the user chose; the next start sends it again.
  EXPECT_EQ(Registry(kSoftware, "VoiceMagicEnable"), "1");
  EXPECT_EQ(Registry(kSoftware, "VoiceMagicLevel"), "2");
  mark = Mark();
  Start();
  EXPECT_TRUE(InOrder(EncVoiceSince(mark), {"7/0 01000000", "7/2 01000000f6ff00000000"}))
      << Joined(EncVoiceSince(mark));
}

TEST_F(NoiseVoice, TheButtonOnItsLineTogglesEncOnScreenAndOnTheDevice) {
  struct Case {
    const char* gpio;
    const char* line_bits;   // the configured button
    const char* other_bits;  // another button
    const char* mode_call;
  };
  const Case cases[] = {
      {"3", "8", "4", "DLLQK_SetGpioModeEx_ById 0x03 0x00 0x00 = 0"},
      {"8", "0x100", "8", "DLLQK_SetGpioModeEx_ById 0x08 0x00 0x00 = 0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.gpio);
    if (&c != cases) {
      ASSERT_EQ(Close(), 0);
    }
    Support(12);
    const std::size_t start = Mark();
    StartWithButton(c.gpio);
    const Strings at_start = EncVoiceSince(start);
    EXPECT_TRUE(InOrder(at_start, {c.mode_call, "DLLQK_ScanButton_ById 11917 30495 callback 1 0x00 = 0"}))
        << Joined(at_start);
    Do({"click", "PageENCLabel"});
    ASSERT_TRUE(EncShownOn());

    std::size_t mark = Mark();
    Press(c.line_bits);
    EXPECT_TRUE(WaitForEnc(false));
    EXPECT_TRUE(WaitUntil([&] { return EncVoiceSince(mark) == Strings{"4/0 00000000"}; }, kPatience))
        << Joined(EncVoiceSince(mark));
    // A click in the window, then the button: it toggles from what the window shows.
    Do({"click", "ENCFunctionLabel"});
    ASSERT_TRUE(EncShownOn());
    mark = Mark();
    Press(c.line_bits);
    EXPECT_TRUE(WaitForEnc(false));
    // Another line's button changes nothing.
    Press(c.other_bits);
    Press(c.line_bits);
    EXPECT_TRUE(WaitForEnc(true));
    EXPECT_EQ(EncVoiceSince(mark), (Strings{"4/0 00000000", "4/0 01000000"}));
  }
}

TEST_F(NoiseVoice, PressesWhileUnpluggedAreLostAndAfterThePlugTheNewScanTakesThem) {
  Support(12);
  StartWithButton("3");
  Do({"click", "PageENCLabel"});
  ASSERT_TRUE(EncShownOn());
  Plug(false);
  ASSERT_TRUE(WaitForUi({"state"}, "device_active=0"));
  EXPECT_FALSE(EncShownOn());
  std::size_t mark = Mark();
  Press("8");
  Press("8");
  Plug(true);
  ASSERT_TRUE(WaitForUi({"state"}, "device_active=1"));
  // The arrival brings ENC back on and scans once more.
  EXPECT_TRUE(WaitForEnc(true));
  const Strings resync = EncVoiceSince(mark);
  EXPECT_TRUE(InOrder(resync, {"4/0 01000000", "4/8", DeviceParams("0c"), "DLLQK_ScanButton_ById"})) << Joined(resync);
  mark = Mark();
  Press("8");
  EXPECT_TRUE(WaitForEnc(false));
  EXPECT_TRUE(WaitUntil([&] { return EncVoiceSince(mark) == Strings{"4/0 00000000"}; }, kPatience))
      << Joined(EncVoiceSince(mark));
  EXPECT_EQ(Registry(kSoftware, "VoiceMagicEnable"), "0") << "the removal stores Voice Magic off";
}

TEST_F(NoiseVoice, APressDuringShutdownIsNotHandledAfterTheWindowIsGone) {
  Support(12);
  StartWithButton("3");
  const std::size_t mark = Mark();
  std::thread presser([&] {
    for (int i = 0; i < 20; ++i) Ctl({"virtual", "press-button", "8"});
  });
  EXPECT_EQ(Close(), 0);
  presser.join();
  const Strings after = EncVoiceSince(mark);
  // The shutdown's ENC off is the last ENC command.
  ASSERT_FALSE(after.empty());
  std::size_t last_enc = 0;
  for (std::size_t i = 0; i < after.size(); ++i) {
    if (after[i].rfind("4/0", 0) == 0) last_enc = i;
  }
  EXPECT_EQ(after[last_enc], "4/0 00000000") << Joined(after);
}

}  // namespace
}  // namespace audio77::test
