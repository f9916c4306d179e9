// The wake-up shortcut on the desktop: a shell link that runs korvu -w "NAME".
#include "shortcut/wake_shortcut.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "shortcut/path_parts.h"

namespace korvu {

const Guid kClsidShellLink = {
    0x00021401, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const Guid kIidShellLinkA = {
    0x000214EE, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const Guid kIidPersistFile = {
    0x0000010B, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

namespace {

constexpr std::size_t kDescriptionSize = 100;

/// Formats into a fixed buffer; false when the text does not fit.
template <std::size_t Size, typename... Values>
bool Compose(char (&buffer)[Size], const char* format, Values... values) {
  int length = std::snprintf(buffer, Size, format, values...);
  return length >= 0 && static_cast<std::size_t>(length) < Size;
}

}  // namespace

Status CreateShortcut(Platform& platform, const char* targetPath, const char* arguments,
                      const char* linkPath, const char* description, const char* workingDirectory) {
  InterfaceId link = 0;
  Status status = platform.CreateInstance(kClsidShellLink, kIidShellLinkA, &link);
  if (status < 0) return status;
  platform.SetLinkPath(link, targetPath);
  platform.SetLinkArguments(link, arguments);
  platform.SetLinkDescription(link, description);
  platform.SetLinkWorkingDirectory(link, workingDirectory);
  platform.SetLinkIconLocation(link, nullptr, 0);

  InterfaceId file = 0;
  status = platform.QueryInterface(link, kIidPersistFile, &file);
  if (status < 0) {
    platform.Release(link);
    return status;
  }
  std::uint16_t wideLinkPath[kMaxPath];
  platform.ConvertToWide(linkPath, wideLinkPath, kMaxPath);
  status = platform.SaveToFile(file, wideLinkPath, true);
  platform.Release(file);
  platform.Release(link);
  return status;
}

void PlaceWakeShortcut(Platform& platform, const char* recordName) {
  // Such a name would put the file outside the desktop folder or break the quoted argument.
  if (std::strpbrk(recordName, "\\/:*?\"<>|") != nullptr) return;

  char linkPath[kMaxPath];
  if (!platform.GetDesktopFolder(linkPath)) return;
  std::string folder = linkPath;
  char description[kDescriptionSize];
  char arguments[kMaxPath];
  if (!Compose(linkPath, "%s%cWake up %s.lnk", folder.c_str(), platform.PathSeparator(),
               recordName) ||
      !Compose(description, "Wake up %s", recordName) ||
      !Compose(arguments, "-w \"%s\"", recordName)) {
    return;
  }

  char modulePath[kMaxPath];
  if (!platform.GetModulePath(modulePath, kMaxPath)) return;
  PathParts parts(modulePath,
                  [&platform](unsigned char byte) { return platform.IsLeadByte(byte); });
  platform.InitializeCom();
  std::string workingDirectory = parts.GetDrive() + parts.GetDirectory();
  CreateShortcut(platform, modulePath, arguments, linkPath, description, workingDirectory.c_str());
}

}  // namespace korvu
