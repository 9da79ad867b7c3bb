#include "features/EnvironmentEffects.h"

#include <cstdint>

namespace audio77 {
namespace {

constexpr std::uint32_t kApplyValue = 1;

struct Environment {
  const char* button;   // the image of the button, by its design name
  const char* picture;  // the skin keys of the button: + "Up" / "Down"
  const char* effect_picture;
};

// The button names do not follow the environments for 3 and 5; the pictures do.
constexpr Environment kEnvironments[EnvironmentEffects::kCount] = {
    {"EffectButtonNonImage", "EffectButtonNonImage", "EffectPicNonImage"},
    {"EffectButtonTheaterImage", "EffectButtonTheaterImage", "EffectPicTheaterImage"},
    {"EffectButtonStoneGalleryImage", "EffectButtonBathroomImage", "EffectPicBathroomImage"},
    {"EffectButtonLivingroomImage", "EffectButtonLivingroomImage", "EffectPicLivingroomImage"},
    {"EffectButtonBathroomImage", "EffectButtonStoneGalleryImage", "EffectPicStoneGalleryImage"},
};

}  // namespace

EnvironmentEffects::EnvironmentEffects(FeatureDeps deps, ExtensionTransport& extension)
    : deps_(deps), extension_(extension) {}

void EnvironmentEffects::SelectEffect(int n) {
  current_ = n;
  ShowEffectButtons();
  // A driver without the extension keeps its sound; the choice stays shown.
  extension_.SelectEffect(static_cast<std::uint32_t>(n - 1));
  extension_.ApplyEffect(kApplyValue);
}

void EnvironmentEffects::Save(ProfileWriter& profile) { profile.WriteInt("Effect", "CurrentEffect", current_); }

void EnvironmentEffects::Load(ProfileReader& profile) {
  const int n = profile.Strict("Effect", "CurrentEffect");
  SelectEffect(n >= 1 && n <= kCount ? n : 1);
}

void EnvironmentEffects::ShowEffectButtons() {
  for (int n = 1; n <= kCount; ++n) {
    const Environment& environment = kEnvironments[n - 1];
    const bool down = n == current_;
    deps_.view.ShowSkinEntry(environment.button, std::string(environment.picture) + (down ? "Down" : "Up"));
    deps_.view.HighlightLabel(TagOf(n), down, "LabelEffectNothing");
  }
  if (current_ >= 1 && current_ <= kCount) {
    deps_.view.ShowSkinEntry("EffectPicImage", kEnvironments[current_ - 1].effect_picture);
  }
}

void EnvironmentEffects::ShowNothingSelected() {
  current_ = 1;
  ShowEffectButtons();
}

void EnvironmentEffects::ApplyAtStart() {
  // Nothing follows from a driver that does not answer at start-up.
  extension_.ApplyEffect(kApplyValue);
}

void EnvironmentEffects::OnShutdown() {
  // The last word to the driver before the window goes; no one is left to tell.
  extension_.SelectEffect(0);
  extension_.ApplyEffect(kApplyValue);
}

void EnvironmentEffects::OnRemoved() { ShowNothingSelected(); }

void EnvironmentEffects::Describe(ui::SkinViewState& view) const { view.effect = current_; }

}  // namespace audio77
