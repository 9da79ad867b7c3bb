// The equalizer, 3D sound and the environments of the real program on the
// virtual device, worked from the window: what the knobs, presets, switches
// and buttons send, read back from trace.log and with audio77ctl reg, and
// what shutdown leaves in the device.
#include <gtest/gtest.h>

#include <fstream>

#include "WindowScenario.h"

namespace audio77::test {
namespace {

using Strings = std::vector<std::string>;

const char* const kKnobs[] = {"EQ60HzSliderImage", "EQ300HzSliderImage", "EQ1200HzSliderImage",
                              "EQ3600HzSliderImage", "EQ12000HzSliderImage"};
const char* const kBars[] = {"EQ60HzBarImage", "EQ300HzBarImage", "EQ1200HzBarImage", "EQ3600HzBarImage",
                             "EQ12000HzBarImage"};
const char* const kValues[] = {"EQ60HzValueLabel", "EQ300HzValueLabel", "EQ1200HzValueLabel",
                               "EQ3600HzValueLabel", "EQ12000HzValueLabel"};

// Only the lines of traffic that begin with prefix.
Strings Only(const Strings& traffic, const std::string& prefix) {
  Strings out;
  for (const auto& line : traffic) {
    if (line.rfind(prefix, 0) == 0) out.push_back(line);
  }
  return out;
}

class SoundFeatures : public WindowScenario {
 protected:
  // The equalizer's knob travel as the window shows it: from the top of the
  // bar down by the bar's height less the knob's.
  void MeasureTravel() {
    const std::string bar = Get(kBars[0]);
    travel_top_ = std::stoi(FieldOf(bar, "y"));
    knob_height_ = std::stoi(FieldOf(Get(kKnobs[0]), "h"));
    travel_ = std::stoi(FieldOf(bar, "h")) - knob_height_;
    ASSERT_GT(travel_, 0);
  }
  // A click on band's bar that puts the knob's top offset pixels below the travel's top.
  void ClickBar(int band, int offset) {
    const std::string bar = Get(kBars[band]);
    const int x = std::stoi(FieldOf(bar, "x")) + std::stoi(FieldOf(bar, "w")) / 2;
    Do({"click", kBars[band], std::to_string(x), std::to_string(travel_top_ + offset + knob_height_ / 2)});
  }
  std::vector<std::string> Codes() const {
    std::vector<std::string> codes;
    for (const char* label : kValues) codes.push_back(Caption(label));
    return codes;
  }
  void WriteDefaultProfile(const std::string& text) const {
    std::filesystem::create_directories(UserFolder());
    std::ofstream(UserFolder() / "DefaultProfile.ini") << text;
  }

  int travel_top_ = 0;
  int travel_ = 0;
  int knob_height_ = 0;
};

TEST_F(SoundFeatures, EqualizerKnobsPresetsAndSwitchReachTheDevice) {
  // The device's band 4 high register carries bits of its own above the nibble.
  Start({"[Registers]\n0x129=0x5A\n", {}});
  MeasureTravel();

  struct Band {
    int band;
    int click_offset;  // a click on the bar at this knob offset, or
    int drag;          // with click_offset -1, a drag of the knob by this many pixels
    int offset;        // where the knob ends, from the travel's top
    const char* code;
    Strings registers;
  };
  const int middle = travel_ / 2;
  const Band bands[] = {
      {0, 0, 0, 0, "9ff", {"w 0x120=0xFF", "w 0x121=0x09", "close"}},                         // top
      {1, -1, 500, travel_, "200", {"w 0x122=0x00", "w 0x123=0x02", "close"}},                // bottom
      {2, -1, 0, middle, "400", {"w 0x124=0x00", "w 0x125=0x04", "close"}},                   // middle
      {3, -1, -1, middle - 1, "41a", {"w 0x126=0x1A", "w 0x127=0x04", "close"}},              // a step above
      {4, 0, 0, 0, "9ff", {"w 0x128=0xFF", "r 0x129", "w 0x129=0x59", "close"}},              // the nibble
  };
  for (const Band& b : bands) {
    SCOPED_TRACE(kKnobs[b.band]);
    const std::size_t mark = Mark();
    if (b.click_offset >= 0) {
      ClickBar(b.band, b.click_offset);
    } else {
      Do({"drag", kKnobs[b.band], "0", std::to_string(b.drag)});
    }
    EXPECT_EQ(Top(kKnobs[b.band]), travel_top_ + b.offset);
    EXPECT_EQ(Caption(kValues[b.band]), b.code);
    // The last movement's registers: the low one, then the high one.
    Strings registers = Registers(TrafficSince(mark));
    ASSERT_GE(registers.size(), b.registers.size());
    registers.erase(registers.begin(), registers.end() - static_cast<std::ptrdiff_t>(b.registers.size()));
    EXPECT_EQ(registers, b.registers);
  }
  EXPECT_EQ(Register(0x120), "0xFF");
  EXPECT_EQ(Register(0x123), "0x02");
  EXPECT_EQ(Register(0x129), "0x59");
  // The fill runs from the knob to the bottom of the bar.
  const std::string fill = Get("EQ60HzBarDownImage");
  EXPECT_EQ(std::stoi(FieldOf(fill, "y")) + std::stoi(FieldOf(fill, "h")), travel_top_ + knob_height_);
  EXPECT_TRUE(Boxes().empty());

  // EQ-EN switches the device's equalizer through the library and reads it back.
  std::size_t mark = Mark();
  Do({"click", "EQEQENLabel"});
  EXPECT_EQ(Picture("EQEQENImage"), "button_down.png");
  EXPECT_TRUE(InOrder(TrafficSince(mark), {"lib DLLQK_SetEQ_OnOff_ById 1", "lib DLLQK_IsEQ_Enable_ById"}));
  EXPECT_TRUE(Registers(TrafficSince(mark)).empty());

  // S2 is flat: nothing is written, the device's equalizer goes off, EQ-EN still shows on.
  mark = Mark();
  Do({"click", "EQS2Label"});
  Strings traffic = TrafficSince(mark);
  EXPECT_TRUE(Writes(traffic).empty()) << Joined(traffic);
  EXPECT_EQ(Only(traffic, "lib DLLQK_SetEQ_OnOff_ById"), (Strings{"lib DLLQK_SetEQ_OnOff_ById 0 0x00"}));
  EXPECT_EQ(Picture("EQEQENImage"), "button_down.png");
  EXPECT_EQ(Picture("EQS2Image"), "preset_down.png");
  EXPECT_EQ(Picture("EQS1Image"), "preset_up.png");
  EXPECT_EQ(Caption("SXLabel"), Caption("EQS2Label"));
  EXPECT_EQ(Codes(), (Strings{"400", "400", "400", "400", "400"}));
  for (const char* knob : kKnobs) EXPECT_EQ(Top(knob), travel_top_ + middle) << knob;

  // A band moved in S2 stays in S2; S1 comes back whole in one full write with the fixed flags.
  ClickBar(0, travel_);
  EXPECT_EQ(Caption(kValues[0]), "200");
  mark = Mark();
  Do({"click", "EQS1Label"});
  traffic = TrafficSince(mark);
  EXPECT_EQ(Writes(traffic), (Strings{"w 0x120=0xFF", "w 0x121=0x09", "w 0x122=0x00", "w 0x123=0x02", "w 0x124=0x00",
                                      "w 0x125=0x04", "w 0x126=0x1A", "w 0x127=0x04", "w 0x128=0xFF", "w 0x129=0xE9"}));
  EXPECT_EQ(Only(traffic, "lib DLLQK_SetEQ_OnOff_ById").front(), "lib DLLQK_SetEQ_OnOff_ById 1 0x00");
  EXPECT_EQ(Codes(), (Strings{"9ff", "200", "400", "41a", "9ff"}));
  EXPECT_EQ(Top(kKnobs[1]), travel_top_ + travel_);
  EXPECT_EQ(Register(0x129), "0xE9");
  Do({"click", "EQS2Label"});
  EXPECT_EQ(Codes(), (Strings{"200", "400", "400", "400", "400"}));
  EXPECT_EQ(Register(0x120), "0x00");

  // A read-back that fails counts as off: "on" goes out once more.
  Do({"click", "EQEQENLabel"});
  EXPECT_EQ(Picture("EQEQENImage"), "button_up.png");
  ASSERT_EQ(Ctl({"virtual", "fault", "DLLQK_IsEQ_Enable_ById", "1"}).exit_code, 0);
  mark = Mark();
  Do({"click", "EQEQENLabel"});
  EXPECT_EQ(Only(TrafficSince(mark), "lib DLLQK_SetEQ_OnOff_ById"),
            (Strings{"lib DLLQK_SetEQ_OnOff_ById 1 0x00", "lib DLLQK_SetEQ_OnOff_ById 1 0x00"}));
  EXPECT_EQ(Close(), 0);
}

TEST_F(SoundFeatures, ResetTakesTheDefaultProfileAndTheBuiltInValueForWhatItLacks) {
  // The installed configuration says "DefaultIni" = 1.
  Start();
  MeasureTravel();
  struct Case {
    const char* profile;  // nullptr: no default profile
    Strings codes;
    const char* enable_picture;
    const char* band4_high;  // the last register of the full write that ends the reset
  };
  const Case cases[] = {
      {"[EQ]\nS1=0x500,0x600,0x700,0x800,0x900,1\n", {"500", "600", "700", "800", "900"}, "button_down.png", "0xE9"},
      // Without its sixth item the switch stays as the case before left it.
      {"[EQ]\nS1=0x500,0x600\n", {"500", "600", "400", "400", "400"}, "button_down.png", "0xE4"},
      {"[EQ]\nS1=0x500,bad,,0x800,0x900,0\n", {"500", "400", "400", "800", "900"}, "button_up.png", "0xE9"},
      {"[EQ]\nS2=0x500,0x600,0x700,0x800,0x900,1\n", {"400", "400", "400", "400", "400"}, "button_up.png", "0xE4"},
      {nullptr, {"400", "400", "400", "400", "400"}, "button_up.png", "0xE4"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.profile != nullptr ? c.profile : "no default profile");
    std::filesystem::remove(UserFolder() / "DefaultProfile.ini");
    if (c.profile != nullptr) WriteDefaultProfile(c.profile);
    ClickBar(4, 0);  // away from every value expected
    const std::size_t mark = Mark();
    Do({"click", "EQResetLabel"});
    EXPECT_EQ(Codes(), c.codes);
    EXPECT_EQ(Picture("EQEQENImage"), c.enable_picture);
    const Strings traffic = TrafficSince(mark);
    const Strings writes = Writes(traffic);
    ASSERT_FALSE(writes.empty()) << Joined(traffic);
    EXPECT_EQ(writes.back(), std::string("w 0x129=") + c.band4_high);
    // Then the 3D switch is sent again.
    EXPECT_TRUE(InOrder(traffic, {"w 0x129=", "lib DLLQK_Config3D_ById", "lib DLLQK_Set3D_OnOff_ById 0"}));
  }
  EXPECT_EQ(Register(0x128), "0x00");
  EXPECT_EQ(Register(0x129), "0xE4");
  EXPECT_EQ(Close(), 0);
}

TEST_F(SoundFeatures, ThreeDEnvironmentsAndResetWithoutDefaultIniThenShutdownLeavesTheDeviceNeutral) {
  ScenarioOptions options;
  options.device_ini = "[Registers]\n0x18A=0x42\n0x1CD=0xA5 0x3A\n";
  options.config = {{"Version", "DefaultIni", "0"}};
  Start(options);
  WriteDefaultProfile("[EQ]\nS1=0x500,0x600,0x700,0x800,0x900,1\n");  // not read with "DefaultIni" = 0
  MeasureTravel();

  // 3D on: the library switch, register 0x100 bit 7 and the A-to-F nibbles; off: 0x100 only.
  std::size_t mark = Mark();
  Do({"click", "EQ3DENLabel"});
  EXPECT_EQ(Picture("EQ3DENImage"), "button_down.png");
  Strings traffic = TrafficSince(mark);
  EXPECT_TRUE(InOrder(traffic, {"lib DLLQK_Config3D_ById", "lib DLLQK_Set3D_OnOff_ById 1", "lib DLLQK_Is3D_Enable_ById"}));
  EXPECT_EQ(Registers(traffic), (Strings{"r 0x100", "w 0x100=0x80", "r 0x1CD", "w 0x1CD=0xF5", "r 0x1CE",
                                         "w 0x1CE=0x3F", "close"}));
  EXPECT_EQ(Register(0x1CE), "0x3F");
  mark = Mark();
  Do({"click", "EQ3DENLabel"});
  EXPECT_EQ(Picture("EQ3DENImage"), "button_up.png");
  traffic = TrafficSince(mark);
  EXPECT_EQ(Only(traffic, "lib DLLQK_Set3D_OnOff_ById"), (Strings{"lib DLLQK_Set3D_OnOff_ById 0 0x00"}));
  EXPECT_EQ(Registers(traffic), (Strings{"r 0x100", "w 0x100=0x00", "close"}));
  Do({"click", "EQ3DENLabel"});

  // RESET ignores the default profile: five flat codes, then the 3D switch (on) again.
  ClickBar(2, 0);
  mark = Mark();
  Do({"click", "EQResetLabel"});
  EXPECT_EQ(Codes(), (Strings{"400", "400", "400", "400", "400"}));
  EXPECT_TRUE(InOrder(TrafficSince(mark), {"w 0x124=0x00", "w 0x125=0x04", "w 0x129=0xE4", "lib DLLQK_Set3D_OnOff_ById 1"}));
  EXPECT_EQ(Register(0x124), "0x00");

  // Each environment: select with its index, then apply; its buttons and picture.
  Do({"click", "PageEffectLabel"});
  struct Environment {
    const char* label;
    const char* image;
    int effect;
  };
  const Environment environments[] = {
      {"EffectTheaterLabel", "EffectButtonTheaterImage", 2},
      {"EffectBathroomLabel", "EffectButtonStoneGalleryImage", 3},
      {"EffectLivingroomLabel", "EffectButtonLivingroomImage", 4},
      {"EffectStoneGalleryLabel", "EffectButtonBathroomImage", 5},
      {"EffectNonLabel", "EffectButtonNonImage", 1},
      {"EffectBathroomLabel", "EffectButtonStoneGalleryImage", 3},
  };
  for (const Environment& e : environments) {
    SCOPED_TRACE(e.label);
    mark = Mark();
    Do({"click", e.label});
    const std::string n = std::to_string(e.effect);
    EXPECT_EQ(Only(TrafficSince(mark), "ext "),
              (Strings{"ext 0x08232008 in=0" + std::to_string(e.effect - 1) + "000000", "ext 0x08232000 in=01000000"}));
    EXPECT_EQ(Picture("EffectPicImage"), "env" + n + "_picture.png");
    for (const Environment& other : environments) {
      const std::string m = std::to_string(other.effect);
      EXPECT_EQ(Picture(other.image), "env" + m + (other.effect == e.effect ? "_down.png" : "_up.png")) << other.image;
    }
  }

  // Shutdown: the equalizer reset and off, 3D reset with FBM on and off, the environment back to nothing.
  Do({"click", "PageEQLabel"});
  ClickBar(0, 0);
  mark = Mark();
  EXPECT_EQ(Close(), 0);
  EXPECT_TRUE(InOrder(TrafficSince(mark), {
                                              "w 0x120=0x00", "w 0x121=0x04", "w 0x129=0xE4",
                                              "lib DLLQK_Config3D_ById",
                                              "lib DLLQK_SetEQ_OnOff_ById 0",
                                              "w 0x18B=0xA3", "w 0x18C=0xA3",
                                              "r 0x18A", "w 0x18A=0x43",
                                              "lib DLLQK_Set3D_OnOff_ById 0",
                                              "ext 0x08232008 in=00000000", "ext 0x08232000 in=01000000",
                                          }));
  // The device keeps what the program left.
  EXPECT_EQ(Register(0x120), "0x00");
  EXPECT_EQ(Register(0x121), "0x04");
  EXPECT_EQ(Register(0x18B), "0xA3");
  EXPECT_EQ(Register(0x18C), "0xA3");
  EXPECT_EQ(Register(0x18A), "0x43");
}

}  // namespace
}  // namespace audio77::test
