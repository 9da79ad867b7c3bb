#pragma once
// Registered messages of the virtual platform, inside the process: a
// broadcast reaches this program's handler and then lets the clock run for
// the time-out, as a sender that waits for the other programs would. Traced:
//   bus register <name> = 0x<number>
//   bus broadcast <name> <timeout ms> = ok

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/MessageBus.h"

namespace audio77::sim {

class VirtualMessageBus final : public MessageBus {
 public:
  VirtualMessageBus(Clock& clock, std::string state_folder);

  std::uint32_t Register(const std::string& name) override;
  void Broadcast(std::uint32_t message, std::uint32_t timeout_ms) override;
  void SetHandler(std::function<void(std::uint32_t message)> handler) override;

 private:
  std::string NameOf(std::uint32_t message) const;
  void Trace(const std::string& line) const;

  Clock& clock_;
  std::string state_folder_;
  std::vector<std::string> names_;
  std::function<void(std::uint32_t)> handler_;
};

}  // namespace audio77::sim
