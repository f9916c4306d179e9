// Makes the platform of the system the program was built for.
#pragma once

#include <memory>

#include "platform/platform.h"

namespace korvu {

/// The real system: Winsock and the Windows libraries on Windows, BSD sockets and the
/// kernel's interfaces on Linux.
std::unique_ptr<Platform> MakeNativePlatform();

}  // namespace korvu
