#pragma once
// Which controls of the main window show on a page. A control shows when it
// has something to show (a picture, or a caption that is neither empty nor
// "(null)") and belongs to every page (0) or to the page shown. The LED page's
// controls count as page 1 unless the LED page is shown and enabled; its
// colour swatches show only on the LED page; the test-tone check box only on
// the Virtual 7.1 page when "Bee" is on. Controls the rule does not cover keep
// their visibility.

#include <functional>

#include "toolkit/Form.h"

namespace audio77::ui {

struct PageMembership {
  enum class Rule { kKeep, kPage, kLedPage, kSwatch, kBee };
  Rule rule = Rule::kKeep;
  bool has_content = false;
  int page = 0;
};

class PageVisibility {
 public:
  static constexpr int kLedPage = 6;
  static constexpr int kVirtual71Page = 4;

  using Membership = std::function<PageMembership(const toolkit::Control&)>;

  // Whether a control of this membership shows on page; nothing when the rule
  // leaves it alone.
  static bool Visible(const PageMembership& member, int page, bool led_page_enabled, bool bee);
  static void Show(const toolkit::Form& form, int page, bool led_page_enabled, bool bee,
                   const Membership& membership);
  static bool CaptionShows(const std::string& caption) {
    return !caption.empty() && caption != "(null)";
  }
};

}  // namespace audio77::ui
