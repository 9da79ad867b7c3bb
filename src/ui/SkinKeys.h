#pragma once
// The keys of "SkinSetting.ini" in the order they are read, with their section,
// what they hold and the page their picture belongs to unless the value says
// otherwise. The order matters: a strict conversion that fails stops the load
// there, and the keys after it stay cleared.

#include <span>
#include <string_view>

namespace audio77::ui {

enum class SkinKeyKind {
  kPicture,
  kEqSlider,           // top, length (also the 3D travel length)
  kMicSlider,          // top, length
  kMicProgressLength,  // length
  kVirtualCenter,      // x, y, radius
  kBevelLine,          // Bevel2..Bevel4 shown when nonzero
  kBevelLine2,         // Bevel5..Bevel7
  kLedPageMode,
  kLedFastRightSide,
  kSwatch,     // left, top, width, height, shape code
  kEncSlider,  // top, length
};

struct SkinKey {
  std::string_view section;
  std::string_view key;
  SkinKeyKind kind = SkinKeyKind::kPicture;
  // Pictures: the page before the sixth item is read. Swatches: their index.
  int page_or_index = 0;
};

std::span<const SkinKey> SkinKeyList();

// Pages of the main window.
inline constexpr int kPageEq = 1;
inline constexpr int kPageEffect = 2;
inline constexpr int kPageMic = 3;
inline constexpr int kPageVirtual = 4;
inline constexpr int kPage3D = 5;
inline constexpr int kPageLed = 6;
inline constexpr int kPageEnc = 7;
inline constexpr int kPageVoiceMagic = 8;

}  // namespace audio77::ui
