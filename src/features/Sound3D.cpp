#include "features/Sound3D.h"

#include <string>

#include "device/ChipRegisters.h"

namespace audio77 {
namespace {

constexpr std::uint8_t kDeviceIndex = 0;
constexpr int kNoInterface = 1;
constexpr int kExchangeFailed = 2;
// What Set3DSwitchAndParameters reports when the parameters cannot go out.
constexpr int kValueOutOfRange = 1;

constexpr const char* kAlphaPictures[] = {"D3AlphaIndepImage", "D3AlphaDepImage", "D3AlphaInvImage"};
constexpr const char* kBetaPictures[] = {"D3BetaIndepImage", "D3BetaDepImage", "D3BetaInvImage"};

int NextLink(int mode) { return mode < 0 || mode >= 2 ? 0 : mode + 1; }

// The transaction's end: the closing report after a complete exchange, none
// after a failed one.
FeatureResult Finish(RegisterSession& transaction, bool failed) {
  if (failed) {
    transaction.Abandon();
    return FeatureResult::Failed(kExchangeFailed);
  }
  return transaction.Commit() == 0 ? FeatureResult::Done() : FeatureResult::Failed(kExchangeFailed);
}

}  // namespace

Sound3D::Sound3D(FeatureDeps deps) : deps_(deps) {}

void Sound3D::Init3DRecord() {
  record_ = Record{};
  fbm_state_ = 1;
  enable_ = 0;
}

void Sound3D::Save(ProfileWriter& profile) {
  profile.WriteInt("3D", "LeftAlpha", record_.alpha_left);
  profile.WriteInt("3D", "LeftBeta", record_.beta_left);
  profile.WriteInt("3D", "RightAlpha", record_.alpha_right);
  profile.WriteInt("3D", "RightBeta", record_.beta_right);
  profile.WriteInt("3D", "FBM", fbm_state_);
  profile.WriteInt("3D", "3DEN", enable_);
  profile.WriteInt("3D", "3DFromEEPROM", from_eeprom_);
}

void Sound3D::Load(ProfileReader& profile) {
  enable_ = profile.ZeroWhenEmpty("3D", "3DEN") != 0 ? 1 : 0;
  Apply3DEnable(enable_);
  deps_.view.ShowSwitch(kFbmTag, fbm_state_);
  deps_.view.ShowSwitch(kEnableTag, enable_);
  Show3D();
  from_eeprom_ = profile.ZeroWhenEmpty("3D", "3DFromEEPROM");
}

void Sound3D::Apply3DEnable(int flag) {
  DeviceLibrary& library = deps_.library;
  // The switch is read back below; what the configuration call gives adds nothing.
  library.Config3D_ById(kDeviceIndex);
  library.Set3D_OnOff_ById(flag, kDeviceIndex);
  // A failed read leaves "off", which makes a wanted "on" go out once more.
  std::int32_t state = 0;
  library.Is3D_Enable_ById(state, kDeviceIndex);
  if (state != flag) library.Set3D_OnOff_ById(flag, kDeviceIndex);
}

FeatureResult Sound3D::Set3DEnableRegister(int flag) {
  RegisterSession transaction = deps_.registers.BeginRegisters();
  if (!transaction) return FeatureResult::Failed(kNoInterface);
  if (transaction.SetBits(chip::kEffectEnable, chip::k3DEnableBit, flag != 0) != 0) return Finish(transaction, true);
  if (flag != 0) {
    for (const std::uint16_t address : chip::k3DNibbleFix) {
      std::uint8_t value = 0;
      if (transaction.Read(address, value) != 0) return Finish(transaction, true);
      if (transaction.Write(address, Sound3DCodec::FixNibbles(value)) != 0) return Finish(transaction, true);
    }
  }
  return Finish(transaction, false);
}

int Sound3D::WriteParameterRegisters(RegisterSession& transaction) {
  const auto writes = Sound3DCodec::ParameterWrites(record_);
  // Values from knobs outside their travel are not sent.
  if (!writes) return kValueOutOfRange;
  if (const int step = transaction.SetBits(chip::k3DSwitch, chip::kFbmBit, record_.fbm != 0); step != 0) return step;
  for (const RegisterWrite& write : *writes) {
    if (const int step = transaction.Write(write.address, write.value); step != 0) return step;
  }
  return 0;
}

FeatureResult Sound3D::Set3DSwitchAndParameters(int flag) {
  RegisterSession transaction = deps_.registers.BeginRegisters();
  if (!transaction) return FeatureResult::Failed(kNoInterface);
  // A failed exchange (or parameters that cannot go out) is reported as such.
  const bool failed = transaction.SetBits(chip::k3DSwitch, chip::k3DSwitchBit, flag == 1) != 0 ||
                      (flag == 1 && WriteParameterRegisters(transaction) != 0);
  return Finish(transaction, failed);
}

FeatureResult Sound3D::SetFbm(int value) {
  record_.fbm = value;
  RegisterSession transaction = deps_.registers.BeginRegisters();
  if (!transaction) return FeatureResult::Failed(kNoInterface);
  return Finish(transaction, transaction.SetBits(chip::k3DSwitch, chip::kFbmBit, value != 0) != 0);
}

FeatureResult Sound3D::Set3DFromSliders(Side side, bool write) {
  const int beta_tag = side == Side::kLeft ? kLeftBetaTag : kRightBetaTag;
  const int alpha_tag = side == Side::kLeft ? kLeftAlphaTag : kRightAlphaTag;
  ValueOf(beta_tag) = ValueFromTop(deps_.view.KnobTop(beta_tag), Travel());
  ValueOf(alpha_tag) = ValueFromTop(deps_.view.KnobTop(alpha_tag), Travel());
  RegisterSession transaction = deps_.registers.BeginRegisters();
  if (!transaction) return FeatureResult::Failed(kNoInterface);
  // Both sides go out whichever side moved.
  return Finish(transaction, write && WriteParameterRegisters(transaction) != 0);
}

int& Sound3D::ValueOf(int tag) {
  switch (tag) {
    case kLeftBetaTag:
      return record_.beta_left;
    case kLeftAlphaTag:
      return record_.alpha_left;
    case kRightBetaTag:
      return record_.beta_right;
    default:
      return record_.alpha_right;
  }
}

void Sound3D::Link3DSlider(int tag, int top) {
  const bool beta = tag == kLeftBetaTag || tag == kRightBetaTag;
  if (!beta && tag != kLeftAlphaTag && tag != kRightAlphaTag) return;
  const int mode = beta ? beta_link_ : alpha_link_;
  const int partner = tag <= kLeftAlphaTag ? tag + 2 : tag - 2;
  if (mode == 1) deps_.view.SetKnobTop(partner, top);
  // The mirror inside the travel: value v on one side, 15 - v on the other.
  if (mode == 2) deps_.view.SetKnobTop(partner, kKnobTopLimit + kKnobBottomLimit - top);
}

void Sound3D::SliderMoved(int tag, int top) {
  if (tag < kLeftBetaTag || tag > kRightAlphaTag) return;
  deps_.view.SetKnobTop(tag, top);
  Link3DSlider(tag, top);
  const bool sync = deps_.device.RegisterSync();
  Set3DFromSliders(Side::kLeft, sync).Ignore("the knobs and values follow the hand whatever the device took");
  Set3DFromSliders(Side::kRight, sync).Ignore("the knobs and values follow the hand whatever the device took");
  ShowValueLabels();
}

void Sound3D::ShowValueLabels() {
  for (int tag = kLeftBetaTag; tag <= kRightAlphaTag; ++tag) {
    deps_.view.SetValueLabel(tag, std::to_string(ValueFromTop(deps_.view.KnobTop(tag), Travel())));
  }
}

void Sound3D::Show3D() {
  for (int tag = kLeftBetaTag; tag <= kRightAlphaTag; ++tag) {
    deps_.view.SetKnobTop(tag, TopFromValue(ValueOf(tag), Travel()));
  }
  if (deps_.device.Active()) deps_.view.ShowSwitch(kFbmTag, fbm_state_);
  ShowValueLabels();
}

void Sound3D::Reset3D() {
  record_ = Record{};
  fbm_state_ = 1;
  Show3D();
  RegisterSession transaction = deps_.registers.BeginRegisters();
  if (!transaction) return;
  if (deps_.device.RegisterSync()) {
    WriteParameterRegisters(transaction);
  }
  // The reset's parameters go out without a closing report of their own.
  transaction.Abandon();
}

void Sound3D::Sync3DFromDevice() {
  std::int32_t state = 0;
  if (deps_.library.Is3D_Enable_ById(state, kDeviceIndex) != 0) {
    state = 0;
    // A second failure leaves "off".
    deps_.library.Is3D_Enable_ById(state, kDeviceIndex);
  }
  from_device_ = state;
  // Syncing only ever switches 3D on.
  if (from_device_ == 1 || from_eeprom_ == 1) enable_ = 1;
  fbm_state_ = 1;
  const int enable = enable_;
  Set3DSwitchAndParameters(enable).Ignore("the library switch below is read back and repeated");
  Apply3DEnable(enable);
  if (deps_.device.Active()) {
    deps_.view.ShowSwitch(kFbmTag, fbm_state_);
    deps_.view.ShowSwitch(kEnableTag, enable);
    ShowValueLabels();
  }
  Show3D();
  Apply3DEnable(enable);
}

void Sound3D::AtActivation() {
  if (from_eeprom_ == 1) {
    Sync3DFromDevice();
    Sync3DFromDevice();
  } else if (default_enable_ == 1) {
    enable_ = 1;
    Apply3DEnable(1);
  }
}

void Sound3D::Toggle3DEnable() {
  enable_ = enable_ == 0 ? 1 : 0;
  deps_.view.ShowSwitch(kEnableTag, enable_);
}

void Sound3D::SwitchOffForVirtual71() {
  enable_ = 0;
  Apply3DEnable(0);
  Set3DEnableRegister(0).Ignore("virtual 7.1 is on; the library switch above carries 3D's state");
  deps_.view.ShowSwitch(kEnableTag, 0);
  deps_.view.SetImageVisible(kEnableTag, false);
}

void Sound3D::ToggleFbm() {
  fbm_state_ = fbm_state_ == 0 ? 1 : 0;
  deps_.view.ShowSwitch(kFbmTag, fbm_state_);
  SetFbm(fbm_state_).Ignore("the switch shows the user's choice either way");
}

void Sound3D::CycleAlphaLink() {
  alpha_link_ = NextLink(alpha_link_);
  deps_.view.ShowSkinEntry("D3AlphaImage", kAlphaPictures[alpha_link_]);
}

void Sound3D::CycleBetaLink() {
  beta_link_ = NextLink(beta_link_);
  deps_.view.ShowSkinEntry("D3BetaImage", kBetaPictures[beta_link_]);
}

void Sound3D::OnRemoved() {
  enable_ = 0;
  deps_.view.ShowSwitch(kEnableTag, 0);
}

void Sound3D::Describe(ui::SkinViewState& view) const {
  view.d3_enabled = enable_ != 0;
  view.fbm_on = fbm_state_ != 0;
  view.alpha_link = alpha_link_;
  view.beta_link = beta_link_;
}

}  // namespace audio77
