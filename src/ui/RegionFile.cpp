#include "ui/RegionFile.h"

#include <fstream>
#include <iterator>
#include <limits>
#include <vector>

namespace audio77::ui {
namespace {

constexpr std::uint32_t kRectangles = 1;
// A shape of more than this is no window shape but a damaged file.
constexpr std::size_t kMaxFileBytes = 16u << 20;

std::int32_t Int32At(std::span<const std::uint8_t> data, std::size_t offset) {
  const std::uint32_t value = std::uint32_t{data[offset]} | (std::uint32_t{data[offset + 1]} << 8) |
                              (std::uint32_t{data[offset + 2]} << 16) |
                              (std::uint32_t{data[offset + 3]} << 24);
  return static_cast<std::int32_t>(value);
}

// The rectangle from its edges; nullopt when empty, inverted or too wide for a size.
std::optional<toolkit::Rect> FromEdges(std::int32_t left, std::int32_t top, std::int32_t right,
                                       std::int32_t bottom) {
  const std::int64_t width = std::int64_t{right} - left;
  const std::int64_t height = std::int64_t{bottom} - top;
  constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
  if (width <= 0 || height <= 0 || width > kMax || height > kMax) return std::nullopt;
  return toolkit::Rect{left, top, static_cast<int>(width), static_cast<int>(height)};
}

}  // namespace

std::optional<RegionShape> ParseRegionData(std::span<const std::uint8_t> data) {
  if (data.size() < kRegionHeaderBytes) return std::nullopt;
  if (static_cast<std::uint32_t>(Int32At(data, 4)) != kRectangles) return std::nullopt;
  const std::uint64_t count = static_cast<std::uint32_t>(Int32At(data, 8));
  if (kRegionHeaderBytes + count * kRegionRectBytes > data.size()) return std::nullopt;
  std::vector<toolkit::Rect> rects;
  rects.reserve(static_cast<std::size_t>(count));
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t at = kRegionHeaderBytes + i * kRegionRectBytes;
    if (const auto rect = FromEdges(Int32At(data, at), Int32At(data, at + 4), Int32At(data, at + 8),
                                    Int32At(data, at + 12))) {
      rects.push_back(*rect);
    }
  }
  if (rects.empty()) return std::nullopt;
  return RegionShape{toolkit::WindowRegion(std::move(rects)), Int32At(data, 24), Int32At(data, 28)};
}

std::optional<RegionShape> ReadRegionFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw RegionFileError(path);
  std::vector<std::uint8_t> data;
  char chunk[4096];
  while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
    data.insert(data.end(), chunk, chunk + in.gcount());
    if (data.size() > kMaxFileBytes) return std::nullopt;
  }
  return ParseRegionData(data);
}

}  // namespace audio77::ui
