// Standard output and the clock on Linux.
#include <chrono>
#include <cstdio>
#include <thread>

#include "platform/native.h"
#include "platform/posix/native_platform.h"

namespace korvu {

void PosixPlatform::Print(const char* text) {
  std::fputs(text, stdout);
  std::fflush(stdout);
}

void PosixPlatform::Sleep(std::uint32_t milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

std::unique_ptr<Platform> MakeNativePlatform() { return std::make_unique<PosixPlatform>(); }

}  // namespace korvu
