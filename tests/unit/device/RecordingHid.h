#pragma once
// A HID backend whose interfaces record every report they are sent and answer
// input reports from a script, for checking the register exchange byte by byte.

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "platform/HidBackend.h"

namespace audio77::test {

struct RecordedInterface {
  std::string path;
  HidAttributes attributes;
  std::optional<HidCapabilities> capabilities = HidCapabilities{9, 9};
  bool opens = true;
  // Output reports fail from this one on (0-based); -1 never.
  int fail_output_from = -1;
  bool fail_input = false;
  // Answers to input reports, in order; a report without answer stays as it was given.
  std::deque<std::vector<std::uint8_t>> answers;

  // What happened to it.
  std::vector<std::vector<std::uint8_t>> sent;
  std::vector<std::vector<std::uint8_t>> input_requests;
  int opened = 0;
  int closed = 0;
};

class RecordingHidHandle final : public HidHandle {
 public:
  explicit RecordingHidHandle(RecordedInterface& device) : device_(device) { ++device_.opened; }
  ~RecordingHidHandle() override { ++device_.closed; }
  std::optional<HidAttributes> Attributes() override { return device_.attributes; }
  std::optional<HidCapabilities> Capabilities() override { return device_.capabilities; }
  bool SetOutputReport(std::span<const std::uint8_t> report) override {
    const bool fails = device_.fail_output_from >= 0 &&
                       static_cast<int>(device_.sent.size()) >= device_.fail_output_from;
    device_.sent.emplace_back(report.begin(), report.end());
    return !fails;
  }
  bool GetInputReport(std::span<std::uint8_t> report) override {
    device_.input_requests.emplace_back(report.begin(), report.end());
    if (device_.fail_input) return false;
    if (!device_.answers.empty()) {
      const auto answer = device_.answers.front();
      device_.answers.pop_front();
      for (std::size_t i = 0; i < report.size() && i < answer.size(); ++i) report[i] = answer[i];
    }
    return true;
  }

 private:
  RecordedInterface& device_;
};

class RecordingHidBackend final : public HidBackend {
 public:
  std::vector<RecordedInterface> interfaces;
  bool listable = true;

  std::optional<std::vector<std::string>> ListInterfaces() override {
    if (!listable) return std::nullopt;
    std::vector<std::string> paths;
    for (const auto& device : interfaces) paths.push_back(device.path);
    return paths;
  }
  std::unique_ptr<HidHandle> Open(const std::string& path) override {
    for (auto& device : interfaces) {
      if (device.path == path && device.opens) return std::make_unique<RecordingHidHandle>(device);
    }
    return nullptr;
  }
};

}  // namespace audio77::test
