// Region data of a skin's window shape: any bytes give a shape or none, never
// a crash, and a shape holds only non-empty rectangles.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "ui/RegionFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto shape = audio77::ui::ParseRegionData(std::span<const std::uint8_t>(data, size));
  if (shape) {
    if (shape->region.Empty()) std::abort();
    for (const auto& rect : shape->region.Rects()) {
      if (rect.Empty()) std::abort();
    }
    (void)shape->region.Bounds();
  }
  return 0;
}
