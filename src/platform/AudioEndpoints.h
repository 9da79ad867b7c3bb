#pragma once
// The sound system's capture endpoints: which exist, and the volume, mute,
// boost and "listen to this device" of one of them. Every call returns within
// a bounded time; when no sound server answers there are no endpoints and
// every operation reports "not done".

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace audio77 {

struct CaptureEndpoint {
  std::string id;           // the sound system's name of the endpoint
  std::string description;  // what a person sees
  // "\\?\USB#VID_XXXX&PID_XXXX#…" when the endpoint belongs to a USB device,
  // otherwise "" (the interface path the device text is compared with).
  std::string interface_path;
};

// The volume as a position on a scale of count steps (0 .. count - 1).
struct VolumeSteps {
  std::uint32_t step = 0;
  std::uint32_t count = 0;
};

class AudioEndpoints {
 public:
  virtual ~AudioEndpoints() = default;
  // The active capture endpoints in the system's order; empty without a server.
  virtual std::vector<CaptureEndpoint> CaptureEndpoints() = 0;

  // Nullopt: the endpoint is gone or has no volume control.
  virtual std::optional<VolumeSteps> VolumeStepInfo(const std::string& id) = 0;
  // scalar 0.0 .. 1.0 of the endpoint's full volume.
  virtual bool SetVolumeScalar(const std::string& id, float scalar) = 0;
  virtual std::optional<bool> Mute(const std::string& id) = 0;
  virtual bool SetMute(const std::string& id, bool mute) = 0;
  // The endpoint's automatic-gain or boost switch; nullopt / false when it has none.
  virtual std::optional<bool> Boost(const std::string& id) = 0;
  virtual bool SetBoost(const std::string& id, bool on) = 0;
  // "Listen to this device": the endpoint's sound goes to the default output
  // while on. Switching on twice keeps one route; it survives the program
  // until switched off (ListenRoutes finds it again).
  virtual bool SetListen(const std::string& id, bool on) = 0;
  // Endpoint ids that are routed to the output now.
  virtual std::vector<std::string> ListenRoutes() = 0;
};

}  // namespace audio77
