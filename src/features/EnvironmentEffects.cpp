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

EnvironmentEffects::EnvironmentEffects(FeatureContext context, FeatureView& view) : context_(context), view_(view) {}

void EnvironmentEffects::SelectEffect(int n) {
  context_.state.current_effect = n;
  ShowEffectButtons();
  ExtensionTransport& extension = context_.session.Extension();
  extension.SelectEffect(static_cast<std::uint32_t>(n - 1));
  extension.ApplyEffect(kApplyValue);
}

void EnvironmentEffects::ShowEffectButtons() {
  const int current = context_.state.current_effect;
  for (int n = 1; n <= kCount; ++n) {
    const Environment& environment = kEnvironments[n - 1];
    const bool down = n == current;
    view_.ShowSkinEntry(environment.button, std::string(environment.picture) + (down ? "Down" : "Up"));
    view_.HighlightLabel(TagOf(n), down, "LabelEffectNothing");
  }
  if (current >= 1 && current <= kCount) view_.ShowSkinEntry("EffectPicImage", kEnvironments[current - 1].effect_picture);
}

void EnvironmentEffects::ApplyAtStart() { context_.session.Extension().ApplyEffect(kApplyValue); }

void EnvironmentEffects::SelectNothingAtShutdown() {
  ExtensionTransport& extension = context_.session.Extension();
  extension.SelectEffect(0);
  extension.ApplyEffect(kApplyValue);
}

void EnvironmentEffects::DeviceRemoved() {
  context_.state.current_effect = 1;
  ShowEffectButtons();
}

}  // namespace audio77
