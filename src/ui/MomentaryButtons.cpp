#include "ui/MomentaryButtons.h"

#include <string>

namespace audio77::ui {
namespace {

constexpr MomentarySpec kButtons[] = {
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

const MomentarySpec* MomentaryButtons::Find(int tag) {
  for (const MomentarySpec& spec : kButtons) {
    if (spec.tag == tag) return &spec;
  }
  return nullptr;
}

void MomentaryButtons::Press(FeatureView& view, int tag) {
  const MomentarySpec* spec = Find(tag);
  if (spec == nullptr) return;
  const std::string key(spec->down_key);
  if (view.NamesPicture(key)) view.ShowSkinEntry(std::string(spec->image), key);
  if (!spec->label_record.empty()) view.HighlightLabel(tag, true, std::string(spec->label_record));
}

void MomentaryButtons::Release(FeatureView& view, int tag) {
  const MomentarySpec* spec = Find(tag);
  if (spec == nullptr) return;
  view.ShowSkinEntry(std::string(spec->image), std::string(spec->up_key));
  if (!spec->label_record.empty()) view.HighlightLabel(tag, false, std::string(spec->label_record));
}

}  // namespace audio77::ui
