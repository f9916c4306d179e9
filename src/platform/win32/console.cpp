// Standard output and the clock on Windows.
#include <cstdio>

#include "platform/native.h"
#include "platform/win32/native_platform.h"

namespace korvu {

void Win32Platform::Print(const char* text) {
  std::fputs(text, stdout);
  std::fflush(stdout);
}

void Win32Platform::Sleep(std::uint32_t milliseconds) { ::Sleep(milliseconds); }

std::unique_ptr<Platform> MakeNativePlatform() { return std::make_unique<Win32Platform>(); }

}  // namespace korvu
