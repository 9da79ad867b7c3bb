#include "platform/linux/HidReportDescriptor.h"

#include <algorithm>
#include <array>
#include <map>
#include <vector>

namespace audio77 {
namespace {

enum class Kind { kInput, kOutput, kFeature };
constexpr std::size_t kKinds = 3;

// Short-item prefixes (tag and type, size bits masked off).
constexpr std::uint8_t kInputItem = 0x80;
constexpr std::uint8_t kOutputItem = 0x90;
constexpr std::uint8_t kFeatureItem = 0xB0;
constexpr std::uint8_t kReportSize = 0x74;
constexpr std::uint8_t kReportId = 0x84;
constexpr std::uint8_t kReportCount = 0x94;
constexpr std::uint8_t kPush = 0xA4;
constexpr std::uint8_t kPop = 0xB4;
constexpr std::uint8_t kLongItem = 0xFE;

// Far beyond any real report, small enough that adding more never overflows.
constexpr std::uint64_t kBitCap = std::uint64_t{1} << 40;
constexpr std::uint64_t kMaxLength = 0xFFFF;
// Real descriptors nest a few levels; deeper pushes are dropped.
constexpr std::size_t kMaxPushDepth = 64;

struct Globals {
  std::uint32_t report_size = 0;
  std::uint32_t report_count = 0;
  std::uint32_t report_id = 0;
};

struct Item {
  std::uint8_t prefix = 0;  // size bits cleared
  std::uint32_t data = 0;
};

class Walker {
 public:
  explicit Walker(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  // The next short item; false at the end or at an item cut short.
  bool Next(Item& item) {
    while (at_ < bytes_.size()) {
      const std::uint8_t prefix = bytes_[at_];
      if (prefix == kLongItem) {
        if (bytes_.size() - at_ < 2) return false;
        const std::size_t total = 3 + std::size_t{bytes_[at_ + 1]};
        if (bytes_.size() - at_ < total) return false;
        at_ += total;
        continue;
      }
      static constexpr std::size_t kDataSizes[] = {0, 1, 2, 4};
      const std::size_t size = kDataSizes[prefix & 3];
      if (bytes_.size() - at_ - 1 < size) return false;
      item.prefix = static_cast<std::uint8_t>(prefix & 0xFC);
      item.data = 0;
      for (std::size_t i = 0; i < size; ++i) item.data |= std::uint32_t{bytes_[at_ + 1 + i]} << (8 * i);
      at_ += 1 + size;
      return true;
    }
    return false;
  }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t at_ = 0;
};

std::uint16_t ByteLength(const std::map<std::uint32_t, std::uint64_t>& bits_by_id) {
  if (bits_by_id.empty()) return 0;
  std::uint64_t longest = 0;
  for (const auto& [id, bits] : bits_by_id) longest = std::max(longest, bits);
  return static_cast<std::uint16_t>(std::min(kMaxLength, (longest + 8 + 7) / 8));
}

}  // namespace

HidReportLengths HidReportDescriptor::ReportLengths(std::span<const std::uint8_t> descriptor) {
  std::array<std::map<std::uint32_t, std::uint64_t>, kKinds> bits;
  Globals globals;
  std::vector<Globals> pushed;
  Walker walker(descriptor);
  Item item;
  while (walker.Next(item)) {
    switch (item.prefix) {
      case kReportSize: globals.report_size = item.data; break;
      case kReportCount: globals.report_count = item.data; break;
      case kReportId: globals.report_id = item.data; break;
      case kPush:
        if (pushed.size() < kMaxPushDepth) pushed.push_back(globals);
        break;
      case kPop:
        if (!pushed.empty()) {
          globals = pushed.back();
          pushed.pop_back();
        }
        break;
      case kInputItem:
      case kOutputItem:
      case kFeatureItem: {
        const auto kind = item.prefix == kInputItem    ? Kind::kInput
                          : item.prefix == kOutputItem ? Kind::kOutput
                                                       : Kind::kFeature;
        std::uint64_t& total = bits[static_cast<std::size_t>(kind)][globals.report_id];
        const std::uint64_t added = std::uint64_t{globals.report_size} * globals.report_count;
        total = std::min(kBitCap, total + std::min(kBitCap, added));
        break;
      }
      default: break;
    }
  }
  return {ByteLength(bits[0]), ByteLength(bits[1]), ByteLength(bits[2])};
}

}  // namespace audio77
