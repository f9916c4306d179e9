// What one run of korvu holds: the flags and text buffers that every step works on.
#pragma once

#include <cstddef>

namespace korvu {

constexpr std::size_t kTextSize = 20;
constexpr std::size_t kNameSize = 200;

struct RunState {
  bool lookup = false;
  bool save = false;
  bool shortcut = false;
  bool wake = false;
  char hostText[kTextSize] = {};
  char macText[kTextSize] = {};
  char maskText[kTextSize] = "255.255.255.0";
  char recordName[kNameSize] = {};
};

}  // namespace korvu
