#pragma once
// The register exchange over the device's vendor HID interface: chip registers
// and GPIO lines travel in output reports, answers come back in input reports.
// Every operation gives 0 when done or the number of the step that failed.

#include <array>
#include <cstdint>
#include <memory>

#include "platform/HidBackend.h"

namespace audio77 {

// Ten GPIO lines, each 0 or 1; index n is GPIO n.
using GpioLines = std::array<std::uint8_t, 10>;

class HidTransport {
 public:
  explicit HidTransport(HidBackend& backend) : backend_(backend) {}

  // The first interface in enumeration order with both IDs; interfaces that do
  // not open or do not match are closed again. Null when there is none.
  std::unique_ptr<HidHandle> Open(std::uint16_t vendor_id, std::uint16_t product_id);

  // Report byte lengths as the device reports them; 0 when unknown.
  static std::uint16_t OutputReportLength(HidHandle* handle);
  static std::uint16_t InputReportLength(HidHandle* handle);

  // 0 done; 1 no usable output report; 2 set-address report failed; 3 write-data report failed.
  static int RegisterWrite(HidHandle* handle, std::uint16_t address, std::uint8_t value);
  // 0 done; 1 no usable output report; 2 set-address report failed;
  // 3 no usable input report; 4 input report failed. value is set only on 0.
  static int RegisterRead(HidHandle* handle, std::uint16_t address, std::uint8_t& value);
  // 0 done; 1 no output report length; 2 output report of 4 bytes or less; 3 report failed.
  static int GpioWrite(HidHandle* handle, const GpioLines& lines);
  // 0 done; 1 no output report length; 2 output report of 4 bytes or less;
  // 3 request failed; 4 no input report length; 5 input report of 4 bytes or
  // less; 6 input report failed. lines are set only on 0.
  static int GpioRead(HidHandle* handle, GpioLines& lines);
  // 0 sent; 1 no usable output report; 2 report failed.
  static int SendClosingReport(HidHandle* handle);

 private:
  HidBackend& backend_;
};

}  // namespace audio77
