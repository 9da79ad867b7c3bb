#include "platform/linux/SysfsDeviceEnumerator.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>

namespace audio77 {
namespace {

// A hexadecimal attribute such as idVendor ("2e8d\n").
std::optional<unsigned> ReadHexAttribute(const std::filesystem::path& file, unsigned max) {
  std::ifstream in(file);
  std::string text;
  if (!(in >> text)) return std::nullopt;
  unsigned value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
  if (error != std::errc() || end != text.data() + text.size() || value > max) return std::nullopt;
  return value;
}

// Orders "1-2" before "1-10" and "usb2" before "usb10": runs of digits compare as numbers.
bool NaturalLess(const std::string& a, const std::string& b) {
  std::size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    if (std::isdigit(static_cast<unsigned char>(a[i])) && std::isdigit(static_cast<unsigned char>(b[j]))) {
      std::size_t i_end = i, j_end = j;
      while (i_end < a.size() && std::isdigit(static_cast<unsigned char>(a[i_end]))) ++i_end;
      while (j_end < b.size() && std::isdigit(static_cast<unsigned char>(b[j_end]))) ++j_end;
      const auto a_digits = a.substr(i, i_end - i), b_digits = b.substr(j, j_end - j);
      const auto a_trim = a_digits.substr(std::min(a_digits.find_first_not_of('0'), a_digits.size()));
      const auto b_trim = b_digits.substr(std::min(b_digits.find_first_not_of('0'), b_digits.size()));
      if (a_trim.size() != b_trim.size()) return a_trim.size() < b_trim.size();
      if (a_trim != b_trim) return a_trim < b_trim;
      i = i_end;
      j = j_end;
      continue;
    }
    if (a[i] != b[j]) return a[i] < b[j];
    ++i;
    ++j;
  }
  return a.size() - i < b.size() - j;
}

// The device an interface entry belongs to: "1-10:1.3" to "1-10"; the root
// hub of bus N is "usbN" while its interfaces are named "N-0:…".
std::string OwnerOfInterface(const std::string& name, std::size_t colon) {
  std::string owner = name.substr(0, colon);
  const auto dash = owner.find('-');
  if (dash != std::string::npos && owner.substr(dash) == "-0") owner = "usb" + owner.substr(0, dash);
  return owner;
}

struct UsbIdentity {
  unsigned vendor = 0, product = 0, revision = 0;
};

std::string DeviceId(const UsbIdentity& id, bool with_revision) {
  char text[64];
  if (with_revision) {
    std::snprintf(text, sizeof text, "USB\\VID_%04X&PID_%04X&REV_%04X", id.vendor, id.product, id.revision);
  } else {
    std::snprintf(text, sizeof text, "USB\\VID_%04X&PID_%04X", id.vendor, id.product);
  }
  return text;
}

std::string WithInterface(const std::string& device_id, unsigned interface_number) {
  char text[16];
  std::snprintf(text, sizeof text, "&MI_%02X", interface_number);
  return device_id + text;
}

std::optional<UsbIdentity> ReadIdentity(const std::filesystem::path& device) {
  const auto vendor = ReadHexAttribute(device / "idVendor", 0xFFFF);
  const auto product = ReadHexAttribute(device / "idProduct", 0xFFFF);
  if (!vendor || !product) return std::nullopt;
  const auto revision = ReadHexAttribute(device / "bcdDevice", 0xFFFF);
  return UsbIdentity{*vendor, *product, revision.value_or(0)};
}

}  // namespace

std::optional<std::vector<PresentDevice>> SysfsDeviceEnumerator::ListPresentDevices() {
  std::error_code error;
  std::filesystem::directory_iterator entries(devices_dir_, error);
  if (error) return std::nullopt;
  // Interface entries are named "<device>:<configuration>.<interface>".
  std::vector<std::string> devices;
  std::map<std::string, std::vector<unsigned>> interfaces;
  for (const auto& entry : entries) {
    const std::string name = entry.path().filename().string();
    const auto colon = name.find(':');
    if (colon == std::string::npos) {
      devices.push_back(name);
    } else if (const auto number = ReadHexAttribute(entry.path() / "bInterfaceNumber", 0xFF)) {
      interfaces[OwnerOfInterface(name, colon)].push_back(*number);
    }
  }
  std::sort(devices.begin(), devices.end(), NaturalLess);
  std::vector<PresentDevice> present;
  for (const auto& name : devices) {
    const auto identity = ReadIdentity(std::filesystem::path(devices_dir_) / name);
    if (!identity) continue;
    const std::string full = DeviceId(*identity, true), short_id = DeviceId(*identity, false);
    auto& numbers = interfaces[name];
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    if (numbers.empty()) present.push_back({{full, short_id}});
    for (unsigned number : numbers) {
      present.push_back({{WithInterface(full, number), WithInterface(short_id, number)}});
    }
  }
  return present;
}

}  // namespace audio77
