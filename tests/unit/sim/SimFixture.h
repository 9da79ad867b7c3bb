#pragma once
// A fresh virtual device on a state folder of its own for each test.

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "sim/core/VirtualDevice.h"
#include "support/TempDir.h"

namespace audio77::sim {

class SimFixture : public ::testing::Test {
 protected:
  void SetUp() override { Restart(); }
  // Loads the device again from the folder, with device.ini text when given.
  void Restart(const std::string& device_ini = {}) {
    std::filesystem::remove(folder_.File("device.ini"));
    if (!device_ini.empty()) folder_.Write("device.ini", device_ini);
    device().Load(folder_.path().string());
    folder_.Write("trace.log", "");
  }
  VirtualDevice& device() { return VirtualDevice::Instance(); }
  std::vector<std::string> TraceLines() const {
    std::istringstream in(folder_.Read("trace.log"));
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
  void ClearTrace() { folder_.Write("trace.log", ""); }
  test::TempDir folder_;
};

}  // namespace audio77::sim
