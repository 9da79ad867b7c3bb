#pragma once
// The sound services where no sound server exists (in-process tests of the
// window): no endpoints, no capture, no playback, and every operation says so.

#include "platform/AudioEndpoints.h"
#include "platform/MediaPlayer.h"
#include "platform/WaveIn.h"
#include "platform/WaveOut.h"

namespace audio77 {

class NoAudioEndpoints final : public AudioEndpoints {
 public:
  std::vector<CaptureEndpoint> CaptureEndpoints() override { return {}; }
  std::optional<VolumeSteps> VolumeStepInfo(const std::string&) override { return std::nullopt; }
  bool SetVolumeScalar(const std::string&, float) override { return false; }
  std::optional<bool> Mute(const std::string&) override { return std::nullopt; }
  bool SetMute(const std::string&, bool) override { return false; }
  std::optional<bool> Boost(const std::string&) override { return std::nullopt; }
  bool SetBoost(const std::string&, bool) override { return false; }
  bool SetListen(const std::string&, bool) override { return false; }
  std::vector<std::string> ListenRoutes() override { return {}; }
};

class NoWaveIn final : public WaveIn {
 public:
  std::unique_ptr<WaveInStream> Open(const WaveFormat&, std::size_t, BufferHandler, EndHandler) override {
    return nullptr;
  }
};

class NoWaveOut final : public WaveOut {
 public:
  std::unique_ptr<WaveOutStream> Play(const WaveFormat&, std::vector<std::uint8_t>) override { return nullptr; }
};

class NoMediaPlayer final : public MediaPlayer {
 public:
  bool Open(const std::string&) override { return false; }
  void Play() override {}
  void Close() override {}
  std::uint64_t PositionMs() const override { return 0; }
  std::uint64_t LengthMs() const override { return 0; }
};

}  // namespace audio77
