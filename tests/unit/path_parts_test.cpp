// Splitting a path into drive, directory, file name and extension.
#include "shortcut/path_parts.h"

#include <gtest/gtest.h>

#include <string>

namespace korvu {
namespace {

struct PathCase {
  std::string path;
  std::string drive, directory, trimmed, fileName, extension, uncServer;
};

TEST(PathPartsTest, SplitsEveryExample) {
  const std::string bs2 = "\\\\";
  const std::string longName(300, 'n');
  const PathCase cases[] = {
      {"C:\\Tools\\korvu.exe", "C:", "\\Tools\\", "\\Tools", "korvu", ".exe", ""},
      {"C:\\korvu.exe", "C:", "\\", "", "korvu", ".exe", ""},
      {"C:korvu.exe", "C:", "", "", "korvu", ".exe", ""},
      {"korvu.exe", "", "", "", "korvu", ".exe", ""},
      {"tools/korvu", "", "tools/", "tools", "korvu", "", ""},
      {"C:\\my.dir\\korvu", "C:", "\\my.dir\\", "\\my.dir", "korvu", "", ""},
      {"archive.tar.gz", "", "", "", "archive.tar", ".gz", ""},
      {"C:\\dir\\.profile", "C:", "\\dir\\", "\\dir", "", ".profile", ""},
      {bs2 + "srv\\share\\korvu.exe", "", bs2 + "srv\\share\\", bs2 + "srv\\share", "korvu", ".exe",
       "srv"},
      {bs2 + "srv", "", bs2, "\\", "srv", "", "srv"},
      {bs2, "", bs2, "\\", "", "", ""},
      {"//srv/share/korvu", "", "//srv/share/", "//srv/share", "korvu", "", ""},
      {bs2 + "srv/share\\korvu", "", bs2 + "srv/share\\", bs2 + "srv/share", "korvu", "",
       "srv/share"},
      {"", "", "", "", "", "", ""},
      {"C:\\dir\\name.", "C:", "\\dir\\", "\\dir", "name", ".", ""},
      {"/usr/local/bin/korvu", "", "/usr/local/bin/", "/usr/local/bin", "korvu", "", ""},
      {"C:\\" + longName + "\\" + longName + "." + longName, "C:", ("\\" + longName).substr(0, 255),
       ("\\" + longName).substr(0, 254), longName.substr(0, 255), ("." + longName).substr(0, 255),
       ""},
  };
  for (const PathCase& c : cases) {
    PathParts parts(c.path.c_str());
    EXPECT_EQ(parts.GetFullPath(), c.path);
    EXPECT_EQ(parts.GetDrive(), c.drive) << c.path;
    EXPECT_EQ(parts.GetDirectory(), c.directory) << c.path;
    EXPECT_EQ(parts.GetTrimmedDirectory(), c.trimmed) << c.path;
    EXPECT_EQ(parts.GetFileName(), c.fileName) << c.path;
    EXPECT_EQ(parts.GetExtension(), c.extension) << c.path;
    EXPECT_EQ(parts.GetUncServer(), c.uncServer) << c.path;
  }
}

TEST(PathPartsTest, SecondByteOfADoubleByteCharacterIsNeitherSeparatorNorDot) {
  // 0x81 begins a double-byte character here, as in code page 932, where 0x5C ('\') and
  // 0x2E ('.') may follow it as second bytes.
  auto isLead = [](unsigned char byte) { return byte == 0x81; };
  const std::string path = "C:\\a\x81\\b\\c\x81.d";
  PathParts parts(path.c_str(), isLead);
  EXPECT_EQ(parts.GetDirectory(), "\\a\x81\\b\\");
  EXPECT_EQ(parts.GetFileName(), "c\x81.d");
  EXPECT_EQ(parts.GetExtension(), "");

  PathParts singleBytes(path.c_str());
  EXPECT_EQ(singleBytes.GetDirectory(), "\\a\x81\\b\\");
  EXPECT_EQ(singleBytes.GetFileName(), "c\x81");
  EXPECT_EQ(singleBytes.GetExtension(), ".d");
}

TEST(PathPartsTest, CutAt255NeverSplitsADoubleByteCharacter) {
  auto isLead = [](unsigned char byte) { return byte == 0x81; };
  std::string name = std::string(254, 'n') + "\x81" + "x" + "tail";
  PathParts parts(name.c_str(), isLead);
  EXPECT_EQ(parts.GetFileName(), std::string(254, 'n'));
  PathParts singleBytes(name.c_str());
  EXPECT_EQ(singleBytes.GetFileName(), std::string(254, 'n') + "\x81");
}

}  // namespace
}  // namespace korvu
