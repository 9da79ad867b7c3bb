#pragma once
// The LED dialog: a fixed window of standard controls for lighting controllers
// the LED page does not cover. Seven colour cells and "Select Color", seven
// effects with a speed each, brightness, LED 1, LED 2 or all, and the device's
// own controller ("Master") or the one behind it ("Slave"). Speed changes go
// out through the command worker half a second after they are made; the worker
// starts at the first show, serves every later show and is joined when the
// dialog closes (a command already asked for still goes out first), and at the
// latest when the dialog goes.

#include <array>
#include <memory>
#include <mutex>

#include "device/DeviceLibrary.h"
#include "lighting/LedCommandWorker.h"
#include "lighting/LedDialogCommands.h"
#include "lighting/LedDialogState.h"
#include "platform/DebugOutput.h"
#include "toolkit/Form.h"

namespace audio77 {

class TLEDForm {
 public:
  static constexpr int kCells = 7;
  static constexpr toolkit::Color kSelectedOutline = 0xF0CAA6;
  static constexpr int kSelectedPenWidth = 2;
  static constexpr std::uint32_t kEffectPauseMs = 500;
  // The speed bars sit this far right of their buttons: wide enough for the
  // buttons' captions in the desktop's font ("Single Random").
  static constexpr int kTrackBarOffset = 120;
  static constexpr int kColourShapeOffset = 360;

  // Without a library the dialog shows and answers, and sends nothing.
  explicit TLEDForm(toolkit::Application& app);
  // serial: the lock every lighting library call of the program takes.
  TLEDForm(toolkit::Application& app, DeviceLibrary& library, DebugOutput& debug, std::mutex* serial = nullptr);
  ~TLEDForm();
  TLEDForm(const TLEDForm&) = delete;
  TLEDForm& operator=(const TLEDForm&) = delete;

  toolkit::Form& Form() { return form_; }
  // Between show and close.
  bool Shown() const { return shown_; }
  int SelectedShape() const { return selected_shape_; }
  const LedDialogState& State() const { return state_; }
  bool WorkerRunning() const { return worker_ != nullptr; }
  // The command worker's commands so far, and whether a wake waits for it.
  std::uint64_t CommandsSent() const { return worker_ ? worker_->Passes() : 0; }
  bool CommandPending() const { return worker_ && worker_->WakePending(); }
  // Stops and joins the command worker; a later show starts a new one.
  void StopCommandWorker() { worker_.reset(); }

  // The event handlers, by the controls that raise them.
  void FormShow();
  void FormClose();
  void ShapeMouseDown(toolkit::Control& shape);
  void ButtonSetColorClick();
  void SingleColorShapeMouseDown(toolkit::Control& shape);
  void RadioButtonMouseDown(toolkit::Control& radio);
  void RadioButtonOnMouseDown();
  void RadioButtonOffMouseDown();
  void TrackBarEffectChange(toolkit::TrackBar& bar);
  void TrackBarBrightnessChange(toolkit::TrackBar& bar);

 private:
  class SilentOutput final : public DebugOutput {
   public:
    void Write(std::string_view) override {}
  };

  void Build();
  void BuildColourSet();
  void BuildEffects();
  void BuildOptions();
  void LayOut();
  void Highlight(int tag);
  void SwitchEffect(int tag, int value);
  bool Master() const;
  toolkit::Shape* Cell(int tag) const;
  toolkit::RadioButton* EffectRadio(int tag) const;
  toolkit::TrackBar* SpeedBar(int tag) const;

  toolkit::Form form_;
  SilentOutput silent_;
  DebugOutput& debug_;
  Clock& clock_;
  LedDialogCommands commands_;
  LedDialogState state_;
  std::unique_ptr<LedCommandWorker> worker_;
  toolkit::GroupBox* effects_ = nullptr;
  toolkit::RadioButton* master_ = nullptr;
  int selected_shape_ = 1;
  bool shown_ = false;
};

}  // namespace audio77
