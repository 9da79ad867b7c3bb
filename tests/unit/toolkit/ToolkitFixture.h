#pragma once
// A headless toolkit for model tests: manual clock, event loop, application,
// and a view that records what the form asks to be repainted.

#include <gtest/gtest.h>

#include <vector>

#include "platform/ManualClock.h"
#include "toolkit/Application.h"
#include "toolkit/EventLoop.h"
#include "toolkit/Form.h"
#include "toolkit/FormView.h"
#include "toolkit/ManualLoopDriver.h"

namespace audio77::toolkit::test {

class RecordingView : public FormView {
 public:
  void Invalidate(const Rect& r) override { invalidated.push_back(r); }
  void ControlStateChanged(Control& c) override { state_changes.push_back(&c); }
  void FormChanged() override { ++form_changes; }
  void StartSystemMove() override { ++system_moves; }
  void RunModal() override {
    if (modal_action) modal_action();
  }
  std::vector<Rect> invalidated;
  std::vector<Control*> state_changes;
  int form_changes = 0;
  int system_moves = 0;
  std::function<void()> modal_action;
};

class ToolkitTest : public ::testing::Test {
 protected:
  ManualClock clock{1000};
  EventLoop loop{clock};
  ManualLoopDriver driver{loop, clock};
  Application app{loop};
};

}  // namespace audio77::toolkit::test
