#include "toolkit/Picture.h"

#include <stdexcept>

namespace audio77::toolkit {

Picture::Picture(Size size, std::vector<std::uint32_t> pixels, std::string source)
    : size_(size), pixels_(std::move(pixels)), source_(std::move(source)) {
  if (size_.width < 0 || size_.height < 0) throw std::invalid_argument("negative picture size");
  const auto expected =
      static_cast<std::size_t>(size_.width) * static_cast<std::size_t>(size_.height);
  if (!pixels_.empty() && pixels_.size() != expected) {
    throw std::invalid_argument("pixel count does not match the picture size");
  }
}

std::shared_ptr<const Picture> Picture::Filled(Size size, std::uint32_t argb) {
  const auto count = static_cast<std::size_t>(size.width) * static_cast<std::size_t>(size.height);
  return std::make_shared<const Picture>(size, std::vector<std::uint32_t>(count, argb));
}

std::uint32_t Picture::PixelAt(int x, int y) const {
  if (!HasPixels() || x < 0 || y < 0 || x >= size_.width || y >= size_.height) return 0;
  return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(size_.width) +
                 static_cast<std::size_t>(x)];
}

}  // namespace audio77::toolkit
