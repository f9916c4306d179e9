// Bounded copies into fixed buffers and formatted printing through the platform's console.
#pragma once

#include <cstddef>

#include "platform/platform.h"

namespace korvu {

/// Copies text into a buffer of size characters, cut to size - 1 and always NUL-terminated.
/// Returns false when the text had to be cut.
bool CopyText(char* buffer, std::size_t size, const char* text);

/// True when text holds a carriage return or a line feed.
bool HasLineBreak(const char* text);

/// Formats like printf and hands the result to the platform's console as one message.
void PrintFormatted(Platform& platform, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;

}  // namespace korvu
