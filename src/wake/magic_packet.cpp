// Waking a computer: the directed broadcast address and the wake-up datagram.
#include "wake/magic_packet.h"

#include <cstring>

#include "common/byte_order.h"
#include "common/text.h"
#include "wake/mac_text.h"

namespace korvu {

void GetBroadcastAddress(Platform& platform, char* out, const char* ipText, const char* maskText) {
  std::uint32_t address = NetworkToHost32(platform.ParseAddress(ipText));
  std::uint32_t mask = NetworkToHost32(platform.ParseAddress(maskText));
  std::uint32_t broadcast = (address & mask) | ~mask;
  CopyText(out, 16, platform.FormatAddress(HostToNetwork32(broadcast)));
}

void BuildMagicPacket(const std::uint8_t mac[6], std::uint8_t packet[kMagicPacketSize]) {
  std::memset(packet, 0xFF, 6);
  for (std::size_t i = 6; i < kMagicPacketSize; ++i) packet[i] = mac[(i - 6) % 6];
}

int SendMagicPacket(Platform& platform, const char* ipText, const char* maskText,
                    const char* macText) {
  char broadcastText[16];
  GetBroadcastAddress(platform, broadcastText, ipText, maskText);

  std::uint8_t mac[6];
  if (!ParseMacText(macText, mac)) return kSendBadMac;
  std::uint8_t packet[kMagicPacketSize];
  BuildMagicPacket(mac, packet);
  std::uint32_t destination = platform.ParseAddress(broadcastText);

  SocketId socket = platform.OpenDatagramSocket();
  if (socket == kInvalidSocket) {
    platform.Print("Socket error : socket\n");
    return kSendNoSocket;
  }
  if (!platform.AllowBroadcast(socket)) {
    platform.Print("Socket error : setsockopt\n");
    platform.CloseSocket(socket);
    return kSendNoBroadcast;
  }
  if (!platform.SendDatagram(socket, packet, kMagicPacketSize, destination, kWakePort)) {
    platform.Print("Socket error : sendto\n");
    platform.CloseSocket(socket);
    return kSendFailed;
  }
  platform.CloseSocket(socket);
  return kSendOk;
}

}  // namespace korvu
