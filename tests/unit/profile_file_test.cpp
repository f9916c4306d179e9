// The Linux profile file: korvu.ini in a temporary configuration folder, read and written for real.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>

#include "platform/posix/native_platform.h"

namespace korvu {
namespace {

class ProfileFileTest : public testing::Test {
 protected:
  void SetUp() override {
    char folder[] = "/tmp/korvu-profile-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    root_ = folder;
    setenv("XDG_CONFIG_HOME", root_.c_str(), 1);
    path_ = root_ + "/korvu/korvu.ini";
  }
  void TearDown() override {
    unsetenv("XDG_CONFIG_HOME");
    std::string command = "rm -rf '" + root_ + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
  }

  std::string File() const {
    std::ifstream in(path_, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  void SetFile(const std::string& text) {
    ASSERT_EQ(std::system(("mkdir -p '" + root_ + "/korvu'").c_str()), 0);
    std::ofstream(path_, std::ios::binary) << text;
  }
  std::string Read(const char* section, const char* key, const char* fallback = "dflt") {
    char buffer[20];
    platform_.ReadProfileValue(section, key, fallback, buffer, sizeof buffer, "korvu.ini");
    return buffer;
  }
  bool Write(const char* section, const char* key, const char* value) {
    return platform_.WriteProfileValue(section, key, value, "korvu.ini");
  }

  PosixPlatform platform_;
  std::string root_;
  std::string path_;
};

TEST_F(ProfileFileTest, FirstSaveCreatesFolderAndSection) {
  EXPECT_TRUE(Write("kidspc", "MAC", "001A2B3C4D5E"));
  EXPECT_TRUE(Write("kidspc", "MASK", "255.255.255.0"));
  EXPECT_TRUE(Write("kidspc", "IP", "192.168.1.20"));
  EXPECT_TRUE(Write("other", "MAC", "AABBCCDDEEFF"));
  EXPECT_EQ(File(),
            "[kidspc]\nMAC=001A2B3C4D5E\nMASK=255.255.255.0\nIP=192.168.1.20\n"
            "[other]\nMAC=AABBCCDDEEFF\n");
}

TEST_F(ProfileFileTest, WriteReplacesInPlaceInAnyCapitalisation) {
  SetFile(
      "; my computers\n\n[KidsPC]\nMac=001A2B3C4D5E\nMASK=255.255.255.0\n\n[other]\nIP=1.2.3.4\n");
  EXPECT_TRUE(Write("kidspc", "MAC", "0A0B0C0D0E0F"));
  EXPECT_TRUE(Write("KIDSPC", "IP", "10.0.0.7"));
  EXPECT_EQ(File(),
            "; my computers\n\n[KidsPC]\nMac=0A0B0C0D0E0F\nMASK=255.255.255.0\nIP=10.0.0.7\n"
            "\n[other]\nIP=1.2.3.4\n");
  EXPECT_EQ(Read("kIdSpC", "mac"), "0A0B0C0D0E0F");
}

TEST_F(ProfileFileTest, ReadsDefaultsAndCutsLongValues) {
  EXPECT_EQ(Read("pc", "MAC"), "dflt");  // no file
  SetFile("[pc]\nIP=1234567890123456789012345\nMASK=\nQ=\"quoted\"\n;MAC=001A2B3C4D5E\n");
  EXPECT_EQ(Read("pc", "IP"), "1234567890123456789");
  EXPECT_EQ(Read("pc", "MASK"), "");
  EXPECT_EQ(Read("pc", "Q"), "quoted");
  EXPECT_EQ(Read("pc", "MAC"), "dflt");
  EXPECT_EQ(Read("none", "IP", "trailing  "), "trailing");
  EXPECT_EQ(Read("pc", "MAC", "1234567890123456789012345"), "1234567890123456789");
}

TEST_F(ProfileFileTest, ReadsAndKeepsAWindowsFile) {
  SetFile(
      "\xEF\xBB\xBF[kidspc]\r\n  MAC  =  001A2B3C4D5E  \r\nMASK = 255.255.0.0\r\n"
      "[ spaced ]\r\nIP=10.0.0.9\r\n");
  EXPECT_EQ(Read("kidspc", "MAC"), "001A2B3C4D5E");
  EXPECT_EQ(Read("kidspc", "MASK"), "255.255.0.0");
  EXPECT_EQ(Read("spaced", "IP"), "10.0.0.9");
  EXPECT_TRUE(Write("kidspc", "IP", "10.0.0.7"));
  EXPECT_TRUE(Write("new", "MAC", "AABBCCDDEEFF"));
  EXPECT_EQ(File(),
            "\xEF\xBB\xBF[kidspc]\r\n  MAC  =  001A2B3C4D5E  \r\nMASK = 255.255.0.0\r\n"
            "IP=10.0.0.7\r\n[ spaced ]\r\nIP=10.0.0.9\r\n[new]\r\nMAC=AABBCCDDEEFF\r\n");
}

TEST_F(ProfileFileTest, RefusesLineBreaksAndUnwritableFolders) {
  EXPECT_FALSE(Write("pc\r\n[x", "MAC", "1"));
  EXPECT_FALSE(Write("pc", "MAC", "a\nINJ=evil"));
  EXPECT_EQ(File(), "");
  SetFile("[pc]\nMAC=1\n");
  ASSERT_EQ(std::system(("chmod 0500 '" + root_ + "/korvu'").c_str()), 0);
  if (geteuid() != 0) {
    EXPECT_FALSE(Write("pc", "MAC", "2"));
  }
  ASSERT_EQ(std::system(("chmod 0700 '" + root_ + "/korvu'").c_str()), 0);
  setenv("XDG_CONFIG_HOME", "/proc/no-such-folder", 1);
  EXPECT_FALSE(Write("pc", "MAC", "2"));
}

TEST_F(ProfileFileTest, HomeConfigWhenXdgConfigHomeIsEmpty) {
  setenv("XDG_CONFIG_HOME", "", 1);
  const char* home = getenv("HOME");
  std::string saved = home ? home : "";
  setenv("HOME", root_.c_str(), 1);
  EXPECT_EQ(ProfileFilePath("korvu.ini"), root_ + "/.config/korvu/korvu.ini");
  EXPECT_EQ(ProfileFilePath("./here.ini"), "./here.ini");
  setenv("HOME", saved.c_str(), 1);
}

TEST_F(ProfileFileTest, ConcurrentSavesKeepEveryRecord) {
  constexpr int kWriters = 12;
  for (int i = 0; i < kWriters; ++i) {
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      PosixPlatform platform;
      std::string name = "pc" + std::to_string(i);
      bool ok = platform.WriteProfileValue(name.c_str(), "MAC", "001A2B3C4D5E", "korvu.ini") &&
                platform.WriteProfileValue(name.c_str(), "MASK", "255.255.255.0", "korvu.ini") &&
                platform.WriteProfileValue(name.c_str(), "IP", "10.0.0.7", "korvu.ini");
      _exit(ok ? 0 : 1);
    }
  }
  for (int i = 0; i < kWriters; ++i) {
    int status = 0;
    wait(&status);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  for (int i = 0; i < kWriters; ++i) {
    std::string name = "pc" + std::to_string(i);
    EXPECT_EQ(Read(name.c_str(), "MAC"), "001A2B3C4D5E") << name;
    EXPECT_EQ(Read(name.c_str(), "MASK"), "255.255.255.0") << name;
    EXPECT_EQ(Read(name.c_str(), "IP"), "10.0.0.7") << name;
  }
}

}  // namespace
}  // namespace korvu
