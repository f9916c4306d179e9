// Reading a MAC text: the digit values and the accepted written forms of a MAC address.
#pragma once

#include <cstdint>

namespace korvu {

/// The value of one character of a MAC text, taken as a signed 8-bit number: '0'-'9' give 0-9,
/// letters give 10 upwards whatever their case ('A' 10, 'Z' 35), '[' to '`' and '{' to DEL
/// give 36 to 41 and 36 to 40, every other byte 0.
std::uint8_t HexDigitValue(signed char c);

/// Reads a MAC address written as 12 hexadecimal digits in either case, or as six groups of two
/// digits joined all by ':' or all by '-'. Returns false, leaving mac alone, for any other text.
bool ParseMacText(const char* text, std::uint8_t mac[6]);

}  // namespace korvu
