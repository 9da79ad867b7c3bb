#include "platform/linux/ControlDatagram.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <array>
#include <cstring>

namespace audio77 {

bool SendControlDatagram(const std::string& socket_path, std::uint32_t code) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (socket_path.empty() || socket_path.size() >= sizeof address.sun_path) return false;
  std::memcpy(address.sun_path, socket_path.c_str(), socket_path.size() + 1);

  const int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  const std::array<unsigned char, 4> bytes{
      static_cast<unsigned char>(code), static_cast<unsigned char>(code >> 8),
      static_cast<unsigned char>(code >> 16), static_cast<unsigned char>(code >> 24)};
  // Never blocks: a service that does not read its queue must not hold up the caller.
  const ssize_t sent = ::sendto(fd, bytes.data(), bytes.size(), MSG_DONTWAIT | MSG_NOSIGNAL,
                                reinterpret_cast<const sockaddr*>(&address), sizeof address);
  ::close(fd);
  return sent == static_cast<ssize_t>(bytes.size());
}

}  // namespace audio77
