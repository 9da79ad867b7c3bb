#include "device/HidTransport.h"

#include <vector>

namespace audio77 {
namespace {

// Bytes 0 to 4 carry a command; a shorter report cannot hold one.
constexpr std::size_t kCommandBytes = 5;
// The answer's value sits in byte 2 of an input report.
constexpr std::size_t kMinimumAnswerBytes = 3;

constexpr std::uint8_t kVendorCommand = 0x60;
constexpr std::uint8_t kSetAddress = 0x10;
constexpr std::uint8_t kWriteData = 0x20;
constexpr std::uint8_t kGpioReadRequest = 0x30;
constexpr std::uint8_t kGpioWrite = 0x3C;

using Report = std::vector<std::uint8_t>;

// A zero-filled report (report ID 0) with bytes 1 to 4 set.
Report CommandReport(std::size_t length, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3,
                     std::uint8_t b4) {
  Report report(length, 0);
  report[1] = b1;
  report[2] = b2;
  report[3] = b3;
  report[4] = b4;
  return report;
}

Report SetAddressReport(std::size_t length, std::uint16_t address) {
  return CommandReport(length, kVendorCommand, static_cast<std::uint8_t>(address & 0xFF),
                       static_cast<std::uint8_t>(address >> 8), kSetAddress);
}

}  // namespace

std::unique_ptr<HidHandle> HidTransport::Open(std::uint16_t vendor_id, std::uint16_t product_id) {
  const auto paths = backend_.ListInterfaces();
  if (!paths) return nullptr;
  for (const auto& path : *paths) {
    auto handle = backend_.Open(path);
    if (!handle) continue;
    const auto attributes = handle->Attributes();
    if (attributes && attributes->vendor_id == vendor_id && attributes->product_id == product_id) {
      return handle;
    }
  }
  return nullptr;
}

std::uint16_t HidTransport::OutputReportLength(HidHandle* handle) {
  if (!handle) return 0;
  const auto caps = handle->Capabilities();
  return caps ? caps->output_report_length : 0;
}

std::uint16_t HidTransport::InputReportLength(HidHandle* handle) {
  if (!handle) return 0;
  const auto caps = handle->Capabilities();
  return caps ? caps->input_report_length : 0;
}

int HidTransport::RegisterWrite(HidHandle* handle, std::uint16_t address, std::uint8_t value) {
  const std::size_t length = OutputReportLength(handle);
  if (length < kCommandBytes) return 1;
  Report report = SetAddressReport(length, address);
  if (!handle->SetOutputReport(report)) return 2;
  report[2] = value;
  report[3] = 1;
  report[4] = kWriteData;
  if (!handle->SetOutputReport(report)) return 3;
  return 0;
}

int HidTransport::RegisterRead(HidHandle* handle, std::uint16_t address, std::uint8_t& value) {
  const std::size_t output_length = OutputReportLength(handle);
  if (output_length < kCommandBytes) return 1;
  if (!handle->SetOutputReport(SetAddressReport(output_length, address))) return 2;
  const std::size_t input_length = InputReportLength(handle);
  if (input_length < kMinimumAnswerBytes) return 3;
  Report answer(input_length, 0);
  if (!handle->GetInputReport(answer)) return 4;
  value = answer[2];
  return 0;
}

int HidTransport::GpioWrite(HidHandle* handle, const GpioLines& lines) {
  const std::size_t length = OutputReportLength(handle);
  if (length == 0) return 1;
  if (length < kCommandBytes) return 2;
  std::uint8_t low = 0;
  for (int n = 0; n < 8; ++n) {
    if (lines[n] & 1) low |= static_cast<std::uint8_t>(1u << n);
  }
  const auto high = static_cast<std::uint8_t>(kGpioWrite | (lines[8] & 1) | ((lines[9] & 1) << 1));
  if (!handle->SetOutputReport(CommandReport(length, kVendorCommand, low, 0xFF, high))) return 3;
  return 0;
}

int HidTransport::GpioRead(HidHandle* handle, GpioLines& lines) {
  const std::size_t output_length = OutputReportLength(handle);
  if (output_length == 0) return 1;
  if (output_length < kCommandBytes) return 2;
  if (!handle->SetOutputReport(CommandReport(output_length, kVendorCommand, 0, 0, kGpioReadRequest))) {
    return 3;
  }
  const std::size_t input_length = InputReportLength(handle);
  if (input_length == 0) return 4;
  if (input_length < kCommandBytes) return 5;
  Report answer(input_length, 0);
  if (!handle->GetInputReport(answer)) return 6;
  for (int n = 0; n < 8; ++n) lines[n] = (answer[2] >> n) & 1;
  lines[8] = answer[3] & 1;
  lines[9] = (answer[3] >> 1) & 1;
  return 0;
}

int HidTransport::SendClosingReport(HidHandle* handle) {
  const std::size_t length = OutputReportLength(handle);
  if (length < kCommandBytes) return 1;
  if (!handle->SetOutputReport(Report(length, 0))) return 2;
  return 0;
}

}  // namespace audio77
