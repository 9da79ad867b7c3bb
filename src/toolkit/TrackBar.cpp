#include "toolkit/TrackBar.h"

#include <algorithm>

namespace audio77::toolkit {

TrackBar::TrackBar(Form& form, std::string name, int tag, Control* parent, std::size_t index)
    : Control(form, ControlKind::kTrackBar, std::move(name), tag, parent, index) {}

int TrackBar::Clamp(int position) const { return std::clamp(position, min_, max_); }

void TrackBar::SetRange(int min, int max) {
  if (min > max) std::swap(min, max);
  min_ = min;
  max_ = max;
  position_ = Clamp(position_);
  StateChanged();
}

void TrackBar::SetPosition(int position) {
  position = Clamp(position);
  if (position == position_) return;
  position_ = position;
  StateChanged();
}

void TrackBar::MoveTo(int position) {
  const int before = position_;
  SetPosition(position);
  if (position_ != before && OnChange) OnChange(*this);
}

void TrackBar::SetPageSize(int page_size) {
  page_size_ = std::max(page_size, 1);
  StateChanged();
}

void TrackBar::SetOrientation(Orientation orientation) {
  orientation_ = orientation;
  StateChanged();
}

}  // namespace audio77::toolkit
