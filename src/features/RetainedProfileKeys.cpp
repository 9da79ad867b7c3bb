#include "features/RetainedProfileKeys.h"

#include <algorithm>

namespace audio77 {

void RetainedProfileKeys::Save(ProfileWriter& profile) {
  for (const Key& key : keys_) profile.WriteText(key.section, key.key, key.value);
}

void RetainedProfileKeys::Load(ProfileReader& profile) {
  for (Key& key : keys_) {
    if (!key.range) {
      const std::string text = profile.Text(key.section, key.key);
      if (!text.empty()) key.value = text;
      continue;
    }
    const auto number = profile.WhenPresent(key.section, key.key);
    if (!number) continue;
    const Range& range = *key.range;
    long long value = *number;
    if (value < range.low || value > range.high) value = range.fallback.value_or(std::clamp(value, range.low, range.high));
    key.value = std::to_string(value);
  }
}

std::string RetainedProfileKeys::Value(const std::string& section, const std::string& key) const {
  for (const Key& held : keys_) {
    if (held.section == section && held.key == key) return held.value;
  }
  return {};
}

}  // namespace audio77
