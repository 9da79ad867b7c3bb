// The equalizer on the virtual device: slider codes, the registers of each
// operation, presets and their packing, the on/off read-back, RESET and the
// EEPROM equalizer.
#include "features/Equalizer.h"

#include <gtest/gtest.h>


#include "FeatureFixture.h"
#include "sim/core/VirtualDevice.h"

namespace audio77 {
namespace {

using test::FeatureFixture;
using test::Joined;
using test::Library;
using test::Registers;
using test::Writes;
using Strings = std::vector<std::string>;

constexpr int kTop = 105;     // the recording view's travel
constexpr int kTravel = 120;

class EqualizerTest : public ::testing::Test {
 protected:
  EqualizerTest() { eq().InitEqualizer(); }
  Equalizer& eq() { return *f.feature; }
  void PlaceKnob(int band, int offset) { f.view.tops[Equalizer::kFirstSliderTag + band] = kTop + offset; }
  FeatureFixture<Equalizer> f;
};

TEST_F(EqualizerTest, InitialSlotsAreFlatAndTheMarkerFollowsTheSlot) {
  for (int k = 0; k < 4; ++k) eq().StoreEqPreset(k);
  for (int k = 0; k < 4; ++k) {
    SCOPED_TRACE(k);
    const auto slot = eq().SlotBytes(k);
    EXPECT_EQ(slot[0], 0x00);
    EXPECT_EQ(slot[1], 0x04);
    EXPECT_EQ(slot[7], 0xE4);  // band 4 high nibble 4, the fixed flags
    EXPECT_EQ(slot[15] & 0x80, k == 3 ? 0x80 : 0x00);
    for (int band = 0; band < 5; ++band) EXPECT_EQ(eq().SliderPosition(k, band), kTravel / 2);
  }
}

TEST_F(EqualizerTest, SliderMoveWritesTwoRegistersPerBand) {
  struct Case {
    int band, offset;
    Strings registers;
  };
  const Case cases[] = {
      {0, 0, {"w 0x120=0xFF", "w 0x121=0x09", "close"}},
      {1, kTravel, {"w 0x122=0x00", "w 0x123=0x02", "close"}},
      {2, kTravel / 2, {"w 0x124=0x00", "w 0x125=0x04", "close"}},
      {3, 30, {"w 0x126=0xFF", "w 0x127=0x06", "close"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.band);
    PlaceKnob(c.band, c.offset);
    EXPECT_TRUE(eq().SetEqBandFromSlider(c.band, true).Ok());
    EXPECT_EQ(Registers(f.Take()), c.registers);
  }
}

TEST_F(EqualizerTest, Band4KeepsTheDeviceHighBitsOnAMoveButGetsTheFlagsOnAFullWrite) {
  std::unique_ptr<HidHandle> handle = f.Session().OpenHid();
  ASSERT_TRUE(handle);
  ASSERT_EQ(HidTransport::RegisterWrite(handle.get(), 0x129, 0x5A), 0);
  handle.reset();
  f.Take();
  PlaceKnob(4, 0);
  EXPECT_TRUE(eq().SetEqBandFromSlider(4, true).Ok());
  EXPECT_EQ(Registers(f.Take()), (Strings{"w 0x128=0xFF", "r 0x129", "w 0x129=0x59", "close"}));
  // The same code in a full write carries the fixed flags instead.
  eq().StoreEqPreset(1);
  eq().SelectEqPreset(2);
  const Strings writes = Writes(f.Take());
  ASSERT_EQ(writes.size(), 10u) << Joined(writes);
  EXPECT_EQ(writes[8], "w 0x128=0xFF");
  EXPECT_EQ(writes[9], "w 0x129=0xE9");
}

TEST_F(EqualizerTest, MoveWithoutWriteChangesTheRecordOnly) {
  PlaceKnob(0, 0);
  EXPECT_TRUE(eq().SetEqBandFromSlider(0, false).Ok());
  EXPECT_EQ(eq().Working().codes[0], 0x9FF);
  EXPECT_EQ(Registers(f.Take()), (Strings{"close"}));
}

TEST_F(EqualizerTest, SliderMechanicsStoreAndShowTheCurrentPreset) {
  eq().SelectEqPreset(3);
  f.Take();
  PlaceKnob(2, 0);
  eq().SliderMoved(2);
  EXPECT_EQ(EqualizerCodec::Unpack(eq().SlotBytes(2)).codes[2], 0x9FF);
  EXPECT_EQ(EqualizerCodec::Unpack(eq().SlotBytes(0)).codes[2], 0x400);
  EXPECT_EQ(f.view.labels[31], "9ff");
  EXPECT_EQ(f.view.tops[31], kTop);
  EXPECT_EQ(f.view.fills[231], test::RecordingView::kKnobHeight);
  EXPECT_EQ(eq().SliderPosition(2, 2), 0);
}

TEST_F(EqualizerTest, FlatPresetWritesNothingAndSwitchesTheDeviceEqualizerOff) {
  eq().ToggleEqEnable();
  f.Take();
  eq().SelectEqPreset(2);
  const auto traffic = f.Take();
  EXPECT_TRUE(Writes(traffic).empty()) << Joined(traffic);
  EXPECT_TRUE(eq().Flat());
  ASSERT_FALSE(Library(traffic, "DLLQK_SetEQ_OnOff_ById").empty());
  EXPECT_EQ(Library(traffic, "DLLQK_SetEQ_OnOff_ById").back().substr(0, 25), "DLLQK_SetEQ_OnOff_ById 0 ");
  EXPECT_EQ(f.view.switches[Equalizer::kEnableTag], 1);  // the picture still shows the enable
  EXPECT_EQ(eq().CurrentPreset(), 2);
}

TEST_F(EqualizerTest, OneBandOffFlatKeepsTheEqualizerOn) {
  eq().ToggleEqEnable();
  PlaceKnob(0, 0);
  eq().SliderMoved(0);
  f.Take();
  eq().SelectEqPreset(1);
  const auto traffic = f.Take();
  EXPECT_FALSE(eq().Flat());
  EXPECT_EQ(Writes(traffic).size(), 10u);
  const Strings switches = Library(traffic, "DLLQK_SetEQ_OnOff_ById");
  ASSERT_FALSE(switches.empty());
  for (const auto& line : switches) EXPECT_EQ(line.substr(0, 25), "DLLQK_SetEQ_OnOff_ById 1 ");
}

TEST_F(EqualizerTest, EnableIsReadBackAndRetriedOnce) {
  eq().ApplyEqEnable(1);
  EXPECT_EQ(Library(f.Take(), "DLLQK_SetEQ_OnOff_ById").size(), 1u);
}

TEST_F(EqualizerTest, ToggleStoresAndAppliesWithoutRegisters) {
  eq().ToggleEqEnable();
  const auto traffic = f.Take();
  EXPECT_EQ(eq().Enabled(), 1);
  EXPECT_EQ(f.view.switches[Equalizer::kEnableTag], 1);
  EXPECT_TRUE(Registers(traffic).empty()) << Joined(traffic);
  EXPECT_FALSE(Library(traffic, "DLLQK_SetEQ_OnOff_ById 1").empty());
}

TEST_F(EqualizerTest, EnableRegisterSetsBit2AndWritesTheBands) {
  EXPECT_TRUE(eq().SetEqEnableRegister(1).Ok());
  const Strings on = Registers(f.Take());
  ASSERT_GE(on.size(), 3u);
  EXPECT_EQ(on[0], "r 0x100");
  EXPECT_EQ(on[1], "w 0x100=0x04");
  EXPECT_EQ(on.size(), 13u);
  EXPECT_TRUE(eq().SetEqEnableRegister(0).Ok());
  EXPECT_EQ(Registers(f.Take()), (Strings{"r 0x100", "w 0x100=0x00", "close"}));
}

TEST_F(EqualizerTest, LoadFromValuesFillsTheSlotAndEndsOnTheCurrentPreset) {
  const Strings values = {"0x200", "0x9FF", "1024", "0x600", "0x401", "1"};
  eq().LoadEqPresetFromValues(values, 2, 0);
  EXPECT_EQ(EqualizerCodec::Unpack(eq().SlotBytes(2)).codes, (std::array<std::uint16_t, 5>{0x200, 0x9FF, 0x400, 0x600, 0x401}));
  EXPECT_EQ(eq().Enabled(), 1);
  // The current preset S1 (flat) is selected last: the record is S1's.
  EXPECT_TRUE(eq().Flat());
  const Strings writes = Writes(f.Take());
  ASSERT_EQ(writes.size(), 10u);
  EXPECT_EQ(writes[2], "w 0x122=0xFF");
  EXPECT_THROW(eq().LoadEqPresetFromValues(Strings{"x", "1", "1", "1", "1", "1"}, 0, 0), std::exception);
}

TEST_F(EqualizerTest, ResetWithoutDefaultIniRestoresFlatCodes) {
  PlaceKnob(3, 0);
  eq().SliderMoved(3);
  f.Take();
  int three_d = 0;
  eq().ResetEqualizer([&] { ++three_d; });
  EXPECT_EQ(EqualizerCodec::Unpack(eq().SlotBytes(0)).codes, (std::array<std::uint16_t, 5>{0x400, 0x400, 0x400, 0x400, 0x400}));
  EXPECT_EQ(f.view.labels[32], "400");
  EXPECT_EQ(three_d, 1);
  // Each band from its knob, then the full write.
  const Strings writes = Writes(f.Take());
  ASSERT_EQ(writes.size(), 20u);
  EXPECT_EQ(writes[6], "w 0x126=0x00");
  EXPECT_EQ(writes[19], "w 0x129=0xE4");
}

TEST_F(EqualizerTest, ResetTakesTheDefaultProfileAndTheBuiltInValueForEachMissingItem) {
  struct Case {
    const char* s1;  // the text of "S1" in the default profile; empty: missing
    std::array<std::uint16_t, 5> codes;
    int enable;
  };
  const Case cases[] = {
      {"0x500,0x600,0x700,0x800,0x900,1", {0x500, 0x600, 0x700, 0x800, 0x900}, 1},
      {"0x500,0x600", {0x500, 0x600, 0x400, 0x400, 0x400}, 0},
      {"0x500,bad,,0x800,0x900,0", {0x500, 0x400, 0x400, 0x800, 0x900}, 0},
      {"", {0x400, 0x400, 0x400, 0x400, 0x400}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.s1);
    std::vector<int> asked;
    eq().UseDefaultProfile([&](int n) {
      asked.push_back(n);
      return std::string(c.s1);
    });
    if (eq().Enabled() != 0) eq().ToggleEqEnable();
    eq().ResetEqualizer();
    EXPECT_EQ(asked, std::vector<int>{1});
    EXPECT_EQ(EqualizerCodec::Unpack(eq().SlotBytes(eq().CurrentPreset() - 1)).codes, c.codes);
    EXPECT_EQ(eq().Enabled(), c.enable);
  }
}

// The EEPROM equalizer: flag at 0x50:0x8D, bank selector at 0x50:0x8E, banks in 0x51.
// Bank 3 holds stored codes 0, 1024, 4095, 2048 and 0x123; its control byte
// (byte 7) 0x31: equalizer on, 3D flag on, band 4 high nibble 1.
constexpr const char* kBank3 = "[I2C 0x51]\n0x30=0x00 0x00 0x40 0xFF 0x0F 0x80 0x23 0x31\n";

std::string Eeprom(const std::string& present_and_bank, const std::string& banks = kBank3) {
  return "[I2C 0x50]\n0x8D=" + present_and_bank + "\n" + banks;
}

class EqualizerEepromTest : public ::testing::Test {};

TEST_F(EqualizerEepromTest, BankSelectorsChooseTheBank) {
  struct Case {
    const char* flag_and_bank;
    int result;
    std::uint16_t control_register;
    std::array<std::uint16_t, 5> codes;
  };
  const Case cases[] = {
      {"0x01 0x13", 0, 0x37, {0x200, 0x400, 0x9FF, 0x600, 0x291}},
      {"0x01 0x14", 2, 0x07, {0x400, 0x400, 0x400, 0x400, 0x400}},  // bank 0: blank control byte
      {"0x00 0x13", 0, 0x37, {0x400, 0x400, 0x400, 0x400, 0x400}},  // no bank data: flat
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.flag_and_bank);
    FeatureFixture<Equalizer> f(Eeprom(c.flag_and_bank));
    f.feature->InitEqualizer();
    EXPECT_EQ(f.feature->ReadEqFromEeprom().Step(), c.result);
    const auto reads = Library(f.Take(), "DLLQK_Read_I2C_ById 0x51");
    ASSERT_FALSE(reads.empty());
    EXPECT_EQ(reads.front().substr(0, 29), "DLLQK_Read_I2C_ById 0x51 " + test::Hex(c.control_register)) << Joined(reads);
    EXPECT_EQ(EqualizerCodec::Unpack(f.feature->SlotBytes(0)).codes, c.codes);
    if (c.result == 0) {
      EXPECT_EQ(f.feature->Enabled(), 1);
      EXPECT_EQ(f.feature->EepromWants3D(), 1);
    }
  }
}

TEST_F(EqualizerEepromTest, DataReadsFollowTheControlByteWithPauses) {
  FeatureFixture<Equalizer> f(Eeprom("0x01 0x13"));
  f.feature->InitEqualizer();
  const std::uint64_t before = f.Clock().NowMs();
  EXPECT_TRUE(f.feature->ReadEqFromEeprom().Ok());
  EXPECT_GE(f.Clock().NowMs() - before, 80u);
  const auto reads = Library(f.Take(), "DLLQK_Read_I2C_ById");
  ASSERT_EQ(reads.size(), 11u) << Joined(reads);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(reads[3 + i].substr(20, 9), "0x51 " + test::Hex(0x30 + i));
}

TEST_F(EqualizerEepromTest, BlankControlBytesLeaveThePresetsAndSwitchTheEqualizerOff) {
  for (const char* control : {"0x00", "0xFF"}) {
    SCOPED_TRACE(control);
    FeatureFixture<Equalizer> f(Eeprom("0x01 0x10", std::string("[I2C 0x51]\n0x00=0x11 0x22 0x33 0x44 0x55 0x66 0x77 ") + control + "\n"));
    Equalizer& eq = *f.feature;
    eq.InitEqualizer();
    eq.SelectEqPreset(2);
    const Strings values = {"0x500", "0x500", "0x500", "0x500", "0x500", "1"};
    eq.LoadEqPresetFromValues(values, 0, 1);
    const auto before = eq.SlotBytes(0);
    f.Take();
    eq.SyncEqFromEeprom();
    EXPECT_EQ(eq.SlotBytes(0), before);
    const auto traffic = f.Take();
    EXPECT_TRUE(Writes(traffic).empty()) << Joined(traffic);
    const auto switches = Library(traffic, "DLLQK_SetEQ_OnOff_ById");
    ASSERT_EQ(switches.size(), 1u);
    EXPECT_EQ(switches[0].substr(0, 25), "DLLQK_SetEQ_OnOff_ById 0 ");
  }
}

TEST_F(EqualizerEepromTest, FailedLibraryReadsCountAsZero) {
  FeatureFixture<Equalizer> f(Eeprom("0x01 0x13") + "[Faults]\nDLLQK_Read_I2C_ById=4\nDLLQK_IsEQ_Enable_ById=1\n");
  f.feature->InitEqualizer();
  // Flag and selector fail twice each: bank 0, whose control byte is blank.
  EXPECT_EQ(f.feature->ReadEqFromEeprom().Step(), 2);
  EXPECT_FALSE(Library(f.Take(), "DLLQK_Read_I2C_ById 0x51 0x07").empty());
  f.feature->InitEqualizer();  // the blank bank left the flat flag set
  // A failed read-back counts as off, so "on" goes out once more.
  f.feature->ApplyEqEnable(1);
  EXPECT_EQ(Library(f.Take(), "DLLQK_SetEQ_OnOff_ById").size(), 2u);
}

}  // namespace
}  // namespace audio77

namespace audio77 {
namespace {

using test::FeatureFixture;
using test::Registers;
using Strings = std::vector<std::string>;

TEST(EqualizerFailures, WithoutTheDeviceOnlyTheRecordAndTheDisplayChange) {
  FeatureFixture<Equalizer> f("[Device]\nPresent=0\n");
  f.Session().SetActive(false);
  f.feature->InitEqualizer();
  f.view.tops[Equalizer::kFirstSliderTag] = f.view.travel.top;
  f.feature->SliderMoved(0);
  EXPECT_EQ(EqualizerCodec::Unpack(f.feature->SlotBytes(0)).codes[0], 0x9FF);
  EXPECT_EQ(f.view.labels[Equalizer::kFirstSliderTag], "9ff");
  const auto traffic = f.Take();
  EXPECT_TRUE(Registers(traffic).empty()) << test::Joined(traffic);
  EXPECT_TRUE(test::Library(traffic, "DLLQK_SetEQ_OnOff").empty());
}

TEST(EqualizerFailures, AFailedExchangeEndsTheOperationWithoutClosingReport) {
  FeatureFixture<Equalizer> f;
  f.feature->InitEqualizer();
  f.view.tops[Equalizer::kFirstSliderTag] = f.view.travel.top;
  ASSERT_TRUE(sim::VirtualDevice::Instance().SetFault("hid.out", "1"));
  EXPECT_EQ(f.feature->SetEqBandFromSlider(0, true).Step(), 2);
  const auto traffic = f.Take();
  EXPECT_TRUE(Registers(traffic).empty()) << test::Joined(traffic);
  // The record keeps the new code, and the next move goes out whole.
  EXPECT_EQ(f.feature->Working().codes[0], 0x9FF);
  EXPECT_TRUE(f.feature->SetEqBandFromSlider(0, true).Ok());
  EXPECT_EQ(Registers(f.Take()), (Strings{"w 0x120=0xFF", "w 0x121=0x09", "close"}));
}

TEST(EqualizerFailures, ProfileSaveUnpacksWithoutWritingRegisters) {
  FeatureFixture<Equalizer> f;
  f.feature->InitEqualizer();
  f.feature->LoadEqPresetFromValues(Strings{"0x500", "0x500", "0x500", "0x500", "0x500", "0"}, 1, 0);
  f.Take();
  f.feature->SetProfileSaving(true);
  EXPECT_TRUE(f.feature->UnpackPreset(2).Ok());
  EXPECT_EQ(f.feature->Working().codes[0], 0x500);
  EXPECT_TRUE(Registers(f.Take()).empty());
  f.feature->SetProfileSaving(false);
  EXPECT_TRUE(f.feature->UnpackPreset(2).Ok());
  EXPECT_EQ(Registers(f.Take()).size(), 11u);
}

}  // namespace
}  // namespace audio77
