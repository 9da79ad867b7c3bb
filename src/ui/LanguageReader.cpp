#include "ui/LanguageReader.h"

#include <algorithm>
#include <array>
#include <limits>

#include <filesystem>
#include <system_error>

#include "platform/DebugFormat.h"
#include "platform/FileCheck.h"
#include "settings/AtomicFile.h"
#include "settings/CommaList.h"
#include "settings/EConvertError.h"
#include "settings/IntegerText.h"
#include "settings/PrivateProfile.h"
#include "settings/ProfileDocument.h"

namespace audio77::ui {
namespace {

constexpr std::size_t kFields = 10;
constexpr const char* kGlobalFont = "GlobalFont";

std::int32_t Shifted(std::int32_t value, std::int32_t by) {
  const std::int64_t sum = std::int64_t{value} + by;
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(
      sum, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

// Reads every key from one parse of the file.
class Reader {
 public:
  // require_keys: a file that holds none of the keys is refused.
  Reader(const LanguageSource& source, const ProfileDocument& document, bool require_keys)
      : source_(source), document_(document), require_keys_(require_keys) {}

  LanguageTable Read() {
    Global();
    const auto keys = LanguageKeyList();
    for (std::size_t i = 0; i < keys.size(); ++i) Label(keys[i], result_.records[i]);
    if (require_keys_ && found_ == 0) {
      throw LanguageFileError("\"" + source_.path + "\" holds none of the keys of a language file.");
    }
    return std::move(result_);
  }

 private:
  std::string Value(std::string_view section, std::string_view key) {
    auto value = PrivateProfile::Value(document_, std::string(section), std::string(key), kIniValueBufferChars);
    if (!value) return {};
    ++found_;
    return std::move(*value);
  }

  // The first comma field of a global key as an integer, or fallback.
  std::int32_t GlobalNumber(const char* key, std::int32_t fallback) {
    std::array<std::string, 1> field;
    SplitCommaList(Value(kGlobalFont, key), field);
    return StrToIntDef(field[0], fallback);
  }

  void Global() {
    GlobalFont& g = result_.global;
    g.color_up = static_cast<toolkit::Color>(GlobalNumber("ColorUp", 0));
    g.color_down = static_cast<toolkit::Color>(GlobalNumber("ColorDown", 0));
    g.font = TruncateToUtf16Units(Value(kGlobalFont, "Font"), kLabelFontChars);
    g.font_size = GlobalNumber("FontSize", -1);
  }

  void Label(const LanguageKey& key, LabelRecord& record) {
    std::array<std::string, kFields> fields;
    const auto count = static_cast<std::size_t>(SplitCommaList(Value(key.section, key.key), fields));
    record.page = key.page;
    record.caption = TruncateToUtf16Units(fields[0], kLabelCaptionChars);
    const auto number = [&](std::size_t i, std::int32_t& field, bool& given) {
      if (fields[i].empty()) return;
      try {
        field = StrToInt(fields[i]);
      } catch (const EConvertError& error) {
        throw EConvertError(std::string(error.what()) + " (\"" + std::string(key.key) +
                            "\" in section \"" + std::string(key.section) + "\" of " +
                            kLanguageFileName + ")");
      }
      given = true;
    };
    std::int32_t up = 0;
    std::int32_t down = 0;
    number(1, up, record.color_up_given);
    number(2, down, record.color_down_given);
    record.color_up = static_cast<toolkit::Color>(up);
    record.color_down = static_cast<toolkit::Color>(down);
    if (!fields[3].empty()) {
      record.font = TruncateToUtf16Units(fields[3], kLabelFontChars);
      record.font_given = true;
    }
    number(4, record.font_size, record.font_size_given);
    number(5, record.left, record.left_given);
    number(6, record.top, record.top_given);
    number(7, record.width, record.width_given);
    number(8, record.height, record.height_given);
    bool page_given = false;
    if (count >= kFields) number(9, record.page, page_given);
    if (source_.old_layout && key.page != 0) {
      if (record.left_given) record.left = Shifted(record.left, kOldLayoutLabelLeft);
      if (record.top_given) record.top = Shifted(record.top, kOldLayoutLabelTop);
    }
  }

  const LanguageSource& source_;
  const ProfileDocument& document_;
  bool require_keys_;
  LanguageTable result_;
  std::size_t found_ = 0;
};

}  // namespace

LanguageTable ReadLanguageText(std::string_view bytes, const LanguageSource& source) {
  const ProfileDocument document = ProfileDocument::Parse(bytes);
  return Reader(source, document, true).Read();
}

LanguageTable ReadLanguage(const LanguageSource& source) {
  std::error_code error;
  if (!std::filesystem::exists(source.path, error) && !error) {
    // A language that is not there reads as every key missing.
    const ProfileDocument nothing;
    return Reader(source, nothing, false).Read();
  }
  if (const auto problem = FileCheck::Problem(source.path, {kMaxLanguageFileBytes, false})) {
    throw LanguageFileError(*problem);
  }
  const AtomicFile::Content content = AtomicFile::Read(source.path);
  if (content.status != AtomicFile::ReadStatus::kRead) {
    throw LanguageFileError(FileCheck::CannotRead(source.path, "it changed while it was read"));
  }
  return ReadLanguageText(content.bytes, source);
}

}  // namespace audio77::ui
