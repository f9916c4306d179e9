// The profile file on Windows: the system's own profile-string functions.
#include "platform/win32/native_platform.h"

namespace korvu {

bool Win32Platform::WriteProfileValue(const char* section, const char* key, const char* value,
                                      const char* fileName) {
  return WritePrivateProfileStringA(section, key, value, fileName) != 0;
}

std::uint32_t Win32Platform::ReadProfileValue(const char* section, const char* key,
                                              const char* defaultValue, char* buffer,
                                              std::uint32_t size, const char* fileName) {
  return GetPrivateProfileStringA(section, key, defaultValue, buffer, size, fileName);
}

}  // namespace korvu
