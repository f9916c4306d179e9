// A platform for tests: scripted results, injected failures, and a log of every call.
#include "fake_platform.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace korvu {

namespace {

constexpr SocketId kFakeSocket = 3;
constexpr EchoHandle kFakeEchoHandle = 5;

std::string Lower(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

std::string Quad(std::uint32_t address) {
  const auto* b = reinterpret_cast<const unsigned char*>(&address);
  return std::to_string(b[0]) + "." + std::to_string(b[1]) + "." + std::to_string(b[2]) + "." +
         std::to_string(b[3]);
}

/// The numbers-and-dots notation of the socket library: one to four parts, each decimal,
/// octal (leading 0) or hexadecimal (leading 0x), the last part filling the remaining bytes.
bool ParseNumbersAndDots(const char* text, std::uint32_t* hostOrder) {
  std::uint32_t parts[4];
  int count = 0;
  const char* p = text;
  for (;;) {
    if (count == 4 || !(*p >= '0' && *p <= '9')) return false;
    char* end;
    unsigned long value = std::strtoul(p, &end, 0);
    if (value > 0xFFFFFFFFul) return false;
    parts[count++] = static_cast<std::uint32_t>(value);
    p = end;
    if (*p == '\0') break;
    if (*p != '.') return false;
    ++p;
  }
  std::uint32_t result = 0;
  for (int i = 0; i < count - 1; ++i) {
    if (parts[i] > 255) return false;
    result |= parts[i] << (24 - 8 * i);
  }
  std::uint32_t lastLimit = count == 1 ? 0xFFFFFFFFu : (0xFFFFFFFFu >> (8 * (count - 1)));
  if (parts[count - 1] > lastLimit) return false;
  *hostOrder = result | parts[count - 1];
  return true;
}

}  // namespace

std::uint32_t Address(int a, int b, int c, int d) {
  unsigned char bytes[4] = {static_cast<unsigned char>(a), static_cast<unsigned char>(b),
                            static_cast<unsigned char>(c), static_cast<unsigned char>(d)};
  std::uint32_t address;
  std::memcpy(&address, bytes, 4);
  return address;
}

bool FakePlatform::Call(const std::string& name, const std::string& line) {
  calls.push_back(line);
  int count = ++counts_[name];
  for (const Fault& fault : faults_) {
    if (fault.call == name && (fault.occurrence == 0 || fault.occurrence == count)) return true;
  }
  return false;
}

void FakePlatform::Print(const char* text) { output += text; }

void FakePlatform::Sleep(std::uint32_t milliseconds) {
  Call("Sleep", "Sleep " + std::to_string(milliseconds));
}

int FakePlatform::StartSockets(std::uint16_t requestedVersion, std::uint16_t* version) {
  char word[8];
  std::snprintf(word, sizeof word, "0x%04X", requestedVersion);
  if (Call("WSAStartup", std::string("WSAStartup ") + word)) return 10091;
  *version = socketVersion;
  return 0;
}

void FakePlatform::StopSockets() { Call("WSACleanup", "WSACleanup"); }

std::uint32_t FakePlatform::ParseAddress(const char* text) {
  std::uint32_t hostOrder;
  if (!ParseNumbersAndDots(text, &hostOrder)) return kAddressNone;
  return Address(static_cast<int>(hostOrder >> 24), static_cast<int>((hostOrder >> 16) & 0xFF),
                 static_cast<int>((hostOrder >> 8) & 0xFF), static_cast<int>(hostOrder & 0xFF));
}

bool FakePlatform::ResolveHostName(const char* name, std::uint32_t* address) {
  bool failed = Call("gethostbyname", std::string("gethostbyname ") + name);
  auto found = hosts.find(name);
  if (failed || found == hosts.end()) return false;
  *address = found->second;
  return true;
}

const char* FakePlatform::FormatAddress(std::uint32_t address) {
  addressText_ = Quad(address);
  return addressText_.c_str();
}

SocketId FakePlatform::OpenDatagramSocket() {
  return Call("socket", "socket AF_INET SOCK_DGRAM 0") ? kInvalidSocket : kFakeSocket;
}

bool FakePlatform::AllowBroadcast(SocketId socket) {
  return !Call("setsockopt", "setsockopt " + std::to_string(socket) + " SO_BROADCAST 1");
}

bool FakePlatform::SendDatagram(SocketId, const std::uint8_t* data, std::size_t size,
                                std::uint32_t address, std::uint16_t port) {
  bool failed = Call("sendto", "sendto " + std::to_string(size) + " bytes to " + Quad(address) +
                                   ":" + std::to_string(port));
  if (!failed) datagram.assign(data, data + size);
  return !failed;
}

void FakePlatform::CloseSocket(SocketId socket) {
  Call("closesocket", "closesocket " + std::to_string(socket));
}

bool FakePlatform::LoadEchoLibrary() {
  return !Call("LoadLibraryA icmp.dll", "LoadLibraryA icmp.dll");
}

bool FakePlatform::FindEchoFunction(const char* name) {
  std::string line = std::string("GetProcAddress ") + name;
  return !Call(line, line);
}

EchoHandle FakePlatform::OpenEchoHandle() {
  return Call("IcmpCreateFile", "IcmpCreateFile") ? kInvalidEchoHandle : kFakeEchoHandle;
}

void* FakePlatform::AllocateReplyBuffer(std::size_t size) {
  if (Call("GlobalAlloc", "GlobalAlloc GPTR " + std::to_string(size))) return nullptr;
  reply_.assign(size, 0);
  return reply_.data();
}

void FakePlatform::SendEcho(EchoHandle, std::uint32_t address, const std::uint8_t* data,
                            std::uint16_t size, void*, std::uint32_t replySize,
                            std::uint32_t timeoutMilliseconds) {
  echoData.assign(data, data + size);
  Call("IcmpSendEcho", "IcmpSendEcho " + Quad(address) + " " + std::to_string(size) +
                           " bytes reply " + std::to_string(replySize) + " timeout " +
                           std::to_string(timeoutMilliseconds));
}

void FakePlatform::CloseEchoHandle(EchoHandle) { Call("IcmpCloseHandle", "IcmpCloseHandle"); }

void FakePlatform::FreeEchoLibrary() { Call("FreeLibrary icmp.dll", "FreeLibrary icmp.dll"); }

void FakePlatform::FreeReplyBuffer(void*) {
  reply_.clear();
  Call("GlobalFree", "GlobalFree");
}

bool FakePlatform::LoadTableLibrary() {
  return !Call("LoadLibraryA Iphlpapi.dll", "LoadLibraryA Iphlpapi.dll");
}

bool FakePlatform::FindTableFunction(const char* name) {
  std::string line = std::string("GetProcAddress ") + name;
  return !Call(line, line);
}

std::uint32_t FakePlatform::ReadNeighbourTable(void* buffer, std::uint32_t* size, bool sorted) {
  bool failed = Call("GetIpNetTable", "GetIpNetTable size " + std::to_string(*size) +
                                          (sorted ? " sorted" : " unsorted"));
  if (failed) return 232;
  std::uint32_t needed = kNeighbourTableHeaderSize +
                         static_cast<std::uint32_t>(neighbours.size() * sizeof(NeighbourRow));
  if (*size < needed) {
    *size = needed;
    std::size_t read = static_cast<std::size_t>(tooSmallReads_++);
    if (read < rowsAddedAfterRead.size())
      neighbours.resize(neighbours.size() + rowsAddedAfterRead[read], NeighbourRow{});
    return kTableBufferTooSmall;
  }
  if (tableResult != kTableNoError) return tableResult;
  std::uint32_t count = static_cast<std::uint32_t>(neighbours.size());
  auto* bytes = static_cast<std::uint8_t*>(buffer);
  std::memcpy(bytes, &count, sizeof count);
  if (count != 0)
    std::memcpy(bytes + kNeighbourTableHeaderSize, neighbours.data(), count * sizeof(NeighbourRow));
  return kTableNoError;
}

void FakePlatform::FreeTableLibrary() {
  Call("FreeLibrary Iphlpapi.dll", "FreeLibrary Iphlpapi.dll");
}

namespace {

constexpr InterfaceId kFakeShellLink = 7;
constexpr InterfaceId kFakePersistFile = 8;

std::string GuidName(const Guid& guid) {
  switch (guid.data1) {
    case 0x00021401:
      return "CLSID_ShellLink";
    case 0x000214EE:
      return "IID_IShellLinkA";
    case 0x0000010B:
      return "IID_IPersistFile";
    default:
      return "unknown";
  }
}

std::string InterfaceName(InterfaceId object) {
  return object == kFakeShellLink     ? "IShellLinkA"
         : object == kFakePersistFile ? "IPersistFile"
                                      : "unknown";
}

}  // namespace

bool FakePlatform::IsLeadByte(unsigned char byte) {
  return leadBytes.find(static_cast<char>(byte)) != std::string::npos;
}

bool FakePlatform::GetDesktopFolder(char* buffer) {
  if (Call("SHGetSpecialFolderPathA", "SHGetSpecialFolderPathA CSIDL_DESKTOP")) return false;
  std::memcpy(buffer, desktopFolder.c_str(), desktopFolder.size() + 1);
  return true;
}

bool FakePlatform::GetModulePath(char* buffer, std::uint32_t size) {
  if (Call("GetModuleFileNameA", "GetModuleFileNameA " + std::to_string(size))) return false;
  if (modulePath.size() >= size) return false;
  std::memcpy(buffer, modulePath.c_str(), modulePath.size() + 1);
  return true;
}

void FakePlatform::InitializeCom() { Call("OleInitialize", "OleInitialize"); }

Status FakePlatform::CreateInstance(const Guid& classId, const Guid& interfaceId,
                                    InterfaceId* object) {
  if (Call("CoCreateInstance",
           "CoCreateInstance " + GuidName(classId) + " " + GuidName(interfaceId))) {
    return static_cast<Status>(0x80040154u);
  }
  *object = kFakeShellLink;
  return 0;
}

void FakePlatform::SetLinkPath(InterfaceId, const char* path) {
  Call("SetPath", std::string("SetPath ") + path);
}

void FakePlatform::SetLinkArguments(InterfaceId, const char* arguments) {
  Call("SetArguments", std::string("SetArguments ") + arguments);
}

void FakePlatform::SetLinkDescription(InterfaceId, const char* description) {
  Call("SetDescription", std::string("SetDescription ") + description);
}

void FakePlatform::SetLinkWorkingDirectory(InterfaceId, const char* folder) {
  Call("SetWorkingDirectory", std::string("SetWorkingDirectory ") + folder);
}

void FakePlatform::SetLinkIconLocation(InterfaceId, const char* path, int index) {
  Call("SetIconLocation",
       std::string("SetIconLocation ") + (path ? path : "(null)") + " " + std::to_string(index));
}

Status FakePlatform::QueryInterface(InterfaceId object, const Guid& interfaceId,
                                    InterfaceId* other) {
  if (Call("QueryInterface",
           "QueryInterface " + InterfaceName(object) + " " + GuidName(interfaceId))) {
    return static_cast<Status>(0x80004002u);
  }
  *other = kFakePersistFile;
  return 0;
}

void FakePlatform::ConvertToWide(const char* text, std::uint16_t* wide, int size) {
  Call("MultiByteToWideChar",
       "MultiByteToWideChar " + std::string(text) + " " + std::to_string(size));
  int i = 0;
  for (; text[i] != '\0' && i < size - 1; ++i) wide[i] = static_cast<unsigned char>(text[i]);
  wide[i] = 0;
}

Status FakePlatform::SaveToFile(InterfaceId persistFile, const std::uint16_t* fileName,
                                bool remember) {
  std::string path;
  for (const std::uint16_t* unit = fileName; *unit != 0; ++unit) path += static_cast<char>(*unit);
  if (Call("Save",
           "Save " + InterfaceName(persistFile) + " " + path + (remember ? " TRUE" : " FALSE"))) {
    return static_cast<Status>(0x80070005u);
  }
  savedFiles.push_back(path);
  return 0;
}

void FakePlatform::Release(InterfaceId object) {
  Call("Release", "Release " + InterfaceName(object));
}

void FakePlatform::SetProfileValue(const std::string& file, const std::string& section,
                                   const std::string& key, const std::string& value) {
  std::vector<Section>& sections = profiles[Lower(file)];
  for (Section& s : sections) {
    if (Lower(s.first) != Lower(section)) continue;
    for (auto& entry : s.second) {
      if (Lower(entry.first) == Lower(key)) {
        entry.second = value;
        return;
      }
    }
    s.second.push_back({key, value});
    return;
  }
  sections.push_back({section, {{key, value}}});
}

std::string FakePlatform::ProfileValue(const std::string& file, const std::string& section,
                                       const std::string& key) const {
  auto found = profiles.find(Lower(file));
  if (found == profiles.end()) return "<missing>";
  for (const Section& s : found->second) {
    if (Lower(s.first) != Lower(section)) continue;
    for (const auto& entry : s.second)
      if (Lower(entry.first) == Lower(key)) return entry.second;
    return "<missing>";
  }
  return "<missing>";
}

bool FakePlatform::WriteProfileValue(const char* section, const char* key, const char* value,
                                     const char* fileName) {
  if (Call("WritePrivateProfileStringA", std::string("WritePrivateProfileStringA [") + section +
                                             "] " + key + "=" + value + " " + fileName)) {
    return false;
  }
  SetProfileValue(fileName, section, key, value);
  return true;
}

std::uint32_t FakePlatform::ReadProfileValue(const char* section, const char* key,
                                             const char* defaultValue, char* buffer,
                                             std::uint32_t size, const char* fileName) {
  Call("GetPrivateProfileStringA", std::string("GetPrivateProfileStringA [") + section + "] " +
                                       key + " default \"" + defaultValue + "\" size " +
                                       std::to_string(size) + " " + fileName);
  std::string value = ProfileValue(fileName, section, key);
  if (value == "<missing>") value = defaultValue;
  if (value.size() > size - 1) value.resize(size - 1);
  std::memcpy(buffer, value.c_str(), value.size() + 1);
  return static_cast<std::uint32_t>(value.size());
}

}  // namespace korvu
