// The shell-link object on Linux: korvu's own, which saves a .lnk file and a .desktop
// launcher beside it.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "platform/posix/native_platform.h"
#include "platform/posix/shell_link_file.h"

namespace korvu {

namespace {

constexpr Status kOk = 0;
constexpr Status kNoInterface = static_cast<Status>(0x80004002u);
constexpr Status kClassNotRegistered = static_cast<Status>(0x80040154u);
constexpr Status kFail = static_cast<Status>(0x80004005u);

// {00021401-0000-0000-C000-000000000046}, {000214EE-...}, {0000010B-...}
bool IsComGuid(const Guid& guid, std::uint32_t data1) {
  static const std::uint8_t kTail[8] = {0xC0, 0, 0, 0, 0, 0, 0, 0x46};
  return guid.data1 == data1 && guid.data2 == 0 && guid.data3 == 0 &&
         std::memcmp(guid.data4, kTail, 8) == 0;
}

bool WriteFile(const std::string& path, const void* data, std::size_t size, mode_t mode) {
  int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
  if (fd < 0) return false;
  const char* bytes = static_cast<const char*>(data);
  std::size_t done = 0;
  bool ok = fchmod(fd, mode) == 0;
  while (ok && done < size) {
    ssize_t put = write(fd, bytes + done, size - done);
    if (put < 0 && errno == EINTR) continue;
    ok = put > 0;
    if (ok) done += static_cast<std::size_t>(put);
  }
  ok = close(fd) == 0 && ok;
  if (!ok) unlink(path.c_str());
  return ok;
}

}  // namespace

void PosixPlatform::InitializeCom() {}

Status PosixPlatform::CreateInstance(const Guid& classId, const Guid& interfaceId,
                                     InterfaceId* object) {
  if (!IsComGuid(classId, 0x00021401)) return kClassNotRegistered;
  if (!IsComGuid(interfaceId, 0x000214EE)) return kNoInterface;
  *object = ++lastInterface_;
  interfaces_[*object] = {std::make_shared<ShellLinkSettings>(), false};
  return kOk;
}

ShellLinkSettings& PosixPlatform::Link(InterfaceId link) { return *interfaces_.at(link).settings; }

void PosixPlatform::SetLinkPath(InterfaceId link, const char* path) { Link(link).path = path; }

void PosixPlatform::SetLinkArguments(InterfaceId link, const char* arguments) {
  Link(link).arguments = arguments;
}

void PosixPlatform::SetLinkDescription(InterfaceId link, const char* description) {
  Link(link).description = description;
}

void PosixPlatform::SetLinkWorkingDirectory(InterfaceId link, const char* folder) {
  Link(link).workingDirectory = folder;
}

void PosixPlatform::SetLinkIconLocation(InterfaceId link, const char* path, int index) {
  Link(link).hasIconPath = path != nullptr && path[0] != '\0';
  Link(link).iconPath = path != nullptr ? path : "";
  Link(link).iconIndex = index;
}

Status PosixPlatform::QueryInterface(InterfaceId object, const Guid& interfaceId,
                                     InterfaceId* other) {
  auto found = interfaces_.find(object);
  if (found == interfaces_.end()) return kFail;
  bool persistFile = IsComGuid(interfaceId, 0x0000010B);
  if (!persistFile && !IsComGuid(interfaceId, 0x000214EE)) return kNoInterface;
  *other = ++lastInterface_;
  interfaces_[*other] = {found->second.settings, persistFile};
  return kOk;
}

void PosixPlatform::ConvertToWide(const char* text, std::uint16_t* wide, int size) {
  if (size <= 0) return;
  std::u16string units = Utf8ToUtf16(text);
  std::size_t length = units.size() < static_cast<std::size_t>(size)
                           ? units.size()
                           : static_cast<std::size_t>(size - 1);
  for (std::size_t i = 0; i < length; ++i) wide[i] = units[i];
  wide[length] = 0;
}

Status PosixPlatform::SaveToFile(InterfaceId persistFile, const std::uint16_t* fileName, bool) {
  auto found = interfaces_.find(persistFile);
  if (found == interfaces_.end() || !found->second.persistFile) return kFail;
  std::u16string wide;
  for (const std::uint16_t* unit = fileName; *unit != 0; ++unit)
    wide += static_cast<char16_t>(*unit);
  std::string linkPath = Utf16ToUtf8(wide);
  std::string launcherPath = linkPath;
  if (launcherPath.size() >= 4 && launcherPath.compare(launcherPath.size() - 4, 4, ".lnk") == 0)
    launcherPath.resize(launcherPath.size() - 4);
  launcherPath += ".desktop";

  const ShellLinkSettings& settings = *found->second.settings;
  std::vector<std::uint8_t> link = ShellLinkBytes(settings);
  std::string launcher = DesktopEntryText(settings);
  if (!WriteFile(linkPath, link.data(), link.size(), 0644)) return kFail;
  if (!WriteFile(launcherPath, launcher.data(), launcher.size(), 0755)) return kFail;
  return kOk;
}

void PosixPlatform::Release(InterfaceId object) { interfaces_.erase(object); }

}  // namespace korvu
