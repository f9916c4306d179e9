// The Linux platform: BSD sockets, an ICMP echo socket, the kernel's neighbour table over
// rtnetlink, and korvu.ini under the user's configuration folder.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "platform/platform.h"

namespace korvu {

struct ShellLinkSettings;

class PosixPlatform final : public Platform {
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
  // The shell-link objects: each interface handed out names the settings of its object.
  struct Interface {
    std::shared_ptr<ShellLinkSettings> settings;
    bool persistFile;
  };
  ShellLinkSettings& Link(InterfaceId link);
  std::map<InterfaceId, Interface> interfaces_;
  InterfaceId lastInterface_ = 0;

  // The echo handle that is a raw ICMP socket (it sees the IP header and every ICMP packet),
  // as opposed to a ping socket.
  EchoHandle rawEchoHandle_ = kInvalidEchoHandle;
};

/// Where a profile file of that name lives: a name without a folder goes into
/// $XDG_CONFIG_HOME/korvu (or $HOME/.config/korvu); a name with a folder stays as it is.
std::string ProfileFilePath(const char* fileName);

}  // namespace korvu
