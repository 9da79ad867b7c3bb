#include "platform/linux/HidrawHandle.h"

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <iterator>

#include "platform/linux/HidReportDescriptor.h"
#include "platform/linux/HidrawBackend.h"

namespace audio77 {
namespace {

std::optional<std::string> ReadWholeFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

}  // namespace

HidrawHandle::HidrawHandle(HidrawDeviceIo& io, int fd, std::string node_dir)
    : io_(io), fd_(fd), node_dir_(std::move(node_dir)) {}

HidrawHandle::~HidrawHandle() { io_.Close(fd_); }

std::optional<HidAttributes> HidrawHandle::Attributes() {
  HidAttributes attributes;
  if (io_.RawInfo(fd_, attributes.vendor_id, attributes.product_id)) return attributes;
  const auto uevent = ReadWholeFile(node_dir_ + "/device/uevent");
  if (!uevent) return std::nullopt;
  return HidrawBackend::ParseUevent(*uevent);
}

std::optional<HidCapabilities> HidrawHandle::Capabilities() {
  auto descriptor = io_.ReportDescriptor(fd_);
  if (!descriptor) {
    const auto text = ReadWholeFile(node_dir_ + "/device/report_descriptor");
    if (!text) return std::nullopt;
    descriptor.emplace(text->begin(), text->end());
  }
  const auto lengths = HidReportDescriptor::ReportLengths(*descriptor);
  return HidCapabilities{lengths.input, lengths.output};
}

bool HidrawHandle::SetOutputReport(std::span<const std::uint8_t> report) {
  const int error = io_.SetOutputReport(fd_, report);
  if (error == 0) return true;
  // Kernels before 5.11 do not know the request: a plain write sends the
  // report on the interrupt or control pipe instead.
  if (error == ENOTTY || error == EINVAL) return io_.WriteReport(fd_, report);
  return false;
}

bool HidrawHandle::GetInputReport(std::span<std::uint8_t> report) {
  if (report.empty()) return false;
  const int error = io_.GetInputReport(fd_, report);
  if (error == 0) return true;
  if (error != ENOTTY && error != EINVAL) return false;
  // Kernels before 5.11 cannot ask for an input report: take the next one
  // the device sends on its interrupt pipe instead. Without numbered reports
  // the kernel hands the data without the report-ID byte.
  const bool numbered = report[0] != 0;
  const auto data = numbered ? report : report.subspan(1);
  const int got = io_.ReadReport(fd_, data, kInterruptReportTimeoutMs);
  if (got <= 0) return false;
  std::fill(data.begin() + std::min<std::size_t>(static_cast<std::size_t>(got), data.size()),
            data.end(), 0);
  return true;
}

}  // namespace audio77
