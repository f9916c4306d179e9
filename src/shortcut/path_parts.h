// PathParts: a file path split into drive, directory, file name and extension.
#pragma once

#include <functional>
#include <string>

namespace korvu {

/// Tells whether a byte begins a double-byte character; null means every byte stands alone.
using LeadByteTest = std::function<bool(unsigned char)>;

/// Splits a path once, when constructed. Backslash and forward slash both separate folders;
/// the directory keeps its trailing separator; directory, file name and extension keep at
/// most their first 255 characters.
class PathParts {
 public:
  explicit PathParts(const char* path, const LeadByteTest& isLeadByte = nullptr);

  const std::string& GetFullPath() const { return fullPath; }
  const std::string& GetDrive() const { return drive; }
  const std::string& GetDirectory() const { return directory; }
  const std::string& GetTrimmedDirectory() const { return trimmedDirectory; }
  const std::string& GetFileName() const { return fileName; }
  const std::string& GetExtension() const { return extension; }
  const std::string& GetUncServer() const { return uncServer; }

 private:
  void Split(const char* path, const LeadByteTest& isLeadByte);

  std::string fullPath;
  std::string drive;
  std::string directory;
  std::string trimmedDirectory;
  std::string fileName;
  std::string extension;
  std::string uncServer;
};

}  // namespace korvu
