// Starting and stopping the socket library.
#include "front/socket_library.h"

#include "common/text.h"

namespace korvu {

int InitializeSockets(Platform& platform) {
  std::uint16_t version = 0;
  if (platform.StartSockets(0x0101, &version) != 0) {
    platform.Print("InitializeSockets end because WSAStartup failed");
    return -1;
  }
  int major = version & 0xFF;
  int minor = version >> 8;
  if (major == 1 && minor == major) return 0;
  platform.StopSockets();
  PrintFormatted(platform, "InitializeSockets end, version=%d.%d", minor, major);
  return -2;
}

void CleanupSockets(Platform& platform) { platform.StopSockets(); }

}  // namespace korvu
