// Writes the bee test's sound: a second of a soft, buzzing hum (a low tone
// with a few harmonics, a slow wobble in pitch and loudness, faded in and out)
// as 16-bit mono PCM at 22050 Hz.
//   beewav <output.wav>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <numbers>

#include "platform/WavFile.h"

namespace {

constexpr std::uint32_t kRate = 22050;
constexpr double kSeconds = 1.2;
constexpr double kFadeSeconds = 0.08;

std::vector<std::uint8_t> Hum() {
  const auto count = static_cast<std::size_t>(kRate * kSeconds);
  std::vector<std::uint8_t> bytes;
  bytes.reserve(count * 2);
  double phase = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double pitch = 210 + 12 * std::sin(2 * std::numbers::pi * 5.5 * t);
    phase += 2 * std::numbers::pi * pitch / kRate;
    double sample = 0.55 * std::sin(phase) + 0.25 * std::sin(2 * phase) + 0.12 * std::sin(3 * phase) +
                    0.05 * std::sin(5 * phase);
    sample *= 0.75 + 0.25 * std::sin(2 * std::numbers::pi * 23 * t);
    const double edge = std::min(t, kSeconds - t);
    if (edge < kFadeSeconds) sample *= edge / kFadeSeconds;
    const auto value = static_cast<std::int16_t>(std::lround(sample * 0.5 * 32767));
    bytes.push_back(static_cast<std::uint8_t>(value & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
  }
  return bytes;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: beewav <output.wav>\n");
    return 2;
  }
  const auto file = audio77::WavFile::Write(
      audio77::WavSound{audio77::WaveFormat{audio77::SampleFormat::kS16LE, kRate, 1}, Hum()});
  std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
  if (!out) {
    std::fprintf(stderr, "beewav: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
