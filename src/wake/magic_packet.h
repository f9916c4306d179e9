// Waking a computer: the directed broadcast address and the wake-up datagram.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/platform.h"

namespace korvu {

constexpr std::size_t kMagicPacketSize = 126;
constexpr std::uint16_t kWakePort = 7;

/// Results of SendMagicPacket.
constexpr int kSendOk = 0;
constexpr int kSendBadMac = -4;
constexpr int kSendNoSocket = -5;
constexpr int kSendNoBroadcast = -6;
constexpr int kSendFailed = -7;

/// Writes the directed broadcast address of the subnet, (ip AND mask) OR NOT mask, as a
/// dotted quad into out (at least 16 characters). A text that is no address counts as all ones.
void GetBroadcastAddress(Platform& platform, char* out, const char* ipText, const char* maskText);

/// Six bytes 0xFF followed by twenty copies of the MAC address.
void BuildMagicPacket(const std::uint8_t mac[6], std::uint8_t packet[kMagicPacketSize]);

/// Sends the wake-up datagram once to UDP port 7 of the subnet's broadcast address.
/// Returns kSendOk when the datagram was handed over; kSendBadMac, sending nothing, when the
/// MAC text is no MAC address; kSendNoSocket, kSendNoBroadcast or kSendFailed, with the socket
/// error line printed, when a socket call failed.
int SendMagicPacket(Platform& platform, const char* ipText, const char* maskText,
                    const char* macText);

}  // namespace korvu
