#include "ui/SkinSettingsReader.h"

#include <algorithm>
#include <array>
#include <limits>

#include "platform/DebugFormat.h"
#include "settings/CommaList.h"
#include "settings/EConvertError.h"
#include "settings/IntegerText.h"
#include "platform/FileCheck.h"
#include "settings/AtomicFile.h"
#include "settings/PrivateProfile.h"
#include "settings/ProfileDocument.h"
#include "ui/SkinKeys.h"

namespace audio77::ui {
namespace {

constexpr std::size_t kItems = 6;

std::int32_t Shifted(std::int32_t value, std::int32_t by) {
  const std::int64_t sum = std::int64_t{value} + by;
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(
      sum, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

// The items of one key's value.
class Value {
 public:
  Value(const ProfileDocument& document, const SkinKey& key) : key_(key) {
    const std::string text =
        PrivateProfile::Value(document, std::string(key.section), std::string(key.key), kIniValueBufferChars)
            .value_or(std::string());
    count_ = static_cast<std::size_t>(SplitCommaList(text, items_));
  }

  std::size_t Count() const { return count_; }
  // A missing item reads as empty.
  const std::string& Item(std::size_t i) const { return i < count_ ? items_[i] : kEmpty; }
  bool Given(std::size_t i) const { return !Item(i).empty(); }

  std::int32_t Strict(std::size_t i) const {
    try {
      return StrToInt(Item(i));
    } catch (const EConvertError& error) {
      throw EConvertError(std::string(error.what()) + " (\"" + std::string(key_.key) +
                          "\" in section \"" + std::string(key_.section) + "\" of " +
                          kSkinSettingsFileName + ")");
    }
  }

 private:
  static inline const std::string kEmpty;
  const SkinKey& key_;
  std::array<std::string, kItems> items_;
  std::size_t count_ = 0;
};

class Reader {
 public:
  explicit Reader(const SkinSettingsSource& source) : source_(source) {}

  SkinSettings Read() {
    // What cannot be read is said as such, not as the first strict key found empty.
    if (const auto problem = FileCheck::Problem(source_.path, {kMaxSkinSettingsBytes, false})) {
      throw SkinFileError(*problem);
    }
    const AtomicFile::Content content = AtomicFile::Read(source_.path);
    if (content.status != AtomicFile::ReadStatus::kRead) {
      throw SkinFileError(FileCheck::CannotRead(source_.path, "it changed while it was read"));
    }
    // One parse serves every key of this read.
    const ProfileDocument document = ProfileDocument::Parse(content.bytes);
    const auto keys = SkinKeyList();
    for (std::size_t i = 0; i < keys.size(); ++i) {
      const Value value(document, keys[i]);
      Apply(keys[i], value, i);
    }
    return std::move(result_);
  }

 private:
  void Apply(const SkinKey& key, const Value& value, std::size_t index) {
    SkinGeometry& g = result_.geometry;
    switch (key.kind) {
      case SkinKeyKind::kPicture:
        return Picture(key, value, result_.table.AtKey(index));
      case SkinKeyKind::kEqSlider:
        g.eq = {TravelTop(value.Strict(0)), value.Strict(1)};
        g.d3_length = g.eq.length;
        return;
      case SkinKeyKind::kMicSlider:
        g.mic = {TravelTop(value.Strict(0)), value.Strict(1)};
        return;
      case SkinKeyKind::kMicProgressLength:
        g.mic_progress_length = value.Strict(0);
        return;
      case SkinKeyKind::kVirtualCenter:
        return Center(value);
      case SkinKeyKind::kBevelLine:
        result_.bevel_line = OptionalStrict(value) != 0;
        return;
      case SkinKeyKind::kBevelLine2:
        result_.bevel_line2 = OptionalStrict(value) != 0;
        return;
      case SkinKeyKind::kLedPageMode:
        g.led_page_mode = OptionalStrict(value);
        return;
      case SkinKeyKind::kLedFastRightSide:
        g.led_fast_right_side = LeadingIntOr(value.Item(0), 0);
        return;
      case SkinKeyKind::kSwatch:
        return Swatch(key, value);
      case SkinKeyKind::kEncSlider:
        if (value.Count() > 0) g.enc = {value.Strict(0), value.Strict(1)};
        return;
    }
  }

  void Picture(const SkinKey& key, const Value& value, SkinEntry& entry) {
    entry.page = key.page_or_index;
    entry.file = TruncateToUtf16Units(value.Item(0), kSkinFileNameChars);
    const bool shift = source_.old_layout && key.page_or_index != 0;
    Number(value, 1, entry.left, entry.left_given, shift ? kOldLayoutPageLeft : 0);
    Number(value, 2, entry.top, entry.top_given, shift ? kOldLayoutPageTop : 0);
    Number(value, 3, entry.width, entry.width_given, 0);
    Number(value, 4, entry.height, entry.height_given, 0);
    bool page_given = false;
    Number(value, 5, entry.page, page_given, 0);
  }

  static void Number(const Value& value, std::size_t i, std::int32_t& field, bool& given,
                     std::int32_t shift) {
    if (!value.Given(i)) return;
    field = Shifted(LeadingInt(value.Item(i)), shift);
    given = true;
  }

  std::int32_t TravelTop(std::int32_t top) const {
    return source_.old_layout ? Shifted(top, kOldLayoutTravelTop) : top;
  }

  void Center(const Value& value) {
    SkinGeometry& g = result_.geometry;
    g.previous_radius = source_.radius_so_far;
    const std::int32_t x = value.Strict(0);
    const std::int32_t y = value.Strict(1);
    const std::int32_t radius = value.Strict(2);
    g.center_x = source_.old_layout ? Shifted(x, kOldLayoutCenterX) : x;
    g.center_y = source_.old_layout ? Shifted(y, kOldLayoutCenterY) : y;
    g.radius = radius;
  }

  // Missing or empty gives 0; anything present must be an integer.
  static std::int32_t OptionalStrict(const Value& value) {
    return value.Given(0) ? value.Strict(0) : 0;
  }

  void Swatch(const SkinKey& key, const Value& value) {
    if (!value.Given(0)) return;
    SkinSwatch& swatch = result_.swatches.at(static_cast<std::size_t>(key.page_or_index));
    const std::int32_t left = value.Strict(0);
    const std::int32_t top = value.Strict(1);
    const std::int32_t width = value.Strict(2);
    const std::int32_t height = value.Strict(3);
    swatch.shape_code = value.Strict(4);
    swatch.bounds = {left, top, width, height};
    swatch.given = true;
  }

  const SkinSettingsSource& source_;
  SkinSettings result_;
};

}  // namespace

SkinSettings ReadSkinSettings(const SkinSettingsSource& source) { return Reader(source).Read(); }

}  // namespace audio77::ui
