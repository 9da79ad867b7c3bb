// Switching the microphone monitor on the virtual device: each monitor mode's
// library calls (repeated once on failure), listen route and record test.
#include "features/MicMonitor.h"

#include <gtest/gtest.h>

#include "FakeSound.h"
#include "platform/ManualClock.h"
#include "support/DeviceTraffic.h"
#include "unit/device/DeviceLibraryFixture.h"

namespace audio77::test {
namespace {

constexpr std::uint16_t kVid = 0x2E8D, kPid = 0x771F;

class MicMonitorTest : public DeviceLibraryFixture {
 protected:
  void SetUp() override {
    DeviceLibraryFixture::SetUp();
    ASSERT_EQ(library_.Open_DLLQK_UsbAudio77xx(DeviceLibrary::kProgramFileName), 0);
    ASSERT_EQ(library_.SetActive_Device(kVid, kPid), 0);
    endpoints.Add("mic", "\\\\?\\USB#VID_2E8D&PID_771F#mic");
    ClearTrace();
  }
  std::vector<std::string> Take() {
    auto traffic = Traffic(TraceLines());
    ClearTrace();
    return traffic;
  }

  FakeEndpoints endpoints;
  MicEndpoint endpoint{endpoints, debug_};
  FakeWaveIn wave_in;
  FakeWaveOut wave_out;
  ManualClock clock;
  toolkit::EventLoop loop{clock};
  TempDir runtime;
  RecordTest record_test{wave_in, wave_out, loop, runtime.File("audio77"), debug_};
  MicMonitor monitor{library_, endpoint, record_test};
};

TEST_F(MicMonitorTest, EachModeWritesTheTablesRegistersAndSwitchesListen) {
  const std::string read = "lib DLLQK_Read_Register_ById 512";
  const std::string on_200 = "lib DLLQK_Write_Register_ById 512 0x04 0x00";
  const std::string on_230 = "lib DLLQK_Write_Register_ById 560 0x20 0x00";
  const std::string off_230 = "lib DLLQK_Write_Register_ById 560 0x00 0x00";
  struct Case {
    int mode, value;
    std::vector<std::string> traffic;
    bool listen_after;
  };
  const Case cases[] = {
      {1, 1, {read, on_200, on_230}, true}, {1, 0, {}, false},
      {3, 1, {read, on_200, on_230}, true}, {3, 0, {read, on_200, off_230}, false},
      {0, 1, {read, on_200, on_230}, true}, {0, 0, {read, on_200, off_230}, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("mode " + std::to_string(c.mode) + " value " + std::to_string(c.value));
    EXPECT_TRUE(monitor.Set(c.mode, c.value, kVid, kPid).Ok());
    auto traffic = Take();
    ASSERT_EQ(traffic.size(), c.traffic.size());
    // The read's value byte is whatever the register held.
    for (std::size_t i = 0; i < traffic.size(); ++i) EXPECT_EQ(traffic[i].rfind(c.traffic[i], 0), 0u) << traffic[i];
    EXPECT_EQ(endpoints.sources["mic"].listen, c.listen_after);
  }
  EXPECT_EQ(device().Snapshot().registers[0x230], 0x00);
  EXPECT_FALSE(record_test.Running());
}

TEST_F(MicMonitorTest, AFailedLibraryCallIsRepeatedOnce) {
  ASSERT_TRUE(device().SetFault("DLLQK_Write_Register_ById", "1"));
  EXPECT_TRUE(monitor.Set(1, 1, kVid, kPid).Ok());
  EXPECT_EQ(device().Snapshot().registers[0x200], 0x04);
  EXPECT_EQ(device().Snapshot().registers[0x230], 0x20);
  EXPECT_EQ(Take().size(), 4u);  // read, failed write, write, write

  // Failing twice: that write is lost, the rest still goes out and the step is told.
  ASSERT_TRUE(device().SetFault("DLLQK_Write_Register_ById", "2"));
  EXPECT_EQ(monitor.Set(3, 0, kVid, kPid), FeatureResult::Failed(2));
  EXPECT_EQ(device().Snapshot().registers[0x230], 0x00);
  EXPECT_FALSE(endpoints.sources["mic"].listen);
}

TEST_F(MicMonitorTest, ModeTwoRunsTheRecordTestAndSendsNothing) {
  EXPECT_TRUE(monitor.Set(2, 0, kVid, kPid).Ok());  // a stop without a start
  EXPECT_TRUE(monitor.Set(2, 1, kVid, kPid).Ok());
  EXPECT_TRUE(record_test.Running());
  EXPECT_TRUE(monitor.Set(2, 0, kVid, kPid).Ok());
  EXPECT_FALSE(record_test.Running());
  EXPECT_TRUE(Take().empty());
  EXPECT_TRUE(endpoints.calls.empty());
}

}  // namespace
}  // namespace audio77::test
