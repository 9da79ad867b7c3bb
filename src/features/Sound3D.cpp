#include "features/Sound3D.h"

#include <string>

namespace audio77 {
namespace {

constexpr std::uint8_t kDeviceIndex = 0;
constexpr std::uint16_t kEffectEnableRegister = 0x100;
constexpr std::uint8_t k3DEnableBit = 0x80;
constexpr std::uint16_t kNibbleFixRegisters[] = {0x1CD, 0x1CE};
constexpr std::uint16_t kSwitchRegister = 0x18A;
constexpr std::uint8_t kFbmBit = 0x01;
constexpr std::uint8_t kSwitchBit = 0x40;
constexpr std::uint16_t kLeftRegister = 0x18B;
constexpr std::uint16_t kRightRegister = 0x18C;
constexpr int kHighestValue = 15;

constexpr const char* kAlphaPictures[] = {"D3AlphaIndepImage", "D3AlphaDepImage", "D3AlphaInvImage"};
constexpr const char* kBetaPictures[] = {"D3BetaIndepImage", "D3BetaDepImage", "D3BetaInvImage"};

bool Fits(int value) { return value >= 0 && value <= kHighestValue; }

std::uint8_t Pair(int alpha, int beta) { return static_cast<std::uint8_t>(alpha * 16 + beta); }

// Read-modify-write of one register: only the bits of mask change.
int SetBits(HidHandle* handle, std::uint16_t address, std::uint8_t mask, bool on) {
  std::uint8_t value = 0;
  if (int r = HidTransport::RegisterRead(handle, address, value); r != 0) return r;
  value = static_cast<std::uint8_t>(on ? value | mask : value & ~mask);
  return HidTransport::RegisterWrite(handle, address, value);
}

int NextLink(int mode) { return mode < 0 || mode >= 2 ? 0 : mode + 1; }

}  // namespace

Sound3D::Sound3D(FeatureContext context, FeatureView& view) : context_(context), view_(view) {}

int Sound3D::ValueFromTop(int top, int travel) {
  if (travel <= 0) return 0;
  return kHighestValue - (top - kKnobTopLimit) * kHighestValue / travel;
}

int Sound3D::TopFromValue(int value, int travel) { return travel - value * travel / kHighestValue + kKnobTopLimit; }

void Sound3D::Init3DRecord() {
  record_ = Record{};
  fbm_state_ = 1;
  context_.state.enable_3d = 0;
}

void Sound3D::Apply3DEnable(int flag) {
  DeviceLibrary& library = context_.library;
  library.Config3D_ById(kDeviceIndex);
  library.Set3D_OnOff_ById(flag, kDeviceIndex);
  // A failed read leaves "off", which makes a wanted "on" go out once more.
  std::int32_t state = 0;
  library.Is3D_Enable_ById(state, kDeviceIndex);
  if (state != flag) library.Set3D_OnOff_ById(flag, kDeviceIndex);
}

void Sound3D::Set3DEnableRegister(int flag) {
  auto handle = context_.session.OpenHid();
  if (!handle) return;
  if (SetBits(handle.get(), kEffectEnableRegister, k3DEnableBit, flag != 0) != 0) return;
  if (flag != 0) {
    for (const std::uint16_t address : kNibbleFixRegisters) {
      std::uint8_t value = 0;
      if (HidTransport::RegisterRead(handle.get(), address, value) != 0) return;
      if ((value & 0x0F) == 0x0A) value = static_cast<std::uint8_t>(value | 0x0F);
      if ((value & 0xF0) == 0xA0) value = static_cast<std::uint8_t>(value | 0xF0);
      if (HidTransport::RegisterWrite(handle.get(), address, value) != 0) return;
    }
  }
  HidTransport::SendClosingReport(handle.get());
}

int Sound3D::WriteParameterRegisters(HidHandle* handle) {
  // Values from knobs outside their travel are not sent.
  if (!Fits(record_.alpha_left) || !Fits(record_.beta_left) || !Fits(record_.alpha_right) ||
      !Fits(record_.beta_right)) {
    return 1;
  }
  if (int r = SetBits(handle, kSwitchRegister, kFbmBit, record_.fbm != 0); r != 0) return r;
  if (int r = HidTransport::RegisterWrite(handle, kLeftRegister, Pair(record_.alpha_left, record_.beta_left)); r != 0) {
    return r;
  }
  return HidTransport::RegisterWrite(handle, kRightRegister, Pair(record_.alpha_right, record_.beta_right));
}

int Sound3D::Set3DSwitchAndParameters(int flag) {
  auto handle = context_.session.OpenHid();
  if (!handle) return 1;
  if (SetBits(handle.get(), kSwitchRegister, kSwitchBit, flag == 1) != 0) return 0;
  if (flag == 1 && WriteParameterRegisters(handle.get()) != 0) return 0;
  HidTransport::SendClosingReport(handle.get());
  return 0;
}

void Sound3D::SetFbm(int value) {
  record_.fbm = value;
  auto handle = context_.session.OpenHid();
  if (!handle) return;
  if (SetBits(handle.get(), kSwitchRegister, kFbmBit, value != 0) != 0) return;
  HidTransport::SendClosingReport(handle.get());
}

void Sound3D::Set3DFromSliders(Side side, bool write) {
  const int beta_tag = side == Side::kLeft ? kLeftBetaTag : kRightBetaTag;
  const int alpha_tag = side == Side::kLeft ? kLeftAlphaTag : kRightAlphaTag;
  ValueOf(beta_tag) = ValueFromTop(view_.KnobTop(beta_tag), Travel());
  ValueOf(alpha_tag) = ValueFromTop(view_.KnobTop(alpha_tag), Travel());
  auto handle = context_.session.OpenHid();
  if (!handle) return;
  // Both sides go out whichever side moved.
  if (write && WriteParameterRegisters(handle.get()) != 0) return;
  HidTransport::SendClosingReport(handle.get());
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
  if (mode == 1) view_.SetKnobTop(partner, top);
  // The mirror inside the travel: value v on one side, 15 - v on the other.
  if (mode == 2) view_.SetKnobTop(partner, kKnobTopLimit + kKnobBottomLimit - top);
}

void Sound3D::SliderMoved(int tag, int top) {
  if (tag < kLeftBetaTag || tag > kRightAlphaTag) return;
  view_.SetKnobTop(tag, top);
  Link3DSlider(tag, top);
  const bool sync = context_.session.RegisterSync();
  Set3DFromSliders(Side::kLeft, sync);
  Set3DFromSliders(Side::kRight, sync);
  ShowValueLabels();
}

void Sound3D::ShowValueLabels() {
  for (int tag = kLeftBetaTag; tag <= kRightAlphaTag; ++tag) {
    view_.SetValueLabel(tag, std::to_string(ValueFromTop(view_.KnobTop(tag), Travel())));
  }
}

void Sound3D::Show3D() {
  for (int tag = kLeftBetaTag; tag <= kRightAlphaTag; ++tag) view_.SetKnobTop(tag, TopFromValue(ValueOf(tag), Travel()));
  if (context_.session.Active()) view_.ShowSwitch(kFbmTag, fbm_state_);
  ShowValueLabels();
}

void Sound3D::Reset3D() {
  record_ = Record{};
  fbm_state_ = 1;
  Show3D();
  auto handle = context_.session.OpenHid();
  if (!handle) return;
  if (context_.session.RegisterSync()) WriteParameterRegisters(handle.get());
}

void Sound3D::Sync3DFromDevice() {
  std::int32_t state = 0;
  if (context_.library.Is3D_Enable_ById(state, kDeviceIndex) != 0) {
    state = 0;
    context_.library.Is3D_Enable_ById(state, kDeviceIndex);
  }
  from_device_ = state;
  // Syncing only ever switches 3D on.
  if (from_device_ == 1 || context_.state.d3_from_eeprom == 1) context_.state.enable_3d = 1;
  fbm_state_ = 1;
  const int enable = context_.state.enable_3d;
  Set3DSwitchAndParameters(enable);
  Apply3DEnable(enable);
  if (context_.session.Active()) {
    view_.ShowSwitch(kFbmTag, fbm_state_);
    view_.ShowSwitch(kEnableTag, enable);
    ShowValueLabels();
  }
  Show3D();
  Apply3DEnable(enable);
}

void Sound3D::Toggle3DEnable() {
  context_.state.enable_3d = context_.state.enable_3d == 0 ? 1 : 0;
  view_.ShowSwitch(kEnableTag, context_.state.enable_3d);
}

void Sound3D::ToggleFbm() {
  fbm_state_ = fbm_state_ == 0 ? 1 : 0;
  view_.ShowSwitch(kFbmTag, fbm_state_);
  SetFbm(fbm_state_);
}

void Sound3D::CycleAlphaLink() {
  alpha_link_ = NextLink(alpha_link_);
  view_.ShowSkinEntry("D3AlphaImage", kAlphaPictures[alpha_link_]);
}

void Sound3D::CycleBetaLink() {
  beta_link_ = NextLink(beta_link_);
  view_.ShowSkinEntry("D3BetaImage", kBetaPictures[beta_link_]);
}

void Sound3D::DeviceRemoved() {
  context_.state.enable_3d = 0;
  view_.ShowSwitch(kEnableTag, 0);
}

}  // namespace audio77
