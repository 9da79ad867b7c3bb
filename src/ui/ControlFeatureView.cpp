#include "ui/ControlFeatureView.h"

#include "toolkit/Image.h"
#include "toolkit/Label.h"
#include "ui/SwitchPictures.h"

namespace audio77 {

std::string ControlFeatureView::SkinEntryOf(const std::string& control) const {
  const auto found = skin_entries_.find(control);
  return found == skin_entries_.end() ? std::string() : found->second;
}

int ControlFeatureView::SwitchOf(int tag) const {
  const auto found = switches_.find(tag);
  return found == switches_.end() ? 0 : found->second;
}

void ControlFeatureView::ShowSkinEntry(const std::string& control, const std::string& skin_key) {
  skin_entries_[control] = skin_key;
  if (show_picture_) show_picture_(control, skin_key);
}

bool ControlFeatureView::NamesPicture(const std::string& skin_key) const {
  return names_picture_ ? names_picture_(skin_key) : !skin_key.empty();
}

void ControlFeatureView::ShowSwitch(int tag, int state) {
  switches_[tag] = state;
  ui::SwitchPictures::Show(*this, form_, tag, state);
}

void ControlFeatureView::HighlightLabel(int tag, bool down, const std::string& label_record) {
  label_colours_[tag] = {down, label_record};
}

bool ControlFeatureView::LabelDown(int tag) const {
  const auto found = label_colours_.find(tag);
  return found != label_colours_.end() && found->second.first;
}

std::string ControlFeatureView::LabelRecordOf(int tag) const {
  const auto found = label_colours_.find(tag);
  return found == label_colours_.end() ? std::string() : found->second.second;
}

int ControlFeatureView::KnobTop(int tag) const {
  if (const toolkit::Image* knob = form_.FindImageByTag(tag)) return knob->Top();
  const auto found = knob_tops_.find(tag);
  // A knob never placed stands in the middle of its travel.
  return found == knob_tops_.end() ? travel_.top + travel_.length / 2 : found->second;
}

void ControlFeatureView::SetKnobTop(int tag, int top) {
  knob_tops_[tag] = top;
  if (toolkit::Image* knob = form_.FindImageByTag(tag)) knob->SetTop(top);
}

int ControlFeatureView::KnobHeight(int tag) const {
  const toolkit::Image* knob = form_.FindImageByTag(tag);
  return knob ? knob->Height() : 0;
}

int ControlFeatureView::FillTop(int tag) const {
  const toolkit::Image* fill = form_.FindImageByTag(tag);
  return fill ? fill->Top() : 0;
}

void ControlFeatureView::SetFillHeight(int tag, int height) {
  if (toolkit::Image* fill = form_.FindImageByTag(tag)) fill->SetHeight(height < 0 ? 0 : height);
}

void ControlFeatureView::SetValueLabel(int tag, const std::string& text) {
  if (toolkit::Label* label = form_.FindLabelByTag(tag)) label->SetCaption(text);
}

void ControlFeatureView::SetImageVisible(int tag, bool visible) {
  if (toolkit::Image* image = form_.FindImageByTag(tag)) image->SetVisible(visible);
}

}  // namespace audio77
