// One run of korvu: the options, then lookup, save and wake, in this order.
#pragma once

#include "platform/platform.h"

namespace korvu {

/// Runs the program for the command line and returns its exit status, which is always 0.
int RunKorvu(Platform& platform, int argc, const char* const* argv);

}  // namespace korvu
