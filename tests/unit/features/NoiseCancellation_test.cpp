// Noise cancellation on the virtual device without a window: the registry
// value that makes a device "ENC supported", the switch, knob and bar, the
// hardware button and its hand-off to the UI thread, removal, shutdown and
// the profile.
#include "features/NoiseCancellation.h"

#include <chrono>
#include <thread>

#include "EncFixture.h"

namespace audio77::test {
namespace {

using Strings = std::vector<std::string>;

// The virtual device's own parameter block with the level in bytes 8..11.
std::string DeviceParams(const char* level) {
  return std::string("params 0100000010000000") + level + "000000401f0000";
}

// "EncButtonMode" and "EncGpio".
struct ButtonSettings {
  int mode = 0;
  int gpio = 0;
};

class NoiseCancellationTest : public EncFixture {
 protected:
  std::unique_ptr<NoiseCancellation> Make(ButtonSettings button = {}) {
    auto enc = std::make_unique<NoiseCancellation>(Deps(), Parts(registry_));
    enc->Configure(button.mode, button.gpio);
    return enc;
  }
  std::unique_ptr<NoiseCancellation> Loaded(std::uint32_t level, ButtonSettings button = {}) {
    SetRegistry(kEncKey, kDeviceValue, level);
    auto enc = Make(button);
    enc->LoadEncState();
    Take();
    return enc;
  }
  // The lines' state when a scan begins comes from the device's own thread;
  // it is the report the button skips.
  void AwaitFirstReport(const NoiseCancellation& enc) {
    for (int i = 0; i < 10000 && enc.Button().SkipFirst(); ++i) {
      loop_.ProcessPending();
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ASSERT_FALSE(enc.Button().SkipFirst());
  }
};

TEST_F(NoiseCancellationTest, TheRegistryValueDecidesSupportAndGoesOutWithTheDevicesParameters) {
  struct Case {
    const char* what;
    std::optional<std::uint32_t> stored;
    bool active;
    int failures;  // of the audio command, in a row
    bool supported;
    int level;
    Strings traffic;
  };
  const Case cases[] = {
      {"level 17", 17, true, 0, true, 17, {"4/0 01000000", "4/8", DeviceParams("11")}},
      {"above the range", 45, true, 0, true, 30, {"4/0 01000000", "4/8", DeviceParams("1e")}},
      {"negative", 0xFFFFFFF6, true, 0, true, 0, {"4/0 01000000", "4/8", DeviceParams("00")}},
      // The switch is sent twice, then the failed read leaves zeros with the level.
      {"read fails", 12, true, 3, true, 12,
       {"4/0 01000000", "4/0 01000000", "4/8", "params 00000000000000000c00000000000000"}},
      {"no value", std::nullopt, true, 0, false, 0, {}},
      {"inactive", 17, false, 0, false, 0, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    RegistryStore fresh(registry_folder_.File("none.reg"), registry_folder_.File(std::string(c.what) + ".reg"),
                        guard_);
    if (c.stored) RegSetDword(fresh, kEncKey, kDeviceValue, *c.stored);
    NoiseCancellation enc(Deps(), Parts(fresh));
    status_.active = c.active;
    ASSERT_TRUE(device().SetFault("DLLQK_AudioCommand", std::to_string(c.failures)));
    Take();
    enc.LoadEncState();
    EXPECT_EQ(enc.Supported(), c.supported);
    EXPECT_EQ(enc.On(), c.supported ? 1 : 0);
    EXPECT_EQ(enc.Level(), c.level);
    EXPECT_EQ(Take(), c.traffic);
    if (c.supported) {
      EXPECT_EQ(display_.captions["ENCValueLabel"], std::to_string(c.level));
      EXPECT_EQ(display_.knob_top, 110 + 120 - 4 * c.level);
    }
  }
}

TEST_F(NoiseCancellationTest, WithoutSupportEachControlWarnsOncePerPressAndSendsNothing) {
  auto enc = Make();
  enc->LoadEncState();
  Take();
  enc->SwitchClicked();
  EXPECT_EQ(display_.warnings, 1);
  EXPECT_FALSE(enc->KnobPressed());
  EXPECT_EQ(display_.warnings, 2);
  // Moving over the knob and letting it go show nothing more.
  enc->KnobMoved(20);
  enc->KnobReleased();
  EXPECT_EQ(display_.warnings, 2);
  enc->BarClicked(10);
  EXPECT_EQ(display_.warnings, 3);
  EXPECT_EQ(enc->Level(), 0);
  EXPECT_TRUE(Take().empty());
  EXPECT_EQ(RegistryValue(kEncKey, kDeviceValue), std::nullopt);

  // Without a device nothing warns here: the window's own warning covers it.
  status_.active = false;
  enc->SwitchClicked();
  EXPECT_FALSE(enc->KnobPressed());
  EXPECT_EQ(display_.warnings, 3);
}

TEST_F(NoiseCancellationTest, SwitchKnobAndBar) {
  auto enc = Loaded(17);
  enc->SwitchClicked();
  EXPECT_EQ(enc->On(), 0);
  EXPECT_EQ(display_.pictures["ENCFunctionImage"], "ENCFunctionUpImage");
  EXPECT_FALSE(display_.down["ENCFunctionLabel"]);
  EXPECT_EQ(Take(), (Strings{"4/0 00000000", DeviceParams("11")}));
  enc->SwitchClicked();
  EXPECT_EQ(display_.pictures["ENCFunctionImage"], "ENCFunctionDownImage");
  EXPECT_TRUE(display_.down["ENCFunctionLabel"]);
  EXPECT_EQ(Take(), (Strings{"4/0 01000000", DeviceParams("11")}));

  // A drag shows each level; the release sends and stores the last.
  ASSERT_TRUE(enc->KnobPressed());
  enc->KnobMoved(20);
  enc->KnobMoved(25);
  EXPECT_EQ(display_.captions["ENCValueLabel"], "25");
  EXPECT_TRUE(Take().empty());
  enc->KnobReleased();
  EXPECT_EQ(Take(), (Strings{DeviceParams("19")}));
  EXPECT_EQ(RegistryValue(kEncKey, kDeviceValue), 25u);

  // A click on the bar only shows.
  enc->BarClicked(6);
  EXPECT_EQ(display_.captions["ENCValueLabel"], "6");
  EXPECT_EQ(display_.knob_top, 110 + 120 - 24);
  EXPECT_TRUE(Take().empty());
  EXPECT_EQ(RegistryValue(kEncKey, kDeviceValue), 25u);
}

TEST_F(NoiseCancellationTest, TheButtonScanStartsOnlyForAConfiguredLineTheDeviceHas) {
  struct Case {
    const char* what;
    std::optional<std::uint32_t> stored;
    ButtonSettings button;
    Strings traffic;
    bool scanning;
  };
  const Case cases[] = {
      {"line 3", 9, {1, 3}, {"DLLQK_SetGpioModeEx_ById 0x03 0x00 0x00", "DLLQK_ScanButton_ById 11917 30495 callback 1 0x00"}, true},
      {"line 8", 9, {1, 8}, {"DLLQK_SetGpioModeEx_ById 0x08 0x00 0x00", "DLLQK_ScanButton_ById 11917 30495 callback 1 0x00"}, true},
      {"mode 0", 9, {0, 3}, {}, false},
      {"mode 2", 9, {2, 3}, {}, false},
      {"no ENC", std::nullopt, {1, 3}, {}, false},
      {"line 9, the last", 9, {1, 9}, {"DLLQK_SetGpioModeEx_ById 0x09 0x00 0x00", "DLLQK_ScanButton_ById 11917 30495 callback 1 0x00"}, true},
      // Past the device's ten lines: as a byte 264 would name line 8.
      {"line 10", 9, {1, 10}, {}, false},
      {"line 264", 9, {1, 264}, {}, false},
      {"line -1", 9, {1, -1}, {}, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    RegistryStore fresh(registry_folder_.File("none.reg"), registry_folder_.File(std::string(c.what) + ".reg"),
                        guard_);
    if (c.stored) RegSetDword(fresh, kEncKey, kDeviceValue, *c.stored);
    NoiseCancellation enc(Deps(), Parts(fresh));
    enc.Configure(c.button.mode, c.button.gpio);
    enc.LoadEncState();
    Take();
    enc.StartButtonScan();
    EXPECT_EQ(Take(), c.traffic);
    EXPECT_EQ(enc.ScanRunning(), c.scanning);
  }
  for (const char* gpio : {"10", "264", "-1"}) {
    EXPECT_TRUE(debug_.Contains(std::string("EncGpio = ") + gpio + " is no GPIO line: the button is not scanned\n"))
        << gpio;
  }
}

TEST_F(NoiseCancellationTest, APressTogglesFromWhateverTheWindowShowsAndOnlyOnTheUiThreadsTurn) {
  auto enc = Loaded(9, {1, 3});
  enc->StartButtonScan();
  AwaitFirstReport(*enc);
  Take();

  device().PressButton(1u << 3);
  EXPECT_EQ(enc->On(), 1) << "nothing happens on the library's thread";
  loop_.ProcessPending();
  EXPECT_EQ(enc->On(), 0);
  EXPECT_EQ(display_.pictures["ENCFunctionImage"], "ENCFunctionUpImage");
  EXPECT_EQ(Take(), (Strings{"4/0 00000000"}));

  // A click in the window, then the button: it toggles from the click's state.
  enc->SwitchClicked();
  Take();
  display_.enc_page = false;
  display_.pictures.clear();
  device().PressButton(1u << 3);
  loop_.ProcessPending();
  EXPECT_EQ(enc->On(), 0);
  EXPECT_TRUE(display_.pictures.empty()) << "another page is showing";
  EXPECT_EQ(Take(), (Strings{"4/0 00000000"}));

  // Another line's button does nothing.
  device().PressButton(1u << 2);
  loop_.ProcessPending();
  EXPECT_EQ(enc->On(), 0);
  EXPECT_TRUE(Take().empty());
}

TEST_F(NoiseCancellationTest, RemovalAndShutdownStopTheButtonAndLeaveEncOff) {
  auto enc = Loaded(9, {1, 3});
  enc->StartButtonScan();
  AwaitFirstReport(*enc);
  device().PressButton(1u << 3);  // posted, not yet handled
  enc->OnRemoved();
  status_.active = false;
  loop_.ProcessPending();
  EXPECT_EQ(enc->On(), 0);
  EXPECT_FALSE(enc->ScanRunning());
  EXPECT_EQ(display_.pictures["ENCFunctionImage"], "ENCFunctionUpImage");
  Take();

  // Back again: a new scan, then the window closes while a press waits.
  status_.active = true;
  enc->LoadEncState();
  enc->StartButtonScan();
  loop_.ProcessPending();
  Take();
  device().PressButton(1u << 3);
  enc->StopButton();
  loop_.ProcessPending();
  EXPECT_EQ(enc->On(), 1);
  EXPECT_TRUE(Take().empty());
  enc->OnShutdown();
  EXPECT_EQ(Take(), (Strings{"4/0 00000000"}));
}

TEST_F(NoiseCancellationTest, ANewScanReplacesTheOldOneAndEachPressTogglesOnce) {
  auto enc = Loaded(9, {1, 3});
  enc->StartButtonScan();
  enc->StartButtonScan();
  AwaitFirstReport(*enc);
  Take();
  device().PressButton(1u << 3);
  loop_.ProcessPending();
  EXPECT_EQ(enc->On(), 0);
  EXPECT_EQ(Take(), (Strings{"4/0 00000000"}));
  // The same report twice in a row is one press.
  device().PressButton(1u << 3);
  loop_.ProcessPending();
  EXPECT_EQ(enc->On(), 1);
  EXPECT_EQ(Take(), (Strings{"4/0 01000000"}));
}

TEST_F(NoiseCancellationTest, TheProfileGetsTheSwitchAndTheLevel) {
  struct Writer : ProfileWriter {
    Strings lines;
    void WriteInt(const std::string& s, const std::string& k, std::int64_t v) override {
      lines.push_back(s + "/" + k + "=" + std::to_string(v));
    }
    void WriteText(const std::string& s, const std::string& k, const std::string& v) override {
      lines.push_back(s + "/" + k + "=" + v);
    }
  } writer;
  auto enc = Loaded(23);
  enc->Save(writer);
  EXPECT_EQ(writer.lines, (Strings{"ENC/ENCEN=1", "ENC/ENCValue=23"}));
}

TEST_F(NoiseCancellationTest, ApplyingAProfileBringsEncBackFromTheRegistryNotFromTheFile) {
  // A profile that says ENC off at level 5: none of it is taken.
  struct Reader : ProfileReader {
    std::string path = "profile.ini";
    std::string Text(const std::string&, const std::string& key) override { return key == "ENCEN" ? "0" : "5"; }
    std::int32_t Strict(const std::string& s, const std::string& k) override { return std::stoi(Text(s, k)); }
    std::int32_t ZeroWhenEmpty(const std::string& s, const std::string& k) override { return Strict(s, k); }
    std::optional<std::int32_t> WhenPresent(const std::string& s, const std::string& k) override {
      return Strict(s, k);
    }
    const std::string& Path() const override { return path; }
  } reader;
  auto enc = Loaded(23);
  enc->SwitchClicked();
  SetRegistry(kEncKey, kDeviceValue, 40);
  Take();
  enc->Load(reader);
  EXPECT_EQ(enc->On(), 1);
  EXPECT_EQ(enc->Level(), 30);
  EXPECT_EQ(Take(), (Strings{"4/0 01000000", "4/8", DeviceParams("1e")}));
}

}  // namespace
}  // namespace audio77::test
