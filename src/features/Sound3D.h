#pragma once
// 3D sound: the on/off switch (library and chip registers), the four
// parameters of the 3D page from its four knobs, the links that tie the left
// and right knobs together, FBM and reset. The 3D enable and the EEPROM flag
// live in the window's shared state; the exclusion with virtual 7.1 is the
// controller's, which calls Toggle3DEnable, then its own rule, then
// Apply3DEnable and Set3DEnableRegister.

#include <cstdint>

#include "device/HidTransport.h"
#include "ui/FeatureContext.h"
#include "ui/FeatureView.h"

namespace audio77 {

class Sound3D {
 public:
  static constexpr int kLeftBetaTag = 34;
  static constexpr int kLeftAlphaTag = 35;
  static constexpr int kRightBetaTag = 36;
  static constexpr int kRightAlphaTag = 37;
  static constexpr int kEnableTag = 8;
  static constexpr int kFbmTag = 13;
  static constexpr int kKnobTopLimit = 105;
  static constexpr int kKnobBottomLimit = 225;
  static constexpr int kLinkNever = -1;

  enum class Side { kLeft, kRight };

  struct Record {
    int alpha_left = 10;
    int beta_left = 3;
    int alpha_right = 10;
    int beta_right = 3;
    int fbm = 1;
    bool operator==(const Record&) const = default;
  };

  Sound3D(FeatureContext context, FeatureView& view);

  // The record's defaults, FBM on, 3D off.
  void Init3DRecord();
  void Apply3DEnable(int flag);
  void Set3DEnableRegister(int flag);
  // 0 done; 1 no HID interface.
  int Set3DSwitchAndParameters(int flag);
  void SetFbm(int value);
  void Set3DFromSliders(Side side, bool write);
  void Link3DSlider(int tag, int top);
  // The slider mechanics after a 3D knob moved to top (already clamped).
  void SliderMoved(int tag, int top);
  void Show3D();
  void Reset3D();
  void Sync3DFromDevice();
  // "3D-EN": flips the switch (state and picture); the controller goes on.
  void Toggle3DEnable();
  // "FBM": flips the switch and sends it.
  void ToggleFbm();
  // The link buttons: -1 or 2 -> 0 -> 1 -> 2, with the matching picture.
  void CycleAlphaLink();
  void CycleBetaLink();
  // The device left: the 3D switch shows off, nothing is sent.
  void DeviceRemoved();

  const Record& Values() const { return record_; }
  int FbmState() const { return fbm_state_; }
  int AlphaLink() const { return alpha_link_; }
  int BetaLink() const { return beta_link_; }
  int FromDevice() const { return from_device_; }
  // A knob's top to its value, and back.
  static int ValueFromTop(int top, int travel);
  static int TopFromValue(int value, int travel);

 private:
  int WriteParameterRegisters(HidHandle* handle);
  int Travel() const { return view_.EqTravel().length; }
  void ShowValueLabels();
  int& ValueOf(int tag);

  FeatureContext context_;
  FeatureView& view_;
  Record record_;
  int fbm_state_ = 1;
  int alpha_link_ = kLinkNever;
  int beta_link_ = kLinkNever;
  int from_device_ = 0;
};

}  // namespace audio77
