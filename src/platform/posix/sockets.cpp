// The socket library on Linux: BSD sockets, which need no start-up.
#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>

#include "platform/posix/native_platform.h"

namespace korvu {

int PosixPlatform::StartSockets(std::uint16_t requestedVersion, std::uint16_t* version) {
  *version = requestedVersion;
  return 0;
}

void PosixPlatform::StopSockets() {}

std::uint32_t PosixPlatform::ParseAddress(const char* text) { return inet_addr(text); }

bool PosixPlatform::ResolveHostName(const char* name, std::uint32_t* address) {
  const hostent* entry = gethostbyname(name);
  if (entry == nullptr || entry->h_addrtype != AF_INET || entry->h_length != 4 ||
      entry->h_addr_list[0] == nullptr) {
    return false;
  }
  std::memcpy(address, entry->h_addr_list[0], 4);
  return true;
}

const char* PosixPlatform::FormatAddress(std::uint32_t address) {
  in_addr value{};
  value.s_addr = address;
  return inet_ntoa(value);
}

SocketId PosixPlatform::OpenDatagramSocket() {
  int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  return fd < 0 ? kInvalidSocket : fd;
}

bool PosixPlatform::AllowBroadcast(SocketId socket) {
  int on = 1;
  return setsockopt(static_cast<int>(socket), SOL_SOCKET, SO_BROADCAST, &on, sizeof on) == 0;
}

bool PosixPlatform::SendDatagram(SocketId socket, const std::uint8_t* data, std::size_t size,
                                 std::uint32_t address, std::uint16_t port) {
  sockaddr_in destination{};
  destination.sin_family = AF_INET;
  destination.sin_port = htons(port);
  destination.sin_addr.s_addr = address;
  return sendto(static_cast<int>(socket), data, size, 0,
                reinterpret_cast<const sockaddr*>(&destination), sizeof destination) >= 0;
}

void PosixPlatform::CloseSocket(SocketId socket) { close(static_cast<int>(socket)); }

}  // namespace korvu
