// The two files of a wake-up shortcut on Linux: a shell link (.lnk) in the published binary
// format, and a freedesktop launcher (.desktop) that a Linux desktop can open.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace korvu {

/// What a shell-link object holds; text in UTF-8.
struct ShellLinkSettings {
  std::string path;
  std::string arguments;
  std::string description;
  std::string workingDirectory;
  std::string iconPath;
  int iconIndex = 0;
  bool hasIconPath = false;
};

/// The bytes of a shell link file: header, LinkInfo with the target as local base path, and
/// the description, working directory, arguments (and icon location when set) as UTF-16.
std::vector<std::uint8_t> ShellLinkBytes(const ShellLinkSettings& settings);

/// Splits a command line the way a Windows program's start-up does for plain arguments:
/// at blanks outside double quotes, the quotes removed.
std::vector<std::string> SplitArguments(const std::string& commandLine);

/// A freedesktop launcher that runs the link's target with its arguments in its working
/// folder, each argument quoted and escaped so that it arrives whole.
std::string DesktopEntryText(const ShellLinkSettings& settings);

/// UTF-8 text as UTF-16; a byte that is not part of a valid sequence stands for itself.
std::u16string Utf8ToUtf16(const std::string& text);
std::string Utf16ToUtf8(const std::u16string& text);

}  // namespace korvu
