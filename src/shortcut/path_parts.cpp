// PathParts: a file path split into drive, directory, file name and extension.
#include "shortcut/path_parts.h"

#include <cstring>

namespace korvu {

namespace {

constexpr std::size_t kMaxPart = 255;

/// Bytes taken by the character at text[i]: two for a lead byte followed by another byte.
std::size_t CharacterLength(const std::string& text, std::size_t i, const LeadByteTest& isLead) {
  bool lead = isLead && isLead(static_cast<unsigned char>(text[i])) && i + 1 < text.size();
  return lead ? 2 : 1;
}

/// The first kMaxPart bytes of text, never ending on the first byte of a double-byte character.
std::string Cut(const std::string& text, const LeadByteTest& isLead) {
  std::size_t end = 0;
  while (end < text.size()) {
    std::size_t next = end + CharacterLength(text, end, isLead);
    if (next > kMaxPart) break;
    end = next;
  }
  return text.substr(0, end);
}

}  // namespace

PathParts::PathParts(const char* path, const LeadByteTest& isLeadByte) { Split(path, isLeadByte); }

void PathParts::Split(const char* path, const LeadByteTest& isLeadByte) {
  std::string whole = path;
  std::string driveText;
  std::string text = whole;
  if (whole.size() >= 2 && whole[1] == ':') {
    driveText = whole.substr(0, 2);
    text = whole.substr(2);
  }

  std::size_t afterSeparator = 0;
  std::size_t lastDot = std::string::npos;
  for (std::size_t i = 0; i < text.size(); i += CharacterLength(text, i, isLeadByte)) {
    if (CharacterLength(text, i, isLeadByte) != 1) continue;
    if (text[i] == '\\' || text[i] == '/') afterSeparator = i + 1;
    if (text[i] == '.') lastDot = i;
  }
  std::string directoryText = text.substr(0, afterSeparator);
  std::string remainder = text.substr(afterSeparator);
  std::string nameText = remainder;
  std::string extensionText;
  if (lastDot != std::string::npos && lastDot >= afterSeparator) {
    nameText = text.substr(afterSeparator, lastDot - afterSeparator);
    extensionText = text.substr(lastDot);
  }

  fullPath = whole;
  drive = driveText;
  directory = Cut(directoryText, isLeadByte);
  fileName = Cut(nameText, isLeadByte);
  extension = Cut(extensionText, isLeadByte);

  if (whole.compare(0, 2, "\\\\") == 0) {
    std::size_t end = whole.find('\\', 2);
    uncServer = whole.substr(2, end == std::string::npos ? std::string::npos : end - 2);
  }
  if (directory.size() > 1) trimmedDirectory = directory.substr(0, directory.size() - 1);
}

}  // namespace korvu
