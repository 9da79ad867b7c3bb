#include "hwlib/HardwareDevice.h"

#include <algorithm>
#include <array>
#include <thread>

namespace audio77::hwlib {
namespace {

constexpr std::uint8_t kGpioLines = 10;
constexpr std::uint16_t kAllGpioLines = (1u << kGpioLines) - 1;

GpioLines ToLines(std::uint16_t bits) {
  GpioLines lines{};
  for (std::uint8_t n = 0; n < kGpioLines; ++n) lines[n] = (bits >> n) & 1;
  return lines;
}

std::uint16_t ToBits(const GpioLines& lines) {
  std::uint16_t bits = 0;
  for (std::uint8_t n = 0; n < kGpioLines; ++n)
    bits = static_cast<std::uint16_t>(bits | (lines[n] & 1) << n);
  return bits;
}

}  // namespace

HardwareDevice::~HardwareDevice() {
  std::lock_guard lock(scan_mutex_);
  scan_.reset();
}

std::int32_t HardwareDevice::Select(std::uint16_t vendor_id, std::uint16_t product_id) {
  std::lock_guard lock(mutex_);
  selected_.reset();
  if (!transport_.Open(vendor_id, product_id)) return DLLQK_NO_DEVICE;
  selected_.emplace(vendor_id, product_id);
  return DLLQK_DONE;
}

template <typename Operation>
std::int32_t HardwareDevice::Transaction(Operation operation) {
  std::lock_guard lock(mutex_);
  if (!selected_) return DLLQK_NO_DEVICE;
  auto handle = transport_.Open(selected_->first, selected_->second);
  if (!handle) return DLLQK_NO_DEVICE;
  if (operation(handle.get()) != 0) return DLLQK_DEVICE_FAILURE;
  if (HidTransport::SendClosingReport(handle.get()) != 0) return DLLQK_DEVICE_FAILURE;
  return DLLQK_DONE;
}

std::int32_t HardwareDevice::InputReportLength(std::int32_t& length) {
  length = 0;
  std::int32_t found = 0;
  const std::int32_t result = Transaction([&](HidHandle* handle) {
    found = HidTransport::InputReportLength(handle);
    return found == 0 ? 1 : 0;
  });
  if (result == DLLQK_DONE) length = found;
  return result;
}

std::int32_t HardwareDevice::OutputReportLength(std::int32_t& length) {
  length = 0;
  std::int32_t found = 0;
  const std::int32_t result = Transaction([&](HidHandle* handle) {
    found = HidTransport::OutputReportLength(handle);
    return found == 0 ? 1 : 0;
  });
  if (result == DLLQK_DONE) length = found;
  return result;
}

std::int32_t HardwareDevice::WriteRegister(std::uint16_t address, std::uint8_t value) {
  return Transaction(
      [&](HidHandle* handle) { return HidTransport::RegisterWrite(handle, address, value); });
}

std::int32_t HardwareDevice::ReadRegister(std::uint16_t address, std::uint8_t& value) {
  value = 0;
  std::uint8_t read = 0;
  const std::int32_t result = Transaction(
      [&](HidHandle* handle) { return HidTransport::RegisterRead(handle, address, read); });
  if (result == DLLQK_DONE) value = read;
  return result;
}

std::int32_t HardwareDevice::WriteGpio(std::uint16_t lines) {
  if (lines > kAllGpioLines) return DLLQK_BAD_ARGUMENT;
  return Transaction(
      [&](HidHandle* handle) { return HidTransport::GpioWrite(handle, ToLines(lines)); });
}

std::int32_t HardwareDevice::ReadGpio(std::uint16_t& lines) {
  lines = 0;
  GpioLines read{};
  const std::int32_t result =
      Transaction([&](HidHandle* handle) { return HidTransport::GpioRead(handle, read); });
  if (result == DLLQK_DONE) lines = ToBits(read);
  return result;
}

std::int32_t HardwareDevice::SetGpioLine(std::uint8_t gpio, std::uint8_t value) {
  if (gpio >= kGpioLines || value > 1) return DLLQK_BAD_ARGUMENT;
  // The exchange writes all ten lines at once: the others keep the levels
  // the device reports for them.
  return Transaction([&](HidHandle* handle) {
    GpioLines lines{};
    if (const int result = HidTransport::GpioRead(handle, lines)) return result;
    lines[gpio] = value;
    return HidTransport::GpioWrite(handle, lines);
  });
}

std::int32_t HardwareDevice::GetGpioLine(std::uint8_t gpio, std::uint8_t& value) {
  value = 0;
  if (gpio >= kGpioLines) return DLLQK_BAD_ARGUMENT;
  std::uint16_t lines = 0;
  const std::int32_t result = ReadGpio(lines);
  if (result == DLLQK_DONE) value = static_cast<std::uint8_t>((lines >> gpio) & 1);
  return result;
}

std::int32_t HardwareDevice::SetGpioMode(std::uint8_t gpio, std::uint8_t mode) {
  if (gpio >= kGpioLines) return DLLQK_BAD_ARGUMENT;
  // The exchange has no mode command; how the device would make a line an
  // output is not known. Mode 0 (a line that reads the button) is what a
  // line gives over the GPIO read request, so it is checked that the lines
  // answer that request and nothing is changed.
  if (mode != 0) return DLLQK_NOT_SUPPORTED;
  return Transaction([&](HidHandle* handle) {
    GpioLines lines{};
    return HidTransport::GpioRead(handle, lines);
  });
}

std::int32_t HardwareDevice::Probe() {
  std::uint8_t value = 0;
  return ReadRegister(kProbeRegister, value);
}

std::optional<HardwareDevice::Node> HardwareDevice::FindNode(std::uint16_t vendor_id,
                                                             std::uint16_t product_id) {
  const auto paths = backend_.ListInterfaces();
  if (!paths) return std::nullopt;
  for (const auto& path : *paths) {
    auto handle = backend_.Open(path);
    if (!handle) continue;
    const auto attributes = handle->Attributes();
    if (attributes && attributes->vendor_id == vendor_id && attributes->product_id == product_id) {
      return Node{path, HidTransport::InputReportLength(handle.get())};
    }
  }
  return std::nullopt;
}

std::int32_t HardwareDevice::ScanButtons(std::uint16_t vendor_id, std::uint16_t product_id,
                                         DLLQK_ButtonCallback callback, std::int32_t on) {
  if (on != 0 && on != 1) return DLLQK_BAD_ARGUMENT;
  if (on == 1 && callback == nullptr) return DLLQK_BAD_ARGUMENT;
  if (std::this_thread::get_id() == scan_thread_.load()) return DLLQK_NOT_READY;
  std::lock_guard lock(scan_mutex_);
  scan_.reset();
  scan_thread_ = std::thread::id();
  if (on == 0) return DLLQK_DONE;
  const auto node = FindNode(vendor_id, product_id);
  if (!node) return DLLQK_NO_DEVICE;
  scan_ = HidrawReportStream::Start(
      node->path, node->input_report_length, [=](std::span<const std::uint8_t> report) {
        std::array<std::uint8_t, DLLQK_BUTTON_REPORT_LENGTH> bytes{};
        std::copy_n(report.begin(), std::min(report.size(), bytes.size()), bytes.begin());
        callback(vendor_id, product_id, bytes.data(), 0, 0);
      });
  if (!scan_) return DLLQK_NO_DEVICE;
  scan_thread_ = scan_->ThreadId();
  return DLLQK_DONE;
}

bool HardwareDevice::Scanning() {
  std::lock_guard lock(scan_mutex_);
  return scan_ && scan_->Running();
}

}  // namespace audio77::hwlib
