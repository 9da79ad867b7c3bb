#include "platform/linux/DeviceInterfaceNames.h"

#include <cctype>
#include <charconv>
#include <cstdio>
#include <vector>

namespace audio77 {
namespace {

constexpr const char* kHidSuffix = "{4d1e55b2-f16f-11cf-88cb-001111000030}";
constexpr const char* kAudioSuffix = "{6994ad04-93ef-11d0-a3cc-00a0c9223196}";
constexpr const char* kUsbSuffix = "{a5dcbf10-6530-11d2-901f-00c04fb951ed}";

std::vector<std::string_view> Components(std::string_view path) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  while (start <= path.size()) {
    const auto slash = path.find('/', start);
    const auto end = slash == std::string_view::npos ? path.size() : slash;
    if (end > start) parts.push_back(path.substr(start, end - start));
    if (slash == std::string_view::npos) break;
    start = slash + 1;
  }
  return parts;
}

std::optional<unsigned> ParseNumber(std::string_view text, int base) {
  unsigned value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

bool AllOf(std::string_view text, int (*test)(int)) {
  if (text.empty()) return false;
  for (const char c : text) {
    if (!test(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

int IsPortChar(int c) { return std::isdigit(c) || c == '.' || c == '-'; }

// "1-1.2:1.3": a USB device name, a colon, configuration "." interface.
std::optional<unsigned> InterfaceOf(std::string_view part) {
  const auto colon = part.find(':');
  if (colon == std::string_view::npos || colon == 0 || !AllOf(part.substr(0, colon), IsPortChar))
    return std::nullopt;
  const auto rest = part.substr(colon + 1);
  const auto dot = rest.find('.');
  if (dot == std::string_view::npos || !ParseNumber(rest.substr(0, dot), 10)) return std::nullopt;
  return ParseNumber(rest.substr(dot + 1), 10);
}

// A stable token for the USB device a path lies in, shaped like an instance ID.
std::string Instance(std::string_view devpath) {
  const std::string device = DeviceInterfaceNames::UsbDevicePath(devpath);
  std::uint32_t hash = 2166136261u;  // FNV-1a
  for (const char c : device) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
  char text[32];
  std::snprintf(text, sizeof text, "7&%08x&0&0000", hash);
  return text;
}

std::string WithInterface(const char* prefix, UsbIds ids, std::optional<unsigned> interface_number,
                          std::string_view devpath, const char* suffix) {
  char head[64];
  if (interface_number) {
    std::snprintf(head, sizeof head, "\\\\?\\%s#VID_%04X&PID_%04X&MI_%02X#", prefix, ids.vendor_id,
                  ids.product_id, *interface_number & 0xFF);
  } else {
    std::snprintf(head, sizeof head, "\\\\?\\%s#VID_%04X&PID_%04X#", prefix, ids.vendor_id,
                  ids.product_id);
  }
  return std::string(head) + Instance(devpath) + "#" + suffix;
}

}  // namespace

std::optional<UsbIds> DeviceInterfaceNames::HidIds(std::string_view devpath) {
  // "BBBB:VVVV:PPPP.NNNN", hexadecimal fields.
  for (const auto part : Components(devpath)) {
    if (part.size() != 19 || part[4] != ':' || part[9] != ':' || part[14] != '.') continue;
    const auto vendor = ParseNumber(part.substr(5, 4), 16);
    const auto product = ParseNumber(part.substr(10, 4), 16);
    if (vendor && product && ParseNumber(part.substr(0, 4), 16) &&
        ParseNumber(part.substr(15), 16)) {
      return UsbIds{static_cast<std::uint16_t>(*vendor), static_cast<std::uint16_t>(*product)};
    }
  }
  return std::nullopt;
}

std::optional<UsbIds> DeviceInterfaceNames::ProductIds(std::string_view product) {
  const auto first = product.find('/');
  const auto second = first == std::string_view::npos ? first : product.find('/', first + 1);
  if (second == std::string_view::npos) return std::nullopt;
  const auto vendor = ParseNumber(product.substr(0, first), 16);
  const auto id = ParseNumber(product.substr(first + 1, second - first - 1), 16);
  if (!vendor || !id || *vendor > 0xFFFF || *id > 0xFFFF) return std::nullopt;
  return UsbIds{static_cast<std::uint16_t>(*vendor), static_cast<std::uint16_t>(*id)};
}

std::optional<unsigned> DeviceInterfaceNames::InterfaceNumber(std::string_view devpath) {
  for (const auto part : Components(devpath)) {
    if (const auto number = InterfaceOf(part)) return number;
  }
  return std::nullopt;
}

std::string DeviceInterfaceNames::UsbDevicePath(std::string_view devpath) {
  std::size_t start = 0;
  while (start < devpath.size()) {
    const auto slash = devpath.find('/', start);
    const auto end = slash == std::string_view::npos ? devpath.size() : slash;
    if (InterfaceOf(devpath.substr(start, end - start))) {
      return std::string(devpath.substr(0, start > 0 ? start - 1 : 0));
    }
    if (slash == std::string_view::npos) break;
    start = slash + 1;
  }
  return std::string(devpath);
}

std::string DeviceInterfaceNames::Hid(UsbIds ids, std::optional<unsigned> interface_number,
                                      std::string_view devpath) {
  return WithInterface("HID", ids, interface_number, devpath, kHidSuffix);
}

std::string DeviceInterfaceNames::Audio(UsbIds ids, std::optional<unsigned> interface_number,
                                        std::string_view devpath) {
  return WithInterface("USB", ids, interface_number, devpath, kAudioSuffix);
}

std::string DeviceInterfaceNames::UsbDevice(UsbIds ids, std::string_view devpath) {
  return WithInterface("USB", ids, std::nullopt, devpath, kUsbSuffix);
}

}  // namespace audio77
