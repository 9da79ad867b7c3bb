#include "ui/PageTabs.h"

#include <string>

namespace audio77::ui {
namespace {

// In drawing order; the 3D tab comes last and is not drawn.
constexpr PageTabRow kTabs[] = {
    {1, 23, "PageEQImage", "PageEQUpImage", "PageEQDownImage", "MainLeftImage1"},
    {2, 25, "PageEffectImage", "PageEffectUpImage", "PageEffectDownImage", "MainLeftImage2"},
    {3, 26, "PageMicImage", "PageMicUpImage", "PageMicDownImage", "MainLeftImage3"},
    {4, 27, "PageVirtual7p1Image", "PageVirtual7p1UpImage", "PageVirtual7p1DownImage",
     "MainLeftImage4"},
    {8, 226, "PageVMEffectImage", "PageVMEffectUpImage", "PageVMEffectDownImage", ""},
    {7, 227, "PageENCImage", "PageENCUpImage", "PageENCDownImage", ""},
    {6, 228, "PageLEDImage", "PageLEDUpImage", "PageLEDDownImage", ""},
    {5, 24, "Page3DImage", "", "", ""},
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
