#include "features/NoiseCancellation.h"

#include <utility>

#include "device/AudioCommand.h"

namespace audio77 {

NoiseCancellation::NoiseCancellation(FeatureDeps deps) : deps_(deps) {}

void NoiseCancellation::Configure(int button_mode, int button_gpio) {
  button_mode_ = button_mode;
  button_gpio_ = button_gpio;
}

void NoiseCancellation::StartButtonScanIfConfigured(std::uint16_t vendor_id, std::uint16_t product_id,
                                                     ButtonSink deliver) {
  if (!available_ || button_mode_ != 1) return;
  if (deps_.library.SetGpioModeEx_ById(static_cast<std::uint8_t>(button_gpio_), 0, 0) != 0) return;
  // Without a scan the button does nothing; the window works on.
  deps_.library.ScanButton_ById(
      vendor_id, product_id,
      [deliver = std::move(deliver)](std::uint16_t, std::uint16_t, const DeviceLibrary::ButtonReport& report) {
        deliver(report);
      },
      1, 0);
}

void NoiseCancellation::OnRemoved() { button_flag_ = 0; }

void NoiseCancellation::OnShutdown() {
  // The window is going: a device that refuses cannot be asked again.
  AudioCommand noise = AudioCommand::Switch(AudioCommand::kNoiseCancellationGroup, false);
  deps_.library.SendAudioCommand(noise);
  AudioCommand voice = AudioCommand::Switch(AudioCommand::kVoiceEffectGroup, false);
  deps_.library.SendAudioCommand(voice);
}

}  // namespace audio77
