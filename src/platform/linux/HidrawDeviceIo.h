#pragma once
// The system calls on a hidraw node, behind one seam so that the backend's
// own logic can be driven without a device.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace audio77 {

class HidrawDeviceIo {
 public:
  virtual ~HidrawDeviceIo() = default;
  // A descriptor opened for reading and writing, or -1.
  virtual int Open(const std::string& path) = 0;
  virtual void Close(int fd) = 0;
  // Vendor and product from HIDIOCGRAWINFO.
  virtual bool RawInfo(int fd, std::uint16_t& vendor_id, std::uint16_t& product_id) = 0;
  virtual std::optional<std::vector<std::uint8_t>> ReportDescriptor(int fd) = 0;
  // 0 done, else the errno of HIDIOCSOUTPUT.
  virtual int SetOutputReport(int fd, std::span<const std::uint8_t> report) = 0;
  // An output report through write(), for kernels without HIDIOCSOUTPUT.
  virtual bool WriteReport(int fd, std::span<const std::uint8_t> report) = 0;
  // 0 done, else the errno of HIDIOCGINPUT; byte 0 holds the report ID on entry.
  virtual int GetInputReport(int fd, std::span<std::uint8_t> report) = 0;
  // The next input report from the interrupt pipe, for kernels without
  // HIDIOCGINPUT: waits up to timeout_ms for it; the bytes read, or -1 on
  // time-out or failure.
  virtual int ReadReport(int fd, std::span<std::uint8_t> buffer, int timeout_ms) = 0;

  // The real system calls.
  static HidrawDeviceIo& System();
};

}  // namespace audio77
