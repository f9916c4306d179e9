// The shell-link object on Windows: the system's IShellLinkA and IPersistFile.
#include <objbase.h>
#include <ole2.h>
#include <shlobj.h>

#include <cstring>

#include "platform/win32/native_platform.h"

namespace korvu {

namespace {

GUID ToGuid(const Guid& guid) {
  GUID native;
  static_assert(sizeof native == sizeof guid, "a GUID is 16 bytes");
  std::memcpy(&native, &guid, sizeof native);
  return native;
}

IShellLinkA* AsLink(InterfaceId link) { return reinterpret_cast<IShellLinkA*>(link); }

}  // namespace

void Win32Platform::InitializeCom() { OleInitialize(nullptr); }

Status Win32Platform::CreateInstance(const Guid& classId, const Guid& interfaceId,
                                     InterfaceId* object) {
  GUID clsid = ToGuid(classId);
  GUID iid = ToGuid(interfaceId);
  void* created = nullptr;
  HRESULT status = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, iid, &created);
  if (SUCCEEDED(status)) *object = reinterpret_cast<InterfaceId>(created);
  return status;
}

void Win32Platform::SetLinkPath(InterfaceId link, const char* path) { AsLink(link)->SetPath(path); }

void Win32Platform::SetLinkArguments(InterfaceId link, const char* arguments) {
  AsLink(link)->SetArguments(arguments);
}

void Win32Platform::SetLinkDescription(InterfaceId link, const char* description) {
  AsLink(link)->SetDescription(description);
}

void Win32Platform::SetLinkWorkingDirectory(InterfaceId link, const char* folder) {
  AsLink(link)->SetWorkingDirectory(folder);
}

void Win32Platform::SetLinkIconLocation(InterfaceId link, const char* path, int index) {
  AsLink(link)->SetIconLocation(path, index);
}

Status Win32Platform::QueryInterface(InterfaceId object, const Guid& interfaceId,
                                     InterfaceId* other) {
  GUID iid = ToGuid(interfaceId);
  void* found = nullptr;
  HRESULT status = reinterpret_cast<IUnknown*>(object)->QueryInterface(iid, &found);
  if (SUCCEEDED(status)) *other = reinterpret_cast<InterfaceId>(found);
  return status;
}

void Win32Platform::ConvertToWide(const char* text, std::uint16_t* wide, int size) {
  MultiByteToWideChar(CP_ACP, 0, text, -1, reinterpret_cast<WCHAR*>(wide), size);
}

Status Win32Platform::SaveToFile(InterfaceId persistFile, const std::uint16_t* fileName,
                                 bool remember) {
  return reinterpret_cast<IPersistFile*>(persistFile)
      ->Save(reinterpret_cast<LPCOLESTR>(fileName), remember ? TRUE : FALSE);
}

void Win32Platform::Release(InterfaceId object) { reinterpret_cast<IUnknown*>(object)->Release(); }

}  // namespace korvu
