#pragma once
// Reads one skin's "SkinSetting.ini" into new tables. The caller's tables stay
// untouched until the whole file has been read, so a skin that fails leaves
// the current one whole.
//
// Picture values: file name, left, top, width, height, page; numbers are read
// leniently and an empty item leaves its field alone. The slider, speaker
// circle, separator, LED page and swatch values are read strictly; a value
// that is not an integer (a missing item counts as empty) stops the read with
// EConvertError naming the key. A settings file that is missing, a folder,
// closed to us, empty or too large stops the read with SkinFileError saying
// so, before any key is read.

#include <cstdint>
#include <stdexcept>
#include <string>

#include "ui/SkinSettings.h"

namespace audio77::ui {

inline constexpr const char* kSkinSettingsFileName = "SkinSetting.ini";

struct SkinSettingsSource {
  std::string path;
  // "OldVersion": the feature pages sit 392 pixels right and 104 down.
  bool old_layout = false;
  // The speaker-circle radius held before this read (the previous radius).
  std::int32_t radius_so_far = 0;
};

class SkinFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

SkinSettings ReadSkinSettings(const SkinSettingsSource& source);

// A skin's settings are a few kilobytes; anything larger is no settings file.
inline constexpr std::uintmax_t kMaxSkinSettingsBytes = 1024 * 1024;

// The shifts of the older layout.
inline constexpr std::int32_t kOldLayoutPageLeft = 392;
inline constexpr std::int32_t kOldLayoutPageTop = 104;
inline constexpr std::int32_t kOldLayoutTravelTop = 52;
inline constexpr std::int32_t kOldLayoutCenterX = 196;
inline constexpr std::int32_t kOldLayoutCenterY = 52;

}  // namespace audio77::ui
