#include "ui/PageVisibility.h"

namespace audio77::ui {

bool PageVisibility::Visible(const PageMembership& member, int page, bool led_page_enabled,
                             bool bee) {
  const bool on_led_page = page == kLedPage && led_page_enabled;
  switch (member.rule) {
    case PageMembership::Rule::kPage:
      return member.has_content && (member.page == 0 || member.page == page);
    case PageMembership::Rule::kLedPage: {
      const int compared = on_led_page ? page : 1;
      return member.has_content && (member.page == 0 || member.page == compared);
    }
    case PageMembership::Rule::kSwatch:
      return on_led_page;
    case PageMembership::Rule::kBee:
      return page == kVirtual71Page && bee;
    case PageMembership::Rule::kKeep:
      break;
  }
  return false;
}

void PageVisibility::Show(const toolkit::Form& form, int page, bool led_page_enabled, bool bee,
                          const Membership& membership) {
  for (const auto& control : form.Controls()) {
    const PageMembership member = membership(*control);
    if (member.rule == PageMembership::Rule::kKeep) continue;
    control->SetVisible(Visible(member, page, led_page_enabled, bee));
  }
}

}  // namespace audio77::ui
