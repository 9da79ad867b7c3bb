// The picture sliders: one application-wide hook sees every press, move and
// release and drives the EQ, 3D, Mic and ENC knobs and the speaker icons; the
// ENC knob and the LED speed knobs also have handlers of their own. Values
// and device work belong to the features.
#include <algorithm>
#include <string>
#include <string_view>

#include "app/AudioMainForm.h"
#include "platform/DebugFormat.h"
#include "toolkit/Image.h"
#include "toolkit/Label.h"
#include "ui/SliderMath.h"

namespace audio77 {
namespace {

using ui::DragMode;
using ui::SliderMath;

constexpr std::string_view kMicKnob = "MicSliderImage";
constexpr std::string_view kEncKnob = "ENCSliderImage";

bool EndsWith(std::string_view name, std::string_view tail) { return name.ends_with(tail); }

bool IsEqKnob(std::string_view name) { return name.starts_with("EQ") && EndsWith(name, "HzSliderImage"); }
bool IsEqBar(std::string_view name) { return name.starts_with("EQ") && EndsWith(name, "HzBarImage"); }
bool IsEqFill(std::string_view name) { return name.starts_with("EQ") && EndsWith(name, "HzBarDownImage"); }
bool Is3DKnob(std::string_view name) {
  return name == "D3LBetaSliderImage" || name == "D3LAlphaSliderImage" || name == "D3RBetaSliderImage" ||
         name == "D3RAlphaSliderImage";
}
bool IsSpeaker(std::string_view name) {
  for (std::string_view speaker : {"VirtualLImage", "VirtualRImage", "VirtualCImage", "VirtualSUBImage",
                                   "VirtualLSImage", "VirtualRSImage", "VirtualLBImage", "VirtualRBImage"}) {
    if (name == speaker) return true;
  }
  return false;
}

// The bar and the effect (1 breathe, 2 rainbow, 3 pulsating) of an LED speed knob.
struct LedSlider {
  std::string_view knob;
  std::string_view bar;
  int effect;
};
constexpr LedSlider kLedSliders[] = {
    {"ColorBreatheSliderImage", "ColorBreatheBarImage", 1},
    {"ColorRainbowSliderImage", "ColorRainbowBarImage", 2},
    {"ColorPulsatingSliderImage", "ColorPulsatingBarImage", 3},
};
const LedSlider* FindLedSlider(std::string_view knob) {
  for (const LedSlider& slider : kLedSliders) {
    if (slider.knob == knob) return &slider;
  }
  return nullptr;
}

// The knob an EQ bar or fill belongs to: "EQ60HzBarImage" and
// "EQ60HzBarDownImage" belong to "EQ60HzSliderImage".
std::string KnobOfBar(std::string_view bar) {
  return std::string(bar.substr(0, bar.find("Bar"))) + "SliderImage";
}

// A travel from the bar a knob runs on, for a window without skin geometry.
SliderTravel TravelOfBar(const toolkit::Form& form, std::string_view bar_name, std::string_view knob_name) {
  const toolkit::Control* bar = form.FindControl(bar_name);
  const auto* knob = form.Find<toolkit::Image>(knob_name);
  if (bar == nullptr || knob == nullptr) return {};
  return {bar->Top(), bar->Height() - knob->Height()};
}

}  // namespace

SliderTravel TAudioMainForm::MicTravel() const {
  const ui::SkinTravel& mic = skin_.Geometry().mic;
  if (mic.top != 0 || mic.length != 0) return {mic.top, mic.length};
  return TravelOfBar(form_, "MicBarImage", kMicKnob);
}

SliderTravel TAudioMainForm::EncTravel() const {
  const ui::SkinTravel& enc = skin_.Geometry().enc;
  if (enc.top != 0 || enc.length != 0) return {enc.top, enc.length};
  return TravelOfBar(form_, "ENCBarImage", kEncKnob);
}

void TAudioMainForm::OnHookMessage(const toolkit::HookMessage& message) {
  // Dialogs, message boxes and the about window may lie over the main window:
  // their input never moves a knob of the main window.
  if (message.form != &form_) return;
  // While the LED dialog is up the knobs stay where they are.
  if (led_dialog_shown_ && led_dialog_shown_()) return;
  switch (message.action) {
    case toolkit::MouseAction::kDown:
      // A new gesture: its click and release run unless this press warns.
      gesture_warned_ = false;
      if (message.button == toolkit::MouseButton::kLeft) DragPress(message.screen);
      return;
    case toolkit::MouseAction::kMove:
      DragMove(message.screen);
      return;
    case toolkit::MouseAction::kUp:
      if (message.button == toolkit::MouseButton::kLeft) DragRelease();
      return;
  }
}

int TAudioMainForm::ClickTop(const toolkit::Control& knob, toolkit::Point screen, SliderTravel travel) const {
  const int top = SliderMath::TopFromClick(form_.ScreenToClient(screen).y, knob.Height());
  return SliderMath::Clamp(top, travel.top, travel.top + travel.length);
}

void TAudioMainForm::MoveEqKnob(toolkit::Control& knob, int top) {
  const SliderTravel travel = View().Travel(knob.Tag());
  View().SetKnobTop(knob.Tag(), SliderMath::Clamp(top, travel.top, travel.top + travel.length));
  equalizer_.SliderMoved(knob.Tag() - Equalizer::kFirstSliderTag);
}

void TAudioMainForm::MoveMicKnob(toolkit::Control& knob, int top) {
  const SliderTravel travel = MicTravel();
  knob.SetTop(SliderMath::Clamp(top, travel.top, travel.top + travel.length));
  // The level goes to the endpoint and is read back: knob, fill and label follow.
  microphone_.SliderMoved(knob.Top());
}

void TAudioMainForm::DragPress(toolkit::Point screen) {
  toolkit::Control* control =
      form_.ControlAt(form_.ScreenToClient(screen), {.include_disabled = true, .include_windowed = false});
  if (control == nullptr || control->Kind() != toolkit::ControlKind::kImage) return;
  const std::string_view name = control->Name();
  const bool active = session_.Active();
  auto start = [&](DragMode mode) {
    if (active) {
      drag_.Start(*control, screen, mode);
    } else {
      ShowWarning("LabelWarning");
    }
  };
  if (IsEqKnob(name)) return start(DragMode::kEqKnob);
  if (Is3DKnob(name)) return start(DragMode::k3DKnob);
  if (name == "MicSliderImage") return start(DragMode::kMicKnob);
  if (IsSpeaker(name)) return start(DragMode::kSpeaker);
  if (IsEqBar(name) || IsEqFill(name)) {
    if (!active) return ShowWarning("LabelWarning");
    auto* knob = form_.Find<toolkit::Image>(KnobOfBar(name));
    if (knob != nullptr) MoveEqKnob(*knob, ClickTop(*knob, screen, View().Travel(knob->Tag())));
    return;
  }
  if (name == "MicBarImage" || name == "MicBarDownImage") {
    if (!active) return ShowWarning("LabelWarning");
    auto* knob = form_.Find<toolkit::Image>(kMicKnob);
    if (knob != nullptr) MoveMicKnob(*knob, ClickTop(*knob, screen, MicTravel()));
    return;
  }
  if (name == kEncKnob || name == "ENCBarImage") {
    if (!active) return ShowWarning("LabelWarning");
    // The one ENC warning of this press, when the device has no ENC.
    if (!noise_.KnobPressed()) return;
    if (name == kEncKnob) return drag_.Start(*control, screen, DragMode::kEncKnob);
    auto* knob = form_.Find<toolkit::Image>(kEncKnob);
    if (knob == nullptr) return;
    const SliderTravel travel = EncTravel();
    knob->SetTop(ClickTop(*knob, screen, travel));
    noise_.BarClicked(SliderMath::ValueFromTop(knob->Top(), travel.top, travel.length, 30));
  }
}

void TAudioMainForm::DragMove(toolkit::Point screen) {
  if (!drag_.dragging || drag_.target == nullptr || drag_.mode == DragMode::kNone) return;
  toolkit::Control& target = *drag_.target;
  const int new_left = drag_.start_left + (screen.x - drag_.press_point.x);
  const int new_top = drag_.start_top + (screen.y - drag_.press_point.y);
  switch (drag_.mode) {
    case DragMode::kEqKnob:
      MoveEqKnob(target, new_top);
      return;
    case DragMode::k3DKnob:
      sound3d_.SliderMoved(target.Tag(), SliderMath::Clamp(new_top, Sound3D::kKnobTopLimit, Sound3D::kKnobBottomLimit));
      return;
    case DragMode::kMicKnob:
      MoveMicKnob(target, new_top);
      return;
    case DragMode::kEncKnob:
      if (const auto* bar = form_.Find<toolkit::Image>("ENCBarImage")) {
        target.SetTop(SliderMath::EncHookTop(new_top, bar->Top(), bar->Height(), target.Height()));
      }
      return;
    case DragMode::kSpeaker:
      virtual71_.DragSpeaker(target.Tag(), new_left, new_top);
      return;
    case DragMode::kNone:
      return;
  }
}

void TAudioMainForm::DragRelease() { drag_.End(); }

void TAudioMainForm::OnEncKnobMouseDown(toolkit::Control&, const toolkit::MouseEvent&) {
  // Without ENC support the hook has already warned for this press.
  if (!session_.Active() || !noise_.Supported()) return;
  toolkit::Control* control = form_.ControlAt(form_.ScreenToClient(app_.CursorPos()),
                                              {.include_disabled = true, .include_windowed = false});
  if (control == nullptr) return;
  drag_.target = control;
  drag_.start_left = control->Left();
  drag_.start_top = control->Top();
  drag_.dragging = true;
}

void TAudioMainForm::OnEncKnobMouseMove(toolkit::Control&, const toolkit::MouseEvent&) {
  // Hovering over the knob of a device without ENC shows nothing: only a press warns.
  if (!session_.Active() || !noise_.Supported()) return;
  if (!drag_.dragging || drag_.target == nullptr) return;
  const SliderTravel travel = EncTravel();
  const int dy = app_.CursorPos().y - drag_.press_point.y;
  const int top = SliderMath::Clamp(drag_.start_top + dy, travel.top, travel.top + travel.length);
  drag_.target->SetTop(top);
  noise_.KnobMoved(SliderMath::EncLevel(top, travel.top, travel.length));
}

void TAudioMainForm::OnEncKnobMouseUp(toolkit::Control&, const toolkit::MouseEvent&) {
  if (!session_.Active() || !noise_.Supported()) return;
  noise_.KnobReleased();
  drag_.dragging = false;
  drag_.target = nullptr;
}

void TAudioMainForm::OnLedSpeedMouseDown(toolkit::Control& knob, const toolkit::MouseEvent& event) {
  if (event.button != toolkit::MouseButton::kLeft) return;
  const LedSlider* slider = FindLedSlider(knob.Name());
  if (slider == nullptr || form_.FindControl(slider->bar) == nullptr) return;
  const toolkit::Point client = form_.ScreenToClient(app_.CursorPos());
  const toolkit::HitTest hit{.include_disabled = true, .include_windowed = false};
  toolkit::Control* target =
      knob.Parent() != nullptr ? form_.ControlAtIn(*knob.Parent(), client, hit) : form_.ControlAt(client, hit);
  if (target == nullptr) return;
  led_drag_.Start(*target, app_.CursorPos(), DragMode::kNone);
}

void TAudioMainForm::OnLedSpeedMouseMove(toolkit::Control& knob, const toolkit::MouseEvent&) {
  if (!led_drag_.dragging || led_drag_.target == nullptr) return;
  const LedSlider* slider = FindLedSlider(knob.Name());
  if (slider == nullptr) return;
  const int dx = app_.CursorPos().x - led_drag_.press_point.x;
  lighting_.SpeedKnobMoved(slider->effect, led_drag_.start_left + dx);
}

void TAudioMainForm::OnLedSpeedMouseUp(toolkit::Control& knob, const toolkit::MouseEvent& event) {
  if (const LedSlider* slider = FindLedSlider(knob.Name())) lighting_.SpeedKnobReleased(slider->effect);
  if (event.button == toolkit::MouseButton::kLeft && led_drag_.dragging) led_drag_.End();
}

}  // namespace audio77
