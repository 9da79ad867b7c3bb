#include "features/EncButton.h"

#include "platform/DebugFormat.h"

namespace audio77 {

std::optional<EncButton::Bit> EncButton::BitFor(int gpio) {
  switch (gpio) {
    case 0:
    case 1:
    case 2:
    case 3:
      return Bit{2, static_cast<std::uint8_t>(1u << gpio)};
    case 8:
    case 9:
      return Bit{3, static_cast<std::uint8_t>(1u << (gpio - 8))};
    default:
      return std::nullopt;
  }
}

std::string EncButton::ReportText(const Report& report) {
  return FormatDebug("Raw Data = %.2X %.2X %.2X %.2X %.2X\n\n", report[0], report[1], report[2], report[3], report[4]);
}

EncButton::EncButton(DebugOutput& debug, int gpio, std::function<int()> toggle)
    : debug_(debug), gpio_(gpio), toggle_(std::move(toggle)) {}

int EncButton::Receive(const Report& report) {
  if (gpio_ != 0) reports_seen_ = true;
  std::string text = ReportText(report);
  if (text == last_text_) return 0;
  debug_.Write("Previous = ");
  debug_.Write(last_text_);
  debug_.Write("Current = ");
  debug_.Write(text);
  last_text_ = std::move(text);
  const int result = HandleEncButton(report);
  if (result != 0 && result != kNotAPress) DebugPrintf(debug_, "***** SendEncButton FAIL! ***** (ret = %d)\n", result);
  return result;
}

int EncButton::HandleEncButton(const Report& report) {
  if (!reports_seen_) return 0;
  if (skip_first_) {
    skip_first_ = false;
    return 0;
  }
  const auto bit = BitFor(gpio_);
  if (!bit) return kNotAPress;
  // The line is pulled low while the button is held.
  if ((report[bit->byte] & bit->mask) != 0) return kNotAPress;
  return toggle_ ? toggle_() : 0;
}

}  // namespace audio77
