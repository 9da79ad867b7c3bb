#pragma once
// The firmware behind an emulated hidraw node: answers HIDIOCGRAWINFO,
// HIDIOCGRDESCSIZE/HIDIOCGRDESC, HIDIOCSOUTPUT and HIDIOCGINPUT and the
// node's read() and write() the way the device's vendor interface does:
// set-address, write-data, GPIO write and GPIO read request in output
// reports; the register value or the GPIO lines in the next input report.
// Button reports queued by the test come out of read(). Runs on umockdev's
// handler thread; the test's calls are safe from any thread.

#include <umockdev.h>

#include <array>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <vector>

namespace audio77::test {

using Bytes = std::vector<std::uint8_t>;

class HidFirmware {
 public:
  // Report data lengths of the descriptor (without the report-ID byte).
  static constexpr std::size_t kReportBytes = 8;

  HidFirmware(std::uint16_t vendor_id, std::uint16_t product_id);
  ~HidFirmware();
  HidFirmware(const HidFirmware&) = delete;
  HidFirmware& operator=(const HidFirmware&) = delete;

  static Bytes ReportDescriptor();
  UMockdevIoctlBase* handler() { return handler_; }

  // Kernels before 5.11: the two report ioctls fail with ENOTTY.
  void SetOldKernel(bool old);
  void SetRegister(std::uint16_t address, std::uint8_t value);
  std::uint8_t Register(std::uint16_t address);
  void SetGpio(std::uint16_t lines);
  std::uint16_t Gpio();
  // Every output report received, report-ID byte first.
  std::vector<Bytes> Outputs();
  void ClearOutputs();
  // A report (data bytes, no report ID) for the next read().
  void QueueInputReport(const Bytes& data);
  // From now on every request fails with ENODEV, as an unplugged node does.
  void Unplug();
  // Waits until n reads were answered with queued reports.
  bool WaitForDelivered(std::size_t n);

 private:
  static gboolean OnIoctl(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer self);
  static gboolean OnRead(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer self);
  static gboolean OnWrite(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer self);
  static gboolean OnReadTimer(gpointer pending);

  void HandleIoctl(UMockdevIoctlClient* client);
  void HandleRead(UMockdevIoctlClient* client);
  void TakeOutput(const Bytes& report);
  // The answer to the last request, as input report data.
  Bytes Answer();
  bool AnswerRead(UMockdevIoctlClient* client);

  std::uint16_t vendor_id_, product_id_;
  UMockdevIoctlBase* handler_;
  std::mutex mutex_;
  std::condition_variable changed_;
  bool old_kernel_ = false;
  bool gone_ = false;
  std::map<std::uint16_t, std::uint8_t> registers_;
  std::uint16_t gpio_ = 0;
  std::uint16_t address_ = 0;
  enum class Reply { kNone, kRegister, kGpio } reply_ = Reply::kNone;
  bool reply_unread_ = false;  // an answer waits for read() (old kernels)
  std::vector<Bytes> outputs_;
  std::deque<Bytes> inputs_;
  std::size_t delivered_ = 0;
};

}  // namespace audio77::test
