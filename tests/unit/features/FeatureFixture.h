#pragma once
// The program started on the virtual device, and one feature object of the
// test's own built on the window's context with a recording view. Device
// traffic is read back from the trace in a compact form:
//   "w 0x120=0xFF"  a register write       "r 0x129"  a register read
//   "close"         the closing report     "lib <entry> <args>" a library call
//   "ext <code> <input>"                   a driver-extension request

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <vector>

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

inline std::string Hex(unsigned value, int digits = 2) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%0*X", digits, value);
  return text;
}

inline std::vector<unsigned> ReportBytes(const std::string& hex) {
  std::vector<unsigned> bytes;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2) bytes.push_back(static_cast<unsigned>(std::stoul(hex.substr(i, 2), nullptr, 16)));
  return bytes;
}

// The trace as register and library traffic.
inline std::vector<std::string> Traffic(const std::vector<std::string>& trace) {
  std::vector<std::string> out;
  unsigned address = 0;
  for (std::size_t i = 0; i < trace.size(); ++i) {
    const std::string& line = trace[i];
    if (line.rfind("hid out ", 0) == 0) {
      const std::string hex = line.substr(8, line.find(' ', 8) - 8);
      const auto b = ReportBytes(hex);
      if (b.size() < 5) continue;
      if (b[1] == 0 && b[2] == 0 && b[3] == 0 && b[4] == 0) {
        out.push_back("close");
      } else if (b[4] == 0x10) {
        address = b[2] | b[3] << 8;
        if (i + 1 < trace.size() && trace[i + 1].rfind("hid in ", 0) == 0) out.push_back("r " + Hex(address, 3));
      } else if (b[4] == 0x20) {
        out.push_back("w " + Hex(address, 3) + "=" + Hex(b[2]));
      }
    } else if (line.rfind("lib ", 0) == 0) {
      out.push_back(line.substr(0, line.find(" = ")));
    } else if (line.rfind("ext ioctl ", 0) == 0) {
      out.push_back("ext " + line.substr(10, line.find(" = ") == std::string::npos ? std::string::npos : line.find(" = ") - 10));
    }
  }
  return out;
}

// Only the register lines of the traffic.
inline std::vector<std::string> Registers(const std::vector<std::string>& traffic) {
  std::vector<std::string> out;
  for (const auto& line : traffic) {
    if (line.rfind("w ", 0) == 0 || line.rfind("r ", 0) == 0 || line == "close") out.push_back(line);
  }
  return out;
}

inline std::vector<std::string> Writes(const std::vector<std::string>& traffic) {
  std::vector<std::string> out;
  for (const auto& line : traffic) {
    if (line.rfind("w ", 0) == 0) out.push_back(line);
  }
  return out;
}

inline std::vector<std::string> Library(const std::vector<std::string>& traffic, const std::string& entry_prefix) {
  std::vector<std::string> out;
  for (const auto& line : traffic) {
    if (line.rfind("lib " + entry_prefix, 0) == 0) out.push_back(line.substr(4));
  }
  return out;
}

inline std::string Joined(const std::vector<std::string>& lines) {
  std::string all;
  for (const auto& line : lines) all += "\n  " + line;
  return all;
}

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
