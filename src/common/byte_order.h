// Conversions between network byte order and host byte order without system headers.
#pragma once

#include <cstdint>
#include <cstring>

namespace korvu {

/// A 32-bit value stored in network byte order, read as a number.
inline std::uint32_t NetworkToHost32(std::uint32_t value) {
  unsigned char bytes[4];
  std::memcpy(bytes, &value, 4);
  return (std::uint32_t{bytes[0]} << 24) | (std::uint32_t{bytes[1]} << 16) |
         (std::uint32_t{bytes[2]} << 8) | std::uint32_t{bytes[3]};
}

/// A number stored as a 32-bit value in network byte order.
inline std::uint32_t HostToNetwork32(std::uint32_t value) {
  unsigned char bytes[4] = {
      static_cast<unsigned char>(value >> 24), static_cast<unsigned char>(value >> 16),
      static_cast<unsigned char>(value >> 8), static_cast<unsigned char>(value)};
  std::uint32_t stored;
  std::memcpy(&stored, bytes, 4);
  return stored;
}

}  // namespace korvu
