#pragma once
// Report byte lengths from a HID report descriptor, as the platform's HID
// class driver states them: per report kind the longest report over all report
// IDs, plus one byte for the report ID, rounded up to whole bytes; 0 when the
// descriptor declares no report of that kind. Any byte sequence is accepted:
// a truncated item ends the walk and lengths saturate instead of overflowing.

#include <cstdint>
#include <span>

namespace audio77 {

struct HidReportLengths {
  std::uint16_t input = 0;
  std::uint16_t output = 0;
  std::uint16_t feature = 0;
};

class HidReportDescriptor {
 public:
  static HidReportLengths ReportLengths(std::span<const std::uint8_t> descriptor);
};

}  // namespace audio77
