#include "lighting/LedPage.h"

#include "settings/IntegerText.h"

namespace audio77 {

namespace {

constexpr const char* kSection = "LED";
constexpr int kEffects[] = {led::kBreathe, led::kRainbow, led::kMultiBreathe};
constexpr const char* kSpeedKeys[] = {"LEDBreatheSpeed", "LEDRainbowSpeed", "LEDMultiBreatheSpeed"};
constexpr const char* kSliderKeys[] = {"LEDBreatheSliderPos", "LEDRainbowSliderPos", "LEDMultiBreatheSliderPos"};

LedCheck CheckOf(int effect) {
  switch (effect) {
    case led::kRainbow: return LedCheck::kRainbow;
    case led::kMultiBreathe: return LedCheck::kMultiBreathe;
    default: return LedCheck::kBreathe;
  }
}

std::string SlotKey(int slot) { return "LEDColor" + std::to_string(slot) + "RGB"; }

}  // namespace

LedPage::LedPage(DeviceLibrary& library, const DeviceStatus& device, Clock& clock, DebugOutput& debug,
                 LedPageView& view, std::mutex* serial)
    : device_(device), clock_(clock), debug_(debug), view_(view), commands_(library, clock, serial) {}

LedPage::~LedPage() { worker_.reset(); }

int LedPage::Speed(int effect) const { return led::ValidEffect(effect) ? shared_.SpeedOfMode(led::ModeOfEffect(effect)) : 0; }

int LedPage::Percent(int effect) const { return led::ValidEffect(effect) ? percents_[Index(effect)] : 0; }

int LedPage::SliderPos(int effect) const { return led::ValidEffect(effect) ? slider_pos_[Index(effect)] : 0; }

void LedPage::SetSpeed(int effect, int speed) {
  const std::uint8_t byte = LedSpeed::ToByte(speed);
  switch (effect) {
    case led::kBreathe: shared_.breathe_speed = byte; break;
    case led::kRainbow: shared_.rainbow_speed = byte; break;
    case led::kMultiBreathe: shared_.multi_breathe_speed = byte; break;
    default: break;
  }
}

void LedPage::ApplySkin(int page_mode, int fast_right, bool first_load) {
  page_mode_ = page_mode;
  fast_right_ = fast_right;
  if (first_load) {
    shared_.palette.SetAll(LedPalette::kFixed);
    single_colour_ = kFixedSingle;
    breathe_colour_ = kFixedBreathe;
  }
  FillSwatches();
  // The skin draws every swatch with a plain outline, the selected one too.
  for (int number = 1; number <= LedSwatch::kCount; ++number) view_.OutlineSwatch({number}, toolkit::kBlack, 1);
}

void LedPage::Redraw() {
  for (int effect : kEffects) view_.ShowSpeedBar(effect);
  view_.ShowCheck(LedCheck::kOff, off_ == 1);
  view_.ShowCheck(LedCheck::kSingle, single_ == 1);
  // The knobs take their pictures with the check images, and the skin's
  // place with them: they go back to their saved places after.
  ShowEffectPictures();
  PlaceKnobs();
}

void LedPage::FillSwatches() {
  for (int slot = 1; slot <= LedPalette::kSlots; ++slot) view_.FillSwatch({slot}, shared_.palette.Colour(slot));
  view_.FillSwatch({LedSwatch::kSingle}, single_colour_);
  view_.FillSwatch({LedSwatch::kBreathe}, breathe_colour_);
}

LedSendState LedPage::SendState() const {
  LedSendState state;
  state.single_colour = single_ == 1;
  state.effect = effect_;
  state.breathe_speed = shared_.breathe_speed;
  state.rainbow_speed = shared_.rainbow_speed;
  state.multi_breathe_speed = shared_.multi_breathe_speed;
  state.single = single_colour_;
  state.breathe = breathe_colour_;
  return state;
}

void LedPage::Execute(const LedPlan& plan) {
  if (plan.device_mode) shared_.device_mode = *plan.device_mode;
  commands_.Run(plan.steps);
}

void LedPage::SendLedOff() { Execute(LedCommands::PlanLedOff()); }
void LedPage::SendSingleColor() { Execute(LedCommands::PlanSingleColor(SendState())); }
void LedPage::SendBreathe() { Execute(LedCommands::PlanBreathe(SendState())); }
void LedPage::SendRainbowOrMulti() { Execute(LedCommands::PlanRainbowOrMulti(SendState())); }

void LedPage::ApplyLedState() {
  if (!PageUsed()) return;
  if (off_ == 1) {
    view_.ShowCheck(LedCheck::kOff, true);
    SendLedOff();
    effect_ = led::kNoEffect;
    single_ = 0;
  } else {
    view_.ShowCheck(LedCheck::kOff, false);
  }
  view_.ProcessPending();
  ShowEffectPictures();
  if (effect_ != led::kNoEffect) {
    single_ = 0;
    shared_.device_mode = led::ModeOfEffect(effect_);
  }
  PlaceKnobs();
  view_.ShowCheck(LedCheck::kSingle, single_ == 1);
  view_.ProcessPending();
  clock_.Sleep(kPauseMs);
  SendSingleColor();
  SendBreathe();
  SendRainbowOrMulti();
  view_.ProcessPending();
}

void LedPage::ShowEffectPictures() {
  for (int effect : kEffects) view_.ShowCheck(CheckOf(effect), effect == effect_);
}

void LedPage::PlaceKnobs() {
  for (int effect : kEffects) {
    view_.SetKnobLeft(effect, LedSpeed::PlacedLeft(slider_pos_[Index(effect)], view_.SpeedBar(effect)));
  }
}

void LedPage::EffectCheckClick(int effect) {
  if (!PageUsed() || led::ValidEffect(effect) == led::kNoEffect) return;
  effect_ = effect;
  off_ = 0;
  ApplyLedState();
  const int mode = led::ModeOfEffect(effect);
  shared_.device_mode = mode;
  commands_.SendWithRetry(LedCommands::Mode(mode, Speed(effect)));
  clock_.Sleep(kPauseMs);
}

void LedPage::LedOffCheckClick() {
  if (!PageUsed()) return;
  view_.ShowCheck(LedCheck::kOff, true);
  off_ = 1;
  ApplyLedState();
  shared_.device_mode = led::kModePower;
  commands_.SendWithRetry(LedCommands::Mode(led::kModePower, 1));
}

void LedPage::SingleCheckClick() {
  if (!PageUsed()) return;
  view_.ShowCheck(LedCheck::kSingle, true);
  single_ = 1;
  off_ = 0;
  effect_ = led::kNoEffect;
  ApplyLedState();
}

void LedPage::SwatchMouseDown(LedSwatch swatch) {
  if (swatch.number < 1 || swatch.number > LedSwatch::kCount) return;
  view_.OutlineSwatch(selected_, toolkit::kBlack, 1);
  view_.OutlineSwatch(swatch, kSelectedOutline, kSelectedPenWidth);
  selected_ = swatch;
  const toolkit::Color current = swatch.number == LedSwatch::kSingle    ? single_colour_
                                 : swatch.number == LedSwatch::kBreathe ? breathe_colour_
                                                                        : shared_.palette.Colour(swatch.number);
  const auto chosen = view_.ChooseColour(current);
  // Pure black is taken for "no choice".
  if (!chosen || (*chosen & LedPalette::kColourMask) == 0) return;
  const toolkit::Color colour = *chosen & LedPalette::kColourMask;
  view_.FillSwatch(swatch, colour);
  if (swatch.number == LedSwatch::kBreathe) {
    shared_.device_mode = led::kModeBreathe;
    breathe_colour_ = colour;
    commands_.Run({LedCommands::PauseOnFailure(LedCommands::ModeColour(led::kModeBreathe, colour),
                                               kBreatheColourFailurePauseMs)});
  } else if (swatch.number == LedSwatch::kSingle) {
    shared_.device_mode = led::kModeSingle;
    single_colour_ = colour;
    commands_.SendWithRetry(LedCommands::ModeColour(led::kModeSingle, colour));
  } else {
    shared_.palette.SetColour(swatch.number, colour);
    commands_.Run({LedCommands::PauseOnFailure(LedCommands::SlotColour(swatch.number, colour), kPauseMs)});
  }
}

void LedPage::SpeedKnobMoved(int effect, int wanted_left) {
  if (led::ValidEffect(effect) == led::kNoEffect) return;
  const LedSpeedBar bar = view_.SpeedBar(effect);
  const int left = LedSpeed::ConstrainedLeft(wanted_left, bar);
  const int drawn = LedSpeed::DrawnLeft(left, bar);
  view_.SetKnobLeft(effect, drawn);
  slider_pos_[Index(effect)] = drawn;
  percents_[Index(effect)] = LedSpeed::Percent(left, bar);
  SetSpeed(effect, LedSpeed::SpeedOfPercent(percents_[Index(effect)], fast_right_ == 1));
}

void LedPage::SpeedKnobReleased(int effect) {
  if (effect != effect_ || effect_ == led::kNoEffect) return;
  WakeLedThread();
  clock_.Sleep(kPauseMs);
  EffectCheckClick(effect);
}

void LedPage::RecomputeSpeedsFromKnobs() {
  for (int effect : kEffects) {
    SetSpeed(effect, LedSpeed::StartSpeed(view_.KnobLeft(effect), view_.SpeedBar(effect), fast_right_ == 1));
  }
}

void LedPage::StartLedEffects() {
  if (!PageUsed() || !shared_.palette.Pending()) return;
  if (!worker_) worker_ = std::make_unique<LedEffectWorker>(commands_, shared_, clock_, debug_);
  commands_.SendWithRetry(LedCommands::StepCount());
  clock_.Sleep(kStartStepPauseMs);
  WakeLedThread();
  clock_.Sleep(kPauseMs);
  view_.ProcessPending();
  // The worker may have taken the table meanwhile: then it sends it, not we.
  if (shared_.palette.TakePending()) {
    RecomputeSpeedsFromKnobs();
    SendColourTable();
  }
}

void LedPage::SendColourTable() {
  const LedPalette::Colours colours = shared_.palette.Snapshot();
  for (int slot = 1; slot <= LedPalette::kSlots; ++slot) {
    clock_.Sleep(kStartSlotPauseMs);
    commands_.SendWithRetry(LedCommands::SlotColour(slot, colours[static_cast<std::size_t>(slot - 1)]));
    clock_.Sleep(kPauseMs);
  }
}

void LedPage::WakeLedThread() {
  if (worker_) worker_->Wake();
}

void LedPage::ForgetLedEffects() {
  worker_.reset();
  // The device that comes back has not got the table: the next start sends it.
  shared_.palette.MarkPending();
}

void LedPage::ShutdownLedEffects() {
  if (StopLedEffects()) SendLedOff();
}

bool LedPage::StopLedEffects() {
  if (!worker_) return false;
  worker_.reset();
  return true;
}

void LedPage::Save(ProfileWriter& profile) const {
  profile.WriteInt(kSection, "LEDPageMode", page_mode_);
  profile.WriteInt(kSection, "LEDOff", off_);
  profile.WriteInt(kSection, "LEDSingleColor", single_);
  profile.WriteInt(kSection, "LEDEffectMode", effect_);
  for (int effect : kEffects) profile.WriteInt(kSection, kSpeedKeys[Index(effect)], Speed(effect));
  for (int effect : kEffects) profile.WriteInt(kSection, kSliderKeys[Index(effect)], slider_pos_[Index(effect)]);
  profile.WriteInt(kSection, "LEDSingleColorRGB", single_colour_);
  profile.WriteInt(kSection, "LEDBreatheColorRGB", breathe_colour_);
  for (int slot = 1; slot <= LedPalette::kSlots; ++slot) {
    profile.WriteInt(kSection, SlotKey(slot), shared_.palette.Colour(slot));
  }
  profile.WriteInt(kSection, "LEDFastRightSide", fast_right_);
}

std::optional<std::int32_t> LedPage::ReadInt(ProfileReader& profile, const std::string& key) {
  const std::string text = profile.Text(kSection, key);
  if (text.empty()) return std::nullopt;
  const auto value = TryStrToInt(text);
  if (!value) debug_.Write("LED profile key " + key + " ignored: '" + text + "' is not a number");
  return value;
}

void LedPage::LoadInt(ProfileReader& profile, const std::string& key, int& target) {
  if (const auto value = ReadInt(profile, key)) target = *value;
}

void LedPage::LoadColour(ProfileReader& profile, const std::string& key, toolkit::Color& target) {
  const auto value = ReadInt(profile, key);
  if (!value) return;
  if (*value < 0 || static_cast<toolkit::Color>(*value) > LedPalette::kColourMask) {
    debug_.Write("LED profile key " + key + " ignored: " + std::to_string(*value) + " is not a colour");
    return;
  }
  target = static_cast<toolkit::Color>(*value);
}

void LedPage::LoadSlotColour(ProfileReader& profile, int slot) {
  toolkit::Color colour = shared_.palette.Colour(slot);
  LoadColour(profile, SlotKey(slot), colour);
  shared_.palette.SetColour(slot, colour);
}

void LedPage::Load(ProfileReader& profile) {
  LoadInt(profile, "LEDPageMode", page_mode_);
  LoadInt(profile, "LEDOff", off_);
  LoadInt(profile, "LEDSingleColor", single_);
  if (const auto effect = ReadInt(profile, "LEDEffectMode")) effect_ = led::ValidEffect(*effect);
  for (int effect : kEffects) {
    if (const auto speed = ReadInt(profile, kSpeedKeys[Index(effect)])) SetSpeed(effect, *speed);
  }
  for (int effect : kEffects) LoadInt(profile, kSliderKeys[Index(effect)], slider_pos_[Index(effect)]);
  LoadColour(profile, "LEDSingleColorRGB", single_colour_);
  LoadColour(profile, "LEDBreatheColorRGB", breathe_colour_);
  for (int slot = 1; slot <= LedPalette::kSlots; ++slot) LoadSlotColour(profile, slot);
  LoadInt(profile, "LEDFastRightSide", fast_right_);
  FillSwatches();
  if (device_.Active() && PageUsed()) WakeLedThread();
  ApplyLedState();
}

}  // namespace audio77
