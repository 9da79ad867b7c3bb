#pragma once
// The LED page's view as a record: what each picture shows, where the knobs
// stand, the swatches' fills and outlines, and the colour dialog answered from
// a queue of answers.

#include <deque>
#include <map>
#include <optional>
#include <utility>

#include "lighting/LedPageView.h"

namespace audio77::test {

class RecordingLedView : public LedPageView {
 public:
  std::map<LedCheck, bool> checks;
  std::map<int, LedSpeedBar> bars{{1, {420, 240, 14}}, {2, {420, 240, 14}}, {3, {420, 240, 14}}};
  std::map<int, int> knobs;
  std::map<int, toolkit::Color> fills;
  std::map<int, std::pair<toolkit::Color, int>> outlines;
  std::deque<std::optional<toolkit::Color>> answers;
  int colour_dialogs = 0;
  int pumps = 0;

  std::map<int, int> bars_shown;
  void ShowCheck(LedCheck check, bool pressed) override { checks[check] = pressed; }
  void ShowSpeedBar(int effect) override { ++bars_shown[effect]; }
  LedSpeedBar SpeedBar(int effect) const override { return bars.at(effect); }
  int KnobLeft(int effect) const override {
    const auto found = knobs.find(effect);
    return found == knobs.end() ? bars.at(effect).left : found->second;
  }
  void SetKnobLeft(int effect, int left) override { knobs[effect] = left; }
  void FillSwatch(LedSwatch swatch, toolkit::Color colour) override { fills[swatch.number] = colour; }
  void OutlineSwatch(LedSwatch swatch, toolkit::Color colour, int width) override {
    outlines[swatch.number] = {colour, width};
  }
  std::optional<toolkit::Color> ChooseColour(toolkit::Color) override {
    ++colour_dialogs;
    if (answers.empty()) return std::nullopt;
    auto answer = answers.front();
    answers.pop_front();
    return answer;
  }
  void ProcessPending() override { ++pumps; }
};

}  // namespace audio77::test
