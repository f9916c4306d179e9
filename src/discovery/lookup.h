// Finding a computer's MAC address: one echo request, then the system's neighbour table.
#pragma once

#include "platform/platform.h"

namespace korvu {

constexpr std::uint32_t kEchoTimeout = 5000;
constexpr std::uint16_t kEchoDataSize = 64;
constexpr std::uint32_t kReplyBufferSize = 92;
constexpr std::uint32_t kFirstTableSize = 2404;

/// Empties macText (20 characters), finds the address of hostText (a host name is replaced by
/// the dotted quad of its first address), sends it one echo request and writes the physical
/// address of its row in the neighbour table into macText as upper-case hexadecimal digits.
/// Returns 1 when macText is non-empty on return, otherwise 0.
int LookupMacAddress(Platform& platform, char* hostText, char* macText);

}  // namespace korvu
