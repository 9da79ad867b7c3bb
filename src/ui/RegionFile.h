#pragma once
// "MainForm_Frame.rgn": a window shape as region data, a 32-byte header
// (header size, type 1 for rectangles, rectangle count, data size, bounding
// rectangle) followed by the rectangles (left, top, right, bottom), all 32-bit
// little-endian. The data comes with the skin, so it is checked: too short, a
// wrong type or rectangles beyond the end make it no shape at all; empty or
// inverted rectangles add nothing.

#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>

#include "toolkit/WindowRegion.h"

namespace audio77::ui {

inline constexpr const char* kRegionFileName = "MainForm_Frame.rgn";
inline constexpr std::size_t kRegionHeaderBytes = 32;
inline constexpr std::size_t kRegionRectBytes = 16;

struct RegionShape {
  toolkit::WindowRegion region;
  // The bounding rectangle's right and bottom edges: the window size it was made for.
  std::int32_t bound_right = 0;
  std::int32_t bound_bottom = 0;
};

// nullopt when the data is not a usable region.
std::optional<RegionShape> ParseRegionData(std::span<const std::uint8_t> data);

// Raised when the region file cannot be opened.
class RegionFileError : public std::runtime_error {
 public:
  explicit RegionFileError(const std::string& path)
      : std::runtime_error("Cannot open file \"" + path + "\". No such file or directory.") {}
};

// Reads and parses the file; throws RegionFileError when it cannot be read.
std::optional<RegionShape> ReadRegionFile(const std::string& path);

}  // namespace audio77::ui
