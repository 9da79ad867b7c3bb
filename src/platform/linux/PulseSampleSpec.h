#pragma once
// Our PCM formats as the sound server's sample specification.

#include <pulse/sample.h>

#include "platform/WaveFormat.h"

namespace audio77 {

inline pa_sample_spec PulseSampleSpec(const WaveFormat& format) {
  pa_sample_spec spec{};
  spec.format = format.sample == SampleFormat::kU8 ? PA_SAMPLE_U8 : PA_SAMPLE_S16LE;
  spec.rate = format.rate;
  spec.channels = static_cast<std::uint8_t>(format.channels);
  return spec;
}

}  // namespace audio77
