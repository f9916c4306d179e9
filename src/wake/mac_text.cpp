// Reading a MAC text: the digit values and the accepted written forms of a MAC address.
#include "wake/mac_text.h"

#include <cstring>

namespace korvu {

std::uint8_t HexDigitValue(signed char c) {
  int value = c;
  if (value >= 'a') value -= 32;
  if (value >= 'A') return static_cast<std::uint8_t>(value - 55);
  if (value >= '1' && value <= '9') return static_cast<std::uint8_t>(value - 48);
  return 0;
}

namespace {

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

std::uint8_t PairValue(const char* pair) {
  return static_cast<std::uint8_t>(HexDigitValue(static_cast<signed char>(pair[0])) * 16 +
                                   HexDigitValue(static_cast<signed char>(pair[1])));
}

}  // namespace

bool ParseMacText(const char* text, std::uint8_t mac[6]) {
  std::size_t length = std::strlen(text);
  std::size_t step;
  if (length == 12) {
    step = 2;
  } else if (length == 17 && (text[2] == ':' || text[2] == '-')) {
    step = 3;
  } else {
    return false;
  }
  for (std::size_t i = 0; i < 6; ++i) {
    const char* pair = text + i * step;
    if (!IsHexDigit(pair[0]) || !IsHexDigit(pair[1])) return false;
    if (step == 3 && i < 5 && pair[2] != text[2]) return false;
  }
  for (std::size_t i = 0; i < 6; ++i) mac[i] = PairValue(text + i * step);
  return true;
}

}  // namespace korvu
