// Standard output and the clock on Linux.
#include <time.h>

#include <cerrno>
#include <cstdio>

#include "platform/native.h"
#include "platform/posix/native_platform.h"

namespace korvu {

void PosixPlatform::Print(const char* text) {
  std::fputs(text, stdout);
  std::fflush(stdout);
}

void PosixPlatform::Sleep(std::uint32_t milliseconds) {
  timespec pause{static_cast<time_t>(milliseconds / 1000),
                 static_cast<long>(milliseconds % 1000) * 1000000L};
  while (nanosleep(&pause, &pause) != 0 && errno == EINTR) {
  }
}

std::unique_ptr<Platform> MakeNativePlatform() { return std::make_unique<PosixPlatform>(); }

}  // namespace korvu
