// Folders and the program's own path on Linux: the XDG desktop folder and /proc/self/exe.
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "platform/posix/native_platform.h"

namespace korvu {

namespace {

/// The XDG_DESKTOP_DIR line of user-dirs.dirs: "$HOME/Path" or "/Path" between double quotes.
bool DesktopFromUserDirs(const std::string& home, std::string* folder) {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  std::string base = config != nullptr && config[0] != '\0' ? config : home + "/.config";
  std::ifstream dirs(base + "/user-dirs.dirs");
  std::string line;
  while (std::getline(dirs, line)) {
    std::size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos || line.compare(start, 15, "XDG_DESKTOP_DIR") != 0) continue;
    std::size_t equals = line.find_first_not_of(" \t", start + 15);
    if (equals == std::string::npos || line[equals] != '=') continue;
    std::size_t open = line.find_first_not_of(" \t", equals + 1);
    std::size_t close = line.rfind('"');
    if (open == std::string::npos || line[open] != '"' || close <= open) continue;
    std::string value = line.substr(open + 1, close - open - 1);
    if (value.compare(0, 5, "$HOME") == 0 && (value.size() == 5 || value[5] == '/')) {
      value = home + value.substr(5);
    } else if (value.empty() || value[0] != '/') {
      continue;
    }
    while (value.size() > 1 && value.back() == '/') value.pop_back();
    *folder = value;
    return true;
  }
  return false;
}

}  // namespace

char PosixPlatform::PathSeparator() { return '/'; }

bool PosixPlatform::IsLeadByte(unsigned char) { return false; }

bool PosixPlatform::GetDesktopFolder(char* buffer) {
  const char* home = std::getenv("HOME");
  const char* desktop = std::getenv("XDG_DESKTOP_DIR");
  std::string folder;
  if (desktop != nullptr && desktop[0] != '\0') {
    folder = desktop;
  } else if (home == nullptr || home[0] == '\0') {
    return false;
  } else if (!DesktopFromUserDirs(home, &folder)) {
    folder = std::string(home) + "/Desktop";
  }
  if (folder.size() >= kMaxPath) return false;
  std::memcpy(buffer, folder.c_str(), folder.size() + 1);
  return true;
}

bool PosixPlatform::GetModulePath(char* buffer, std::uint32_t size) {
  ssize_t length = readlink("/proc/self/exe", buffer, size);
  if (length <= 0 || static_cast<std::uint32_t>(length) >= size) return false;
  buffer[length] = '\0';
  return true;
}

}  // namespace korvu
