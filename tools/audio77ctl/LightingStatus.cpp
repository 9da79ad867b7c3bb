#include "LightingStatus.h"

#include <sstream>

#include "settings/HexText.h"

namespace audio77::ctl {
namespace {

constexpr int kSlots = 7;
constexpr int kModes = 7;

std::string Colour(std::uint32_t colour) { return "0x" + HexDigits(colour & 0xFFFFFF, 6); }

std::string Led(int led) { return led == 0 ? "all" : std::to_string(led); }

}  // namespace

std::string LightingStatus::Glow(const sim::LightingState& lighting) {
  const std::string speed = " at speed " + std::to_string(lighting.value);
  switch (lighting.mode) {
    case 0: return "never set";
    case 1: return lighting.value == 1 ? "off" : "on";
    case 2: return "single colour " + Colour(lighting.mode_colours[2]);
    case 3: return "blinking " + Colour(lighting.mode_colours[3]) + speed;
    case 4: return "breathe " + Colour(lighting.mode_colours[4]) + speed;
    case 5: return "rainbow" + speed;
    case 6: return "multi-breathe" + speed;
    case 7: return "single random" + speed;
    default: return "mode " + std::to_string(lighting.mode) + " value " + std::to_string(lighting.value);
  }
}

std::string LightingStatus::Text(const std::string& name, const sim::LightingState& lighting) {
  std::ostringstream out;
  out << name << ": " << Glow(lighting) << " (mode " << int{lighting.mode} << " value " << int{lighting.value}
      << ", led " << Led(lighting.led) << ", steps " << int{lighting.steps} << ", brightness "
      << int{lighting.brightness} << ", timing " << lighting.timing << ")\n";
  out << name << " colours:";
  for (int slot = 1; slot <= kSlots; ++slot) out << ' ' << slot << '=' << Colour(lighting.slot_colours[slot]);
  out << '\n' << name << " mode colours:";
  for (int mode = 1; mode <= kModes; ++mode) out << ' ' << mode << '=' << Colour(lighting.mode_colours[mode]);
  out << '\n';
  return out.str();
}

Json LightingStatus::ToJson(const sim::LightingState& lighting) {
  Json slots = Json::array();
  for (int slot = 1; slot <= kSlots; ++slot) slots.push_back(Colour(lighting.slot_colours[slot]));
  Json modes = Json::array();
  for (int mode = 1; mode <= kModes; ++mode) modes.push_back(Colour(lighting.mode_colours[mode]));
  return {{"glow", Glow(lighting)},       {"mode", lighting.mode},
          {"value", lighting.value},      {"led", lighting.led},
          {"steps", lighting.steps},      {"brightness", lighting.brightness},
          {"timing", lighting.timing},    {"colours", slots},
          {"mode_colours", modes}};
}

}  // namespace audio77::ctl
