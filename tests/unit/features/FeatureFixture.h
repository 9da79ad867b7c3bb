#pragma once
// The program started on the virtual device, and one feature object of the
// test's own built on the window's context with a recording view. Device
// traffic is read back from the trace in the compact form of DeviceTraffic.h.

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "support/DeviceTraffic.h"
#include "support/harness/ProgramHarness.h"
#include "ui/FeatureContext.h"
#include "ui/FeatureView.h"

namespace audio77::test {

class RecordingView : public FeatureView {
 public:
  SliderTravel travel{105, 120};
  std::map<std::string, std::string> skin;
  std::map<int, int> switches;
  std::map<int, bool> highlighted;
  std::map<int, int> tops;
  std::map<int, int> fills;
  std::map<int, std::string> labels;
  static constexpr int kKnobHeight = 10;

  void ShowSkinEntry(const std::string& control, const std::string& key) override { skin[control] = key; }
  void ShowSwitch(int tag, int state) override { switches[tag] = state; }
  void HighlightLabel(int tag, bool down, const std::string&) override { highlighted[tag] = down; }
  SliderTravel EqTravel() const override { return travel; }
  int KnobTop(int tag) const override {
    const auto found = tops.find(tag);
    return found == tops.end() ? travel.top + travel.length / 2 : found->second;
  }
  void SetKnobTop(int tag, int top) override { tops[tag] = top; }
  int KnobHeight(int) const override { return kKnobHeight; }
  int FillTop(int) const override { return travel.top; }
  void SetFillHeight(int tag, int height) override { fills[tag] = height; }
  void SetValueLabel(int tag, const std::string& text) override { labels[tag] = text; }
};

// The program on the virtual device, started; the feature gets the window's
// context and a view of its own.
template <typename Feature>
class FeatureFixture {
 public:
  explicit FeatureFixture(HarnessOptions options = {}) : harness(std::move(options)) {
    harness.Start();
    feature = std::make_unique<Feature>(Context(), view);
    harness.ClearTrace();
  }
  FeatureContext Context() {
    return harness.Form().FeatureContextOf();
  }
  MainFormState& State() { return harness.Form().State(); }
  std::vector<std::string> Take() {
    auto traffic = Traffic(harness.Trace());
    harness.ClearTrace();
    return traffic;
  }

  ProgramHarness harness;
  RecordingView view;
  std::unique_ptr<Feature> feature;
};

}  // namespace audio77::test
