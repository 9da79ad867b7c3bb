#include "features/MicEndpoint.h"

#include <cctype>
#include <cstdio>

#include "features/MicLevelSteps.h"

namespace audio77 {
namespace {

bool StartsWithIgnoringCase(const std::string& text, const std::string& start) {
  if (text.size() < start.size()) return false;
  for (std::size_t i = 0; i < start.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(text[i])) != std::toupper(static_cast<unsigned char>(start[i]))) {
      return false;
    }
  }
  return true;
}

}  // namespace

MicEndpoint::MicEndpoint(AudioEndpoints& endpoints, DebugOutput& debug) : endpoints_(endpoints), debug_(debug) {}

std::string MicEndpoint::DeviceText(std::uint16_t vendor_id, std::uint16_t product_id) {
  char text[64];
  std::snprintf(text, sizeof text, "\\\\?\\USB#VID_%04X&PID_%04X", vendor_id, product_id);
  return text;
}

std::optional<std::string> MicEndpoint::Find(std::uint16_t vendor_id, std::uint16_t product_id) {
  const std::string device = DeviceText(vendor_id, product_id);
  for (const auto& endpoint : endpoints_.CaptureEndpoints()) {
    if (StartsWithIgnoringCase(endpoint.interface_path, device)) return endpoint.id;
  }
  return std::nullopt;
}

FeatureResult MicEndpoint::SetLevel(std::uint16_t vendor_id, std::uint16_t product_id, int percent) {
  char trace[32];
  std::snprintf(trace, sizeof trace, " %d\n", percent);
  debug_.Write(trace);
  const auto id = Find(vendor_id, product_id);
  if (!id) return FeatureResult::Failed(1);
  if (!endpoints_.SetVolumeScalar(*id, static_cast<float>(percent) * 0.01f)) return FeatureResult::Failed(2);
  return FeatureResult::Done();
}

std::optional<int> MicEndpoint::Level(std::uint16_t vendor_id, std::uint16_t product_id) {
  const auto id = Find(vendor_id, product_id);
  if (!id) return std::nullopt;
  const auto steps = endpoints_.VolumeStepInfo(*id);
  if (!steps) return std::nullopt;
  return MicLevelSteps::PercentFromSteps(steps->step, steps->count);
}

std::optional<int> MicEndpoint::Mute(std::uint16_t vendor_id, std::uint16_t product_id) {
  const auto id = Find(vendor_id, product_id);
  if (!id) return std::nullopt;
  const auto mute = endpoints_.Mute(*id);
  if (!mute) return std::nullopt;
  return *mute ? 1 : 0;
}

FeatureResult MicEndpoint::SetMute(std::uint16_t vendor_id, std::uint16_t product_id, int value) {
  const auto id = Find(vendor_id, product_id);
  if (!id) return FeatureResult::Failed(1);
  for (int attempt = 0; attempt < kMuteTries; ++attempt) {
    if (endpoints_.SetMute(*id, value != 0)) return FeatureResult::Done();
  }
  return FeatureResult::Failed(2);
}

std::optional<int> MicEndpoint::Boost(std::uint16_t vendor_id, std::uint16_t product_id) {
  const auto id = Find(vendor_id, product_id);
  if (!id) return std::nullopt;
  const auto boost = endpoints_.Boost(*id);
  if (!boost) return std::nullopt;
  return *boost ? 1 : 0;
}

FeatureResult MicEndpoint::SetBoost(std::uint16_t vendor_id, std::uint16_t product_id, int value) {
  const auto id = Find(vendor_id, product_id);
  if (!id) return FeatureResult::Failed(1);
  if (!endpoints_.SetBoost(*id, value != 0)) return FeatureResult::Failed(2);
  return FeatureResult::Done();
}

void MicEndpoint::SetListen(int value, std::uint16_t vendor_id, std::uint16_t product_id) {
  const std::string device = DeviceText(vendor_id, product_id);
  for (const auto& endpoint : endpoints_.CaptureEndpoints()) {
    if (!StartsWithIgnoringCase(endpoint.interface_path, device)) continue;
    endpoints_.SetListen(endpoint.id, value != 0);  // failures are not reported
  }
}

}  // namespace audio77
