// Folders and the program's own path on Windows.
#include <shlobj.h>

#include "platform/win32/native_platform.h"

namespace korvu {

char Win32Platform::PathSeparator() { return '\\'; }

bool Win32Platform::IsLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }

bool Win32Platform::GetDesktopFolder(char* buffer) {
  buffer[0] = '\0';
  return SHGetSpecialFolderPathA(nullptr, buffer, CSIDL_DESKTOP, FALSE) != FALSE &&
         buffer[0] != '\0';
}

bool Win32Platform::GetModulePath(char* buffer, std::uint32_t size) {
  DWORD length = GetModuleFileNameA(nullptr, buffer, size);
  return length > 0 && length < size;
}

}  // namespace korvu
