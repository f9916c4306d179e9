// The wake-up shortcut: its five strings, the calls to the shell-link object and each failure.
#include "shortcut/wake_shortcut.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "fake_platform.h"
#include "front/run.h"

namespace korvu {
namespace {

using Calls = std::vector<std::string>;

Calls ShortcutCalls(const std::string& name) {
  std::string link = "D:\\Desktop\\Wake up " + name + ".lnk";
  return {"SHGetSpecialFolderPathA CSIDL_DESKTOP",
          "GetModuleFileNameA 260",
          "OleInitialize",
          "CoCreateInstance CLSID_ShellLink IID_IShellLinkA",
          "SetPath C:\\Tools\\korvu.exe",
          "SetArguments -w \"" + name + "\"",
          "SetDescription Wake up " + name,
          "SetWorkingDirectory C:\\Tools\\",
          "SetIconLocation (null) 0",
          "QueryInterface IShellLinkA IID_IPersistFile",
          "MultiByteToWideChar " + link + " 260",
          "Save IPersistFile " + link + " TRUE",
          "Release IPersistFile",
          "Release IShellLinkA"};
}

TEST(WakeShortcutTest, KidspcGetsItsFiveStringsInOrder) {
  FakePlatform fake;
  PlaceWakeShortcut(fake, "kidspc");
  EXPECT_EQ(fake.calls, ShortcutCalls("kidspc"));
  EXPECT_EQ(fake.savedFiles, Calls{"D:\\Desktop\\Wake up kidspc.lnk"});
  EXPECT_EQ(fake.output, "");
}

TEST(WakeShortcutTest, NamesKeptWhole) {
  for (const std::string& name :
       std::vector<std::string>{"kids pc", "50% off", std::string(91, 'n')}) {
    FakePlatform fake;
    PlaceWakeShortcut(fake, name.c_str());
    EXPECT_EQ(fake.calls, ShortcutCalls(name)) << name;
  }
}

TEST(WakeShortcutTest, WorkingDirectoryIsDriveAndDirectory) {
  const std::pair<const char*, const char*> cases[] = {
      {"C:\\korvu.exe", "SetWorkingDirectory C:\\"},
      {"\\\\srv\\share\\korvu.exe", "SetWorkingDirectory \\\\srv\\share\\"},
      {"/usr/local/bin/korvu", "SetWorkingDirectory /usr/local/bin/"},
  };
  for (const auto& c : cases) {
    FakePlatform fake;
    fake.modulePath = c.first;
    PlaceWakeShortcut(fake, "pc");
    EXPECT_EQ(fake.calls.at(7), c.second);
  }
}

TEST(WakeShortcutTest, NoShortcutWhereItWouldGoWrong) {
  struct Case {
    const char* title;
    std::string name;
    std::function<void(FakePlatform&)> setUp;
    Calls calls;
  };
  const Case cases[] = {
      {"backslash", "a\\b", nullptr, {}},
      {"slash", "a/b", nullptr, {}},
      {"quote", "a\"b", nullptr, {}},
      {"colon, star, question mark, angle brackets, bar", "a:*?<>|", nullptr, {}},
      {"name longer than the description",
       std::string(92, 'n'),
       nullptr,
       {"SHGetSpecialFolderPathA CSIDL_DESKTOP"}},
      {"link path longer than 259",
       std::string(91, 'n'),
       [](FakePlatform& f) { f.desktopFolder = "D:\\" + std::string(160, 'd'); },
       {"SHGetSpecialFolderPathA CSIDL_DESKTOP"}},
      {"no desktop folder",
       "pc",
       [](FakePlatform& f) { f.Fail("SHGetSpecialFolderPathA"); },
       {"SHGetSpecialFolderPathA CSIDL_DESKTOP"}},
      {"no module path",
       "pc",
       [](FakePlatform& f) { f.Fail("GetModuleFileNameA"); },
       {"SHGetSpecialFolderPathA CSIDL_DESKTOP", "GetModuleFileNameA 260"}},
      {"module path too long",
       "pc",
       [](FakePlatform& f) { f.modulePath = "C:\\" + std::string(260, 'p'); },
       {"SHGetSpecialFolderPathA CSIDL_DESKTOP", "GetModuleFileNameA 260"}},
  };
  for (const Case& c : cases) {
    FakePlatform fake;
    if (c.setUp) c.setUp(fake);
    PlaceWakeShortcut(fake, c.name.c_str());
    EXPECT_EQ(fake.calls, c.calls) << c.title;
    EXPECT_TRUE(fake.savedFiles.empty()) << c.title;
    EXPECT_EQ(fake.output, "") << c.title;
  }
}

TEST(WakeShortcutTest, EachFailureOfTheShellLinkReleasesWhatItGot) {
  const Calls create = {"CoCreateInstance CLSID_ShellLink IID_IShellLinkA"};
  const Calls setters = {"SetPath C:\\Tools\\korvu.exe", "SetArguments -w \"pc\"",
                         "SetDescription Wake up pc", "SetWorkingDirectory C:\\Tools\\",
                         "SetIconLocation (null) 0"};
  const Calls query = {"QueryInterface IShellLinkA IID_IPersistFile"};
  const Calls save = {"MultiByteToWideChar D:\\Desktop\\Wake up pc.lnk 260",
                      "Save IPersistFile D:\\Desktop\\Wake up pc.lnk TRUE"};
  auto join = [](std::initializer_list<Calls> parts) {
    Calls all;
    for (const Calls& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
  };
  struct Case {
    const char* failing;
    Status status;
    Calls calls;
  };
  const Case cases[] = {
      {"CoCreateInstance", static_cast<Status>(0x80040154u), create},
      {"QueryInterface", static_cast<Status>(0x80004002u),
       join({create, setters, query, {"Release IShellLinkA"}})},
      {"Save", static_cast<Status>(0x80070005u),
       join({create, setters, query, save, {"Release IPersistFile", "Release IShellLinkA"}})},
      {"SetPath", 0,
       join({create, setters, query, save, {"Release IPersistFile", "Release IShellLinkA"}})},
  };
  for (const Case& c : cases) {
    FakePlatform fake;
    fake.Fail(c.failing);
    EXPECT_EQ(CreateShortcut(fake, "C:\\Tools\\korvu.exe", "-w \"pc\"",
                             "D:\\Desktop\\Wake up pc.lnk", "Wake up pc", "C:\\Tools\\"),
              c.status)
        << c.failing;
    EXPECT_EQ(fake.calls, c.calls) << c.failing;
    EXPECT_EQ(fake.output, "") << c.failing;
  }
}

NeighbourRow KidspcRow() {
  NeighbourRow row{};
  row.addr = Address(10, 0, 0, 7);
  row.physAddrLen = 6;
  row.physAddr[1] = 0x1A;
  return row;
}

TEST(WakeShortcutTest, PlacedOnlyAfterASuccessfulSave) {
  struct Case {
    const char* title;
    std::vector<const char*> arguments;
    std::function<void(FakePlatform&)> setUp;
    std::vector<std::string> saved;
  };
  const Case cases[] = {
      {"saved", {"-l", "10.0.0.7", "-i", "-s", "pc"}, nullptr, {"D:\\Desktop\\Wake up pc.lnk"}},
      {"without -i", {"-l", "10.0.0.7", "-s", "pc"}, nullptr, {}},
      {"-i alone", {"-i"}, nullptr, {}},
      {"nothing found", {"-l", "10.0.0.8", "-s", "pc", "-i"}, nullptr, {}},
      {"save failed",
       {"-l", "10.0.0.7", "-s", "pc", "-i"},
       [](FakePlatform& f) { f.Fail("WritePrivateProfileStringA", 3); },
       {}},
  };
  for (const Case& c : cases) {
    FakePlatform fake;
    fake.neighbours.push_back(KidspcRow());
    if (c.setUp) c.setUp(fake);
    std::vector<const char*> argv = {"korvu"};
    argv.insert(argv.end(), c.arguments.begin(), c.arguments.end());
    RunKorvu(fake, static_cast<int>(argv.size()), argv.data());
    EXPECT_EQ(fake.savedFiles, c.saved) << c.title;
  }
}

TEST(WakeShortcutTest, BadNameIsStillSavedButGetsNoShortcut) {
  FakePlatform fake;
  fake.neighbours.push_back(KidspcRow());
  const char* argv[] = {"korvu", "-l", "10.0.0.7", "-s", "kids/pc", "-i"};
  RunKorvu(fake, 6, argv);
  EXPECT_EQ(fake.ProfileValue("korvu.ini", "kids/pc", "MAC"), "001A00000000");
  EXPECT_TRUE(fake.savedFiles.empty());
  EXPECT_EQ(fake.output, "MAC Address for 10.0.0.7 : 001A00000000\n");
}

}  // namespace
}  // namespace korvu
