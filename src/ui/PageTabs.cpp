#include "ui/PageTabs.h"

#include <string>

#include "ui/MainFormState.h"

namespace audio77::ui {
namespace {

constexpr int P(Page page) { return static_cast<int>(page); }

// In drawing order; the 3D tab comes last and is not drawn.
constexpr PageTabRow kTabs[] = {
    {P(Page::kEqualizer), 23, "PageEQImage", "PageEQUpImage", "PageEQDownImage", "MainLeftImage1"},
    {P(Page::kEffect), 25, "PageEffectImage", "PageEffectUpImage", "PageEffectDownImage", "MainLeftImage2"},
    {P(Page::kMicrophone), 26, "PageMicImage", "PageMicUpImage", "PageMicDownImage", "MainLeftImage3"},
    {P(Page::kVirtual71), 27, "PageVirtual7p1Image", "PageVirtual7p1UpImage", "PageVirtual7p1DownImage",
     "MainLeftImage4"},
    {P(Page::kVoiceEffect), 226, "PageVMEffectImage", "PageVMEffectUpImage", "PageVMEffectDownImage", ""},
    {P(Page::kNoiseCancellation), 227, "PageENCImage", "PageENCUpImage", "PageENCDownImage", ""},
    {P(Page::kLed), 228, "PageLEDImage", "PageLEDUpImage", "PageLEDDownImage", ""},
    {P(Page::kSound3D), 24, "Page3DImage", "", "", ""},
};
constexpr int kDrawnTabs = 7;

}  // namespace

const PageTabRow* PageTabs::FindByTag(int tag) {
  for (const PageTabRow& tab : kTabs) {
    if (tab.tag == tag) return &tab;
  }
  return nullptr;
}

const PageTabRow* PageTabs::FindByPage(int page) {
  for (const PageTabRow& tab : kTabs) {
    if (tab.page == page) return &tab;
  }
  return nullptr;
}

void PageTabs::Show(FeatureView& view, int page) {
  for (int i = 0; i < kDrawnTabs; ++i) {
    const PageTabRow& tab = kTabs[i];
    const bool current = tab.page == page;
    view.ShowSkinEntry(std::string(tab.image), std::string(current ? tab.down_key : tab.up_key));
    if (current) view.ShowSkinEntry(std::string(kLeftImage), std::string(tab.left_key));
    view.HighlightLabel(tab.tag, current, std::string(kLabelRecord));
  }
}

}  // namespace audio77::ui
