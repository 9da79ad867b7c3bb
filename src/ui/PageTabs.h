#pragma once
// The page tabs of the main window: which tab (image and label Tag) opens
// which page, the tab pictures and the left-column picture of each page.
// The current page's tab shows its down picture and the down colour of the
// shared "LabelPageEQ" record; the others their up picture and up colour.

#include <string_view>

#include "ui/FeatureView.h"

namespace audio77::ui {

struct PageTabRow {
  int page;
  int tag;
  std::string_view image;
  std::string_view up_key;
  std::string_view down_key;
  std::string_view left_key;  // empty: the left picture is hidden on this page
};

class PageTabs {
 public:
  static constexpr std::string_view kLabelRecord = "LabelPageEQ";
  static constexpr std::string_view kLeftImage = "MainLeftImage";

  // The tab of a Tag (the 3D tab, Tag 24, included); nullptr when none.
  static const PageTabRow* FindByTag(int tag);
  static const PageTabRow* FindByPage(int page);
  // Draws the seven drawn tabs for page (the 3D tab is never drawn).
  static void Show(FeatureView& view, int page);
};

}  // namespace audio77::ui
