#include "platform/WavFile.h"

#include <algorithm>
#include <cstring>

namespace audio77 {
namespace {

constexpr std::uint16_t kPcm = 1;
constexpr std::uint32_t kMaxRate = 192000;

std::uint32_t Le32(std::span<const std::uint8_t> bytes, std::size_t at) {
  return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
         static_cast<std::uint32_t>(bytes[at + 2]) << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

std::uint16_t Le16(std::span<const std::uint8_t> bytes, std::size_t at) {
  return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

bool Tag(std::span<const std::uint8_t> bytes, std::size_t at, const char* tag) {
  return std::memcmp(bytes.data() + at, tag, 4) == 0;
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void Put16(std::vector<std::uint8_t>& out, std::uint16_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void PutTag(std::vector<std::uint8_t>& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }

}  // namespace

std::uint64_t WavSound::LengthMs() const {
  const std::uint64_t per_second = format.BytesPerSecond();
  return per_second == 0 ? 0 : samples.size() * 1000 / per_second;
}

std::optional<WavSound> WavFile::Parse(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < 12 || !Tag(bytes, 0, "RIFF") || !Tag(bytes, 8, "WAVE")) return std::nullopt;
  std::optional<WaveFormat> format;
  std::size_t at = 12;
  while (bytes.size() - at >= 8) {
    const std::uint32_t size = Le32(bytes, at + 4);
    const std::size_t body = at + 8;
    const std::size_t available = bytes.size() - body;
    if (Tag(bytes, at, "fmt ")) {
      if (size < 16 || available < 16) return std::nullopt;
      const std::uint16_t code = Le16(bytes, body);
      const std::uint16_t channels = Le16(bytes, body + 2);
      const std::uint32_t rate = Le32(bytes, body + 4);
      const std::uint16_t bits = Le16(bytes, body + 14);
      if (code != kPcm || channels < 1 || channels > 2 || rate < 1 || rate > kMaxRate) return std::nullopt;
      if (bits != 8 && bits != 16) return std::nullopt;
      format = WaveFormat{bits == 8 ? SampleFormat::kU8 : SampleFormat::kS16LE, rate, channels};
    } else if (Tag(bytes, at, "data")) {
      if (!format) return std::nullopt;
      std::size_t length = std::min<std::size_t>(size, available);
      length -= length % format->BlockAlign();
      return WavSound{*format, std::vector<std::uint8_t>(bytes.begin() + static_cast<std::ptrdiff_t>(body),
                                                         bytes.begin() + static_cast<std::ptrdiff_t>(body + length))};
    }
    // Chunks are padded to an even length.
    const std::size_t skip = static_cast<std::size_t>(size) + (size & 1u);
    if (skip > available) return std::nullopt;
    at = body + skip;
  }
  return std::nullopt;
}

std::vector<std::uint8_t> WavFile::Write(const WavSound& sound) {
  std::vector<std::uint8_t> out;
  const auto data_size = static_cast<std::uint32_t>(sound.samples.size());
  out.reserve(44 + sound.samples.size());
  PutTag(out, "RIFF");
  Put32(out, 36 + data_size);
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  Put32(out, 16);
  Put16(out, kPcm);
  Put16(out, static_cast<std::uint16_t>(sound.format.channels));
  Put32(out, sound.format.rate);
  Put32(out, sound.format.BytesPerSecond());
  Put16(out, static_cast<std::uint16_t>(sound.format.BlockAlign()));
  Put16(out, sound.format.sample == SampleFormat::kU8 ? 8 : 16);
  PutTag(out, "data");
  Put32(out, data_size);
  out.insert(out.end(), sound.samples.begin(), sound.samples.end());
  return out;
}

}  // namespace audio77
