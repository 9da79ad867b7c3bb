#include "platform/PlatformServices.h"

#include <stdexcept>

#include "platform/NoSoundServer.h"

namespace audio77 {
namespace {

template <typename T>
T& Required(const std::unique_ptr<T>& service) {
  if (!service) throw std::invalid_argument("platform service missing");
  return *service;
}

}  // namespace

SoundServices SoundServices::None() {
  SoundServices sound;
  sound.endpoints = std::make_unique<NoAudioEndpoints>();
  sound.wave_in = std::make_unique<NoWaveIn>();
  sound.wave_out = std::make_unique<NoWaveOut>();
  sound.media = std::make_unique<NoMediaPlayer>();
  return sound;
}

OwningPlatformHost::OwningPlatformHost(PlatformServices services)
    : services_(std::move(services)),
      platform_{Required(services_.debug),         Required(services_.clock),
                Required(services_.folders),       Required(services_.files),
                Required(services_.registry),
                Required(services_.loader),        Required(services_.hid),
                Required(services_.extension),
                Required(services_.devices),       Required(services_.notifier),
                Required(services_.services),
                Required(services_.instance_lock), Required(services_.instance_link),
                Required(services_.bus),           Required(services_.automation),
                Required(services_.sound.endpoints), Required(services_.sound.wave_in),
                Required(services_.sound.wave_out),  Required(services_.sound.media),
                Required(services_.shell),           Required(services_.desktop)} {}

}  // namespace audio77
