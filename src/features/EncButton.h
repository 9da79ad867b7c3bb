#pragma once
// The noise-cancellation button on the device. Every report the library's
// button scan delivers comes here, on the UI thread, in order: a report that
// reads the same as the one before is dropped; a new one is logged with the
// previous text and handled. The very first new report after start is only
// the state of the lines when scanning began and is ignored, and only when a
// button line is configured ("EncGpio" non-zero) are reports taken at all.
// A press pulls the configured line low; its release is ignored.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "device/DeviceLibrary.h"
#include "platform/DebugOutput.h"

namespace audio77 {

class EncButton {
 public:
  using Report = DeviceLibrary::ButtonReport;
  // What HandleEncButton gives for a report that is not a press.
  static constexpr int kNotAPress = -1;

  // Where a GPIO line's state stands in a report.
  struct Bit {
    std::size_t byte = 0;
    std::uint8_t mask = 0;
    bool operator==(const Bit&) const = default;
  };
  // Lines 0..3 are byte 2 bits 0..3, lines 8 and 9 byte 3 bits 0 and 1; the
  // others have no place in the report.
  static std::optional<Bit> BitFor(int gpio);
  // "Raw Data = 00 5A F7 03 5B\n\n".
  static std::string ReportText(const Report& report);

  // toggle switches ENC and sends it; it returns the device's result.
  EncButton(DebugOutput& debug, int gpio, std::function<int()> toggle);

  // One report from the scan. Returns what HandleEncButton gave, 0 for a
  // report that was dropped as a repeat.
  int Receive(const Report& report);
  // 0 ignored (not seen, the first report, or no line), kNotAPress, or the
  // toggle's result for a press.
  int HandleEncButton(const Report& report);
  // The device left: reports are not taken until the next one arrives.
  void DeviceRemoved() { reports_seen_ = false; }
  // "EncGpio" of the configuration, read after the button was made.
  void SetGpio(int gpio) { gpio_ = gpio; }

  int Gpio() const { return gpio_; }
  bool ReportsSeen() const { return reports_seen_; }
  bool SkipFirst() const { return skip_first_; }

 private:
  DebugOutput& debug_;
  int gpio_;
  std::function<int()> toggle_;
  bool reports_seen_ = false;
  bool skip_first_ = true;
  std::string last_text_;
};

}  // namespace audio77
