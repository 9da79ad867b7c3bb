#include "app/ControlTheService.h"

namespace audio77 {
namespace {

// Access rights with the platform's numbers: the manager is only connected to;
// a service is opened with full rights for start and stop, and only with
// status and user-control rights for the service's own codes.
constexpr std::uint32_t kManagerConnect = 0x1;
constexpr std::uint32_t kServiceAllAccess = 0xF01FF;
constexpr std::uint32_t kServiceQueryStatus = 0x4;
constexpr std::uint32_t kServiceUserDefinedControl = 0x100;
constexpr std::uint32_t kFirstUserCode = 128;

constexpr int kPollAttempts = 30;
constexpr std::uint32_t kPollPauseMs = 300;

enum Result : std::uint32_t {
  kDone = 0, kNoManager = 1, kNoService = 2, kNoStatus = 3,
  kStopRefused = 4, kStillRunning = 5, kStartFailed = 6, kNotRunning = 7,
};

bool WaitForState(ServiceHandle& service, Clock& clock, ServiceState wanted) {
  for (int attempt = 0; attempt < kPollAttempts; ++attempt) {
    if (service.QueryState() == wanted) return true;
    clock.Sleep(kPollPauseMs);
  }
  return false;
}

std::uint32_t Stop(ServiceHandle& service, Clock& clock, ServiceState current) {
  if (current == ServiceState::kStopped) return kDone;
  if (!service.Control(kServiceCodeStop)) return kStopRefused;
  return WaitForState(service, clock, ServiceState::kStopped) ? kDone : kStillRunning;
}

std::uint32_t Start(ServiceHandle& service, Clock& clock, ServiceState current) {
  if (current == ServiceState::kRunning) return kDone;
  if (!service.Start()) return kStartFailed;
  return WaitForState(service, clock, ServiceState::kRunning) ? kDone : kNotRunning;
}

}  // namespace

std::uint32_t ControlTheService(ServiceManager& manager, Clock& clock,
                                const std::string& service_name, std::uint32_t code) {
  const auto connection = manager.OpenManager(kManagerConnect);
  if (!connection) return kNoManager;
  const std::uint32_t access =
      code < kFirstUserCode ? kServiceAllAccess : kServiceQueryStatus | kServiceUserDefinedControl;
  // Declared after the connection, so the service closes first on every path.
  const auto service = connection->OpenService(service_name, access);
  if (!service) return kNoService;
  const auto state = service->QueryState();
  if (!state) return kNoStatus;
  switch (code) {
    case kServiceCodeStop: return Stop(*service, clock, *state);
    case kServiceCodeStart: return Start(*service, clock, *state);
    default:
      // The service's own codes are fire and forget: whether it took the
      // request is its business.
      service->Control(code);
      return kDone;
  }
}

}  // namespace audio77
