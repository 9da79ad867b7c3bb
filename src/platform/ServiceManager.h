#pragma once
// The system's service manager: open the manager, open a service by name,
// query its state, start it, send it a control code.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace audio77 {

// The service states, with the platform's numbers.
enum class ServiceState : std::uint32_t {
  kStopped = 1, kStartPending = 2, kStopPending = 3, kRunning = 4,
  kContinuePending = 5, kPausePending = 6, kPaused = 7,
};

// One open service. Closes when destroyed.
class ServiceHandle {
 public:
  virtual ~ServiceHandle() = default;
  virtual std::optional<ServiceState> QueryState() = 0;
  virtual bool Start() = 0;
  // Code 1 asks the service to stop; 128 to 255 are the service's own codes.
  virtual bool Control(std::uint32_t code) = 0;
};

// An open connection to the manager. Closes when destroyed.
class ServiceConnection {
 public:
  virtual ~ServiceConnection() = default;
  // access carries the platform's access rights; null when the service cannot be opened.
  virtual std::unique_ptr<ServiceHandle> OpenService(const std::string& name, std::uint32_t access) = 0;
};

class ServiceManager {
 public:
  virtual ~ServiceManager() = default;
  // Null when the manager cannot be reached.
  virtual std::unique_ptr<ServiceConnection> OpenManager(std::uint32_t access) = 0;
};

}  // namespace audio77
