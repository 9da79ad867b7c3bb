// Any bytes as a language file: reading gives a table or the conversion
// error, never a crash, and dressing labels from what was read keeps every
// label within reach, with a caption no longer than a record holds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/ManualClock.h"
#include "settings/EConvertError.h"
#include "toolkit/Application.h"
#include "toolkit/EventLoop.h"
#include "toolkit/Form.h"
#include "ui/LanguageLabel.h"
#include "ui/LanguageReader.h"

namespace {

void Dress(const audio77::ui::LanguageTable& table, int dpi) {
  static audio77::ManualClock clock{1000};
  static audio77::toolkit::EventLoop loop{clock};
  static audio77::toolkit::Application app{loop};
  static audio77::toolkit::Form form(app, "Form");
  static audio77::toolkit::Label& label = form.AddLabel("Label");
  label.SetAutoSize(true);
  for (const auto& record : table.records) {
    if (!record.Shows() && !record.left_given && !record.font_size_given) continue;
    audio77::ui::ApplyLabel(record, table.global, label, record.page % 2 == 0, dpi);
    const auto bounds = label.Bounds();
    constexpr int kFar = audio77::toolkit::Control::kFarthest;
    if (bounds.left < -kFar || bounds.left > kFar || bounds.width < 0 || bounds.width > kFar) std::abort();
    (void)bounds.Right();
    (void)bounds.Bottom();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  // Parsed from memory: the file is read once by the program too, and a
  // scratch file per input would cost more than the parse.
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  // The first byte picks the older layout and the screen resolution.
  const bool old_layout = (data[0] & 1) != 0;
  const int dpis[] = {96, 120, 144, 72, 0, -1, 600, 2147483647};
  const int dpi = dpis[(data[0] >> 1) % 8];
  try {
    const auto table = audio77::ui::ReadLanguageText(bytes, {"Language.ini", old_layout});
    for (const auto& record : table.records) {
      if (record.caption.size() > 4 * 127) std::abort();
    }
    Dress(table, dpi);
  } catch (const audio77::EConvertError&) {
    // A numeric field that is not a number stops the read, as it should.
  } catch (const audio77::ui::LanguageFileError&) {
    // So does a file with none of the language's keys.
  }
  return 0;
}
