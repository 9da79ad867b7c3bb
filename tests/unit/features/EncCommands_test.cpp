// The device traffic of noise cancellation and voice effects, through the
// bound library, against the virtual device's state and trace.
#include "features/EncCommands.h"

#include <functional>
#include <vector>

#include "platform/DebugFormat.h"
#include "unit/device/DeviceLibraryFixture.h"

namespace audio77 {
namespace {

// The trace of one audio command: the whole block in hex, its length, the result.
std::string CommandLine(std::vector<int> head, int result) {
  std::string hex;
  for (const int byte : head) hex += FormatDebug("%02x", byte);
  hex.resize(2 * AudioCommand::kLength, '0');
  return "lib DLLQK_AudioCommand " + hex + " 234 = " + std::to_string(result);
}

class EncCommandsTest : public DeviceLibraryFixture {
 protected:
  void SetUp() override {
    DeviceLibraryFixture::SetUp();
    ASSERT_EQ(library_.Open_DLLQK_UsbAudio77xx(DeviceLibrary::kProgramFileName), 0);
    ClearTrace();
  }
  EncCommands commands_{library_};
};

TEST_F(EncCommandsTest, EachCommandSendsItsBytes) {
  EncParameters parameters;
  struct Case {
    const char* what;
    std::function<std::int32_t()> call;
    std::string trace;
  };
  const Case cases[] = {
      {"ENC on", [&] { return commands_.SetEncOn(1); }, CommandLine({4, 0, 1, 0, 0, 0}, 0)},
      {"ENC off", [&] { return commands_.SetEncOn(0); }, CommandLine({4, 0, 0, 0, 0, 0}, 0)},
      {"read all", [&] { return commands_.ReadAll(parameters); }, ""},
      {"Voice Magic on", [&] { return commands_.SetVoiceMagicOn(1); }, CommandLine({7, 0, 1, 0, 0, 0}, 0)},
      {"effect 3", [&] { return commands_.SetVoiceEffect(1, 3); },
       CommandLine({7, 2, 1, 0, 0, 0, 0xF6, 0xFF, 0, 0, 0, 0}, 0)},
      {"effect 4 off", [&] { return commands_.SetVoiceEffect(0, 4); },
       CommandLine({7, 2, 0, 0, 0, 0, 0x0C, 0x00, 0, 0, 0, 0}, 0)},
      {"parameters as read, level 21",
       [&] {
         parameters.SetLevel(21);
         return commands_.SendParameters(parameters);
       },
       "lib DLLQK_SetEnc_Parameters 010000001000000015000000401f0000 = 0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ClearTrace();
    EXPECT_EQ(c.call(), 0);
    ASSERT_EQ(TraceLines().size(), 1u);
    if (!c.trace.empty()) {
      EXPECT_EQ(TraceLines()[0], c.trace);
    }
  }
  const auto state = device().Snapshot();
  EXPECT_TRUE(state.voice_on);
  EXPECT_EQ(state.voice_payload, (std::array<std::uint8_t, 10>{0, 0, 0, 0, 0x0C, 0, 0, 0, 0, 0}));
  EXPECT_EQ(state.enc_parameters[8], 21);
}

TEST_F(EncCommandsTest, ReadAllBringsTheDevicesBlockBackAndAFailureLeavesZeros) {
  EncParameters parameters;
  ASSERT_EQ(commands_.SetEncOn(1), 0);
  ASSERT_EQ(commands_.ReadAll(parameters), 0);
  EXPECT_EQ(parameters.Bytes(), device().Snapshot().enc_parameters);
  EXPECT_EQ(parameters.CompanionArea(), (EncParameters::Companion{1, 0, 0, 0, 0, 0, 0, 0}));

  ASSERT_TRUE(device().SetFault("DLLQK_AudioCommand", "1"));
  EXPECT_NE(commands_.ReadAll(parameters), 0);
  EXPECT_EQ(parameters.Bytes(), EncParameters::Block{});
  EXPECT_EQ(parameters.CompanionArea(), EncParameters::Companion{});
}

TEST_F(EncCommandsTest, OnlyTheEncSwitchIsRepeatedOnceWhenItFails) {
  struct Case {
    const char* what;
    int failures;
    std::function<std::int32_t()> call;
    std::int32_t result;
    std::size_t calls;
  };
  const Case cases[] = {
      {"ENC, one failure", 1, [&] { return commands_.SetEncOn(1); }, 0, 2},
      {"ENC, two failures", 2, [&] { return commands_.SetEncOn(1); }, DLLQK_DEVICE_FAILURE, 2},
      {"Voice Magic switch", 1, [&] { return commands_.SetVoiceMagicOn(1); }, DLLQK_DEVICE_FAILURE, 1},
      {"effect", 1, [&] { return commands_.SetVoiceEffect(1, 2); }, DLLQK_DEVICE_FAILURE, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(device().SetFault("DLLQK_AudioCommand", std::to_string(c.failures)));
    ClearTrace();
    EXPECT_EQ(c.call(), c.result);
    EXPECT_EQ(TraceLines().size(), c.calls);
    ASSERT_TRUE(device().SetFault("DLLQK_AudioCommand", "0"));
  }
}

}  // namespace
}  // namespace audio77
