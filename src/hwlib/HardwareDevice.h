#pragma once
// The device behind the hardware library: the selected vendor and product ID
// and every operation the library carries out on it. Each operation is one
// HID transaction as the program itself runs it: open the first interface
// with the IDs, exchange the reports, send the closing report, close.
// Results are the library's codes (DLLQK_DONE, DLLQK_NO_DEVICE, ...).

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "device/DLLQK_UsbAudio77xx.h"
#include "device/HidTransport.h"
#include "platform/HidBackend.h"
#include "platform/linux/HidrawReportStream.h"

namespace audio77::hwlib {

class HardwareDevice {
 public:
  // The register the activation probe reads. Any register answers; its
  // value is not looked at.
  static constexpr std::uint16_t kProbeRegister = 0x0000;

  explicit HardwareDevice(HidBackend& backend) : backend_(backend), transport_(backend) {}
  ~HardwareDevice();
  HardwareDevice(const HardwareDevice&) = delete;
  HardwareDevice& operator=(const HardwareDevice&) = delete;

  // Selects the IDs when an interface with them is present; DLLQK_NO_DEVICE
  // (and nothing selected) when not.
  std::int32_t Select(std::uint16_t vendor_id, std::uint16_t product_id);

  std::int32_t InputReportLength(std::int32_t& length);
  std::int32_t OutputReportLength(std::int32_t& length);
  std::int32_t WriteRegister(std::uint16_t address, std::uint8_t value);
  std::int32_t ReadRegister(std::uint16_t address, std::uint8_t& value);
  // All ten lines at once; bit n is GPIO n.
  std::int32_t WriteGpio(std::uint16_t lines);
  std::int32_t ReadGpio(std::uint16_t& lines);
  std::int32_t SetGpioLine(std::uint8_t gpio, std::uint8_t value);
  std::int32_t GetGpioLine(std::uint8_t gpio, std::uint8_t& value);
  std::int32_t SetGpioMode(std::uint8_t gpio, std::uint8_t mode);
  // DLLQK_DONE when the selected device answers a register read.
  std::int32_t Probe();

  // on 1: reads the input reports of the first interface with the IDs on a
  // thread of its own and hands each one's first five bytes to callback,
  // replacing a running scan; on 0: stops the scan. Called from the
  // callback itself it refuses (DLLQK_NOT_READY): the scan cannot wait for
  // its own thread.
  std::int32_t ScanButtons(std::uint16_t vendor_id, std::uint16_t product_id,
                           DLLQK_ButtonCallback callback, std::int32_t on);
  // True while a scan reads reports (false after its device went away).
  bool Scanning();

 private:
  struct Node {
    std::string path;
    std::uint16_t input_report_length = 0;
  };
  std::optional<Node> FindNode(std::uint16_t vendor_id, std::uint16_t product_id);
  // Opens the selected device and runs operation on it (a transport result,
  // 0 done); the closing report follows a successful operation.
  template <typename Operation>
  std::int32_t Transaction(Operation operation);

  std::mutex mutex_;
  HidBackend& backend_;
  HidTransport transport_;
  std::optional<std::pair<std::uint16_t, std::uint16_t>> selected_;

  std::mutex scan_mutex_;
  std::unique_ptr<HidrawReportStream> scan_;
  std::atomic<std::thread::id> scan_thread_{};
};

}  // namespace audio77::hwlib
