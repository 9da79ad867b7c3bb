#include "toolkit/Control.h"

#include <algorithm>

#include "toolkit/Form.h"

namespace audio77::toolkit {

Control::Control(Form& form, ControlKind kind, std::string name, int tag, Control* parent,
                 std::size_t creation_index)
    : form_(form),
      kind_(kind),
      name_(std::move(name)),
      tag_(tag),
      parent_(parent),
      creation_index_(creation_index) {}

Control::~Control() = default;

void Control::SetTag(int tag) {
  tag_ = tag;
  form_.ControlTagChanged();
}

std::string_view Control::ClassName() const {
  switch (kind_) {
    case ControlKind::kImage:
      return "TImage";
    case ControlKind::kLabel:
      return "TLabel";
    case ControlKind::kShape:
      return "TShape";
    case ControlKind::kCheckBox:
      return "TCheckBox";
    case ControlKind::kRadioButton:
      return "TRadioButton";
    case ControlKind::kTrackBar:
      return "TTrackBar";
    case ControlKind::kButton:
      return "TButton";
    case ControlKind::kGroupBox:
      return "TGroupBox";
    case ControlKind::kRadioGroup:
      return "TRadioGroup";
    case ControlKind::kDirectoryList:
      return "TDirectoryListBox";
  }
  return "TControl";
}

bool Control::IsGraphic() const {
  return kind_ == ControlKind::kImage || kind_ == ControlKind::kLabel ||
         kind_ == ControlKind::kShape;
}

bool Control::IsContainer() const { return kind_ == ControlKind::kGroupBox; }

void Control::SetLeft(int left) { Reposition({left, bounds_.top, bounds_.width, bounds_.height}); }
void Control::SetTop(int top) { Reposition({bounds_.left, top, bounds_.width, bounds_.height}); }
void Control::SetWidth(int width) {
  Reposition({bounds_.left, bounds_.top, width, bounds_.height});
}
void Control::SetHeight(int height) {
  Reposition({bounds_.left, bounds_.top, bounds_.width, height});
}
void Control::SetPosition(int left, int top) {
  Reposition({left, top, bounds_.width, bounds_.height});
}
void Control::SetBounds(const Rect& bounds) { Reposition(bounds); }

void Control::Reposition(const Rect& requested) {
  // A negative size would make the control inside out; it is simply empty.
  // Places and sizes come from skin and language files: far beyond any
  // screen they are held, so that sums of them (right, bottom, a parent's
  // offset) stay within int.
  Rect bounds;
  bounds.left = std::clamp(requested.left, -kFarthest, kFarthest);
  bounds.top = std::clamp(requested.top, -kFarthest, kFarthest);
  bounds.width = std::clamp(requested.width, 0, kFarthest);
  bounds.height = std::clamp(requested.height, 0, kFarthest);
  if (bounds == bounds_) return;
  const Rect old_rect = ClientRect();
  bounds_ = bounds;
  form_.ControlMoved(*this, old_rect);
}

Rect Control::ClientRect() const {
  Rect r = bounds_;
  for (const Control* p = parent_; p != nullptr; p = p->parent_)
    r = r.Translated({p->Left(), p->Top()});
  return r;
}

void Control::SetVisible(bool visible) {
  if (visible == visible_) return;
  const bool was_showing = Showing();
  visible_ = visible;
  form_.ControlVisibilityChanged(*this, was_showing);
}

bool Control::Showing() const {
  for (const Control* c = this; c != nullptr; c = c->parent_) {
    if (!c->visible_) return false;
  }
  return true;
}

void Control::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Repaint();
  StateChanged();
}

bool Control::EffectivelyEnabled() const {
  for (const Control* c = this; c != nullptr; c = c->parent_) {
    if (!c->enabled_) return false;
  }
  return true;
}

void Control::Click() {
  if (OnClick) OnClick(*this);
}

void Control::Repaint() {
  if (Showing()) form_.Invalidate(ClientRect());
}

void Control::StateChanged() { form_.ControlStateChanged(*this); }

}  // namespace audio77::toolkit
