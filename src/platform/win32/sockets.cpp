// The socket library on Windows: Winsock, started at version 1.1.
#include <winsock2.h>

#include <cstring>

#include "platform/win32/native_platform.h"

namespace korvu {

int Win32Platform::StartSockets(std::uint16_t requestedVersion, std::uint16_t* version) {
  WSADATA data;
  int result = WSAStartup(requestedVersion, &data);
  if (result == 0) *version = data.wVersion;
  return result;
}

void Win32Platform::StopSockets() { WSACleanup(); }

std::uint32_t Win32Platform::ParseAddress(const char* text) { return inet_addr(text); }

bool Win32Platform::ResolveHostName(const char* name, std::uint32_t* address) {
  const hostent* entry = gethostbyname(name);
  if (entry == nullptr || entry->h_addrtype != AF_INET || entry->h_length != 4 ||
      entry->h_addr_list[0] == nullptr) {
    return false;
  }
  std::memcpy(address, entry->h_addr_list[0], 4);
  return true;
}

const char* Win32Platform::FormatAddress(std::uint32_t address) {
  in_addr value;
  value.s_addr = address;
  return inet_ntoa(value);
}

SocketId Win32Platform::OpenDatagramSocket() {
  SOCKET s = socket(AF_INET, SOCK_DGRAM, 0);
  return s == INVALID_SOCKET ? kInvalidSocket : static_cast<SocketId>(s);
}

bool Win32Platform::AllowBroadcast(SocketId socket) {
  int on = 1;
  return setsockopt(static_cast<SOCKET>(socket), SOL_SOCKET, SO_BROADCAST,
                    reinterpret_cast<const char*>(&on), sizeof on) != SOCKET_ERROR;
}

bool Win32Platform::SendDatagram(SocketId socket, const std::uint8_t* data, std::size_t size,
                                 std::uint32_t address, std::uint16_t port) {
  sockaddr_in destination;
  std::memset(&destination, 0, sizeof destination);
  destination.sin_family = AF_INET;
  destination.sin_port = htons(port);
  destination.sin_addr.s_addr = address;
  return sendto(static_cast<SOCKET>(socket), reinterpret_cast<const char*>(data),
                static_cast<int>(size), 0, reinterpret_cast<const sockaddr*>(&destination),
                sizeof destination) != SOCKET_ERROR;
}

void Win32Platform::CloseSocket(SocketId socket) { closesocket(static_cast<SOCKET>(socket)); }

}  // namespace korvu
