// Finding a computer's MAC address: one echo request, then the system's neighbour table.
#include "discovery/lookup.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "common/text.h"

namespace korvu {

namespace {

constexpr int kTableTries = 4;

/// Makes the system learn the target's physical address. Returns false, with the facility's
/// message where it has one, when no request could be sent.
bool EchoStage(Platform& platform, std::uint32_t target) {
  if (!platform.LoadEchoLibrary()) {
    platform.Print("Can not find icmp.dll\n");
    return false;
  }
  for (const char* name : {"IcmpCreateFile", "IcmpSendEcho", "IcmpCloseHandle"}) {
    if (!platform.FindEchoFunction(name)) {
      platform.FreeEchoLibrary();
      return false;
    }
  }
  EchoHandle handle = platform.OpenEchoHandle();
  if (handle == kInvalidEchoHandle) {
    platform.Print("Can not create icmp file.\n");
    platform.FreeEchoLibrary();
    return false;
  }
  std::uint8_t data[kEchoDataSize];
  std::memset(data, 0xAA, sizeof data);
  void* reply = platform.AllocateReplyBuffer(kReplyBufferSize);
  if (reply == nullptr) {
    platform.CloseEchoHandle(handle);
    platform.FreeEchoLibrary();
    return false;
  }
  platform.SendEcho(handle, target, data, kEchoDataSize, reply, kReplyBufferSize, kEchoTimeout);
  platform.CloseEchoHandle(handle);
  platform.FreeEchoLibrary();
  platform.FreeReplyBuffer(reply);
  return true;
}

/// Reads the whole table into buffer, growing it to the size the system asks for.
std::uint32_t ReadWholeTable(Platform& platform, std::vector<std::uint32_t>* buffer) {
  std::uint32_t size = kFirstTableSize;
  std::uint32_t result = kTableBufferTooSmall;
  for (int tries = 0; tries < kTableTries && result == kTableBufferTooSmall; ++tries) {
    buffer->assign((size + 3) / 4, 0);
    result = platform.ReadNeighbourTable(buffer->data(), &size, false);
  }
  return result;
}

/// Writes the physical address of the first row for target into macText. A row without
/// address bytes, or whose bytes are all zero (a neighbour that never answered), leaves it empty.
void FormatFirstMatch(const std::vector<std::uint32_t>& buffer, std::uint32_t target,
                      char* macText) {
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(buffer.data());
  std::size_t capacity = (buffer.size() * 4 - kNeighbourTableHeaderSize) / sizeof(NeighbourRow);
  std::uint32_t count;
  std::memcpy(&count, bytes, sizeof count);
  if (count > capacity) count = static_cast<std::uint32_t>(capacity);
  for (std::uint32_t i = 0; i < count; ++i) {
    NeighbourRow row;
    std::memcpy(&row, bytes + kNeighbourTableHeaderSize + i * sizeof row, sizeof row);
    if (row.addr != target) continue;
    std::uint32_t length = row.physAddrLen < 8 ? row.physAddrLen : 8;
    bool anyByte = false;
    for (std::uint32_t j = 0; j < length; ++j) anyByte = anyByte || row.physAddr[j] != 0;
    if (!anyByte) return;
    for (std::uint32_t j = 0; j < length; ++j)
      std::snprintf(macText + 2 * j, 3, "%02X", static_cast<unsigned>(row.physAddr[j]));
    return;
  }
}

int TableStage(Platform& platform, std::uint32_t target, char* macText) {
  if (!platform.LoadTableLibrary()) {
    platform.Print("Can not find Iphlpapi.dll\n");
    return 0;
  }
  if (!platform.FindTableFunction("GetIpNetTable")) {
    platform.FreeTableLibrary();
    return 0;
  }
  std::vector<std::uint32_t> buffer;
  if (ReadWholeTable(platform, &buffer) != kTableNoError) {
    platform.FreeTableLibrary();
    return 0;
  }
  FormatFirstMatch(buffer, target, macText);
  platform.FreeTableLibrary();
  return macText[0] != '\0' ? 1 : 0;
}

}  // namespace

int LookupMacAddress(Platform& platform, char* hostText, char* macText) {
  macText[0] = '\0';
  std::uint32_t target = platform.ParseAddress(hostText);
  if (target == kAddressNone) {
    if (!platform.ResolveHostName(hostText, &target)) {
      PrintFormatted(platform, "Can not resolve %s\n", hostText);
      return 0;
    }
    const auto* quad = reinterpret_cast<const std::uint8_t*>(&target);
    std::snprintf(hostText, 20, "%u.%u.%u.%u", unsigned{quad[0]}, unsigned{quad[1]},
                  unsigned{quad[2]}, unsigned{quad[3]});
  }
  if (!EchoStage(platform, target)) return 0;
  return TableStage(platform, target, macText);
}

}  // namespace korvu
