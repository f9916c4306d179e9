// The profile file on Linux: korvu.ini in the user's configuration folder, read whole and
// rewritten through a temporary file and a rename, under a lock on its folder.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/posix/native_platform.h"
#include "platform/posix/profile_text.h"

namespace korvu {

namespace {

std::string Folder(const std::string& path) {
  std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

/// Creates the folder and any missing parents.
bool MakeFolders(const std::string& folder) {
  struct stat info;
  if (stat(folder.c_str(), &info) == 0) return S_ISDIR(info.st_mode);
  std::string parent = Folder(folder);
  if (parent != folder && !MakeFolders(parent)) return false;
  return mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST;
}

/// Reads the whole file; a missing file reads as empty. Returns false on any other error.
bool ReadWholeFile(const std::string& path, std::string* text) {
  text->clear();
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno == ENOENT;
  char chunk[4096];
  ssize_t got;
  while ((got = read(fd, chunk, sizeof chunk)) != 0) {
    if (got < 0) {
      if (errno == EINTR) continue;
      close(fd);
      return false;
    }
    text->append(chunk, static_cast<std::size_t>(got));
  }
  close(fd);
  return true;
}

bool WriteAll(int fd, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    ssize_t put = write(fd, text.data() + done, text.size() - done);
    if (put < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<std::size_t>(put);
  }
  return true;
}

/// Replaces the file by text so that a reader sees either the old or the new file whole.
bool ReplaceFile(const std::string& path, const std::string& text) {
  std::string temporary = path + ".XXXXXX";
  std::vector<char> name(temporary.begin(), temporary.end());
  name.push_back('\0');
  int fd = mkostemp(name.data(), O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info;
  mode_t mode = stat(path.c_str(), &info) == 0 ? (info.st_mode & 07777) : 0644;
  bool written = fchmod(fd, mode) == 0 && WriteAll(fd, text) && fsync(fd) == 0;
  written = close(fd) == 0 && written;
  if (!written || rename(name.data(), path.c_str()) != 0) {
    unlink(name.data());
    return false;
  }
  return true;
}

}  // namespace

std::string ProfileFilePath(const char* fileName) {
  if (std::strchr(fileName, '/') != nullptr) return fileName;
  const char* config = std::getenv("XDG_CONFIG_HOME");
  std::string base;
  if (config != nullptr && config[0] != '\0') {
    base = config;
  } else {
    const char* home = std::getenv("HOME");
    base = std::string(home != nullptr ? home : "") + "/.config";
  }
  return base + "/korvu/" + fileName;
}

bool PosixPlatform::WriteProfileValue(const char* section, const char* key, const char* value,
                                      const char* fileName) {
  if (std::strpbrk(section, "\r\n") || std::strpbrk(key, "\r\n") || std::strpbrk(value, "\r\n"))
    return false;
  std::string path = ProfileFilePath(fileName);
  std::string folder = Folder(path);
  if (!MakeFolders(folder)) return false;

  // The lock on the folder serialises every rewrite of the file, so that saves running at the
  // same time each see the file the one before them left.
  int lock = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (lock < 0) return false;
  while (flock(lock, LOCK_EX) != 0) {
    if (errno != EINTR) {
      close(lock);
      return false;
    }
  }
  std::string text;
  bool saved = ReadWholeFile(path, &text) &&
               ReplaceFile(path, SetProfileValue(text, section, key, value)) && fsync(lock) == 0;
  close(lock);
  return saved;
}

std::uint32_t PosixPlatform::ReadProfileValue(const char* section, const char* key,
                                              const char* defaultValue, char* buffer,
                                              std::uint32_t size, const char* fileName) {
  if (size == 0) return 0;
  std::string text, value;
  if (!ReadWholeFile(ProfileFilePath(fileName), &text) ||
      !FindProfileValue(text, section, key, &value)) {
    value = defaultValue != nullptr ? defaultValue : "";
    std::size_t last = value.find_last_not_of(' ');
    value.erase(last == std::string::npos ? 0 : last + 1);
  }
  std::size_t length = value.size() < size - 1 ? value.size() : size - 1;
  std::memcpy(buffer, value.data(), length);
  buffer[length] = '\0';
  return static_cast<std::uint32_t>(length);
}

}  // namespace korvu
