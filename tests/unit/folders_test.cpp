// Finding the desktop folder on Linux: XDG_DESKTOP_DIR, then user-dirs.dirs, then ~/Desktop.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <fstream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/posix/native_platform.h"

namespace korvu {
namespace {

class DesktopFolderTest : public testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DESKTOP_DIR"}) {
      const char* value = getenv(name);
      saved_.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
    }
    char folder[] = "/tmp/korvu-desktop-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    home_ = folder;
    setenv("HOME", home_.c_str(), 1);
    unsetenv("XDG_CONFIG_HOME");
    unsetenv("XDG_DESKTOP_DIR");
  }
  void TearDown() override {
    for (const auto& [name, value] : saved_) {
      if (value) {
        setenv(name, value->c_str(), 1);
      } else {
        unsetenv(name);
      }
    }
    ASSERT_EQ(std::system(("rm -rf '" + home_ + "'").c_str()), 0);
  }
  void UserDirs(const std::string& folder, const std::string& text) {
    ASSERT_EQ(std::system(("mkdir -p '" + folder + "'").c_str()), 0);
    std::ofstream(folder + "/user-dirs.dirs") << text;
  }
  std::string Desktop() {
    char buffer[kMaxPath] = "unset";
    return platform_.GetDesktopFolder(buffer) ? buffer : "<none>";
  }

  std::vector<std::pair<const char*, std::optional<std::string>>> saved_;
  PosixPlatform platform_;
  std::string home_;
};

TEST_F(DesktopFolderTest, HomeDesktopWithoutUserDirs) { EXPECT_EQ(Desktop(), home_ + "/Desktop"); }

TEST_F(DesktopFolderTest, UserDirsRelativeToHomeOrAbsolute) {
  UserDirs(home_ + "/.config",
           "# written by xdg-user-dirs-update\nXDG_MUSIC_DIR=\"$HOME/M\"\n"
           "  XDG_DESKTOP_DIR = \"$HOME/Schreibtisch/\"\n");
  EXPECT_EQ(Desktop(), home_ + "/Schreibtisch");
  UserDirs(home_ + "/.config", "XDG_DESKTOP_DIR=\"/srv/desk top\"\n");
  EXPECT_EQ(Desktop(), "/srv/desk top");
  UserDirs(home_ + "/.config", "XDG_DESKTOP_DIR=\"$HOME\"\n");
  EXPECT_EQ(Desktop(), home_);
  UserDirs(home_ + "/.config", "XDG_DESKTOP_DIR=relative/path\n");
  EXPECT_EQ(Desktop(), home_ + "/Desktop");
}

TEST_F(DesktopFolderTest, UserDirsUnderXdgConfigHome) {
  setenv("XDG_CONFIG_HOME", (home_ + "/conf").c_str(), 1);
  UserDirs(home_ + "/conf", "XDG_DESKTOP_DIR=\"$HOME/Bureau\"\n");
  EXPECT_EQ(Desktop(), home_ + "/Bureau");
}

TEST_F(DesktopFolderTest, XdgDesktopDirComesFirst) {
  UserDirs(home_ + "/.config", "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n");
  setenv("XDG_DESKTOP_DIR", "/elsewhere", 1);
  EXPECT_EQ(Desktop(), "/elsewhere");
}

TEST_F(DesktopFolderTest, NoHomeNoDesktop) {
  unsetenv("HOME");
  EXPECT_EQ(Desktop(), "<none>");
}

}  // namespace
}  // namespace korvu
