#pragma once
// Sends one control request to a system service and, for start and stop,
// waits until the service has reached the wanted state.

#include <cstdint>
#include <string>

#include "platform/Clock.h"
#include "platform/ServiceManager.h"

namespace audio77 {

inline constexpr std::uint32_t kServiceCodeStart = 0;
inline constexpr std::uint32_t kServiceCodeStop = 1;

// Results: 0 done; 1 manager not reachable; 2 service cannot be opened;
// 3 status cannot be read; 4 stop refused; 5 not stopped after polling;
// 6 start failed; 7 not running after polling. Codes other than start and
// stop are handed to the service and always give 0.
std::uint32_t ControlTheService(ServiceManager& manager, Clock& clock,
                                const std::string& service_name, std::uint32_t code);

}  // namespace audio77
