#include "toolkit/HeaderPictureLoader.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <optional>

#include "toolkit/PictureError.h"

namespace audio77::toolkit {
namespace {

constexpr std::array<unsigned char, 8> kPngSignature = {0x89, 'P',  'N',  'G',
                                                        '\r', '\n', 0x1A, '\n'};
// Larger sizes are refused so that a corrupt header cannot ask for gigabytes later.
constexpr std::uint32_t kMaxSide = 16384;

std::uint32_t BigEndian32(const unsigned char* p) {
  return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) |
         p[3];
}
std::int32_t LittleEndian32(const unsigned char* p) {
  const std::uint32_t v = std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) |
                          (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[3]} << 24);
  std::int32_t s;
  std::memcpy(&s, &v, sizeof s);
  return s;
}
std::uint16_t LittleEndian16(const unsigned char* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

struct HeaderSize {
  std::int64_t width = 0;
  std::int64_t height = 0;
};

// PNG: signature, then the IHDR chunk with width and height.
std::optional<HeaderSize> PngSize(const unsigned char* h, std::size_t n) {
  if (n < 24 || std::memcmp(h, kPngSignature.data(), kPngSignature.size()) != 0)
    return std::nullopt;
  if (std::memcmp(h + 12, "IHDR", 4) != 0) return std::nullopt;
  return HeaderSize{BigEndian32(h + 16), BigEndian32(h + 20)};
}

// Bitmap: "BM", then an info header of 12 bytes (16-bit sizes) or 40 and more.
// A negative height marks a top-down bitmap.
std::optional<HeaderSize> BmpSize(const unsigned char* h, std::size_t n) {
  if (n < 26 || h[0] != 'B' || h[1] != 'M') return std::nullopt;
  const std::int32_t header = LittleEndian32(h + 14);
  std::int64_t w = 0;
  std::int64_t ht = 0;
  if (header == 12) {
    w = LittleEndian16(h + 18);
    ht = LittleEndian16(h + 20);
  } else if (header >= 40 && n >= 26) {
    w = LittleEndian32(h + 18);
    ht = LittleEndian32(h + 22);
    if (ht < 0) ht = -ht;
  } else {
    return std::nullopt;
  }
  return HeaderSize{w, ht};
}

}  // namespace

PicturePtr HeaderPictureLoader::Load(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw PictureError::Missing(path);
  std::array<unsigned char, 32> header{};
  file.read(reinterpret_cast<char*>(header.data()), header.size());
  const auto got = static_cast<std::size_t>(file.gcount());
  std::optional<HeaderSize> size = PngSize(header.data(), got);
  if (!size) size = BmpSize(header.data(), got);
  if (!size || size->width <= 0 || size->height <= 0) throw PictureError::Unreadable(path);
  if (size->width > kMaxSide || size->height > kMaxSide) {
    const auto clamp = [](std::int64_t side) { return static_cast<int>(std::min<std::int64_t>(side, INT32_MAX)); };
    throw PictureError::TooLarge(path, clamp(size->width), clamp(size->height),
                                 std::to_string(kMaxSide) + " pixels a side");
  }
  return std::make_shared<const Picture>(Size{static_cast<int>(size->width), static_cast<int>(size->height)},
                                         std::vector<std::uint32_t>{}, path);
}

}  // namespace audio77::toolkit
