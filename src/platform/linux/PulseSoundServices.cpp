// The sound services of the Linux platform: one connection to the user's
// sound server behind all four.
#include <memory>

#include "platform/linux/LinuxServices.h"
#include "platform/linux/PulseAudioEndpoints.h"
#include "platform/linux/PulseConnection.h"
#include "platform/linux/PulseMediaPlayer.h"
#include "platform/linux/PulseSoundCardHost.h"
#include "platform/linux/PulseWaveIn.h"
#include "platform/linux/PulseWaveOut.h"

namespace audio77 {

// Keeps only the debug output of the context, which outlives the services.
SoundServices CreateLinuxSoundServices(const LinuxContext& context) {
  auto connection = std::make_shared<PulseConnection>(context.debug, "Audio77");
  SoundServices sound;
  sound.endpoints = std::make_unique<PulseAudioEndpoints>(connection);
  sound.wave_in = std::make_unique<PulseWaveIn>(connection);
  sound.wave_out = std::make_unique<PulseWaveOut>(connection);
  sound.media = std::make_unique<PulseMediaPlayer>(connection, context.debug);
  return sound;
}

namespace {

// The virtual device's card is the stand-in hardware's business, not the
// program's: the program's diagnostics do not speak of it.
class QuietDebugOutput final : public DebugOutput {
 public:
  void Write(std::string_view) override {}
};

}  // namespace

std::unique_ptr<SoundCardHost> CreateLinuxSoundCardHost(const LinuxContext&) {
  static QuietDebugOutput quiet;
  return std::make_unique<PulseSoundCardHost>(std::make_shared<PulseConnection>(quiet, "Audio77 virtual device"));
}

}  // namespace audio77
