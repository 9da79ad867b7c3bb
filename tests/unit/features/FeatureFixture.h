#pragma once
// One feature built alone with its FeatureDeps on the virtual device: the
// device library bound from the virtual device's library, the device session
// as status and register port, a manual clock and a recording view. No window
// is started. Device traffic is read back from the trace in the compact form
// of DeviceTraffic.h.

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "device/DeviceLibrary.h"
#include "device/DeviceSession.h"
#include "features/EnvironmentEffects.h"
#include "features/FeatureDeps.h"
#include "features/Microphone.h"
#include "features/SpeakerView.h"
#include "features/Virtual71.h"
#include "lighting/Lighting.h"
#include "platform/ManualClock.h"
#include "platform/RecordingDebugOutput.h"
#include "platform/posix/PosixDynamicLibrary.h"
#include "sim/platform/VirtualPlatform.h"
#include "FakeSound.h"
#include "../lighting/RecordingLedView.h"
#include "support/DeviceTraffic.h"
#include "support/TempDir.h"
#include "toolkit/DialogsMessageBox.h"
#include "toolkit/EventLoop.h"
#include "toolkit/ScriptedDialogs.h"
#include "ui/FeatureView.h"

namespace audio77::test {

class RecordingView : public FeatureView {
 public:
  SliderTravel travel{105, 120};
  std::map<std::string, std::string> skin;
  std::map<int, int> switches;
  std::map<int, bool> highlighted;
  std::map<int, int> tops;
  std::map<int, int> fills;
  std::map<int, std::string> labels;
  std::map<int, bool> visible;
  static constexpr int kKnobHeight = 10;

  void ShowSkinEntry(const std::string& control, const std::string& key) override { skin[control] = key; }
  void ShowSwitch(int tag, int state) override { switches[tag] = state; }
  void HighlightLabel(int tag, bool down, const std::string&) override { highlighted[tag] = down; }
  SliderTravel Travel(int) const override { return travel; }
  int KnobTop(int tag) const override {
    const auto found = tops.find(tag);
    return found == tops.end() ? travel.top + travel.length / 2 : found->second;
  }
  void SetKnobTop(int tag, int top) override { tops[tag] = top; }
  int KnobHeight(int) const override { return kKnobHeight; }
  int FillTop(int) const override { return travel.top; }
  void SetFillHeight(int tag, int height) override { fills[tag] = height; }
  void SetValueLabel(int tag, const std::string& text) override { labels[tag] = text; }
  void SetImageVisible(int tag, bool shown) override { visible[tag] = shown; }
};

// The speaker page of a window with the bundled skins' circle and picture:
// where each icon and the bee were last put.
class RecordingSpeakerView : public SpeakerView {
 public:
  SpeakerCircle circle{364, 264, 120};
  SpeakerBox area{196, 96, 336, 336};
  std::array<SpeakerPosition, kSpeakerCount> icons{};
  std::optional<SpeakerPosition> bee;
  bool bee_visible = false;
  int moves = 0;

  SpeakerCircle Circle() const override { return circle; }
  SpeakerBox Area() const override { return area; }
  SpeakerBox Icon(int speaker) const override {
    const SpeakerPosition& at = icons[static_cast<std::size_t>(speaker)];
    return {at.left, at.top, 32, 32};
  }
  void MoveSpeaker(int speaker, SpeakerPosition to) override {
    icons[static_cast<std::size_t>(speaker)] = to;
    ++moves;
  }
  void ShowBee(bool visible) override { bee_visible = visible; }
  void MoveBee(SpeakerPosition to) override { bee = to; }
};

// The virtual device (described by device_ini, or the default one), active,
// and everything a feature is built with.
class FeatureBench {
 public:
  explicit FeatureBench(const std::string& device_ini = {}) {
    if (!device_ini.empty()) state_.Write("device.ini", device_ini);
    auto clock = std::make_unique<ManualClock>();
    clock_ = clock.get();
    sim::VirtualPlatformOptions options;
    options.state_folder = state_.path().string();
    options.program_path = (program_.path() / "audio77").string();
    options.home = home_.path().string();
    options.clock = std::move(clock);
    host_ = sim::CreateVirtualPlatform(std::move(options));
    library_ = std::make_unique<DeviceLibrary>(loader_, debug_, message_box_);
    EXPECT_EQ(library_->Open_DLLQK_UsbAudio77xx(DeviceLibrary::kProgramFileName), 0);
    session_ = std::make_unique<DeviceSession>(host_->Get(), *library_);
    session_->SetActive(true);
    // The extension's path is chosen as a device search would.
    session_->ExtensionPresent();
    ClearTrace();
  }

  FeatureDeps Deps() { return FeatureDeps{*library_, *session_, *session_, *clock_, debug_, view}; }
  DeviceSession& Session() { return *session_; }
  ManualClock& Clock() { return *clock_; }
  RecordingDebugOutput& Debug() { return debug_; }
  Platform& Services() { return host_->Get(); }
  const TempDir& StateFolder() const { return state_; }

  // The traffic since the last call (or since the bench was built).
  std::vector<std::string> Take() { return Traffic(TakeTrace()); }
  // The trace lines themselves, for reports Traffic does not name.
  std::vector<std::string> TakeTrace() {
    auto lines = Lines(state_.Read("trace.log"));
    ClearTrace();
    return lines;
  }
  void ClearTrace() { state_.Write("trace.log", ""); }

  RecordingView view;

 private:
  static std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
      const std::size_t end = text.find('\n', start);
      lines.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
      if (end == std::string::npos) break;
      start = end + 1;
    }
    return lines;
  }

  TempDir state_;
  TempDir program_;
  TempDir home_;
  ManualClock* clock_ = nullptr;
  std::unique_ptr<PlatformHost> host_;
  PosixDynamicLibrary loader_{DistDir().string() + "/virtual/"};
  RecordingDebugOutput debug_;
  toolkit::ScriptedDialogs dialogs_;
  toolkit::DialogsMessageBox message_box_{dialogs_};
  std::unique_ptr<DeviceLibrary> library_;
  std::unique_ptr<DeviceSession> session_;
};

// A bench with one feature of the test's kind built on it.
template <typename Feature>
class FeatureFixture : public FeatureBench {
 public:
  explicit FeatureFixture(const std::string& device_ini = {}) : FeatureBench(device_ini) { feature = Make(); }

  // The microphone's page and the loop its meter reports through.
  TempDir runtime_;
  toolkit::EventLoop loop_{Clock()};
  RecordingMicView mic_view;
  RecordingSpeakerView speaker_view;
  RecordingLedView led_view;
  std::unique_ptr<Feature> feature;

 private:
  std::unique_ptr<Feature> Make() {
    if constexpr (std::is_same_v<Feature, EnvironmentEffects>) {
      return std::make_unique<Feature>(Deps(), Session().Extension());
    } else if constexpr (std::is_same_v<Feature, Microphone>) {
      Platform& platform = Services();
      return std::make_unique<Feature>(Deps(), MicSound{platform.endpoints, platform.wave_in, platform.wave_out,
                                                        loop_, mic_view, runtime_.File("run")});
    } else if constexpr (std::is_same_v<Feature, Virtual71>) {
      return std::make_unique<Feature>(Deps(), SpeakerStage{speaker_view, loop_});
    } else if constexpr (std::is_same_v<Feature, Lighting>) {
      return std::make_unique<Feature>(Deps(), led_view);
    } else {
      return std::make_unique<Feature>(Deps());
    }
  }
};

}  // namespace audio77::test
