// The wake-up shortcut on the desktop: a shell link that runs korvu -w "NAME".
#pragma once

#include "platform/platform.h"

namespace korvu {

/// Identifiers of the shell-link object and its two interfaces.
extern const Guid kClsidShellLink;
extern const Guid kIidShellLinkA;
extern const Guid kIidPersistFile;

/// Places "Wake up NAME.lnk" on the desktop, running this program with -w "NAME" in its own
/// folder. Prints nothing and reports nothing. No shortcut is placed for a name that a Windows
/// file name cannot hold (\ / : * ? " < > |), for a name too long for the shortcut's strings,
/// or when the desktop folder or the program's own path cannot be had.
void PlaceWakeShortcut(Platform& platform, const char* recordName);

/// Has the platform's shell-link object write a shortcut with these settings. Returns the
/// status of the save, or the status of the step that failed before it (negative).
Status CreateShortcut(Platform& platform, const char* targetPath, const char* arguments,
                      const char* linkPath, const char* description, const char* workingDirectory);

}  // namespace korvu
