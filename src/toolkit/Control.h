#pragma once
// The base of every control on a form: identity (name, class, Tag, creation
// order), geometry relative to its parent, visibility, enabled state and the
// mouse handlers. Changes are reported to the form, which repaints only what
// changed.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "toolkit/Geometry.h"
#include "toolkit/MouseEvent.h"

namespace audio77::toolkit {

class Form;

enum class ControlKind {
  kImage,
  kLabel,
  kShape,
  kCheckBox,
  kRadioButton,
  kTrackBar,
  kButton,
  kGroupBox,
  kRadioGroup,
  kDirectoryList,
};

class Control {
 public:
  using MouseHandler = std::function<void(Control&, const MouseEvent&)>;
  using ClickHandler = std::function<void(Control&)>;

  // The farthest a control's edges and size may reach, in pixels.
  static constexpr int kFarthest = 1 << 20;

  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const std::string& Name() const { return name_; }
  ControlKind Kind() const { return kind_; }
  // The class name a Delphi-style form would give it ("TImage", "TLabel", ...).
  std::string_view ClassName() const;
  int Tag() const { return tag_; }
  void SetTag(int tag);
  std::size_t CreationIndex() const { return creation_index_; }
  Form& Owner() const { return form_; }

  // Graphic controls are drawn on the form itself; the others are real widgets.
  bool IsGraphic() const;
  bool IsContainer() const;
  Control* Parent() const { return parent_; }

  int Left() const { return bounds_.left; }
  int Top() const { return bounds_.top; }
  int Width() const { return bounds_.width; }
  int Height() const { return bounds_.height; }
  Rect Bounds() const { return bounds_; }
  void SetLeft(int left);
  void SetTop(int top);
  void SetWidth(int width);
  void SetHeight(int height);
  void SetPosition(int left, int top);
  void SetBounds(const Rect& bounds);
  // Bounds in the form's client coordinates (parents' offsets added).
  Rect ClientRect() const;

  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible and every parent visible: whether it is on screen when the form is.
  bool Showing() const;
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  // Enabled and every parent enabled: whether it receives input.
  bool EffectivelyEnabled() const;

  MouseHandler OnMouseDown;
  MouseHandler OnMouseMove;
  MouseHandler OnMouseUp;
  ClickHandler OnClick;

  // A click as the user makes it; kinds with state (check box, radio button)
  // change it first, then OnClick runs.
  virtual void Click();

 protected:
  Control(Form& form, ControlKind kind, std::string name, int tag, Control* parent,
          std::size_t creation_index);
  // The control's look changed: repaint its rectangle.
  void Repaint();
  // A standard control's state changed: its widget has to follow.
  void StateChanged();

 private:
  friend class Form;
  void Reposition(const Rect& bounds);

  Form& form_;
  ControlKind kind_;
  std::string name_;
  int tag_;
  Control* parent_;
  std::size_t creation_index_;
  Rect bounds_;
  bool visible_ = true;
  bool enabled_ = true;
};

}  // namespace audio77::toolkit
