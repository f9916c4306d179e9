// The files of a shortcut on Linux: the shell link's bytes and the launcher's text.
#include "platform/posix/shell_link_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korvu {
namespace {

std::vector<std::uint8_t> FromHex(const std::string& hex) {
  std::vector<std::uint8_t> bytes;
  std::string digits;
  for (char c : hex)
    if (c != ' ' && c != '\n') digits += c;
  for (std::size_t i = 0; i + 1 < digits.size(); i += 2)
    bytes.push_back(static_cast<std::uint8_t>(std::stoi(digits.substr(i, 2), nullptr, 16)));
  return bytes;
}

std::string Utf16Hex(const std::string& ascii) {
  static const char* digits = "0123456789abcdef";
  std::string hex;
  for (unsigned char c : ascii) hex += std::string{digits[c >> 4], digits[c & 15]} + "00";
  return hex;
}

ShellLinkSettings Kidspc() {
  ShellLinkSettings settings;
  settings.path = "C:\\Tools\\korvu.exe";
  settings.arguments = "-w \"kidspc\"";
  settings.description = "Wake up kidspc";
  settings.workingDirectory = "C:\\Tools\\";
  return settings;
}

TEST(ShellLinkFileTest, MinimalLinkForKidspc) {
  std::string hex =
      std::string() +
      // header: size, class identifier, flags (link info, name, working dir, arguments,
      // unicode), attributes, three times, size, icon index, show normal, hot key, reserved
      "4c000000 0114020000000000c000000000000046 b6000000 00000000"
      "000000000000000000000000000000000000000000000000 00000000 00000000 01000000"
      "0000 0000 00000000 00000000"
      // link info with a fixed volume, empty label, local base path and empty suffix
      "41000000 1c000000 01000000 1c000000 2d000000 00000000 40000000"
      "11000000 03000000 00000000 10000000 00"
      "433a5c546f6f6c735c6b6f7276752e65786500"
      "00" +
      // description, working directory, arguments: counted UTF-16 without NUL
      "0e00" + Utf16Hex("Wake up kidspc") + "0900" + Utf16Hex("C:\\Tools\\") + "0b00" +
      Utf16Hex("-w \"kidspc\"") + "00000000";
  std::vector<std::uint8_t> expected = FromHex(hex);
  ASSERT_EQ(expected.size(), 219u);
  EXPECT_EQ(ShellLinkBytes(Kidspc()), expected);
}

TEST(ShellLinkFileTest, IconLocationOnlyWhenAPathIsSet) {
  ShellLinkSettings settings = Kidspc();
  settings.hasIconPath = true;
  settings.iconPath = "i";
  settings.iconIndex = 2;
  std::vector<std::uint8_t> bytes = ShellLinkBytes(settings);
  EXPECT_EQ(bytes[0x14], 0xF6);
  EXPECT_EQ(bytes[0x38], 2);
  EXPECT_EQ(bytes.size(), 219u + 4);
}

TEST(ShellLinkFileTest, Utf8BecomesUtf16) {
  EXPECT_EQ(Utf8ToUtf16("K\xC3\xB6rvu \xE2\x82\xAC \xF0\x9F\x98\x80"),
            u"K\u00F6rvu \u20AC \U0001F600");
  EXPECT_EQ(Utf8ToUtf16("bad\xFF\xC3"), std::u16string(u"bad\u00FF\u00C3"));
  EXPECT_EQ(Utf16ToUtf8(u"K\u00F6rvu \U0001F600"), "K\xC3\xB6rvu \xF0\x9F\x98\x80");
}

TEST(ShellLinkFileTest, LauncherQuotesEachArgumentWhole) {
  struct Case {
    const char* name;
    const char* exec;
  };
  const Case cases[] = {
      {"kidspc", "Exec=\"/opt/korvu/korvu\" -w kidspc"},
      {"kids pc", "Exec=\"/opt/korvu/korvu\" -w \"kids pc\""},
      {"a$b", "Exec=\"/opt/korvu/korvu\" -w \"a\\\\$b\""},
      {"a`b;c", "Exec=\"/opt/korvu/korvu\" -w \"a\\\\`b;c\""},
      {"50%off", "Exec=\"/opt/korvu/korvu\" -w 50%%off"},
      {"it's", "Exec=\"/opt/korvu/korvu\" -w \"it's\""},
  };
  for (const Case& c : cases) {
    ShellLinkSettings settings;
    settings.path = "/opt/korvu/korvu";
    settings.arguments = std::string("-w \"") + c.name + "\"";
    settings.description = std::string("Wake up ") + c.name;
    settings.workingDirectory = "/opt/korvu/";
    std::string text = DesktopEntryText(settings);
    EXPECT_EQ(text, std::string("[Desktop Entry]\nType=Application\nName=Wake up ") + c.name +
                        "\nComment=Wake up " + c.name + "\n" + c.exec +
                        "\nPath=/opt/korvu/\nTerminal=true\n")
        << c.name;
  }
}

TEST(ShellLinkFileTest, ProgramPathWithBlanksAndBackslashes) {
  ShellLinkSettings settings;
  settings.path = "/home/me/my tools/korvu";
  settings.arguments = "-w \"pc\"";
  settings.description = "Wake up pc";
  settings.workingDirectory = "/home/me/my tools\\x/";
  std::string text = DesktopEntryText(settings);
  EXPECT_NE(text.find("Exec=\"/home/me/my tools/korvu\" -w pc\n"), std::string::npos) << text;
  EXPECT_NE(text.find("Path=/home/me/my tools\\\\x/\n"), std::string::npos) << text;
}

TEST(ShellLinkFileTest, SplitArguments) {
  EXPECT_EQ(SplitArguments("-w \"kids pc\""), (std::vector<std::string>{"-w", "kids pc"}));
  EXPECT_EQ(SplitArguments("  -w  \"\" x"), (std::vector<std::string>{"-w", "", "x"}));
}

}  // namespace
}  // namespace korvu
