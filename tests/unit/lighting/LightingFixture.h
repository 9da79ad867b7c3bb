#pragma once
// The device library bound to the virtual device's library file, on a state
// folder of the test's own, with a manual clock. Lighting calls are read back
// from trace.log as "lib <entry> <arguments>" lines.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "device/DeviceLibrary.h"
#include "platform/ManualClock.h"
#include "platform/RecordingDebugOutput.h"
#include "platform/posix/PosixDynamicLibrary.h"
#include "sim/core/VirtualDevice.h"
#include "support/DeviceTraffic.h"
#include "support/TempDir.h"
#include "toolkit/DialogsMessageBox.h"
#include "toolkit/ScriptedDialogs.h"

namespace audio77::test {

class LightingFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    sim::VirtualDevice::Instance().Load(folder_.path().string());
    ASSERT_EQ(library_.Open_DLLQK_UsbAudio77xx(DeviceLibrary::kProgramFileName), 0);
    ClearTrace();
  }
  // The library calls since the last look, without their results; clears the trace.
  std::vector<std::string> Take() {
    std::istringstream in(folder_.Read("trace.log"));
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    ClearTrace();
    return Traffic(lines);
  }
  void ClearTrace() { folder_.Write("trace.log", ""); }
  sim::VirtualDevice& device() { return sim::VirtualDevice::Instance(); }
  sim::LightingState Master() { return device().Snapshot().master; }
  sim::LightingState Slave() { return device().Snapshot().slave; }

  TempDir folder_;
  PosixDynamicLibrary loader_{DistDir().string() + "/virtual/"};
  RecordingDebugOutput debug_;
  toolkit::ScriptedDialogs dialogs_;
  toolkit::DialogsMessageBox message_box_{dialogs_};
  DeviceLibrary library_{loader_, debug_, message_box_};
  ManualClock clock_;
};

}  // namespace audio77::test
