#include "platform/linux/HidrawBackend.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <sstream>

#include "platform/linux/HidrawHandle.h"

namespace audio77 {
namespace {

constexpr std::string_view kNodePrefix = "hidraw";

// The node number of "hidrawN"; empty for other names.
std::optional<unsigned> NodeNumber(std::string_view name) {
  if (name.substr(0, kNodePrefix.size()) != kNodePrefix) return std::nullopt;
  const auto digits = name.substr(kNodePrefix.size());
  unsigned number = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
  if (error != std::errc() || end != digits.data() + digits.size() || digits.empty()) return std::nullopt;
  return number;
}

std::optional<std::uint32_t> ParseHexField(std::string_view text) {
  std::uint32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

}  // namespace

HidrawBackend::HidrawBackend(HidrawDeviceIo& io, std::string class_dir, std::string device_dir)
    : io_(io), class_dir_(std::move(class_dir)), device_dir_(std::move(device_dir)) {}

std::optional<std::vector<std::string>> HidrawBackend::ListInterfaces() {
  std::error_code error;
  std::filesystem::directory_iterator entries(class_dir_, error);
  if (error) return std::nullopt;
  std::vector<std::pair<unsigned, std::string>> nodes;
  for (const auto& entry : entries) {
    const std::string name = entry.path().filename().string();
    if (const auto number = NodeNumber(name)) nodes.emplace_back(*number, name);
  }
  std::sort(nodes.begin(), nodes.end());
  std::vector<std::string> paths;
  for (const auto& [number, name] : nodes) paths.push_back(device_dir_ + "/" + name);
  return paths;
}

std::unique_ptr<HidHandle> HidrawBackend::Open(const std::string& path) {
  const std::string name = std::filesystem::path(path).filename().string();
  if (!NodeNumber(name)) return nullptr;
  const int fd = io_.Open(path);
  if (fd < 0) return nullptr;
  return std::make_unique<HidrawHandle>(io_, fd, class_dir_ + "/" + name);
}

std::optional<HidAttributes> HidrawBackend::ParseUevent(const std::string& uevent) {
  std::istringstream lines(uevent);
  std::string line;
  constexpr std::string_view kKey = "HID_ID=";
  while (std::getline(lines, line)) {
    if (line.rfind(kKey, 0) != 0) continue;
    // bus:vendor:product, each in hexadecimal.
    const std::string_view fields = std::string_view(line).substr(kKey.size());
    const auto first = fields.find(':');
    const auto second = first == std::string_view::npos ? first : fields.find(':', first + 1);
    if (second == std::string_view::npos) return std::nullopt;
    const auto vendor = ParseHexField(fields.substr(first + 1, second - first - 1));
    const auto product = ParseHexField(fields.substr(second + 1));
    if (!vendor || !product || *vendor > 0xFFFF || *product > 0xFFFF) return std::nullopt;
    return HidAttributes{static_cast<std::uint16_t>(*vendor), static_cast<std::uint16_t>(*product), 0};
  }
  return std::nullopt;
}

}  // namespace audio77
