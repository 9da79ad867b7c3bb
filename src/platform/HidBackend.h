#pragma once
// The HID class driver: the present HID interfaces and the reports exchanged
// with one of them.

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace audio77 {

struct HidAttributes {
  std::uint16_t vendor_id = 0;
  std::uint16_t product_id = 0;
  std::uint16_t version = 0;
};

// Report byte lengths as the platform reports them (report-ID byte included).
struct HidCapabilities {
  std::uint16_t input_report_length = 0;
  std::uint16_t output_report_length = 0;
};

// One open HID interface. Closes when destroyed.
class HidHandle {
 public:
  virtual ~HidHandle() = default;
  virtual std::optional<HidAttributes> Attributes() = 0;
  // Empty when the interface's capabilities cannot be read.
  virtual std::optional<HidCapabilities> Capabilities() = 0;
  // Sends a whole output report; byte 0 is the report ID.
  virtual bool SetOutputReport(std::span<const std::uint8_t> report) = 0;
  // Reads an input report into report; byte 0 holds the wanted report ID on entry.
  virtual bool GetInputReport(std::span<std::uint8_t> report) = 0;
};

class HidBackend {
 public:
  virtual ~HidBackend() = default;
  // Paths of the present HID interfaces in enumeration order; empty optional
  // when the list cannot be obtained.
  virtual std::optional<std::vector<std::string>> ListInterfaces() = 0;
  // Opens an interface for reading and writing; null when it cannot be opened.
  virtual std::unique_ptr<HidHandle> Open(const std::string& path) = 0;
};

}  // namespace audio77
