#pragma once
// Noise cancellation and voice effects on the virtual device with narrow
// parts: the bound library, a device status of the test's own, a registry in
// a temporary folder, the UI thread's loop and a display that records what
// is shown. Device traffic is read back from the trace in a compact form:
// "4/0 01000000" (group/sub-command and payload), "params <16 bytes>".

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "FeatureFixture.h"
#include "features/EncDisplay.h"
#include "features/FeatureDeps.h"
#include "features/NoiseCancellation.h"
#include "platform/InProcessFileGuard.h"
#include "platform/ManualClock.h"
#include "settings/RegistryDword.h"
#include "settings/RegistryStore.h"
#include "toolkit/EventLoop.h"
#include "unit/device/DeviceLibraryFixture.h"

namespace audio77::test {

class TestDeviceStatus : public DeviceStatus {
 public:
  std::uint16_t vendor_id = 0x2E8D;
  std::uint16_t product_id = 0x771F;
  bool active = true;
  std::uint16_t VendorId() const override { return vendor_id; }
  std::uint16_t ProductId() const override { return product_id; }
  bool Active() const override { return active; }
  bool RegisterSync() const override { return active; }
};

// Noise cancellation and voice effects never open a register transaction.
class NoRegisters : public RegisterPort {
 public:
  RegisterSession BeginRegisters() override { return RegisterSession(nullptr); }
};

class RecordingDisplay : public EncDisplay {
 public:
  std::map<std::string, std::string> pictures;
  std::map<std::string, bool> down;
  std::map<std::string, std::string> captions;
  int knob_top = -1;
  bool enc_page = true;
  int warnings = 0;
  SliderTravel travel{110, 120};

  void ShowPicture(const std::string& image, const std::string& key) override { pictures[image] = key; }
  void ShowLabelDown(const std::string& label, bool is_down) override { down[label] = is_down; }
  void ShowCaption(const std::string& label, const std::string& text) override { captions[label] = text; }
  SliderTravel EncTravel() const override { return travel; }
  void SetEncKnobTop(int top) override { knob_top = top; }
  bool EncPageShown() const override { return enc_page; }
  void ShowEncWarning() override { ++warnings; }
};

// One library line of the trace, compact.
inline std::string CompactLine(const std::string& line) {
  const auto end = line.rfind(" = ");
  std::string call = line.substr(4, end - 4);
  if (call.rfind("DLLQK_AudioCommand ", 0) == 0) {
    const std::string hex = call.substr(19, 2 * 234);
    const int group = std::stoi(hex.substr(0, 2), nullptr, 16);
    const int sub = std::stoi(hex.substr(2, 2), nullptr, 16);
    const std::size_t payload = group == 7 && sub == 2 ? 10 : sub == 8 ? 0 : 4;
    std::string out = std::to_string(group) + "/" + std::to_string(sub);
    if (payload > 0) out += " " + hex.substr(4, 2 * payload);
    return out;
  }
  if (call.rfind("DLLQK_SetEnc_Parameters ", 0) == 0) return "params " + call.substr(24);
  return call;
}

class EncFixture : public DeviceLibraryFixture {
 protected:
  static constexpr char kEncKey[] = "QKW 77xx Software\\EncValueMap";
  static constexpr char kDeviceValue[] = "VID_2E8D&PID_771F";
  static constexpr char kSoftware[] = "QKW 77xx Software";

  void SetUp() override {
    DeviceLibraryFixture::SetUp();
    ASSERT_EQ(library_.Open_DLLQK_UsbAudio77xx(DeviceLibrary::kProgramFileName), 0);
    ClearTrace();
  }
  void SetRegistry(const std::string& subkey, const std::string& name, std::uint32_t value) {
    RegSetDword(registry_, subkey, name, value);
  }
  std::optional<std::uint32_t> RegistryValue(const std::string& subkey, const std::string& name) {
    std::uint32_t value = 0;
    if (RegGetDword(registry_, subkey, name, value) != kRegRead) return std::nullopt;
    return value;
  }
  // The library calls since the last look, compact.
  std::vector<std::string> Take() {
    std::vector<std::string> calls;
    for (const auto& line : TraceLines()) {
      if (line.rfind("lib ", 0) == 0) calls.push_back(CompactLine(line));
    }
    ClearTrace();
    return calls;
  }

  FeatureDeps Deps() { return FeatureDeps{library_, registers_, status_, clock_, debug_, view_}; }
  EncParts Parts(Registry& registry) { return EncParts{registry, loop_, display_}; }

  TestDeviceStatus status_;
  NoRegisters registers_;
  RecordingView view_;
  TempDir registry_folder_;
  InProcessFileGuard guard_;
  RegistryStore registry_{registry_folder_.File("none.reg"), registry_folder_.File("user.reg"), guard_};
  ManualClock clock_;
  toolkit::EventLoop loop_{clock_};
  RecordingDisplay display_;
};

}  // namespace audio77::test
