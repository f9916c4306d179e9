// Reading and editing the text of a profile (INI) file the way the Windows profile functions do.
#include "platform/posix/profile_text.h"

#include <cstddef>
#include <vector>

namespace korvu {

namespace {

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

/// One line of the file: its text without the line end, and the line end itself.
struct Line {
  std::string body;
  std::string end;
};

std::vector<Line> SplitLines(const std::string& text) {
  std::vector<Line> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t stop = text.find_first_of("\r\n", start);
    if (stop == std::string::npos) {
      lines.push_back({text.substr(start), ""});
      break;
    }
    std::size_t endLength =
        (text[stop] == '\r' && stop + 1 < text.size() && text[stop + 1] == '\n') ? 2 : 1;
    lines.push_back({text.substr(start, stop - start), text.substr(stop, endLength)});
    start = stop + endLength;
  }
  return lines;
}

std::string Trim(const std::string& text) {
  const char* blanks = " \t";
  std::size_t first = text.find_first_not_of(blanks);
  if (first == std::string::npos) return "";
  std::size_t last = text.find_last_not_of(blanks);
  return text.substr(first, last - first + 1);
}

bool SameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

/// The line's text without a byte order mark in front (only the first line can have one).
std::string Content(const Line& line) {
  if (line.body.compare(0, 3, kByteOrderMark) == 0) return line.body.substr(3);
  return line.body;
}

/// True for a section header; *name is then the text between '[' and the last ']'.
bool IsSectionHeader(const Line& line, std::string* name) {
  std::string content = Trim(Content(line));
  if (content.empty() || content[0] != '[') return false;
  std::size_t close = content.rfind(']');
  if (close == std::string::npos) return false;
  *name = Trim(content.substr(1, close - 1));
  return true;
}

/// True for a key line (not a comment); *key and *value are the trimmed texts around the first
/// '=' of the line.
bool IsKeyLine(const Line& line, std::string* key, std::string* value) {
  std::string content = Content(line);
  std::size_t equals = content.find('=');
  if (equals == std::string::npos) return false;
  std::string name = Trim(content.substr(0, equals));
  if (name.empty() || name[0] == ';' || name[0] == '#') return false;
  *key = name;
  *value = Trim(content.substr(equals + 1));
  return true;
}

std::string Unquote(const std::string& value) {
  if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0]) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

/// Lines [first, last) of the first section with that name: first is its header.
bool FindSection(const std::vector<Line>& lines, const std::string& section, std::size_t* first,
                 std::size_t* last) {
  std::string name;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (!IsSectionHeader(lines[i], &name) || !SameName(name, section)) continue;
    std::size_t j = i + 1;
    while (j < lines.size() && !IsSectionHeader(lines[j], &name)) ++j;
    *first = i;
    *last = j;
    return true;
  }
  return false;
}

std::string Join(const std::vector<Line>& lines) {
  std::string text;
  for (const Line& line : lines) text += line.body + line.end;
  return text;
}

}  // namespace

bool FindProfileValue(const std::string& text, const std::string& section, const std::string& key,
                      std::string* value) {
  std::vector<Line> lines = SplitLines(text);
  std::size_t first, last;
  if (!FindSection(lines, Trim(section), &first, &last)) return false;
  std::string name, found;
  for (std::size_t i = first + 1; i < last; ++i) {
    if (IsKeyLine(lines[i], &name, &found) && SameName(name, Trim(key))) {
      *value = Unquote(found);
      return true;
    }
  }
  return false;
}

std::string SetProfileValue(const std::string& text, const std::string& section,
                            const std::string& key, const std::string& value) {
  std::vector<Line> lines = SplitLines(text);
  std::string newline = lines.empty() || lines[0].end.empty() ? "\n" : lines[0].end;
  std::size_t first, last;
  if (!FindSection(lines, Trim(section), &first, &last)) {
    if (!lines.empty() && lines.back().end.empty()) lines.back().end = newline;
    lines.push_back({"[" + section + "]", newline});
    lines.push_back({key + "=" + value, newline});
    return Join(lines);
  }
  std::string name, found;
  std::size_t insertAt = first + 1;
  for (std::size_t i = first + 1; i < last; ++i) {
    if (!IsKeyLine(lines[i], &name, &found)) continue;
    if (SameName(name, Trim(key))) {
      std::string content = Content(lines[i]);
      std::string prefix = lines[i].body.substr(0, lines[i].body.size() - content.size());
      lines[i].body = prefix + name + "=" + value;
      return Join(lines);
    }
    insertAt = i + 1;
  }
  if (lines[insertAt - 1].end.empty()) lines[insertAt - 1].end = newline;
  lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt),
               Line{key + "=" + value, newline});
  return Join(lines);
}

}  // namespace korvu
