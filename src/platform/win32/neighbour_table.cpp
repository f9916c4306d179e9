// The neighbour table on Windows: GetIpNetTable of Iphlpapi.dll, loaded by name for the read.
#include <cstring>

#include "platform/win32/native_platform.h"

namespace korvu {

bool Win32Platform::LoadTableLibrary() {
  tableLibrary_ = LoadLibraryA("Iphlpapi.dll");
  return tableLibrary_ != nullptr;
}

bool Win32Platform::FindTableFunction(const char* name) {
  if (std::strcmp(name, "GetIpNetTable") != 0) return false;
  getIpNetTable_ = EntryPoint<GetIpNetTableFunction>(tableLibrary_, name);
  return getIpNetTable_ != nullptr;
}

std::uint32_t Win32Platform::ReadNeighbourTable(void* buffer, std::uint32_t* size, bool sorted) {
  ULONG length = *size;
  DWORD result = getIpNetTable_(buffer, &length, sorted ? TRUE : FALSE);
  *size = length;
  return result;
}

void Win32Platform::FreeTableLibrary() {
  FreeLibrary(tableLibrary_);
  tableLibrary_ = nullptr;
  getIpNetTable_ = nullptr;
}

}  // namespace korvu
