// A platform for tests: scripted results, injected failures, and a log of every call.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/platform.h"

namespace korvu {

class FakePlatform : public Platform {
 public:
  // --- what the test scripts

  /// Makes a call fail: every time (occurrence 0) or only its N-th time (1-based). Calls are
  /// named as the log names them, by their first word ("sendto", "LoadLibraryA icmp.dll" for
  /// the calls that take a library name).
  void Fail(const std::string& call, int occurrence = 0) { faults_.push_back({call, occurrence}); }

  std::uint16_t socketVersion = 0x0101;        // what WSAStartup reports
  std::map<std::string, std::uint32_t> hosts;  // name -> address in network byte order
  std::vector<NeighbourRow> neighbours;        // the table, in the system's order
  std::uint32_t tableResult = kTableNoError;   // GetIpNetTable's answer when it fits
  /// Rows that join the table after the N-th read that found the buffer too small.
  std::vector<std::size_t> rowsAddedAfterRead;

  std::string desktopFolder = "D:\\Desktop";        // what SHGetSpecialFolderPathA gives
  std::string modulePath = "C:\\Tools\\korvu.exe";  // what GetModuleFileNameA gives
  std::string leadBytes;                            // bytes that begin a double-byte character
  std::vector<std::string> savedFiles;              // the paths of the shell links saved

  /// The profile store: per file, sections in order, each with its keys in order.
  using Section = std::pair<std::string, std::vector<std::pair<std::string, std::string>>>;
  std::map<std::string, std::vector<Section>> profiles;

  // --- what the test reads

  std::string output;                  // everything printed, in order
  std::vector<std::string> calls;      // one line per call, in order
  std::vector<std::uint8_t> datagram;  // the last datagram sent
  std::vector<std::uint8_t> echoData;  // the data of the last echo request

  /// Sets a value in the profile store as a hand-edited file would hold it.
  void SetProfileValue(const std::string& file, const std::string& section, const std::string& key,
                       const std::string& value);
  /// The value stored, or "<missing>".
  std::string ProfileValue(const std::string& file, const std::string& section,
                           const std::string& key) const;

  // --- the platform

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

  char PathSeparator() override { return '\\'; }
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
  struct Fault {
    std::string call;
    int occurrence;
  };

  /// Logs the call and tells whether the failure plan makes it fail.
  bool Call(const std::string& name, const std::string& line);

  std::vector<Fault> faults_;
  std::map<std::string, int> counts_;
  std::string addressText_;
  int tooSmallReads_ = 0;
  std::vector<std::uint8_t> reply_;
};

/// An address in network byte order from its four numbers.
std::uint32_t Address(int a, int b, int c, int d);

}  // namespace korvu
