#pragma once
// Messages registered by name and broadcast to every program of the session.

#include <cstdint>
#include <functional>
#include <string>

namespace audio77 {

class MessageBus {
 public:
  virtual ~MessageBus() = default;
  // The same name always gives the same non-zero number within a session.
  virtual std::uint32_t Register(const std::string& name) = 0;
  // Sends the message to everybody, this program included, and lets this
  // program's events run for at most timeout_ms.
  virtual void Broadcast(std::uint32_t message, std::uint32_t timeout_ms) = 0;
  // Received messages are delivered to handler on the UI thread.
  virtual void SetHandler(std::function<void(std::uint32_t message)> handler) = 0;
};

}  // namespace audio77
