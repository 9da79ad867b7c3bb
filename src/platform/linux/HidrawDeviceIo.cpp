#include "platform/linux/HidrawDeviceIo.h"

#include <fcntl.h>
#include <linux/hidraw.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>

#ifndef HIDIOCSOUTPUT
// Added in Linux 5.11; older headers lack them, older kernels refuse them.
#define HIDIOCSOUTPUT(len) _IOC(_IOC_WRITE | _IOC_READ, 'H', 0x0B, len)
#endif
#ifndef HIDIOCGINPUT
#define HIDIOCGINPUT(len) _IOC(_IOC_WRITE | _IOC_READ, 'H', 0x0A, len)
#endif

namespace audio77 {
namespace {

class SystemHidrawIo final : public HidrawDeviceIo {
 public:
  int Open(const std::string& path) override { return ::open(path.c_str(), O_RDWR | O_CLOEXEC); }

  void Close(int fd) override { ::close(fd); }

  bool RawInfo(int fd, std::uint16_t& vendor_id, std::uint16_t& product_id) override {
    hidraw_devinfo info{};
    if (::ioctl(fd, HIDIOCGRAWINFO, &info) < 0) return false;
    vendor_id = static_cast<std::uint16_t>(info.vendor);
    product_id = static_cast<std::uint16_t>(info.product);
    return true;
  }

  std::optional<std::vector<std::uint8_t>> ReportDescriptor(int fd) override {
    int size = 0;
    if (::ioctl(fd, HIDIOCGRDESCSIZE, &size) < 0 || size < 0 || size > HID_MAX_DESCRIPTOR_SIZE) {
      return std::nullopt;
    }
    hidraw_report_descriptor descriptor{};
    descriptor.size = static_cast<__u32>(size);
    if (::ioctl(fd, HIDIOCGRDESC, &descriptor) < 0) return std::nullopt;
    return std::vector<std::uint8_t>(descriptor.value, descriptor.value + size);
  }

  int SetOutputReport(int fd, std::span<const std::uint8_t> report) override {
    // The request copies the buffer in and back out, so it needs a writable one.
    std::vector<std::uint8_t> buffer(report.begin(), report.end());
    if (::ioctl(fd, HIDIOCSOUTPUT(buffer.size()), buffer.data()) < 0) return errno;
    return 0;
  }

  bool WriteReport(int fd, std::span<const std::uint8_t> report) override {
    const ssize_t written = ::write(fd, report.data(), report.size());
    return written == static_cast<ssize_t>(report.size());
  }

  int GetInputReport(int fd, std::span<std::uint8_t> report) override {
    if (::ioctl(fd, HIDIOCGINPUT(report.size()), report.data()) < 0) return errno;
    return 0;
  }

  int ReadReport(int fd, std::span<std::uint8_t> buffer, int timeout_ms) override {
    pollfd wait{fd, POLLIN, 0};
    int ready = 0;
    do {
      ready = ::poll(&wait, 1, timeout_ms);
    } while (ready < 0 && errno == EINTR);
    if (ready <= 0 || (wait.revents & POLLIN) == 0) return -1;
    const ssize_t got = ::read(fd, buffer.data(), buffer.size());
    return got < 0 ? -1 : static_cast<int>(got);
  }
};

}  // namespace

HidrawDeviceIo& HidrawDeviceIo::System() {
  static SystemHidrawIo io;
  return io;
}

}  // namespace audio77
