#pragma once
// A window of the program: its controls in creation order, the lookups the
// window logic needs (by name, by class and Tag, under a point), the window's
// caption, client size, position, shape, placement and state, and the routing
// of mouse input: the application-wide hook first, then the control under the
// pointer (or the one that took the press), then a click on release.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/Button.h"
#include "toolkit/CheckBox.h"
#include "toolkit/Color.h"
#include "toolkit/Control.h"
#include "toolkit/DirectoryList.h"
#include "toolkit/FormView.h"
#include "toolkit/GroupBox.h"
#include "toolkit/Image.h"
#include "toolkit/Label.h"
#include "toolkit/PopupMenu.h"
#include "toolkit/RadioButton.h"
#include "toolkit/RadioGroup.h"
#include "toolkit/Shape.h"
#include "toolkit/Timer.h"
#include "toolkit/TrackBar.h"
#include "toolkit/TrayIcon.h"
#include "toolkit/WindowRegion.h"

namespace audio77::toolkit {

class Application;

enum class WindowState { kNormal, kMinimized };
// kScreenCenter centres the window on the screen the first time it is shown;
// kOwnerCenter centres it on its owner (or the main form) every time.
enum class Placement { kDesigned, kScreenCenter, kOwnerCenter };
enum class CloseAction { kNone, kHide, kMinimize };
// The modal result a form gets when it is closed without one.
inline constexpr int kModalCancel = 2;

// Which controls ControlAt may answer with. Graphic controls are always
// candidates; containers are searched at every depth.
struct HitTest {
  bool include_disabled = true;
  bool include_windowed = false;
};

class Form {
 public:
  using FormMouseHandler = std::function<void(Form&, const MouseEvent&)>;

  Form(Application& app, std::string name);
  ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  Application& App() const { return app_; }
  const std::string& Name() const { return name_; }

  // Controls. A parent must be a container of this form; positions are then
  // relative to it.
  Image& AddImage(std::string name, int tag = 0, Control* parent = nullptr);
  Label& AddLabel(std::string name, int tag = 0, Control* parent = nullptr);
  Shape& AddShape(std::string name, int tag = 0, Control* parent = nullptr);
  CheckBox& AddCheckBox(std::string name, int tag = 0, Control* parent = nullptr);
  RadioButton& AddRadioButton(std::string name, int tag = 0, Control* parent = nullptr);
  TrackBar& AddTrackBar(std::string name, int tag = 0, Control* parent = nullptr);
  Button& AddButton(std::string name, int tag = 0, Control* parent = nullptr);
  GroupBox& AddGroupBox(std::string name, int tag = 0, Control* parent = nullptr);
  RadioGroup& AddRadioGroup(std::string name, int tag = 0, Control* parent = nullptr);
  DirectoryList& AddDirectoryList(std::string name, int tag = 0, Control* parent = nullptr);

  // Components without a place on the form.
  Timer& AddTimer(std::string name, std::uint32_t interval_ms, bool enabled);
  PopupMenu& AddPopupMenu(std::string name);
  TrayIcon& AddTrayIcon();

  const std::vector<std::unique_ptr<Control>>& Controls() const { return controls_; }
  Control* FindControl(std::string_view name) const;
  template <class T>
  T* Find(std::string_view name) const {
    return dynamic_cast<T*>(FindControl(name));
  }
  // The most recently created control of class T with this Tag.
  template <class T>
  T* FindByTag(int tag) const {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
      if ((*it)->Tag() != tag) continue;
      if (auto* typed = dynamic_cast<T*>(it->get())) return typed;
    }
    return nullptr;
  }
  Image* FindImageByTag(int tag) const { return static_cast<Image*>(LastOfKindByTag(ControlKind::kImage, tag)); }
  Label* FindLabelByTag(int tag) const { return static_cast<Label*>(LastOfKindByTag(ControlKind::kLabel, tag)); }
  Shape* FindShapeByTag(int tag) const { return static_cast<Shape*>(LastOfKindByTag(ControlKind::kShape, tag)); }
  // The visible control under a client point, later controls first.
  Control* ControlAt(Point client, HitTest options = {}) const;
  // The same, only among the controls inside one container (point still in
  // the form's client coordinates).
  Control* ControlAtIn(const Control& container, Point client, HitTest options = {}) const;

  // The window.
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);
  Size ClientSize() const { return client_size_; }
  void SetClientSize(Size size);
  // Screen position of the client area's top-left corner.
  Point Position() const { return position_; }
  void SetPosition(Point screen);
  Rect ScreenRect() const {
    return {position_.x, position_.y, client_size_.width, client_size_.height};
  }
  Point ClientToScreen(Point client) const { return client + position_; }
  Point ScreenToClient(Point screen) const { return screen - position_; }
  // An empty region means the whole rectangle.
  const WindowRegion& Region() const { return region_; }
  void SetRegion(WindowRegion region);
  void ClearRegion() { SetRegion(WindowRegion{}); }
  Color BackgroundColor() const { return background_; }
  void SetBackgroundColor(Color color);
  Placement GetPlacement() const { return placement_; }
  void SetPlacement(Placement placement) { placement_ = placement; }
  Form* OwnerForm() const { return owner_; }
  void SetOwnerForm(Form* owner) { owner_ = owner; }
  // A dialog-style window keeps the window system's frame and title bar.
  bool Frameless() const { return frameless_; }
  void SetFrameless(bool frameless);

  bool Visible() const { return visible_; }
  void Show();
  void Hide();
  // Shows the form and returns when it is no longer shown, with its modal
  // result (kModalCancel when it was closed without one).
  int ShowModal();
  bool Modal() const { return modal_; }
  int ModalResult() const { return modal_result_; }
  // A non-zero result ends a modal show.
  void SetModalResult(int result);
  WindowState State() const { return state_; }
  void Minimize();
  void Restore();
  void Activate();
  // Runs OnClose; the action decides. Closing the main form ends the program.
  void Close();
  // Moves the window with the mouse until the button is released, as a drag on
  // a title bar would.
  void StartSystemMove();
  int SystemMoves() const { return system_moves_; }

  FormMouseHandler OnMouseDown;
  FormMouseHandler OnMouseMove;
  FormMouseHandler OnMouseUp;
  std::function<void(Form&)> OnShow;
  // The window became the active one (the presentation reports it).
  std::function<void(Form&)> OnActivate;
  std::function<void(Form&)> OnHide;
  std::function<void(Form&, CloseAction&)> OnClose;

  // Input on the form's own surface, in client coordinates.
  void MouseDown(Point client, MouseButton button, ShiftState shift);
  void MouseMove(Point client, ShiftState shift);
  void MouseUp(Point client, MouseButton button, ShiftState shift);
  // Input that a standard control's own widget received (local coordinates).
  // Runs the hook and the control's handlers; the widget reports clicks itself.
  void ControlMouse(Control& control, MouseAction action, Point local, MouseButton button,
                    ShiftState shift);
  // The control that took the last press, until all buttons are released.
  Control* MouseCapture() const { return capture_; }

  void SetView(FormView* view) { view_ = view; }
  FormView* View() const { return view_; }

  // For controls.
  void Invalidate(const Rect& client_rect);
  void ControlMoved(Control& control, const Rect& old_client_rect);
  void ControlVisibilityChanged(Control& control, bool was_showing);
  void ControlStateChanged(Control& control);
  void ControlTagChanged() { tags_by_kind_.clear(); }

 private:
  template <class T>
  T& Add(std::string name, int tag, Control* parent);
  Control* HitIn(const Control* parent, Point client, const HitTest& options) const;
  Control* InputTarget(Point client) const;
  void Hook(MouseAction action, Point client, MouseButton button, ShiftState shift);
  void Deliver(Control* target, MouseAction action, Point client, MouseButton button,
               ShiftState shift);
  void ApplyPlacement();
  void Changed();

  Application& app_;
  std::string name_;
  std::vector<std::unique_ptr<Control>> controls_;
  // The first control of each name; looked up on every page change and drag.
  std::map<std::string, Control*, std::less<>> controls_by_name_;
  // The most recent control of each kind and Tag; every slider movement asks.
  // Built on first use, dropped when a Tag changes.
  Control* LastOfKindByTag(ControlKind kind, int tag) const;
  mutable std::map<std::pair<ControlKind, int>, Control*> tags_by_kind_;
  std::vector<std::unique_ptr<Timer>> timers_;
  std::vector<std::unique_ptr<PopupMenu>> menus_;
  std::vector<std::unique_ptr<TrayIcon>> trays_;
  std::string caption_;
  Size client_size_{320, 240};
  Point position_;
  WindowRegion region_;
  Color background_ = kButtonFace;
  Placement placement_ = Placement::kDesigned;
  Form* owner_ = nullptr;
  bool frameless_ = true;
  bool visible_ = false;
  bool shown_before_ = false;
  bool modal_ = false;
  int modal_result_ = 0;
  WindowState state_ = WindowState::kNormal;
  int system_moves_ = 0;
  Control* capture_ = nullptr;
  bool capture_form_ = false;
  std::uint32_t buttons_down_ = 0;
  FormView* view_ = nullptr;
};

}  // namespace audio77::toolkit
