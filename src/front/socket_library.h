// Starting and stopping the socket library.
#pragma once

#include "platform/platform.h"

namespace korvu {

/// Starts the socket library at version 1.1. Returns 0 when started at that version; -1, with
/// a message, when the start-up failed; -2, with a message and the library stopped again, when
/// the library offers another version.
int InitializeSockets(Platform& platform);

/// Stops the socket library; called once at the end of every run.
void CleanupSockets(Platform& platform);

}  // namespace korvu
