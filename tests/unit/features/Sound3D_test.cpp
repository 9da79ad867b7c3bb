// 3D sound on the virtual device: knob values, the link modes, the switch and
// its nibble fix, FBM, reset and the sync from the device.
#include "features/Sound3D.h"

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

std::string WithRegisters(const std::string& lines) { return "[Registers]\n" + lines; }

class Sound3DTest : public ::testing::Test {
 protected:
  explicit Sound3DTest(const std::string& device_ini = WithRegisters("0x18A=0x42\n0x1CD=0xA5 0x3A\n")) : f(device_ini) {
    d3().Init3DRecord();
    d3().Show3D();
  }
  Sound3D& d3() { return *f.feature; }
  int Top(int tag) { return f.view.KnobTop(tag); }
  FeatureFixture<Sound3D> f;
};

TEST_F(Sound3DTest, ShowPlacesTheDefaultsAndLabelsThem) {
  EXPECT_EQ(Top(Sound3D::kLeftAlphaTag), 145);
  EXPECT_EQ(Top(Sound3D::kRightBetaTag), 201);
  EXPECT_EQ(f.view.labels[Sound3D::kLeftAlphaTag], "10");
  EXPECT_EQ(f.view.labels[Sound3D::kLeftBetaTag], "3");
  EXPECT_EQ(f.view.switches[Sound3D::kFbmTag], 1);
}

TEST_F(Sound3DTest, LinkButtonsCycleThroughTheirPictures) {
  const Strings alpha = {"D3AlphaIndepImage", "D3AlphaDepImage", "D3AlphaInvImage", "D3AlphaIndepImage"};
  for (const auto& picture : alpha) {
    d3().CycleAlphaLink();
    EXPECT_EQ(f.view.skin["D3AlphaImage"], picture);
  }
  const Strings beta = {"D3BetaIndepImage", "D3BetaDepImage", "D3BetaInvImage"};
  for (const auto& picture : beta) {
    d3().CycleBetaLink();
    EXPECT_EQ(f.view.skin["D3BetaImage"], picture);
  }
  EXPECT_EQ(d3().AlphaLink(), 0);
  EXPECT_EQ(d3().BetaLink(), 2);
}

TEST_F(Sound3DTest, DraggingAKnobMovesItsPartnerByTheLinkMode) {
  struct Case {
    int clicks;  // on the beta link button
    int partner_top;
    std::uint8_t right;
  };
  const Case cases[] = {
      {0, 201, 0xA3},  // never clicked: independent
      {1, 201, 0xA3},  // mode 0
      {2, 120, 0xAE},  // mode 1: the same place
      {3, 210, 0xA2},  // mode 2: the mirror
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.clicks);
    FeatureFixture<Sound3D> g;
    g.feature->Init3DRecord();
    g.feature->Show3D();
    for (int i = 0; i < c.clicks; ++i) g.feature->CycleBetaLink();
    g.Take();
    g.feature->SliderMoved(Sound3D::kLeftBetaTag, 120);
    EXPECT_EQ(g.view.KnobTop(Sound3D::kRightBetaTag), c.partner_top);
    EXPECT_EQ(g.view.labels[Sound3D::kLeftBetaTag], "14");
    // The left side is read and sent first (with the right side as it was),
    // then the right side.
    const Strings both = {"r 0x18A", "w 0x18A=0x01", "w 0x18B=0xAE", "w 0x18C=0xA3", "close",
                          "r 0x18A", "w 0x18A=0x01", "w 0x18B=0xAE", "w 0x18C=" + test::Hex(c.right), "close"};
    EXPECT_EQ(Registers(g.Take()), both);
  }
}

TEST_F(Sound3DTest, KnobAboveItsTravelSendsNothing) {
  d3().SliderMoved(Sound3D::kLeftAlphaTag, 90);
  EXPECT_TRUE(Writes(f.Take()).empty());
}

TEST_F(Sound3DTest, SwitchingOnSetsBit7AndTurnsNibblesAIntoF) {
  EXPECT_TRUE(d3().Set3DEnableRegister(1).Ok());
  EXPECT_EQ(Registers(f.Take()), (Strings{"r 0x100", "w 0x100=0x80", "r 0x1CD", "w 0x1CD=0xF5", "r 0x1CE",
                                          "w 0x1CE=0x3F", "close"}));
  EXPECT_TRUE(d3().Set3DEnableRegister(0).Ok());
  EXPECT_EQ(Registers(f.Take()), (Strings{"r 0x100", "w 0x100=0x00", "close"}));
}

TEST_F(Sound3DTest, ResetWritesTheDefaultsWithoutClosingReport) {
  d3().SliderMoved(Sound3D::kRightAlphaTag, 105);
  f.Take();
  d3().Reset3D();
  EXPECT_EQ(Registers(f.Take()), (Strings{"r 0x18A", "w 0x18A=0x43", "w 0x18B=0xA3", "w 0x18C=0xA3"}));
  EXPECT_EQ(Top(Sound3D::kRightAlphaTag), 145);
  EXPECT_EQ(d3().FbmState(), 1);
}

TEST_F(Sound3DTest, FbmButtonFlipsBit0Only) {
  d3().ToggleFbm();
  EXPECT_EQ(Registers(f.Take()), (Strings{"r 0x18A", "w 0x18A=0x42", "close"}));
  EXPECT_EQ(f.view.switches[Sound3D::kFbmTag], 0);
  EXPECT_EQ(d3().Values().fbm, 0);
  d3().ToggleFbm();
  EXPECT_EQ(Registers(f.Take()), (Strings{"r 0x18A", "w 0x18A=0x43", "close"}));
}

TEST_F(Sound3DTest, EnableIsReadBackAndRetriedOnce) {
  d3().Apply3DEnable(1);
  const auto traffic = f.Take();
  EXPECT_EQ(Library(traffic, "DLLQK_Set3D_OnOff_ById").size(), 1u) << Joined(traffic);
  EXPECT_EQ(Library(traffic, "DLLQK_Config3D_ById").size(), 1u);
}

TEST(Sound3DSync, SyncNeverSwitches3DOff) {
  struct Case {
    bool device_on;
    int eeprom, before, after;
  };
  const Case cases[] = {{false, 0, 1, 1}, {false, 0, 0, 0}, {true, 0, 0, 1}, {false, 1, 0, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.device_on << c.eeprom << c.before);
    FeatureFixture<Sound3D> f;
    f.feature->Init3DRecord();
    if (c.device_on) f.feature->Apply3DEnable(1);
    f.feature->SetFromEeprom(c.eeprom);
    if (c.before == 1) f.feature->Toggle3DEnable();
    f.Take();
    f.feature->Sync3DFromDevice();
    EXPECT_EQ(f.feature->Enabled(), c.after);
    EXPECT_EQ(f.view.switches[Sound3D::kEnableTag], c.after);
    const Strings on = {"r 0x18A", "w 0x18A=0x40", "r 0x18A", "w 0x18A=0x41", "w 0x18B=0xA3", "w 0x18C=0xA3", "close"};
    const Strings off = {"r 0x18A", "w 0x18A=0x00", "close"};
    EXPECT_EQ(Registers(f.Take()), c.after == 1 ? on : off);
  }
}

TEST_F(Sound3DTest, AFailedExchangeIsReportedAndEndsWithoutClosingReport) {
  struct Case {
    const char* fault;
    int flag;
    int step;
    Strings registers;
  };
  const Case cases[] = {
      {"", 1, 0, {"r 0x18A", "w 0x18A=0x42", "r 0x18A", "w 0x18A=0x43", "w 0x18B=0xA3", "w 0x18C=0xA3", "close"}},
      {"", 0, 0, {"r 0x18A", "w 0x18A=0x03", "close"}},
      // The switch register cannot be read: nothing more goes out, and that
      // is no "done".
      {"1", 1, 2, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.fault << " " << c.flag);
    if (*c.fault != '\0') {
      ASSERT_TRUE(sim::VirtualDevice::Instance().SetFault("hid.out", c.fault));
    }
    EXPECT_EQ(d3().Set3DSwitchAndParameters(c.flag).Step(), c.step);
    EXPECT_EQ(Registers(f.Take()), c.registers);
  }
}

}  // namespace
}  // namespace audio77
