#include "app/SpeakerFormView.h"

#include <array>
#include <cstddef>

#include "toolkit/Image.h"

namespace audio77 {
namespace {

// The icons in speaker order: L, R, C, SUB, LS, RS, LB, RB.
constexpr std::array<const char*, kSpeakerCount> kIcons = {"VirtualLImage",   "VirtualRImage",  "VirtualCImage",
                                                           "VirtualSUBImage", "VirtualLSImage", "VirtualRSImage",
                                                           "VirtualLBImage",  "VirtualRBImage"};
constexpr const char* kArea = "VirtualPicImage";
constexpr const char* kBee = "BeeImage";

const char* IconName(int speaker) {
  if (speaker < 0 || speaker >= kSpeakerCount) return "";
  return kIcons[static_cast<std::size_t>(speaker)];
}

}  // namespace

SpeakerFormView::SpeakerFormView(toolkit::Form& form, std::function<SpeakerCircle()> circle)
    : form_(form), circle_(std::move(circle)) {}

SpeakerBox SpeakerFormView::BoxOf(const char* name) const {
  const auto* image = form_.Find<toolkit::Image>(name);
  if (image == nullptr) return {};
  return {image->Left(), image->Top(), image->Width(), image->Height()};
}

SpeakerBox SpeakerFormView::Area() const { return BoxOf(kArea); }

SpeakerBox SpeakerFormView::Icon(int speaker) const { return BoxOf(IconName(speaker)); }

void SpeakerFormView::MoveSpeaker(int speaker, SpeakerPosition to) {
  auto* icon = form_.Find<toolkit::Image>(IconName(speaker));
  if (icon == nullptr) return;
  icon->SetLeft(to.left);
  icon->SetTop(to.top);
}

void SpeakerFormView::ShowBee(bool visible) {
  if (auto* bee = form_.Find<toolkit::Image>(kBee)) bee->SetVisible(visible);
}

void SpeakerFormView::MoveBee(SpeakerPosition to) {
  auto* bee = form_.Find<toolkit::Image>(kBee);
  if (bee == nullptr) return;
  bee->SetLeft(to.left);
  bee->SetTop(to.top);
}

}  // namespace audio77
