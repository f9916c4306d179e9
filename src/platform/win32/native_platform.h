// The Windows platform: Winsock 1.1, icmp.dll and Iphlpapi.dll loaded by name, and the
// profile-string functions.
#pragma once

#include <windows.h>

#include "platform/platform.h"

namespace korvu {

class Win32Platform final : public Platform {
 public:
  void Print(const char* text) override;
  void Sleep(std::uint32_t milliseconds) override;

  int StartSockets(std::uint16_t requestedVersion, std::uint16_t* version) override;
  void StopSockets() override;
  std::uint32_t ParseAddress(const char* text) override;
  bool ResolveHostName(const char* name, std::uint32_t* address) override;
  const char* FormatAddress(std::uint32_t address) override;
  SocketId OpenDatagramSocket() override;
  bool AllowBroadcast(SocketId socket) override;
  bool SendDatagram(SocketId socket, const std::uint8_t* data, std::size_t size,
                    std::uint32_t address, std::uint16_t port) override;
  void CloseSocket(SocketId socket) override;

  bool LoadEchoLibrary() override;
  bool FindEchoFunction(const char* name) override;
  EchoHandle OpenEchoHandle() override;
  void* AllocateReplyBuffer(std::size_t size) override;
  void SendEcho(EchoHandle handle, std::uint32_t address, const std::uint8_t* data,
                std::uint16_t size, void* reply, std::uint32_t replySize,
                std::uint32_t timeoutMilliseconds) override;
  void CloseEchoHandle(EchoHandle handle) override;
  void FreeEchoLibrary() override;
  void FreeReplyBuffer(void* reply) override;

  bool LoadTableLibrary() override;
  bool FindTableFunction(const char* name) override;
  std::uint32_t ReadNeighbourTable(void* buffer, std::uint32_t* size, bool sorted) override;
  void FreeTableLibrary() override;

  char PathSeparator() override;
  bool IsLeadByte(unsigned char byte) override;
  bool GetDesktopFolder(char* buffer) override;
  bool GetModulePath(char* buffer, std::uint32_t size) override;
  void InitializeCom() override;
  Status CreateInstance(const Guid& classId, const Guid& interfaceId, InterfaceId* object) override;
  void SetLinkPath(InterfaceId link, const char* path) override;
  void SetLinkArguments(InterfaceId link, const char* arguments) override;
  void SetLinkDescription(InterfaceId link, const char* description) override;
  void SetLinkWorkingDirectory(InterfaceId link, const char* folder) override;
  void SetLinkIconLocation(InterfaceId link, const char* path, int index) override;
  Status QueryInterface(InterfaceId object, const Guid& interfaceId, InterfaceId* other) override;
  void ConvertToWide(const char* text, std::uint16_t* wide, int size) override;
  Status SaveToFile(InterfaceId persistFile, const std::uint16_t* fileName, bool remember) override;
  void Release(InterfaceId object) override;

  bool WriteProfileValue(const char* section, const char* key, const char* value,
                         const char* fileName) override;
  std::uint32_t ReadProfileValue(const char* section, const char* key, const char* defaultValue,
                                 char* buffer, std::uint32_t size, const char* fileName) override;

 private:
  // Entry points of the two libraries, valid while the library is loaded.
  using IcmpCreateFileFunction = HANDLE(WINAPI*)();
  using IcmpSendEchoFunction = DWORD(WINAPI*)(HANDLE, ULONG, LPVOID, WORD, LPVOID, LPVOID, DWORD,
                                              DWORD);
  using IcmpCloseHandleFunction = BOOL(WINAPI*)(HANDLE);
  using GetIpNetTableFunction = DWORD(WINAPI*)(LPVOID, PULONG, BOOL);

  HMODULE echoLibrary_ = nullptr;
  IcmpCreateFileFunction icmpCreateFile_ = nullptr;
  IcmpSendEchoFunction icmpSendEcho_ = nullptr;
  IcmpCloseHandleFunction icmpCloseHandle_ = nullptr;
  HMODULE tableLibrary_ = nullptr;
  GetIpNetTableFunction getIpNetTable_ = nullptr;
};

/// Turns an entry point found by GetProcAddress into the function type it has.
template <typename Function>
Function EntryPoint(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

}  // namespace korvu
