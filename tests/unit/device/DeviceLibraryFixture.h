#pragma once
// The device library bound from a chosen file, on a virtual device with a
// state folder of its own.

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "device/DeviceLibrary.h"
#include "platform/RecordingDebugOutput.h"
#include "sim/core/VirtualDevice.h"
#include "platform/posix/PosixDynamicLibrary.h"
#include "support/TempDir.h"
#include "toolkit/DialogsMessageBox.h"
#include "toolkit/ScriptedDialogs.h"

namespace audio77 {

// Where the test suite's copies of the library that lack one entry are built.
inline std::filesystem::path TestLibrary(const std::string& variant) {
  return test::DistDir().parent_path() / "test-libraries" / variant / "libDLLQK_UsbAudio77xx.so";
}

class DeviceLibraryFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    sim::VirtualDevice::Instance().Load(folder_.path().string());
    ClearTrace();
  }
  std::vector<std::string> TraceLines() const {
    std::istringstream in(folder_.Read("trace.log"));
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
  std::string LastTraceLine() const {
    const auto lines = TraceLines();
    return lines.empty() ? std::string() : lines.back();
  }
  void ClearTrace() { folder_.Write("trace.log", ""); }
  sim::VirtualDevice& device() { return sim::VirtualDevice::Instance(); }

  test::TempDir folder_;
  PosixDynamicLibrary loader_{test::DistDir().string() + "/"};
  RecordingDebugOutput debug_;
  toolkit::ScriptedDialogs dialogs_;
  toolkit::DialogsMessageBox message_box_{dialogs_};
  DeviceLibrary library_{loader_, debug_, message_box_};
};

}  // namespace audio77
