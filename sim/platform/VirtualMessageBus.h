#pragma once
// Registered messages of the virtual platform, inside the process: a
// broadcast reaches this program's handler at once and returns. Traced:
//   bus register <name> = 0x<number>
//   bus broadcast <name> = ok

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/MessageBus.h"

namespace audio77::sim {

class VirtualMessageBus final : public MessageBus {
 public:
  explicit VirtualMessageBus(std::string state_folder);

  std::uint32_t Register(const std::string& name) override;
  void Broadcast(std::uint32_t message) override;
  void SetHandler(std::function<void(std::uint32_t message)> handler) override;

 private:
  std::string NameOf(std::uint32_t message) const;
  void Trace(const std::string& line) const;

  std::string state_folder_;
  std::vector<std::string> names_;
  std::function<void(std::uint32_t)> handler_;
};

}  // namespace audio77::sim
