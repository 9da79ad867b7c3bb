#include "features/RetainedProfileKeys.h"

#include <algorithm>
#include <array>

#include "settings/CommaList.h"
#include "settings/IntegerText.h"

namespace audio77 {
namespace {

std::string KeptInRange(long long value, const std::optional<RetainedProfileKeys::Range>& range) {
  if (range && (value < range->low || value > range->high)) {
    value = range->fallback.value_or(std::clamp(value, range->low, range->high));
  }
  return std::to_string(value);
}

}  // namespace

void RetainedProfileKeys::Save(ProfileWriter& profile) {
  for (const Key& key : keys_) profile.WriteText(key.section, key.key, key.value);
}

void RetainedProfileKeys::Load(ProfileReader& profile) {
  for (Key& key : keys_) {
    switch (key.kind) {
      case Kind::kNumber:
        if (const auto number = profile.WhenPresent(key.section, key.key)) key.value = KeptInRange(*number, key.range);
        break;
      case Kind::kPoint: {
        std::array<std::string, 2> items;
        SplitCommaList(profile.Text(key.section, key.key), items);
        const std::int32_t left = StrToInt(items[0]);
        const std::int32_t top = StrToInt(items[1]);
        key.value = std::to_string(left) + "," + std::to_string(top);
        break;
      }
      case Kind::kWriteOnly:
        break;
    }
  }
}

std::string RetainedProfileKeys::Value(const std::string& section, const std::string& key) const {
  for (const Key& held : keys_) {
    if (held.section == section && held.key == key) return held.value;
  }
  return {};
}

}  // namespace audio77
