#pragma once
// Our PCM formats as the sound server describes samples.

#include <pulse/sample.h>

#include "platform/WaveFormat.h"

namespace audio77 {

inline pa_sample_spec PulseSampleFormat(const WaveFormat& format) {
  pa_sample_spec sample_format{};
  sample_format.format = format.sample == SampleFormat::kU8 ? PA_SAMPLE_U8 : PA_SAMPLE_S16LE;
  sample_format.rate = format.rate;
  sample_format.channels = static_cast<std::uint8_t>(format.channels);
  return sample_format;
}

}  // namespace audio77
