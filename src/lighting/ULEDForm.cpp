#include "lighting/ULEDForm.h"

#include <string>

#include "toolkit/Application.h"

namespace audio77 {

using toolkit::Control;
using toolkit::MouseEvent;

namespace {

struct EffectRow {
  const char* radio;
  const char* caption;
  int tag;
  const char* speed_bar;  // none for off and single colour
};
constexpr EffectRow kEffects[] = {
    {"RadioButtonOff", "LED Off", 1, nullptr},
    {"RadioButtonOn", "Single color", 2, nullptr},
    {"RadioButtonBlinking", "Blinking", 3, "TrackBarBlinking"},
    {"RadioButtonBreathe", "Breathe", 4, "TrackBarBreathe"},
    {"RadioButtonRainbow", "Rainbow", 5, "TrackBarRainbow"},
    {"RadioButtonMultiBreathe", "Multi Breathe", 6, "TrackBarMultiBreathe"},
    {"RadioButtonSingleRandom", "Single Random", 7, "TrackBarSingleRandom"},
};

// The effect colour cells and the effect button whose row each sits on.
struct EffectColourCell {
  const char* name;
  int tag;
  int radio_tag;
};
constexpr EffectColourCell kEffectColourCells[] = {
    {"ShapeSingleColor", 102, 2},
    {"ShapeBlinkingColor", 103, 3},
    {"ShapeBreatheColor", 104, 4},
};
constexpr int kEffectColourTagBase = 100;

// Design geometry: client 560 x 452.
constexpr int kClientWidth = 560;
constexpr int kClientHeight = 452;
constexpr int kCellSize = 33;
constexpr int kRowHeight = 30;

}  // namespace

TLEDForm::TLEDForm(toolkit::Application& app)
    : form_(app, "LEDForm"), debug_(silent_), clock_(app.Loop().GetClock()), commands_(nullptr) {
  Build();
}

TLEDForm::TLEDForm(toolkit::Application& app, DeviceLibrary& library, DebugOutput& debug, std::mutex* serial)
    : form_(app, "LEDForm"), debug_(debug), clock_(app.Loop().GetClock()), commands_(&library, serial) {
  Build();
}

TLEDForm::~TLEDForm() { worker_.reset(); }

void TLEDForm::Build() {
  form_.SetPlacement(toolkit::Placement::kOwnerCenter);
  form_.SetFrameless(false);
  form_.SetCaption("LEDForm");
  form_.SetClientSize({kClientWidth, kClientHeight});
  BuildColourSet();
  BuildEffects();
  BuildOptions();
  form_.OnShow = [this](toolkit::Form&) { FormShow(); };
  form_.OnClose = [this](toolkit::Form&, toolkit::CloseAction&) { FormClose(); };
}

void TLEDForm::BuildColourSet() {
  auto& group = form_.AddGroupBox("GroupBoxColorSet");
  group.SetCaption("Color set");
  group.SetBounds({8, 8, kClientWidth - 16, 72});
  for (int tag = 1; tag <= kCells; ++tag) {
    auto& cell = form_.AddShape("Shape" + std::to_string(tag), tag, &group);
    cell.SetBounds({12 + (tag - 1) * (kCellSize + 9), 26, kCellSize, kCellSize});
    cell.SetType(toolkit::ShapeType::kRectangle);
    cell.SetBrushColor(toolkit::kWhite);
    cell.SetPen(toolkit::kBlack, 1);
    cell.OnMouseDown = [this](Control& c, const MouseEvent&) { ShapeMouseDown(c); };
  }
  auto& select = form_.AddButton("ButtonSetColor", 0, &group);
  select.SetCaption("Select Color");
  select.SetBounds({12 + kCells * (kCellSize + 9) + 8, 30, 110, 26});
  select.OnClick = [this](Control&) { ButtonSetColorClick(); };
}

void TLEDForm::BuildEffects() {
  auto& group = form_.AddGroupBox("GroupBoxEffect");
  group.SetCaption("Effect setting");
  group.SetBounds({8, 88, kClientWidth - 16, 24 + 7 * kRowHeight});
  effects_ = &group;
  int top = 22;
  for (const EffectRow& row : kEffects) {
    auto& radio = form_.AddRadioButton(row.radio, row.tag, &group);
    radio.SetCaption(row.caption);
    radio.SetBounds({12, top, kTrackBarOffset - 4, 22});
    if (row.tag == 1) {
      radio.SetChecked(true);
      radio.OnMouseDown = [this](Control&, const MouseEvent&) { RadioButtonOffMouseDown(); };
    } else if (row.tag == 2) {
      radio.OnMouseDown = [this](Control&, const MouseEvent&) { RadioButtonOnMouseDown(); };
    } else {
      radio.OnMouseDown = [this](Control& c, const MouseEvent&) { RadioButtonMouseDown(c); };
    }
    if (row.speed_bar != nullptr) {
      auto& bar = form_.AddTrackBar(row.speed_bar, row.tag, &group);
      bar.SetBounds({12 + kTrackBarOffset, top, kColourShapeOffset - kTrackBarOffset - 10, 24});
      bar.SetRange(1, 255);
      bar.SetPageSize(1);
      bar.SetPosition(1);
      bar.OnChange = [this](toolkit::TrackBar& b) { TrackBarEffectChange(b); };
    }
    top += kRowHeight;
  }
  for (const EffectColourCell& cell : kEffectColourCells) {
    auto& shape = form_.AddShape(cell.name, cell.tag, &group);
    shape.SetBounds({12 + kColourShapeOffset, 22 + (cell.radio_tag - 1) * kRowHeight, 24, 24});
    shape.SetType(toolkit::ShapeType::kRectangle);
    shape.SetBrushColor(toolkit::kWhite);
    shape.SetPen(toolkit::kBlack, 1);
    shape.OnMouseDown = [this](Control& c, const MouseEvent&) { SingleColorShapeMouseDown(c); };
  }
}

void TLEDForm::BuildOptions() {
  const int top = 88 + 24 + 7 * kRowHeight + 8;
  auto& brightness_group = form_.AddGroupBox("GroupBoxBrightness");
  brightness_group.SetCaption("Brightness");
  brightness_group.SetBounds({8, top, 150, 64});
  auto& brightness = form_.AddTrackBar("TrackBarBrightness", 0, &brightness_group);
  brightness.SetBounds({10, 24, 130, 28});
  brightness.SetRange(1, 6);
  brightness.SetPageSize(1);
  brightness.SetPosition(1);
  brightness.OnChange = [this](toolkit::TrackBar& b) { TrackBarBrightnessChange(b); };

  auto& led_group = form_.AddGroupBox("GroupBoxLEDNumber");
  led_group.SetCaption("LED Number");
  led_group.SetBounds({166, top, 220, 64});
  struct LedRow {
    const char* name;
    const char* caption;
    int number;
    int left;
  };
  for (const LedRow& row : {LedRow{"RadioButtonLED1", "LED 1", 1, 10}, LedRow{"RadioButtonLED2", "LED 2", 2, 76},
                            LedRow{"RadioButtonAllLED", "LED All", 0, 142}}) {
    auto& radio = form_.AddRadioButton(row.name, 0, &led_group);
    radio.SetCaption(row.caption);
    radio.SetBounds({row.left, 28, row.number == 0 ? 74 : 64, 22});
    radio.SetChecked(row.number == 0);
    radio.OnClick = [this, number = row.number](Control&) { state_.led_number.store(number); };
  }

  auto& family_group = form_.AddGroupBox("GroupBoxMasterSlave");
  family_group.SetCaption("Master / Slave");
  family_group.SetBounds({394, top, kClientWidth - 402, 64});
  auto& master = form_.AddRadioButton("RadioButtonMaster", 0, &family_group);
  master.SetCaption("Master");
  master.SetBounds({10, 28, 74, 22});
  master.SetChecked(true);
  auto& slave = form_.AddRadioButton("RadioButtonSlave", 0, &family_group);
  slave.SetCaption("Slave");
  slave.SetBounds({88, 28, 62, 22});
  master_ = &master;
  master.OnClick = [this](Control&) { state_.master.store(Master()); };
  slave.OnClick = [this](Control&) { state_.master.store(Master()); };

  auto& close = form_.AddButton("ButtonClose");
  close.SetCaption("Close");
  close.SetBounds({kClientWidth - 98, kClientHeight - 36, 90, 28});
  close.OnClick = [this](Control&) { form_.Close(); };
}

bool TLEDForm::Master() const { return master_ != nullptr && master_->Checked(); }

toolkit::Shape* TLEDForm::Cell(int tag) const { return form_.FindByTag<toolkit::Shape>(tag); }

toolkit::RadioButton* TLEDForm::EffectRadio(int tag) const {
  for (const EffectRow& row : kEffects) {
    if (row.tag == tag) return form_.Find<toolkit::RadioButton>(row.radio);
  }
  return nullptr;
}

toolkit::TrackBar* TLEDForm::SpeedBar(int tag) const {
  for (const EffectRow& row : kEffects) {
    if (row.tag == tag && row.speed_bar != nullptr) return form_.Find<toolkit::TrackBar>(row.speed_bar);
  }
  return nullptr;
}

void TLEDForm::FormShow() {
  shown_ = true;
  selected_shape_ = 1;
  state_.current_effect.store(1);
  state_.master.store(Master());
  // Only the first cell keeps the highlight: one a previous show selected goes back to plain.
  Highlight(1);
  if (!worker_) worker_ = std::make_unique<LedCommandWorker>(commands_, state_, clock_, debug_);
  commands_.StepCount(Master());
  LayOut();
}

void TLEDForm::FormClose() {
  // No thread outlives the dialog's use: the next show starts a new one.
  StopCommandWorker();
  shown_ = false;
}

void TLEDForm::LayOut() {
  for (const EffectRow& row : kEffects) {
    toolkit::RadioButton* radio = EffectRadio(row.tag);
    toolkit::TrackBar* bar = SpeedBar(row.tag);
    if (radio == nullptr || bar == nullptr) continue;
    // A track bar's own SetPosition is its value: the place goes through its edges.
    bar->SetLeft(radio->Left() + kTrackBarOffset);
    bar->SetTop(radio->Top());
  }
  for (const EffectColourCell& cell : kEffectColourCells) {
    toolkit::RadioButton* radio = EffectRadio(cell.radio_tag);
    toolkit::Shape* shape = form_.Find<toolkit::Shape>(cell.name);
    if (radio != nullptr && shape != nullptr) shape->SetPosition(radio->Left() + kColourShapeOffset, radio->Top());
  }
}

void TLEDForm::Highlight(int tag) {
  for (int cell = 1; cell <= kCells; ++cell) {
    if (toolkit::Shape* shape = Cell(cell)) {
      if (cell == tag) {
        shape->SetPen(kSelectedOutline, kSelectedPenWidth);
      } else {
        shape->SetPen(toolkit::kBlack, 1);
      }
    }
  }
  selected_shape_ = tag;
}

void TLEDForm::ShapeMouseDown(Control& shape) {
  if (shape.Tag() < 1 || shape.Tag() > kCells) return;
  Highlight(shape.Tag());
}

void TLEDForm::ButtonSetColorClick() {
  toolkit::Shape* cell = Cell(selected_shape_);
  if (cell == nullptr) return;
  const auto colour = form_.App().GetDialogs().ChooseColor({cell->BrushColor()});
  if (!colour) return;
  cell->SetBrushColor(*colour);
  commands_.SlotColour(Master(), state_.led_number.load(), selected_shape_, *colour);
}

void TLEDForm::SingleColorShapeMouseDown(Control& shape) {
  const int effect = shape.Tag() - kEffectColourTagBase;
  state_.current_effect.store(effect);
  auto* cell = dynamic_cast<toolkit::Shape*>(&shape);
  const auto colour = form_.App().GetDialogs().ChooseColor({cell != nullptr ? cell->BrushColor() : toolkit::kBlack});
  if (!colour) return;
  if (cell != nullptr) cell->SetBrushColor(*colour);
  commands_.EffectColour(Master(), state_.led_number.load(), effect, *colour);
  if (worker_) worker_->Wake();
  if (toolkit::RadioButton* radio = EffectRadio(effect)) radio->SetChecked(true);
}

void TLEDForm::SwitchEffect(int tag, int value) {
  const int previous = state_.current_effect.exchange(tag);
  commands_.Mode(Master(), state_.led_number.load(), tag, value);
  clock_.Sleep(kEffectPauseMs);
  if (previous == 1) commands_.Mode(Master(), state_.led_number.load(), 1, 0);
}

void TLEDForm::RadioButtonMouseDown(Control& radio) {
  toolkit::TrackBar* bar = SpeedBar(radio.Tag());
  if (bar == nullptr) return;
  SwitchEffect(radio.Tag(), bar->Position());
}

void TLEDForm::RadioButtonOnMouseDown() { SwitchEffect(2, 0); }

void TLEDForm::RadioButtonOffMouseDown() {
  state_.current_effect.store(1);
  commands_.Mode(Master(), state_.led_number.load(), 1, Master() ? 1 : 0);
}

void TLEDForm::TrackBarEffectChange(toolkit::TrackBar& bar) {
  if (bar.Tag() != state_.current_effect.load()) return;
  state_.SetSpeed(bar.Tag(), static_cast<std::uint8_t>(bar.Position()));
  if (worker_) worker_->Wake();
}

void TLEDForm::TrackBarBrightnessChange(toolkit::TrackBar& bar) {
  commands_.Brightness(Master(), state_.led_number.load(), bar.Position());
}

}  // namespace audio77
