// The two files of a wake-up shortcut on Linux: a shell link (.lnk) in the published binary
// format, and a freedesktop launcher (.desktop) that a Linux desktop can open.
#include "platform/posix/shell_link_file.h"

#include <cstring>

namespace korvu {

namespace {

// LinkFlags
constexpr std::uint32_t kHasLinkInfo = 0x02;
constexpr std::uint32_t kHasName = 0x04;
constexpr std::uint32_t kHasWorkingDir = 0x10;
constexpr std::uint32_t kHasArguments = 0x20;
constexpr std::uint32_t kHasIconLocation = 0x40;
constexpr std::uint32_t kIsUnicode = 0x80;

constexpr std::uint32_t kHeaderSize = 0x4C;
constexpr std::uint32_t kLinkInfoHeaderSize = 0x1C;
constexpr std::uint32_t kVolumeIdSize = 0x11;  // fixed part and an empty label
constexpr std::uint32_t kDriveFixed = 3;
constexpr std::uint32_t kShowNormal = 1;

const std::uint8_t kLinkClsid[16] = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                     0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};

void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void Put16(std::vector<std::uint8_t>& out, std::uint16_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

/// A StringData entry: a count of UTF-16 code units, then the units, no NUL.
void PutString(std::vector<std::uint8_t>& out, const std::string& text) {
  std::u16string wide = Utf8ToUtf16(text);
  if (wide.size() > 0xFFFF) wide.resize(0xFFFF);
  Put16(out, static_cast<std::uint16_t>(wide.size()));
  for (char16_t unit : wide) Put16(out, static_cast<std::uint16_t>(unit));
}

bool Reserved(char c) { return std::strchr(" \t\n\"'\\><~|&;$*?#()`", c) != nullptr; }

/// One argument of an Exec line, before the string escapes of the whole value.
std::string ExecArgument(const std::string& argument) {
  bool quote = argument.empty();
  for (char c : argument) quote = quote || Reserved(c);
  std::string out;
  for (char c : argument) {
    if (c == '%') {
      out += "%%";
      continue;
    }
    if (quote && (c == '"' || c == '`' || c == '$' || c == '\\')) out += '\\';
    out += c;
  }
  return quote ? "\"" + out + "\"" : out;
}

/// The escapes of a string value: backslash, tab, carriage return and line feed.
std::string EscapeString(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\n':
        out += "\\n";
        break;
      default:
        out += c;
    }
  }
  return out;
}

}  // namespace

std::u16string Utf8ToUtf16(const std::string& text) {
  std::u16string out;
  std::size_t i = 0;
  while (i < text.size()) {
    unsigned char lead = static_cast<unsigned char>(text[i]);
    std::size_t length = lead < 0x80         ? 1
                         : lead >> 5 == 0x6  ? 2
                         : lead >> 4 == 0xE  ? 3
                         : lead >> 3 == 0x1E ? 4
                                             : 0;
    std::uint32_t code = length == 1   ? lead
                         : length == 2 ? lead & 0x1F
                         : length == 3 ? lead & 0x0F
                                       : lead & 0x07;
    bool valid = length != 0 && i + length <= text.size();
    for (std::size_t j = 1; valid && j < length; ++j) {
      unsigned char next = static_cast<unsigned char>(text[i + j]);
      valid = (next & 0xC0) == 0x80;
      code = (code << 6) | (next & 0x3F);
    }
    static const std::uint32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    valid = valid && code >= kSmallest[length] && code <= 0x10FFFF &&
            !(code >= 0xD800 && code <= 0xDFFF);
    if (!valid) {
      out += static_cast<char16_t>(lead);
      ++i;
      continue;
    }
    if (code >= 0x10000) {
      code -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (code >> 10));
      out += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
    } else {
      out += static_cast<char16_t>(code);
    }
    i += length;
  }
  return out;
}

std::string Utf16ToUtf8(const std::u16string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    std::uint32_t code = text[i];
    if (code >= 0xD800 && code <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      code = 0x10000 + ((code - 0xD800) << 10) + (text[++i] - 0xDC00);
    }
    if (code < 0x80) {
      out += static_cast<char>(code);
    } else if (code < 0x800) {
      out += static_cast<char>(0xC0 | (code >> 6));
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
      out += static_cast<char>(0xE0 | (code >> 12));
      out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (code >> 18));
      out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    }
  }
  return out;
}

std::vector<std::uint8_t> ShellLinkBytes(const ShellLinkSettings& settings) {
  std::uint32_t flags = kHasLinkInfo | kHasName | kHasWorkingDir | kHasArguments | kIsUnicode;
  if (settings.hasIconPath) flags |= kHasIconLocation;

  std::vector<std::uint8_t> out;
  Put32(out, kHeaderSize);
  out.insert(out.end(), kLinkClsid, kLinkClsid + 16);
  Put32(out, flags);
  Put32(out, 0);                 // file attributes
  out.insert(out.end(), 24, 0);  // creation, access and write time: not set
  Put32(out, 0);                 // file size
  Put32(out, static_cast<std::uint32_t>(settings.iconIndex));
  Put32(out, kShowNormal);
  Put16(out, 0);                 // no hot key
  out.insert(out.end(), 10, 0);  // reserved

  // LinkInfo: a volume with an empty label, the target as local base path, no suffix.
  std::uint32_t pathOffset = kLinkInfoHeaderSize + kVolumeIdSize;
  std::uint32_t suffixOffset = pathOffset + static_cast<std::uint32_t>(settings.path.size()) + 1;
  Put32(out, suffixOffset + 1);  // LinkInfoSize
  Put32(out, kLinkInfoHeaderSize);
  Put32(out, 1);                    // VolumeIDAndLocalBasePath
  Put32(out, kLinkInfoHeaderSize);  // VolumeIDOffset
  Put32(out, pathOffset);
  Put32(out, 0);  // no network share
  Put32(out, suffixOffset);
  Put32(out, kVolumeIdSize);
  Put32(out, kDriveFixed);
  Put32(out, 0);     // serial number
  Put32(out, 0x10);  // label offset
  out.push_back(0);  // empty label
  out.insert(out.end(), settings.path.begin(), settings.path.end());
  out.push_back(0);
  out.push_back(0);  // empty common path suffix

  PutString(out, settings.description);
  PutString(out, settings.workingDirectory);
  PutString(out, settings.arguments);
  if (settings.hasIconPath) PutString(out, settings.iconPath);
  Put32(out, 0);  // terminal block
  return out;
}

std::vector<std::string> SplitArguments(const std::string& commandLine) {
  std::vector<std::string> arguments;
  std::string current;
  bool inQuotes = false, started = false;
  for (char c : commandLine) {
    if (c == '"') {
      inQuotes = !inQuotes;
      started = true;
    } else if ((c == ' ' || c == '\t') && !inQuotes) {
      if (started) arguments.push_back(current);
      current.clear();
      started = false;
    } else {
      current += c;
      started = true;
    }
  }
  if (started) arguments.push_back(current);
  return arguments;
}

std::string DesktopEntryText(const ShellLinkSettings& settings) {
  std::string exec = ExecArgument(settings.path);
  if (exec.front() != '"') exec = "\"" + exec + "\"";
  for (const std::string& argument : SplitArguments(settings.arguments))
    exec += " " + ExecArgument(argument);
  std::string name = EscapeString(settings.description);
  return "[Desktop Entry]\n"
         "Type=Application\n"
         "Name=" +
         name +
         "\n"
         "Comment=" +
         name +
         "\n"
         "Exec=" +
         EscapeString(exec) +
         "\n"
         "Path=" +
         EscapeString(settings.workingDirectory) +
         "\n"
         "Terminal=true\n";
}

}  // namespace korvu
