// The main window on the virtual device: start-up, plug and unplug, the
// search timer and shutdown, read back from the device's trace.
#include <gtest/gtest.h>

#include <algorithm>

#include "support/harness/ProgramHarness.h"
#include "toolkit/Label.h"
#include "toolkit/Timer.h"

namespace audio77 {
namespace {

using test::HarnessOptions;
using test::ProgramHarness;

TEST(AudioMainForm, Smoke) {
  ProgramHarness h;
  h.Start();
  for (const auto& line : h.Trace()) std::printf("T %s\n", line.c_str());
  for (const auto& line : h.DebugLines()) std::printf("D %s\n", line.c_str());
  h.Close();
  for (const auto& line : h.Trace()) std::printf("T %s\n", line.c_str());
}

}  // namespace
}  // namespace audio77
