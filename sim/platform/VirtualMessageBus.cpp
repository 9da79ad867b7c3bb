#include "sim/platform/VirtualMessageBus.h"

#include <cstdio>

#include "sim/core/TraceLog.h"

namespace audio77::sim {
namespace {

constexpr std::uint32_t kFirstMessage = 0xC000;  // where registered messages start

}  // namespace

VirtualMessageBus::VirtualMessageBus(std::string state_folder) : state_folder_(std::move(state_folder)) {}

std::uint32_t VirtualMessageBus::Register(const std::string& name) {
  std::size_t index = 0;
  while (index < names_.size() && names_[index] != name) ++index;
  if (index == names_.size()) names_.push_back(name);
  const auto number = kFirstMessage + static_cast<std::uint32_t>(index);
  char hex[16];
  std::snprintf(hex, sizeof hex, "0x%X", number);
  Trace("bus register " + name + " = " + hex);
  return number;
}

void VirtualMessageBus::Broadcast(std::uint32_t message) {
  Trace("bus broadcast " + NameOf(message) + " = ok");
  // Copied: the handler may replace itself while it runs.
  const auto handler = handler_;
  if (handler) handler(message);
}

void VirtualMessageBus::SetHandler(std::function<void(std::uint32_t)> handler) {
  handler_ = std::move(handler);
}

std::string VirtualMessageBus::NameOf(std::uint32_t message) const {
  const std::uint32_t index = message - kFirstMessage;
  if (message >= kFirstMessage && index < names_.size()) return names_[index];
  return std::to_string(message);
}

void VirtualMessageBus::Trace(const std::string& line) const {
  TraceLog(state_folder_.empty() ? std::string() : state_folder_ + "/trace.log").Append(line);
}

}  // namespace audio77::sim
