#pragma once
// The LED page of the main window: off, single colour, breathe, rainbow and
// multi-breathe with a speed slider each, the seven-colour table and the single
// and breathe colours. It sends through the by-index lighting entries and runs
// the effect worker, which re-sends the table and the running effect when
// woken. Only page mode 1 uses the page, its worker and its commands.
//
// The UI thread calls everything here; the worker reads the shared part
// (LedEffectState) only. The worker lives from StartLedEffects until the
// device that was there at start-up leaves, or until shutdown, and is joined
// then; waking a worker that is gone does nothing.

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "device/DeviceLibrary.h"
#include "device/DeviceStatus.h"
#include "lighting/LedCommands.h"
#include "lighting/LedEffectState.h"
#include "lighting/LedEffectWorker.h"
#include "lighting/LedPageView.h"
#include "platform/Clock.h"
#include "platform/DebugOutput.h"
#include "settings/ProfileReader.h"
#include "settings/ProfileWriter.h"

namespace audio77 {

class LedPage {
 public:
  static constexpr toolkit::Color kSelectedOutline = 0xF0CAA6;
  static constexpr int kSelectedPenWidth = 3;
  static constexpr toolkit::Color kFixedSingle = 0x0000FF;
  static constexpr toolkit::Color kFixedBreathe = 0x0000FF;
  static constexpr std::uint32_t kStartStepPauseMs = 20;
  static constexpr std::uint32_t kStartSlotPauseMs = 20;
  static constexpr std::uint32_t kPauseMs = 10;
  static constexpr std::uint32_t kBreatheColourFailurePauseMs = 100;

  // serial: the lock every lighting library call takes (see LedCommands).
  LedPage(DeviceLibrary& library, const DeviceStatus& device, Clock& clock, DebugOutput& debug, LedPageView& view,
          std::mutex* serial = nullptr);
  ~LedPage();
  LedPage(const LedPage&) = delete;
  LedPage& operator=(const LedPage&) = delete;

  // The skin's keys. Only the first skin load sets the fixed colours; every
  // load fills the swatches with the colours the page holds.
  void ApplySkin(int page_mode, int fast_right, bool first_load);
  // Every picture of the page from the skin and the state (bars, check images,
  // knobs) and the knobs at their saved places; nothing is sent.
  void Redraw();

  // Redraws and sends the whole state.
  void ApplyLedState();
  // The check images.
  void EffectCheckClick(int effect);
  void LedOffCheckClick();
  void SingleCheckClick();
  // Mouse down on a swatch.
  void SwatchMouseDown(LedSwatch swatch);
  // A speed knob of effect 1..3 dragged to left (before any limit), and released.
  void SpeedKnobMoved(int effect, int wanted_left);
  void SpeedKnobReleased(int effect);

  // Starts the worker and sends the colour table: page mode 1 with the table pending only.
  void StartLedEffects();
  void WakeLedThread();
  // The device that was there at start-up left: the worker is stopped and
  // forgotten, and the table is sent again when a worker starts next time.
  void ForgetLedEffects();
  // The window closes with the device there: when the worker ran it is
  // stopped and the lighting switched off.
  void ShutdownLedEffects();
  // Stops and joins the worker; whether there was one.
  bool StopLedEffects();
  // The lighting switched off (mode 1 with value 1).
  void SwitchOff() { SendLedOff(); }

  // The "LED" keys after "LEDON", in the profile's order.
  void Save(ProfileWriter& profile) const;
  // Each key present and valid is applied; a key that is not a number, or a
  // colour that is not one, keeps the current value and says so on the debug
  // output. Then the worker is woken (device active, page mode 1) and the
  // state applied.
  void Load(ProfileReader& profile);

  // Queries.
  int PageMode() const { return page_mode_; }
  bool PageUsed() const { return page_mode_ == 1; }
  int Off() const { return off_; }
  int Single() const { return single_; }
  int Effect() const { return effect_; }
  int FastRight() const { return fast_right_; }
  int Speed(int effect) const;
  int Percent(int effect) const;
  int SliderPos(int effect) const;
  int DeviceMode() const { return shared_.device_mode.load(); }
  toolkit::Color SingleColour() const { return single_colour_; }
  toolkit::Color BreatheColour() const { return breathe_colour_; }
  toolkit::Color SlotColour(int slot) const { return shared_.palette.Colour(slot); }
  bool ColoursPending() const { return shared_.palette.Pending(); }
  LedSwatch SelectedSwatch() const { return selected_; }
  bool WorkerRunning() const { return worker_ != nullptr; }
  const LedEffectWorker* Worker() const { return worker_.get(); }

 private:
  static std::size_t Index(int effect) { return static_cast<std::size_t>(effect - 1); }
  LedSendState SendState() const;
  void Execute(const LedPlan& plan);
  void SendLedOff();
  void SendSingleColor();
  void SendBreathe();
  void SendRainbowOrMulti();
  void ShowEffectPictures();
  void PlaceKnobs();
  void FillSwatches();
  void SetSpeed(int effect, int speed);
  void RecomputeSpeedsFromKnobs();
  void SendColourTable();
  void LoadInt(ProfileReader& profile, const std::string& key, int& target);
  void LoadColour(ProfileReader& profile, const std::string& key, toolkit::Color& target);
  void LoadSlotColour(ProfileReader& profile, int slot);
  std::optional<std::int32_t> ReadInt(ProfileReader& profile, const std::string& key);

  const DeviceStatus& device_;
  Clock& clock_;
  DebugOutput& debug_;
  LedPageView& view_;
  LedCommands commands_;
  LedEffectState shared_;
  int page_mode_ = 0;
  int off_ = 0;
  int single_ = 0;
  int effect_ = led::kNoEffect;
  int fast_right_ = 0;
  std::array<int, 3> percents_{1, 1, 1};
  std::array<int, 3> slider_pos_{0, 0, 0};
  toolkit::Color single_colour_ = kFixedSingle;
  toolkit::Color breathe_colour_ = kFixedBreathe;
  LedSwatch selected_{1};
  std::unique_ptr<LedEffectWorker> worker_;  // last: joined before the state above goes
};

}  // namespace audio77
