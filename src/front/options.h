// Reading the command line into the run state, and the usage text.
#pragma once

#include "front/run_state.h"
#include "platform/platform.h"

namespace korvu {

/// Reads the options from argv[1] on into state. Prints the usage text where -? stands and a
/// message for a value too long for its buffer; prints nothing else.
void ParseOptions(Platform& platform, int argc, const char* const* argv, RunState& state);

/// Prints the ten texts of the usage, each with its own call.
void PrintUsage(Platform& platform);

}  // namespace korvu
