#pragma once
// The device's capture endpoint in the sound system: found by the device
// text "\\?\USB#VID_XXXX&PID_XXXX" at the start of its interface path (case
// ignored), looked up again for every operation. Without an endpoint every
// operation returns "not done" and changes nothing; failures are silent.

#include <cstdint>
#include <optional>
#include <string>

#include "features/FeatureResult.h"
#include "platform/AudioEndpoints.h"
#include "platform/DebugOutput.h"

namespace audio77 {

class MicEndpoint {
 public:
  static constexpr int kMuteTries = 3;

  MicEndpoint(AudioEndpoints& endpoints, DebugOutput& debug);

  // "\\?\USB#VID_%04X&PID_%04X".
  static std::string DeviceText(std::uint16_t vendor_id, std::uint16_t product_id);
  // FindMicEndpoint: the first capture endpoint of the device, or none.
  std::optional<std::string> Find(std::uint16_t vendor_id, std::uint16_t product_id);

  // SetMicLevel: writes the trace " <percent>\n", then the endpoint's volume.
  FeatureResult SetLevel(std::uint16_t vendor_id, std::uint16_t product_id, int percent);
  // The level in percent from the endpoint's volume steps; none without an endpoint.
  std::optional<int> Level(std::uint16_t vendor_id, std::uint16_t product_id);
  std::optional<int> Mute(std::uint16_t vendor_id, std::uint16_t product_id);
  // Up to three tries; stops at the first success.
  FeatureResult SetMute(std::uint16_t vendor_id, std::uint16_t product_id, int value);
  // A device without a boost switch reads 0.
  std::optional<int> Boost(std::uint16_t vendor_id, std::uint16_t product_id);
  FeatureResult SetBoost(std::uint16_t vendor_id, std::uint16_t product_id, int value);
  // SetListenProperty: every capture endpoint of the device is switched.
  void SetListen(int value, std::uint16_t vendor_id, std::uint16_t product_id);

 private:
  AudioEndpoints& endpoints_;
  DebugOutput& debug_;
};

}  // namespace audio77
