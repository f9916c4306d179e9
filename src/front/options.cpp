// Reading the command line into the run state.
#include "front/options.h"

#include <cstring>

#include "common/text.h"

namespace korvu {

namespace {

char LowerCase(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

/// Copies an option's value into its buffer when it fits; refuses it with a message otherwise.
bool TakeValue(Platform& platform, char letter, const char* value, char* buffer, std::size_t size) {
  if (std::strlen(value) >= size) {
    PrintFormatted(platform, "Value of -%c is too long (at most %d characters) !\n", letter,
                   static_cast<int>(size - 1));
    return false;
  }
  CopyText(buffer, size, value);
  return true;
}

}  // namespace

void ParseOptions(Platform& platform, int argc, const char* const* argv, RunState& state) {
  for (int i = 1; i < argc; ++i) {
    const char* argument = argv[i];
    if (argument[0] != '-' && argument[0] != '/') continue;
    char letter = LowerCase(argument[1]);
    switch (letter) {
      case '?':
        PrintUsage(platform);
        continue;
      case 'i':
        state.shortcut = true;
        continue;
      case 'l':
      case 'm':
      case 's':
      case 'w':
        break;
      default:
        continue;
    }
    if (i + 1 >= argc) break;  // a value option standing last is ignored
    const char* value = argv[++i];
    switch (letter) {
      case 'l':
        if (TakeValue(platform, letter, value, state.hostText, sizeof state.hostText))
          state.lookup = true;
        break;
      case 'm':
        TakeValue(platform, letter, value, state.maskText, sizeof state.maskText);
        break;
      case 's':
        if (TakeValue(platform, letter, value, state.recordName, sizeof state.recordName))
          state.save = true;
        break;
      case 'w':
        if (TakeValue(platform, letter, value, state.recordName, sizeof state.recordName))
          state.wake = true;
        break;
    }
  }
}

}  // namespace korvu
