#pragma once
// The service manager of the virtual platform. Services are described in
// services.ini of the state folder (missing file: the manager answers and
// knows no service):
//
//   [Manager]
//   Reachable=1          ; 0: opening the manager fails
//   [AudioDeviceService] ; one section per service that exists
//   State=stopped        ; stopped, start-pending, stop-pending, running,
//                        ; continue-pending, pause-pending, paused, or 1..7
//   StartPolls=1         ; status queries after a start before it runs; never: it stays pending
//   StopPolls=1          ; the same for a stop
//   QueryFails=0         ; 1: every status query fails
//   StartFails=0         ; 1: a start is refused
//   StopFails=0          ; 1: a stop request is refused
//   ControlFails=0       ; 1: the service's own codes are refused
//
// Values that cannot be read keep their defaults. State lives in the
// process; the file is only read when the manager is created.
//
// Every call is traced in trace.log as "scm <service> <operation> <code> = <result>":
//   scm - open-manager 0x<access> = ok|failed
//   scm <service> open 0x<access> = ok|failed
//   scm <service> query - = <state 1..7>|failed
//   scm <service> start - = ok|failed
//   scm <service> control <code> = ok|failed
//   scm <service> close - = ok
//   scm - close-manager - = ok

#include <map>
#include <memory>
#include <string>

#include "platform/ServiceManager.h"

namespace audio77::sim {

class VirtualServiceBook;

struct VirtualService {
  ServiceState state = ServiceState::kStopped;
  int start_polls = 1;  // negative: never
  int stop_polls = 1;
  bool query_fails = false;
  bool start_fails = false;
  bool stop_fails = false;
  bool control_fails = false;
  // A start or stop under way: the state it reaches and the queries left.
  ServiceState target = ServiceState::kStopped;
  int polls_left = 0;
};

struct VirtualServiceWorld {
  bool reachable = true;
  std::map<std::string, VirtualService> services;
};

// Reads services.ini text; unknown sections and keys are ignored.
VirtualServiceWorld ParseServicesIni(const std::string& text);

class VirtualServiceManager final : public ServiceManager {
 public:
  // state_folder: where services.ini and trace.log live.
  explicit VirtualServiceManager(const std::string& state_folder);
  VirtualServiceManager(VirtualServiceWorld world, const std::string& trace_path);
  ~VirtualServiceManager() override;

  std::unique_ptr<ServiceConnection> OpenManager(std::uint32_t access) override;

 private:
  std::shared_ptr<VirtualServiceBook> book_;
};

}  // namespace audio77::sim
