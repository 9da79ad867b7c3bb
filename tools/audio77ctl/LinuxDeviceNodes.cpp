#include "LinuxDeviceNodes.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "platform/linux/HidReportDescriptor.h"
#include "platform/linux/HidrawBackend.h"

namespace audio77::ctl {
namespace fs = std::filesystem;
namespace {

// Bytes 0 to 4 of an output report carry a register command.
constexpr std::uint16_t kCommandReportBytes = 5;

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::optional<std::uint16_t> ReadHexWord(const fs::path& path) {
  const std::string text = ReadText(path);
  unsigned value = 0;
  if (std::sscanf(text.c_str(), "%4x", &value) != 1) return std::nullopt;
  return static_cast<std::uint16_t>(value);
}

bool HasIds(const fs::path& device, std::uint16_t vendor_id, std::uint16_t product_id) {
  return ReadHexWord(device / "idVendor") == vendor_id && ReadHexWord(device / "idProduct") == product_id;
}

// The number after a name's prefix, for ordering hidraw2 before hidraw10.
long NumberAfter(const std::string& name, std::size_t prefix) {
  try {
    return std::stol(name.substr(prefix));
  } catch (const std::exception&) {
    return -1;
  }
}

std::vector<fs::path> SortedEntries(const fs::path& folder, const std::string& prefix) {
  std::vector<fs::path> entries;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    if (entry.path().filename().string().rfind(prefix, 0) == 0) entries.push_back(entry.path());
  }
  std::sort(entries.begin(), entries.end(), [&prefix](const fs::path& a, const fs::path& b) {
    return NumberAfter(a.filename().string(), prefix.size()) < NumberAfter(b.filename().string(), prefix.size());
  });
  return entries;
}

// Walks from a class device up its parents to the USB device that holds it.
bool BelongsTo(const fs::path& class_device, std::uint16_t vendor_id, std::uint16_t product_id) {
  std::error_code error;
  fs::path at = fs::canonical(class_device / "device", error);
  for (int depth = 0; !error && depth < 8 && at.has_relative_path(); ++depth, at = at.parent_path()) {
    if (fs::exists(at / "idVendor", error)) return HasIds(at, vendor_id, product_id);
  }
  return false;
}

}  // namespace

LinuxDeviceNodes::LinuxDeviceNodes(std::string sys_root, std::string dev_root)
    : sys_root_(std::move(sys_root)), dev_root_(std::move(dev_root)) {}

std::string LinuxDeviceNodes::UsbId(std::uint16_t vendor_id, std::uint16_t product_id) {
  char text[16];
  std::snprintf(text, sizeof text, "%04x:%04x", vendor_id, product_id);
  return text;
}

std::optional<std::string> LinuxDeviceNodes::UsbDevice(std::uint16_t vendor_id, std::uint16_t product_id) const {
  for (const auto& device : SortedEntries(fs::path(sys_root_) / "bus" / "usb" / "devices", "")) {
    if (device.filename().string().find(':') == std::string::npos && HasIds(device, vendor_id, product_id)) {
      return device.string();
    }
  }
  return std::nullopt;
}

std::vector<std::string> LinuxDeviceNodes::UsbIdsOfVendor(std::uint16_t vendor_id) const {
  std::vector<std::string> ids;
  for (const auto& device : SortedEntries(fs::path(sys_root_) / "bus" / "usb" / "devices", "")) {
    const auto vendor = ReadHexWord(device / "idVendor");
    const auto product = ReadHexWord(device / "idProduct");
    if (vendor == vendor_id && product) ids.push_back(UsbId(*vendor, *product));
  }
  return ids;
}

std::vector<HidrawNode> LinuxDeviceNodes::HidrawNodes(std::uint16_t vendor_id, std::uint16_t product_id) const {
  std::vector<HidrawNode> nodes;
  for (const auto& entry : SortedEntries(fs::path(sys_root_) / "class" / "hidraw", "hidraw")) {
    const auto attributes = HidrawBackend::ParseUevent(ReadText(entry / "device" / "uevent"));
    if (!attributes || attributes->vendor_id != vendor_id || attributes->product_id != product_id) continue;
    const std::string descriptor = ReadText(entry / "device" / "report_descriptor");
    const auto lengths = HidReportDescriptor::ReportLengths(
        {reinterpret_cast<const std::uint8_t*>(descriptor.data()), descriptor.size()});
    nodes.push_back({(fs::path(dev_root_) / entry.filename()).string(), entry.string(),
                     lengths.output >= kCommandReportBytes});
  }
  return nodes;
}

std::optional<std::string> LinuxDeviceNodes::SoundCard(std::uint16_t vendor_id, std::uint16_t product_id) const {
  for (const auto& card : SortedEntries(fs::path(sys_root_) / "class" / "sound", "card")) {
    const std::string name = card.filename().string();
    if (name.size() > 4 && NumberAfter(name, 4) >= 0 && BelongsTo(card, vendor_id, product_id)) return name;
  }
  return std::nullopt;
}

}  // namespace audio77::ctl
