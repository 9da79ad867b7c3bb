#pragma once
// A decoded picture: its size and, when the loader decoded them, its pixels as
// 32-bit 0xAARRGGBB values, row by row from the top. A picture whose loader only
// read the file's header has a size but no pixels; it is drawn as a frame.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/Geometry.h"

namespace audio77::toolkit {

class Picture {
 public:
  Picture(Size size, std::vector<std::uint32_t> pixels, std::string source = {});

  // A picture filled with one 0xAARRGGBB value (generated pictures, tests).
  static std::shared_ptr<const Picture> Filled(Size size, std::uint32_t argb);

  Size GetSize() const { return size_; }
  int Width() const { return size_.width; }
  int Height() const { return size_.height; }
  bool HasPixels() const { return !pixels_.empty(); }
  const std::vector<std::uint32_t>& Pixels() const { return pixels_; }
  std::uint32_t PixelAt(int x, int y) const;
  // The file it came from; empty for generated pictures.
  const std::string& Source() const { return source_; }

 private:
  Size size_;
  std::vector<std::uint32_t> pixels_;
  std::string source_;
};

using PicturePtr = std::shared_ptr<const Picture>;

}  // namespace audio77::toolkit
