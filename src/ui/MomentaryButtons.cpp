#include "ui/MomentaryButtons.h"

#include <string>

namespace audio77::ui {
namespace {

constexpr MomentaryRow kButtons[] = {
    {0, "CloseImage", "CloseImageUp", "CloseImageDown", ""},
    {1, "MinimizeImage", "MinimizeImageUp", "MinimizeImageDown", ""},
    {2, "Menu1Image", "Menu1ImageUp", "Menu1ImageDown", "LabelMenu1"},
    {3, "Menu2Image", "Menu2ImageUp", "Menu2ImageDown", "LabelMenu2"},
    {4, "Menu3Image", "Menu3ImageUp", "Menu3ImageDown", "LabelMenu3"},
    {5, "EQResetImage", "EQResetImageUp", "EQResetImageDown", "LabelEQReset"},
    {6, "D3ResetImage", "D3ResetImageUp", "D3ResetImageDown", "Label3DReset"},
    {48, "VirtualResetImage", "VirtualResetUpImage", "VirtualResetDownImage", "Label7ch1Reset"},
};

}  // namespace

const MomentaryRow* MomentaryButtons::Find(int tag) {
  for (const MomentaryRow& row : kButtons) {
    if (row.tag == tag) return &row;
  }
  return nullptr;
}

void MomentaryButtons::Press(FeatureView& view, int tag) {
  const MomentaryRow* row = Find(tag);
  if (row == nullptr) return;
  const std::string key(row->down_key);
  if (view.NamesPicture(key)) view.ShowSkinEntry(std::string(row->image), key);
  if (!row->label_record.empty()) view.HighlightLabel(tag, true, std::string(row->label_record));
}

void MomentaryButtons::Release(FeatureView& view, int tag) {
  const MomentaryRow* row = Find(tag);
  if (row == nullptr) return;
  view.ShowSkinEntry(std::string(row->image), std::string(row->up_key));
  if (!row->label_record.empty()) view.HighlightLabel(tag, false, std::string(row->label_record));
}

}  // namespace audio77::ui
