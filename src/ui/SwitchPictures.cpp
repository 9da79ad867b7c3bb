#include "ui/SwitchPictures.h"

#include <string>

namespace audio77::ui {
namespace {

constexpr SwitchRow kSwitches[] = {
    {7, "EQEQENImageUp", "EQEQENImageDown", "LabelEQEnable"},
    {8, "EQ3DENImageUp", "EQ3DENImageDown", "LableEQ3DEnable"},
    {13, "D3FBMImageUp", "D3FBMImageDown", "Label3DFBM"},
    {21, "MicBoostImageUp", "MicBoostImageDown", "LabelMicBoost"},
    {22, "MicMuteImageUp", "MicMuteImageDown", "LabelMicMute"},
    {47, "VirtualEnableImageUp", "VirtualEnableImageDown", "Label7ch1Enable"},
    {49, "VirtualClockwiseUpImage", "VirtualClockwiseDownImage", "LabelVirtualClockwise"},
    {50, "VirtualCounterclockwiseUpImage", "VirtualCounterclockwiseDownImage",
     "LabelVirtualCounterclockwise"},
    {51, "LedImageUp", "LedImageDown", ""},
    {52, "VirtualNarrowUpImage", "VirtualNarrowDownImage", "LabelVirtualNarrow"},
    {53, "VirtualEnlargeUpImage", "VirtualEnlargeDownImage", "LabelVirtualEnlarge"},
    {54, "DeviceActiveUpImage", "DeviceActiveDownImage", "DeviceInLabel"},
    {55, "DeviceUnActiveUpImage", "DeviceUnActiveDownImage", "DeviceOutLabel"},
    {89, "MicMonitorImageUp", "MicMonitorImageDown", "LabelMicMonitor"},
};

}  // namespace

const SwitchRow* SwitchPictures::Find(int tag) {
  for (const SwitchRow& row : kSwitches) {
    if (row.tag == tag) return &row;
  }
  return nullptr;
}

void SwitchPictures::Show(FeatureView& view, const toolkit::Form& form, int tag, int state) {
  const SwitchRow* row = Find(tag);
  if (row == nullptr) return;
  const std::string key(state == 1 ? row->down_key : row->up_key);
  if (const toolkit::Image* image = form.FindImageByTag(tag); image != nullptr && view.NamesPicture(key)) {
    view.ShowSkinEntry(image->Name(), key);
  }
  if (!row->label_record.empty()) view.HighlightLabel(tag, state == 1, std::string(row->label_record));
}

int SwitchPictures::Flip(FeatureView& view, const toolkit::Form& form, int tag, int state) {
  const int flipped = state == 0 ? 1 : 0;
  Show(view, form, tag, flipped);
  return flipped;
}

}  // namespace audio77::ui
