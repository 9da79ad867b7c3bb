#include "features/Microphone.h"

namespace audio77 {

Microphone::Microphone(FeatureDeps deps, MicSound sound)
    : mic_(MicDeps{deps.library, deps.device, deps.debug, sound.view, sound.endpoints, sound.wave_in, sound.wave_out,
                   sound.loop, std::move(sound.runtime_folder), 1}) {}

void Microphone::Describe(ui::SkinViewState& view) const {
  view.mic_mute = mic_.Mute() != 0;
  view.mic_monitor = mic_.Monitor() != 0;
}

}  // namespace audio77
