#include "toolkit/Form.h"

#include <algorithm>
#include <stdexcept>

#include "toolkit/Application.h"

namespace audio77::toolkit {
namespace {

std::uint32_t ButtonBit(MouseButton button) {
  switch (button) {
    case MouseButton::kLeft:
      return kLeftButton;
    case MouseButton::kRight:
      return kRightButton;
    case MouseButton::kMiddle:
      return kMiddleButton;
  }
  return 0;
}

}  // namespace

Form::Form(Application& app, std::string name) : app_(app), name_(std::move(name)) {
  app_.RegisterForm(*this);
}

Form::~Form() {
  if (view_ != nullptr) view_->FormDestroyed();
  // Timers first: their handlers may refer to the controls.
  timers_.clear();
  app_.UnregisterForm(*this);
}

template <class T>
T& Form::Add(std::string name, int tag, Control* parent) {
  if (parent != nullptr && (&parent->Owner() != this || !parent->IsContainer())) {
    throw std::invalid_argument("parent of '" + name + "' is not a container of form '" + name_ +
                                "'");
  }
  auto control = std::make_unique<T>(*this, std::move(name), tag, parent, controls_.size());
  T& added = *control;
  controls_by_name_.emplace(added.Name(), &added);
  if (!tags_by_kind_.empty()) tags_by_kind_[{added.Kind(), added.Tag()}] = &added;
  controls_.push_back(std::move(control));
  if (view_ != nullptr && !added.IsGraphic()) view_->ControlStateChanged(added);
  return added;
}

Image& Form::AddImage(std::string name, int tag, Control* parent) {
  return Add<Image>(std::move(name), tag, parent);
}
Label& Form::AddLabel(std::string name, int tag, Control* parent) {
  return Add<Label>(std::move(name), tag, parent);
}
Shape& Form::AddShape(std::string name, int tag, Control* parent) {
  return Add<Shape>(std::move(name), tag, parent);
}
CheckBox& Form::AddCheckBox(std::string name, int tag, Control* parent) {
  return Add<CheckBox>(std::move(name), tag, parent);
}
RadioButton& Form::AddRadioButton(std::string name, int tag, Control* parent) {
  return Add<RadioButton>(std::move(name), tag, parent);
}
TrackBar& Form::AddTrackBar(std::string name, int tag, Control* parent) {
  return Add<TrackBar>(std::move(name), tag, parent);
}
Button& Form::AddButton(std::string name, int tag, Control* parent) {
  return Add<Button>(std::move(name), tag, parent);
}
GroupBox& Form::AddGroupBox(std::string name, int tag, Control* parent) {
  return Add<GroupBox>(std::move(name), tag, parent);
}
RadioGroup& Form::AddRadioGroup(std::string name, int tag, Control* parent) {
  return Add<RadioGroup>(std::move(name), tag, parent);
}
DirectoryList& Form::AddDirectoryList(std::string name, int tag, Control* parent) {
  return Add<DirectoryList>(std::move(name), tag, parent);
}

Timer& Form::AddTimer(std::string name, std::uint32_t interval_ms, bool enabled) {
  timers_.push_back(std::make_unique<Timer>(app_.Loop(), std::move(name), interval_ms, enabled));
  return *timers_.back();
}

PopupMenu& Form::AddPopupMenu(std::string name) {
  menus_.push_back(std::make_unique<PopupMenu>(app_, std::move(name)));
  return *menus_.back();
}

TrayIcon& Form::AddTrayIcon() {
  trays_.push_back(std::make_unique<TrayIcon>(app_));
  return *trays_.back();
}

Control* Form::FindControl(std::string_view name) const {
  const auto found = controls_by_name_.find(name);
  return found == controls_by_name_.end() ? nullptr : found->second;
}

Control* Form::LastOfKindByTag(ControlKind kind, int tag) const {
  if (tags_by_kind_.empty()) {
    for (const auto& control : controls_) tags_by_kind_[{control->Kind(), control->Tag()}] = control.get();
  }
  const auto found = tags_by_kind_.find({kind, tag});
  return found == tags_by_kind_.end() ? nullptr : found->second;
}

Control* Form::ControlAt(Point client, HitTest options) const {
  return HitIn(nullptr, client, options);
}

Control* Form::ControlAtIn(const Control& container, Point client, HitTest options) const {
  if (&container.Owner() != this || !container.IsContainer()) return nullptr;
  return HitIn(&container, client, options);
}

Control* Form::HitIn(const Control* parent, Point client, const HitTest& options) const {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    Control* c = it->get();
    if (c->Parent() != parent || !c->Visible()) continue;
    if (!options.include_disabled && !c->Enabled()) continue;
    if (!c->ClientRect().Contains(client)) continue;
    if (c->IsContainer()) {
      if (Control* inner = HitIn(c, client, options)) return inner;
      if (options.include_windowed) return c;
      continue;
    }
    if (c->IsGraphic() || options.include_windowed) return c;
  }
  return nullptr;
}

void Form::SetCaption(std::string caption) {
  if (caption == caption_) return;
  caption_ = std::move(caption);
  Changed();
}

void Form::SetClientSize(Size size) {
  size.width = std::max(size.width, 0);
  size.height = std::max(size.height, 0);
  if (size == client_size_) return;
  client_size_ = size;
  Changed();
}

void Form::SetPosition(Point screen) {
  if (screen == position_) return;
  position_ = screen;
  Changed();
}

void Form::SetRegion(WindowRegion region) {
  if (region == region_) return;
  region_ = std::move(region);
  Changed();
}

void Form::SetBackgroundColor(Color color) {
  if (color == background_) return;
  background_ = color;
  Invalidate({0, 0, client_size_.width, client_size_.height});
}

void Form::SetFrameless(bool frameless) {
  if (frameless == frameless_) return;
  frameless_ = frameless;
  Changed();
}

void Form::ApplyPlacement() {
  const Size size = client_size_;
  auto centre_on = [&](const Rect& area) {
    position_ = {area.left + (area.width - size.width) / 2,
                 area.top + (area.height - size.height) / 2};
  };
  switch (placement_) {
    case Placement::kDesigned:
      break;
    case Placement::kScreenCenter:
      if (!shown_before_) centre_on({0, 0, app_.ScreenSize().width, app_.ScreenSize().height});
      break;
    case Placement::kOwnerCenter: {
      const Form* owner = owner_ != nullptr ? owner_ : app_.MainForm();
      if (owner != nullptr && owner != this) {
        centre_on(owner->ScreenRect());
      } else if (!shown_before_) {
        centre_on({0, 0, app_.ScreenSize().width, app_.ScreenSize().height});
      }
      break;
    }
  }
}

void Form::Show() {
  if (visible_) return;
  ApplyPlacement();
  shown_before_ = true;
  visible_ = true;
  Changed();
  if (OnShow) OnShow(*this);
}

void Form::Hide() {
  if (!visible_) return;
  visible_ = false;
  if (modal_ && modal_result_ == 0) modal_result_ = kModalCancel;
  capture_ = nullptr;
  capture_form_ = false;
  buttons_down_ = 0;
  Changed();
  if (OnHide) OnHide(*this);
}

int Form::ShowModal() {
  if (modal_) return modal_result_;
  modal_result_ = 0;
  modal_ = true;
  struct EndModal {
    bool& flag;
    ~EndModal() { flag = false; }
  } end_modal{modal_};
  Show();
  if (visible_) {
    if (view_ != nullptr) {
      view_->RunModal();
    } else {
      app_.RunModalHeadless(*this);
    }
  }
  Hide();
  if (modal_result_ == 0) modal_result_ = kModalCancel;
  return modal_result_;
}

void Form::SetModalResult(int result) {
  modal_result_ = result;
  if (modal_ && result != 0) Hide();
}

void Form::Minimize() {
  if (state_ == WindowState::kMinimized) return;
  state_ = WindowState::kMinimized;
  Changed();
}

void Form::Restore() {
  if (state_ == WindowState::kNormal) return;
  state_ = WindowState::kNormal;
  Changed();
}

void Form::Activate() {
  if (visible_ && OnActivate) OnActivate(*this);
}

void Form::Close() {
  CloseAction action = CloseAction::kHide;
  if (OnClose) OnClose(*this, action);
  switch (action) {
    case CloseAction::kNone:
      return;
    case CloseAction::kMinimize:
      Minimize();
      return;
    case CloseAction::kHide:
      break;
  }
  Hide();
  if (app_.MainForm() == this) app_.Terminate();
}

void Form::StartSystemMove() {
  ++system_moves_;
  // The window system now owns the drag; the press that started it ends there.
  capture_ = nullptr;
  capture_form_ = false;
  buttons_down_ = 0;
  if (view_ != nullptr) view_->StartSystemMove();
}

void Form::Hook(MouseAction action, Point client, MouseButton button, ShiftState shift) {
  const Point screen = ClientToScreen(client);
  app_.SetCursorPos(screen);
  app_.RunMouseHooks({action, button, shift, screen, this});
}

Control* Form::InputTarget(Point client) const {
  Control* target = ControlAt(client, {.include_disabled = false, .include_windowed = true});
  // A control inside a disabled container gets nothing either.
  return target != nullptr && target->EffectivelyEnabled() ? target : nullptr;
}

void Form::Deliver(Control* target, MouseAction action, Point client, MouseButton button,
                   ShiftState shift) {
  if (target != nullptr) {
    const Rect r = target->ClientRect();
    const MouseEvent event{button, {client.x - r.left, client.y - r.top}, shift};
    const Control::MouseHandler* handler = action == MouseAction::kDown   ? &target->OnMouseDown
                                           : action == MouseAction::kMove ? &target->OnMouseMove
                                                                          : &target->OnMouseUp;
    if (*handler) (*handler)(*target, event);
    return;
  }
  const MouseEvent event{button, client, shift};
  const FormMouseHandler* handler = action == MouseAction::kDown   ? &OnMouseDown
                                    : action == MouseAction::kMove ? &OnMouseMove
                                                                   : &OnMouseUp;
  if (*handler) (*handler)(*this, event);
}

void Form::MouseDown(Point client, MouseButton button, ShiftState shift) {
  Hook(MouseAction::kDown, client, button, shift);
  if (buttons_down_ == 0) {
    capture_ = InputTarget(client);
    capture_form_ = capture_ == nullptr;
  }
  buttons_down_ |= ButtonBit(button);
  Deliver(capture_, MouseAction::kDown, client, button, shift | ButtonBit(button));
}

void Form::MouseMove(Point client, ShiftState shift) {
  Hook(MouseAction::kMove, client, MouseButton::kLeft, shift);
  Control* target = buttons_down_ != 0 ? capture_ : InputTarget(client);
  Deliver(target, MouseAction::kMove, client, MouseButton::kLeft, shift);
}

void Form::MouseUp(Point client, MouseButton button, ShiftState shift) {
  Hook(MouseAction::kUp, client, button, shift);
  const bool was_pressed = (buttons_down_ & ButtonBit(button)) != 0;
  Control* target = buttons_down_ != 0 ? capture_ : InputTarget(client);
  buttons_down_ &= ~ButtonBit(button);
  if (buttons_down_ == 0) {
    capture_ = nullptr;
    capture_form_ = false;
  }
  // The click comes before the release handler; only a left press that is
  // released over the same control is a click.
  if (was_pressed && button == MouseButton::kLeft && target != nullptr &&
      target->ClientRect().Contains(client) && target->EffectivelyEnabled()) {
    target->Click();
  }
  Deliver(target, MouseAction::kUp, client, button, shift);
}

void Form::ControlMouse(Control& control, MouseAction action, Point local, MouseButton button,
                        ShiftState shift) {
  const Rect r = control.ClientRect();
  const Point client{local.x + r.left, local.y + r.top};
  Hook(action, client, button, shift);
  Deliver(&control, action, client, button, shift);
}

void Form::Invalidate(const Rect& client_rect) {
  if (view_ != nullptr && !client_rect.Empty()) view_->Invalidate(client_rect);
}

void Form::ControlMoved(Control& control, const Rect& old_client_rect) {
  if (view_ == nullptr) return;
  if (!control.IsGraphic()) view_->ControlStateChanged(control);
  if (!control.Showing()) return;
  Invalidate(old_client_rect);
  Invalidate(control.ClientRect());
}

void Form::ControlVisibilityChanged(Control& control, bool was_showing) {
  if (view_ == nullptr) return;
  if (!control.IsGraphic()) view_->ControlStateChanged(control);
  if (was_showing != control.Showing()) Invalidate(control.ClientRect());
}

void Form::ControlStateChanged(Control& control) {
  if (view_ != nullptr) view_->ControlStateChanged(control);
}

void Form::Changed() {
  if (view_ != nullptr) view_->FormChanged();
}

}  // namespace audio77::toolkit
