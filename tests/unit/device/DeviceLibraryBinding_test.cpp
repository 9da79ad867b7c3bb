// Binding the device library: results, debug lines and what stays unbound.
#include "DeviceLibraryFixture.h"

#include <chrono>
#include <future>
#include <thread>

namespace audio77 {
namespace {

using Binding = DeviceLibraryFixture;

TEST_F(Binding, ResultsAndDebugLinesFollowTheFirstMissingRow) {
  struct Case {
    const char* name;
    std::string file;
    int result;
    std::vector<std::string> debug;
  };
  const Case cases[] = {
      {"every row", DeviceLibrary::kProgramFileName, 0, {}},
      {"first row missing", TestLibrary("without-first").string(), 2, {}},
      {"third row missing", TestLibrary("without-third").string(), 4, {"***** DLLQK_CheckDriver *****\n"}},
      {"last row missing", TestLibrary("without-last").string(), 250, {"***** DLLQK_PWM_GetRGB_Color_ById *****\n"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    debug_.Clear();
    DeviceLibrary library(loader_, debug_, message_box_);
    EXPECT_EQ(library.Open_DLLQK_UsbAudio77xx(c.file), c.result);
    EXPECT_EQ(debug_.Lines(), c.debug);
  }
  EXPECT_TRUE(dialogs_.Messages().empty());
}

TEST_F(Binding, MissingFileShowsTheSystemErrorAndGivesOne) {
  EXPECT_EQ(library_.Open_DLLQK_UsbAudio77xx("/nonexistent/libDLLQK_UsbAudio77xx.so"), 1);
  const auto& shown = dialogs_.Messages();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].caption, "Error");
  EXPECT_EQ(shown[0].buttons, MessageButtons::kOk);
  EXPECT_EQ(shown[0].text.rfind("error 2: ", 0), 0u) << shown[0].text;
  EXPECT_NE(shown[0].text.find("No such file"), std::string::npos) << shown[0].text;
  EXPECT_TRUE(debug_.Lines().empty());
  // Nothing is bound, and a call does not reach anything.
  EXPECT_EQ(library_.SetActive_Device(0x2E8D, 0x771F), DeviceLibrary::kNotBound);
  EXPECT_TRUE(TraceLines().empty());
}

// While the binding error is up, other work (a timer, the button thread) may
// call into the library; it must find the call lock free, not wait for the
// user's answer.
TEST_F(Binding, TheErrorBoxIsShownWithoutTheCallLock) {
  class ProbingBox final : public MessageBox {
   public:
    MessageAnswer Show(const std::string&, const std::string&, MessageButtons buttons,
                       MessageIcon) override {
      auto done = called_.get_future();
      caller = std::thread([this] {
        library->IsBound(DeviceEntry::DLLQK_SetActive_Device);
        called_.set_value();
      });
      lock_free = done.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
      return DismissAnswer(buttons);
    }
    DeviceLibrary* library = nullptr;
    std::thread caller;  // joined once Open has returned, when the lock is free in any case
    bool lock_free = false;

   private:
    std::promise<void> called_;
  };
  ProbingBox box;
  DeviceLibrary probed(loader_, debug_, box);
  box.library = &probed;
  EXPECT_EQ(probed.Open_DLLQK_UsbAudio77xx("/nonexistent/libDLLQK_UsbAudio77xx.so"), 1);
  ASSERT_TRUE(box.caller.joinable());
  box.caller.join();
  EXPECT_TRUE(box.lock_free);
}

TEST_F(Binding, RowsAfterTheMissingOneStayUnboundAndAnswerWithoutACall) {
  ASSERT_EQ(library_.Open_DLLQK_UsbAudio77xx(TestLibrary("without-third").string()), 4);
  EXPECT_TRUE(library_.IsBound(DeviceEntry::DLLQK_GetAP_VersionW));
  EXPECT_TRUE(library_.IsBound(DeviceEntry::DLLQK_GetDLL_VersionW));
  EXPECT_FALSE(library_.IsBound(DeviceEntry::DLLQK_CheckDriver));
  EXPECT_FALSE(library_.IsBound(DeviceEntry::DLLQK_SetActive_Device));

  // Shutdown after a failed binding still runs its calls: none of them crash or reach the device.
  AudioCommand off = AudioCommand::Switch(AudioCommand::kNoiseCancellationGroup, false);
  EXPECT_EQ(library_.SendAudioCommand(off), DeviceLibrary::kNotBound);
  EXPECT_EQ(library_.SetVirtual7ch1_OnOff(0), DeviceLibrary::kNotBound);
  EXPECT_EQ(library_.SetRGB_Mode_ById(58, 0, 1, 1, 50, 0), DeviceLibrary::kNotBound);
  EXPECT_TRUE(TraceLines().empty());

  // A row before the missing one works.
  wchar_t version[16] = {};
  EXPECT_EQ(library_.Call<DLLQK_GetDLL_VersionW_Fn>(DeviceEntry::DLLQK_GetDLL_VersionW, version, 16), 0);
  EXPECT_EQ(std::wstring(version), L"1.0.0.1");
}

TEST(DeviceLibraryNames, TableOrderAndPlatformFileName) {
  const auto& names = DeviceLibrary::EntryNames();
  EXPECT_STREQ(names[0], "DLLQK_GetAP_VersionW");
  EXPECT_STREQ(names[12], "DLLQK_AudioCommand");
  EXPECT_STREQ(names[58], "DLLQK_SetMicMute");
  EXPECT_STREQ(names[94], "DLLQK_ReadChipId");
  EXPECT_STREQ(names[141], "DLLQK_ReadChipId_ById");
  EXPECT_STREQ(names[191], "DLLQK_PWM_SetConfig_ById");
  EXPECT_STREQ(names[248], "DLLQK_PWM_GetRGB_Color_ById");

  struct Case {
    const char* program;
    const char* platform;
  };
  const Case cases[] = {
      {"DLLQK_UsbAudio77xx_x32.dll", "libDLLQK_UsbAudio77xx.so"},
      {"DLLQK_UsbAudio77xx_X64.DLL", "libDLLQK_UsbAudio77xx.so"},
      {"/opt/audio77/DLLQK_UsbAudio77xx_x32.dll", "/opt/audio77/libDLLQK_UsbAudio77xx.so"},
      {"libOther.so", "libOther.so"},
      {"/tmp/x/libDLLQK_UsbAudio77xx.so", "/tmp/x/libDLLQK_UsbAudio77xx.so"},
  };
  for (const auto& c : cases) EXPECT_EQ(DeviceLibrary::PlatformFileName(c.program), c.platform) << c.program;
}

}  // namespace
}  // namespace audio77
