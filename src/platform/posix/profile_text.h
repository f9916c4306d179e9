// Reading and editing the text of a profile (INI) file the way the Windows profile functions do.
#pragma once

#include <string>

namespace korvu {

/// Finds key in section (both matched without regard to case, blanks around them ignored, the
/// first match winning) and sets *value to its value, blanks around it and one pair of matching
/// quotes removed. Returns false when the section or key is missing.
bool FindProfileValue(const std::string& text, const std::string& section, const std::string& key,
                      std::string* value);

/// Returns text with key=value set in section: a present key's line is rewritten in place with
/// its own spelling; a new key goes after the section's last key; a new section goes at the end.
/// Every other line, comment, blank line and byte order mark stays as it was. New lines use the
/// line end that the text already uses, a line feed in an empty text.
std::string SetProfileValue(const std::string& text, const std::string& section,
                            const std::string& key, const std::string& value);

}  // namespace korvu
