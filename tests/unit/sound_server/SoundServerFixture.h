#pragma once
// The private sound server the test command starts (PULSE_SERVER), driven
// and read back with pactl, and a USB microphone made of a null sink and a
// source over its monitor that carries the device's IDs.

#include <gtest/gtest.h>

#include <chrono>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/RecordingDebugOutput.h"
#include "platform/linux/PulseConnection.h"
#include "support/ProcessRunner.h"

namespace audio77::test {

// pactl from the search path.
inline std::string PactlProgram() {
  const char* path = std::getenv("PATH");
  std::string folders = path != nullptr ? path : "/usr/bin";
  std::size_t start = 0;
  while (start <= folders.size()) {
    const std::size_t end = std::min(folders.find(':', start), folders.size());
    const std::string candidate = folders.substr(start, end - start) + "/pactl";
    if (std::filesystem::exists(candidate)) return candidate;
    start = end + 1;
  }
  return "/usr/bin/pactl";
}

inline ProcessResult RunPactl(const std::vector<std::string>& args) { return RunProcess(PactlProgram(), args); }

inline std::string Pactl(const std::vector<std::string>& args) {
  const ProcessResult result = RunPactl(args);
  EXPECT_EQ(result.exit_code, 0) << "pactl " << (args.empty() ? "" : args[0]) << ": " << result.err;
  return result.out;
}

inline bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// Waits for a condition that the sound server's thread makes true; a bound
// only against a hang, never a measure of speed.
inline bool Eventually(const std::function<bool()>& condition, int limit_ms = 5000) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(limit_ms);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

// A sink <name> and a source <name>_mic over its monitor, with USB IDs.
class UsbMicrophone {
 public:
  UsbMicrophone(const std::string& name, const std::string& vendor, const std::string& product)
      : sink(name), source(name + "_mic") {
    modules_.push_back(Trim(Pactl({"load-module", "module-null-sink", "sink_name=" + sink,
                                   "sink_properties=device.description=" + name})));
    std::string properties = "source_properties='device.description=" + name + "-Mic";
    if (!vendor.empty()) properties += " device.vendor.id=" + vendor + " device.product.id=" + product;
    properties += "'";
    modules_.push_back(Trim(Pactl({"load-module", "module-remap-source", "source_name=" + source,
                                   "master=" + sink + ".monitor", properties})));
  }
  ~UsbMicrophone() {
    for (auto it = modules_.rbegin(); it != modules_.rend(); ++it) RunPactl({"unload-module", *it});
  }
  UsbMicrophone(const UsbMicrophone&) = delete;
  UsbMicrophone& operator=(const UsbMicrophone&) = delete;

  const std::string sink;
  const std::string source;

 private:
  static std::string Trim(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
    return text;
  }
  std::vector<std::string> modules_;
};

class SoundServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (std::getenv("PULSE_SERVER") == nullptr) {
      GTEST_FAIL() << "PULSE_SERVER is not set: run through ctest, which starts the private sound server";
    }
  }
  std::shared_ptr<PulseConnection> Connect() { return std::make_shared<PulseConnection>(debug, "Audio77 test"); }

  RecordingDebugOutput debug;
};

}  // namespace audio77::test
