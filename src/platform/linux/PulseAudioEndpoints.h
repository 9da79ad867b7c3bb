#pragma once
// The capture endpoints of the user's sound server: its sources (sink
// monitors left out), the USB IDs of a source's sound card in its properties,
// volume and mute of a source, and "listen to this device" as a loopback
// module from the source to the default sink that carries our mark, so that
// it is found again after a restart and never loaded twice.

#include <memory>

#include "platform/AudioEndpoints.h"
#include "platform/linux/PulseConnection.h"

namespace audio77 {

class PulseAudioEndpoints final : public AudioEndpoints {
 public:
  explicit PulseAudioEndpoints(std::shared_ptr<PulseConnection> connection);

  std::vector<CaptureEndpoint> CaptureEndpoints() override;
  std::optional<VolumeSteps> VolumeStepInfo(const std::string& id) override;
  bool SetVolumeScalar(const std::string& id, float scalar) override;
  std::optional<bool> Mute(const std::string& id) override;
  bool SetMute(const std::string& id, bool mute) override;
  std::optional<bool> Boost(const std::string& id) override;
  bool SetBoost(const std::string& id, bool on) override;
  bool SetListen(const std::string& id, bool on) override;
  std::vector<std::string> ListenRoutes() override;

  // The property our loopback modules carry, and the interface path a source
  // with these property values gets ("" when they are not USB IDs).
  static constexpr const char* kListenMark = "audio77.listen";
  static std::string InterfacePath(const char* vendor_id, const char* product_id, const std::string& name);

 private:
  struct SourceState {
    pa_cvolume volume{};
    bool mute = false;
  };
  struct Route {
    std::uint32_t module;
    std::string source;
  };
  std::optional<SourceState> Source(const std::string& id);
  std::vector<Route> Routes();

  std::shared_ptr<PulseConnection> connection_;
};

}  // namespace audio77
