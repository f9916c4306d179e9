// Bounded copies into fixed buffers and formatted printing through the platform's console.
#include "common/text.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

namespace korvu {

bool CopyText(char* buffer, std::size_t size, const char* text) {
  if (size == 0) return false;
  std::size_t length = std::strlen(text);
  bool fits = length < size;
  if (!fits) length = size - 1;
  std::memmove(buffer, text, length);
  buffer[length] = '\0';
  return fits;
}

bool HasLineBreak(const char* text) { return std::strpbrk(text, "\r\n") != nullptr; }

void PrintFormatted(Platform& platform, const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  int length = std::vsnprintf(nullptr, 0, format, args);
  va_end(args);
  if (length < 0) {
    va_end(again);
    return;
  }
  std::vector<char> text(static_cast<std::size_t>(length) + 1);
  std::vsnprintf(text.data(), text.size(), format, again);
  va_end(again);
  platform.Print(text.data());
}

}  // namespace korvu
