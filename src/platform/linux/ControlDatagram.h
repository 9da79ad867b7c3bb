#pragma once
// The channel for a service's own control codes (128 to 255): one datagram of
// four bytes, the code in little-endian order, to the service's control
// socket. Whether the service reads it is the service's business.

#include <cstdint>
#include <string>

namespace audio77 {

inline constexpr const char* kServiceControlSocket = "/run/AudioDeviceService/control";

// True when the datagram was handed to the socket.
bool SendControlDatagram(const std::string& socket_path, std::uint32_t code);

}  // namespace audio77
