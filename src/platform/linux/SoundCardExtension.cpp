#include "platform/linux/SoundCardExtension.h"

#include <charconv>
#include <filesystem>
#include <fstream>

namespace audio77 {
namespace {

constexpr std::string_view kPathPrefix = "\\\\.\\Class#UsbAudioExtension&";
// A card's device is the USB interface the driver bound; its USB device is
// one level up. A few more levels cover drivers that hang the card lower.
constexpr int kLevelsToSearch = 4;

std::optional<std::uint16_t> ParseHex16(std::string_view text) {
  unsigned value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
  if (error != std::errc() || end != text.data() + text.size() || text.empty() || value > 0xFFFF) {
    return std::nullopt;
  }
  return static_cast<std::uint16_t>(value);
}

std::optional<std::uint16_t> ReadHexAttribute(const std::filesystem::path& file) {
  std::ifstream in(file);
  std::string text;
  if (!(in >> text)) return std::nullopt;
  return ParseHex16(text);
}

// The card's device folder and its parents, walked through the links as the
// kernel resolves "..", until one carries USB IDs.
std::optional<SoundCardExtension::Ids> UsbIdsAbove(const std::filesystem::path& device) {
  std::filesystem::path folder = device;
  for (int level = 0; level <= kLevelsToSearch; ++level) {
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) return std::nullopt;
    const auto vendor = ReadHexAttribute(folder / "idVendor");
    const auto product = ReadHexAttribute(folder / "idProduct");
    if (vendor && product) return SoundCardExtension::Ids{*vendor, *product};
    folder /= "..";
  }
  return std::nullopt;
}

class RefusingHandle final : public ExtensionHandle {
 public:
  // Nothing on Linux carries out the extension's requests yet.
  bool Control(std::uint32_t, std::span<const std::uint8_t>, std::span<std::uint8_t>,
               std::uint32_t& returned) override {
    returned = 0;
    return false;
  }
};

}  // namespace

std::optional<SoundCardExtension::Ids> SoundCardExtension::ParsePath(const std::string& path) {
  if (path.size() != kPathPrefix.size() + 9 ||
      path.compare(0, kPathPrefix.size(), kPathPrefix) != 0) {
    return std::nullopt;
  }
  const std::string_view ids = std::string_view(path).substr(kPathPrefix.size());
  if (ids[4] != '&') return std::nullopt;
  const auto vendor = ParseHex16(ids.substr(0, 4));
  const auto product = ParseHex16(ids.substr(5, 4));
  if (!vendor || !product) return std::nullopt;
  return Ids{*vendor, *product};
}

bool SoundCardExtension::HasSoundCard(Ids ids) const {
  std::error_code error;
  std::filesystem::directory_iterator entries(std::filesystem::path(sys_root_) / "class" / "sound",
                                              error);
  if (error) return false;
  for (const auto& entry : entries) {
    const std::string name = entry.path().filename().string();
    if (name.rfind("card", 0) != 0 || name.size() == 4) continue;
    const auto found = UsbIdsAbove(entry.path() / "device");
    if (found && found->vendor_id == ids.vendor_id && found->product_id == ids.product_id)
      return true;
  }
  return false;
}

std::unique_ptr<ExtensionHandle> SoundCardExtension::Open(const std::string& path) {
  const auto ids = ParsePath(path);
  if (!ids || !HasSoundCard(*ids)) return nullptr;
  return std::make_unique<RefusingHandle>();
}

}  // namespace audio77
