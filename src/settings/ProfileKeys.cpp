#include "settings/ProfileKeys.h"

#include <algorithm>
#include <array>

namespace audio77 {
namespace {

using enum ProfileReadBack;

constexpr std::array kKeys = {
    ProfileKey{"EQ", "S1", kStrict},
    ProfileKey{"EQ", "S2", kStrict},
    ProfileKey{"EQ", "S3", kStrict},
    ProfileKey{"EQ", "S4", kStrict},
    ProfileKey{"EQ", "EQEN", kZeroWhenEmpty},
    ProfileKey{"EQ", "EQFromEEPROM", kZeroWhenEmpty},
    ProfileKey{"3D", "LeftAlpha", kNotRead},
    ProfileKey{"3D", "LeftBeta", kNotRead},
    ProfileKey{"3D", "RightAlpha", kNotRead},
    ProfileKey{"3D", "RightBeta", kNotRead},
    ProfileKey{"3D", "FBM", kNotRead},
    ProfileKey{"3D", "3DEN", kZeroWhenEmpty},
    ProfileKey{"3D", "3DFromEEPROM", kZeroWhenEmpty},
    ProfileKey{"Effect", "CurrentEffect", kStrict},
    ProfileKey{"Virtual7ch1", "C", kStrict},
    ProfileKey{"Virtual7ch1", "L", kStrict},
    ProfileKey{"Virtual7ch1", "LS", kStrict},
    ProfileKey{"Virtual7ch1", "LB", kStrict},
    ProfileKey{"Virtual7ch1", "RB", kStrict},
    ProfileKey{"Virtual7ch1", "RS", kStrict},
    ProfileKey{"Virtual7ch1", "SUB", kStrict},
    ProfileKey{"Virtual7ch1", "R", kStrict},
    ProfileKey{"Virtual7ch1", "7ch1EN", kStrict},
    ProfileKey{"LED", "LEDON", kWhenPresent},
    ProfileKey{"LED", "LEDPageMode", kWhenPresent},
    ProfileKey{"LED", "LEDOff", kWhenPresent},
    ProfileKey{"LED", "LEDSingleColor", kWhenPresent},
    ProfileKey{"LED", "LEDEffectMode", kWhenPresent},
    ProfileKey{"LED", "LEDBreatheSpeed", kWhenPresent},
    ProfileKey{"LED", "LEDRainbowSpeed", kWhenPresent},
    ProfileKey{"LED", "LEDMultiBreatheSpeed", kWhenPresent},
    ProfileKey{"LED", "LEDBreatheSliderPos", kWhenPresent},
    ProfileKey{"LED", "LEDRainbowSliderPos", kWhenPresent},
    ProfileKey{"LED", "LEDMultiBreatheSliderPos", kWhenPresent},
    ProfileKey{"LED", "LEDSingleColorRGB", kWhenPresent},
    ProfileKey{"LED", "LEDBreatheColorRGB", kWhenPresent},
    ProfileKey{"LED", "LEDColor1RGB", kWhenPresent},
    ProfileKey{"LED", "LEDColor2RGB", kWhenPresent},
    ProfileKey{"LED", "LEDColor3RGB", kWhenPresent},
    ProfileKey{"LED", "LEDColor4RGB", kWhenPresent},
    ProfileKey{"LED", "LEDColor5RGB", kWhenPresent},
    ProfileKey{"LED", "LEDColor6RGB", kWhenPresent},
    ProfileKey{"LED", "LEDColor7RGB", kWhenPresent},
    ProfileKey{"LED", "LEDFastRightSide", kWhenPresent},
    // "ENCEN" is read from the default profile only, as a default enable;
    // noise cancellation and voice effects come back from the registry.
    ProfileKey{"ENC", "ENCEN", kNotRead},
    ProfileKey{"ENC", "ENCValue", kNotRead},
    ProfileKey{"VoiceMagic", "VoiceMagicEN", kNotRead},
    ProfileKey{"VoiceMagic", "VoiceMagicMode", kNotRead},
};

bool SameName(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return lower(x) == lower(y);
  });
}

}  // namespace

std::span<const ProfileKey> ProfileKeys() { return kKeys; }

std::optional<std::size_t> ProfileKeyIndex(std::string_view section, std::string_view key) {
  for (std::size_t i = 0; i < kKeys.size(); ++i) {
    if (SameName(kKeys[i].section, section) && SameName(kKeys[i].key, key)) return i;
  }
  return std::nullopt;
}

}  // namespace audio77
