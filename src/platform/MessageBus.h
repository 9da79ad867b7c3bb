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
  // Sends the message to everybody: this program's handler runs at once,
  // the other programs get it from the bus. Nobody answers a broadcast, so it
  // returns as soon as the message has left this program; no timer or input
  // runs meanwhile. A caller that gives the others time to react pauses
  // itself (Clock::Sleep).
  virtual void Broadcast(std::uint32_t message) = 0;
  // Received messages are delivered to handler on the UI thread.
  virtual void SetHandler(std::function<void(std::uint32_t message)> handler) = 0;
};

}  // namespace audio77
