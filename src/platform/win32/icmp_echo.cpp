// The echo facility on Windows: icmp.dll, loaded by name for the one request.
#include <cstring>

#include "platform/win32/native_platform.h"

namespace korvu {

bool Win32Platform::LoadEchoLibrary() {
  echoLibrary_ = LoadLibraryA("icmp.dll");
  return echoLibrary_ != nullptr;
}

bool Win32Platform::FindEchoFunction(const char* name) {
  if (std::strcmp(name, "IcmpCreateFile") == 0) {
    icmpCreateFile_ = EntryPoint<IcmpCreateFileFunction>(echoLibrary_, name);
    return icmpCreateFile_ != nullptr;
  }
  if (std::strcmp(name, "IcmpSendEcho") == 0) {
    icmpSendEcho_ = EntryPoint<IcmpSendEchoFunction>(echoLibrary_, name);
    return icmpSendEcho_ != nullptr;
  }
  if (std::strcmp(name, "IcmpCloseHandle") == 0) {
    icmpCloseHandle_ = EntryPoint<IcmpCloseHandleFunction>(echoLibrary_, name);
    return icmpCloseHandle_ != nullptr;
  }
  return false;
}

EchoHandle Win32Platform::OpenEchoHandle() {
  HANDLE handle = icmpCreateFile_();
  return handle == INVALID_HANDLE_VALUE ? kInvalidEchoHandle : reinterpret_cast<EchoHandle>(handle);
}

void* Win32Platform::AllocateReplyBuffer(std::size_t size) { return GlobalAlloc(GPTR, size); }

void Win32Platform::SendEcho(EchoHandle handle, std::uint32_t address, const std::uint8_t* data,
                             std::uint16_t size, void* reply, std::uint32_t replySize,
                             std::uint32_t timeoutMilliseconds) {
  icmpSendEcho_(reinterpret_cast<HANDLE>(handle), address, const_cast<std::uint8_t*>(data), size,
                nullptr, reply, replySize, timeoutMilliseconds);
}

void Win32Platform::CloseEchoHandle(EchoHandle handle) {
  icmpCloseHandle_(reinterpret_cast<HANDLE>(handle));
}

void Win32Platform::FreeEchoLibrary() {
  FreeLibrary(echoLibrary_);
  echoLibrary_ = nullptr;
  icmpCreateFile_ = nullptr;
  icmpSendEcho_ = nullptr;
  icmpCloseHandle_ = nullptr;
}

void Win32Platform::FreeReplyBuffer(void* reply) { GlobalFree(reply); }

}  // namespace korvu
