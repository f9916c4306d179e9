// The command line and the order of the steps, run against the fake platform.
#include "front/run.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "fake_platform.h"

namespace korvu {
namespace {

using Calls = std::vector<std::string>;

const char kUsage[] =
    "-l <ip address>|<computer name> : lookup ip address or computer name\n"
    "-s <name> : save MAC address and IP address\n"
    "-i : create wake up icon on desktop (must be used with -s)\n"
    "-w <name> : wake up computer \"name\"\n"
    "[optional] : -m <mask> : subnet mask (default is 255.255.255.0)\n"
    "How to use : \n1 : Turn on the computer that needs waking up later.\n"
    "2 : On target computer (the wakee), find out name or IP Address (use hostname, winipcfg or "
    "ipconfig).\n"
    "3 : On source computer (the waker), type korvu -l <name or IP Address of wakee> -s <name> "
    "-i\n"
    "    eg : korvu -l kidspc -s kidspc -i\n"
    "4 : Now when you need to wake up the wakee, type korvu -w <name>,\neg korvu -w kidspc\nor "
    "use the icon on the desktop if you used the option -i.";

Calls Join(std::initializer_list<Calls> parts) {
  Calls all;
  for (const Calls& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

const Calls kStart = {"WSAStartup 0x0101"};
const Calls kEnd = {"WSACleanup"};

Calls Load(const std::string& name) {
  return {
      "GetPrivateProfileStringA [" + name + "] MAC default \"\" size 20 korvu.ini",
      "GetPrivateProfileStringA [" + name + "] MASK default \"255.255.255.0\" size 20 korvu.ini",
      "GetPrivateProfileStringA [" + name + "] IP default \"\" size 20 korvu.ini"};
}

Calls Save(const std::string& name, const std::string& mac, const std::string& mask,
           const std::string& ip) {
  return {"WritePrivateProfileStringA [" + name + "] MAC=" + mac + " korvu.ini",
          "WritePrivateProfileStringA [" + name + "] MASK=" + mask + " korvu.ini",
          "WritePrivateProfileStringA [" + name + "] IP=" + ip + " korvu.ini"};
}

Calls Send(const std::string& broadcast) {
  return {"socket AF_INET SOCK_DGRAM 0", "setsockopt 3 SO_BROADCAST 1",
          "sendto 126 bytes to " + broadcast + ":7", "closesocket 3", "Sleep 1500"};
}

const Calls kLookupCalls = {"LoadLibraryA icmp.dll",
                            "GetProcAddress IcmpCreateFile",
                            "GetProcAddress IcmpSendEcho",
                            "GetProcAddress IcmpCloseHandle",
                            "IcmpCreateFile",
                            "GlobalAlloc GPTR 92",
                            "IcmpSendEcho 10.0.0.7 64 bytes reply 92 timeout 5000",
                            "IcmpCloseHandle",
                            "FreeLibrary icmp.dll",
                            "GlobalFree",
                            "LoadLibraryA Iphlpapi.dll",
                            "GetProcAddress GetIpNetTable",
                            "GetIpNetTable size 2404 unsorted",
                            "FreeLibrary Iphlpapi.dll"};

void StorePc(FakePlatform& fake) {
  fake.SetProfileValue("korvu.ini", "pc", "MAC", "0A1B2C3D4E5F");
  fake.SetProfileValue("korvu.ini", "pc", "MASK", "255.255.255.0");
  fake.SetProfileValue("korvu.ini", "pc", "IP", "192.168.1.20");
}

void NeighbourKidspc(FakePlatform& fake) {
  fake.hosts["kidspc"] = Address(10, 0, 0, 7);
  NeighbourRow row{};
  row.physAddrLen = 6;
  const std::uint8_t mac[6] = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
  std::memcpy(row.physAddr, mac, 6);
  row.addr = Address(10, 0, 0, 7);
  row.type = 3;
  fake.neighbours.push_back(row);
}

struct RunCase {
  const char* title;
  std::vector<std::string> arguments;
  std::function<void(FakePlatform&)> setUp;
  std::string output;
  Calls calls;
};

void PrintTo(const RunCase& c, std::ostream* out) { *out << c.title; }

class RunTest : public testing::TestWithParam<RunCase> {};

TEST_P(RunTest, PrintsAndCallsExactly) {
  const RunCase& c = GetParam();
  FakePlatform fake;
  if (c.setUp) c.setUp(fake);
  std::vector<const char*> argv = {"korvu"};
  for (const std::string& argument : c.arguments) argv.push_back(argument.c_str());
  EXPECT_EQ(RunKorvu(fake, static_cast<int>(argv.size()), argv.data()), 0);
  EXPECT_EQ(fake.output, c.output);
  EXPECT_EQ(fake.calls, c.calls);
}

const std::string kLongName(200, 'n');

const RunCase kRunCases[] = {
    {"NoArguments", {}, nullptr, "", Join({kStart, kEnd})},
    {"Usage", {"-?"}, nullptr, kUsage, Join({kStart, kEnd})},
    {"UsageWithSlashAndTail",
     {"/?", "-?anything"},
     nullptr,
     std::string(kUsage) + kUsage,
     Join({kStart, kEnd})},
    {"IgnoredArguments", {"-x", "-", "/", "pc", "-i"}, nullptr, "", Join({kStart, kEnd})},
    {"Wake",
     {"-w", "pc"},
     StorePc,
     "Sent wakeup call to pc...\n",
     Join({kStart, Load("pc"), Send("192.168.1.255"), kEnd})},
    {"UsageBeforeWake",
     {"/W", "pc", "-?"},
     StorePc,
     std::string(kUsage) + "Sent wakeup call to pc...\n",
     Join({kStart, Load("pc"), Send("192.168.1.255"), kEnd})},
    {"WakeTakesStoredMaskNotOption",
     {"-m", "255.255.0.0", "-w", "pc"},
     StorePc,
     "Sent wakeup call to pc...\n",
     Join({kStart, Load("pc"), Send("192.168.1.255"), kEnd})},
    {"WakeMissingRecord",
     {"-w", "pc"},
     nullptr,
     "IP Address not found in saved data for pc !\n",
     Join({kStart, Load("pc"), kEnd})},
    {"WakeRecordWithoutMac",
     {"-w", "pc"},
     [](FakePlatform& f) { f.SetProfileValue("korvu.ini", "pc", "IP", "192.168.1.20"); },
     "MAC Address not found in saved data for pc !\n",
     Join({kStart, Load("pc"), kEnd})},
    {"WakeRecordWithInvalidMac",
     {"-w", "pc"},
     [](FakePlatform& f) {
       StorePc(f);
       f.SetProfileValue("korvu.ini", "pc", "MAC", "GGzz::0a1b2c");
     },
     "MAC Address not valid in saved data for pc !\n",
     Join({kStart, Load("pc"), kEnd})},
    {"WakeEmptyName",
     {"-w", ""},
     nullptr,
     "No name specified in -w option !\n",
     Join({kStart, kEnd})},
    {"WakeSendFails",
     {"-w", "pc"},
     [](FakePlatform& f) {
       StorePc(f);
       f.Fail("sendto");
     },
     "Sent wakeup call to pc...\nSocket error : sendto\n",
     Join({kStart,
           Load("pc"),
           {"socket AF_INET SOCK_DGRAM 0", "setsockopt 3 SO_BROADCAST 1",
            "sendto 126 bytes to 192.168.1.255:7", "closesocket 3", "Sleep 1500"},
           kEnd})},
    {"SaveWithoutLookup",
     {"-s", "pc", "-i"},
     nullptr,
     "MAC Address  not found !\n",
     Join({kStart, kEnd})},
    {"ValueOptionLastIsIgnored",
     {"-s", "pc", "-l"},
     nullptr,
     "MAC Address  not found !\n",
     Join({kStart, kEnd})},
    {"SaveNameIsNextArgument",
     {"-s", "-w"},
     nullptr,
     "MAC Address  not found !\n",
     Join({kStart, kEnd})},
    {"LookupEmptyHost",
     {"-l", ""},
     nullptr,
     "You must supply an IP address !\n",
     Join({kStart, kEnd})},
    {"LookupAndSave",
     {"-L", "kidspc", "-S", "KidsPC"},
     NeighbourKidspc,
     "MAC Address for 10.0.0.7 : 001A2B3C4D5E\n",
     Join({kStart,
           {"gethostbyname kidspc"},
           kLookupCalls,
           Save("KidsPC", "001A2B3C4D5E", "255.255.255.0", "10.0.0.7"),
           kEnd})},
    {"LookupSaveWithMaskThenWakeOtherName",
     {"-l", "kidspc", "-m", "255.255.0.0", "-s", "a", "-w", "b"},
     NeighbourKidspc,
     "MAC Address for 10.0.0.7 : 001A2B3C4D5E\nSent wakeup call to b...\n",
     Join({kStart,
           {"gethostbyname kidspc"},
           kLookupCalls,
           Save("b", "001A2B3C4D5E", "255.255.0.0", "10.0.0.7"),
           Load("b"),
           Send("10.0.255.255"),
           kEnd})},
    {"LookupNotFoundSavesNothing",
     {"-l", "10.0.0.7", "-s", "pc", "-i"},
     nullptr,
     "MAC Address for 10.0.0.7 : \nMAC Address 10.0.0.7 not found !\n",
     Join({kStart, kLookupCalls, kEnd})},
    {"SaveEmptyName",
     {"-l", "kidspc", "-s", ""},
     NeighbourKidspc,
     "MAC Address for 10.0.0.7 : 001A2B3C4D5E\nNo name specified in -s option !\n",
     Join({kStart, {"gethostbyname kidspc"}, kLookupCalls, kEnd})},
    {"SaveWriteFails",
     {"-l", "kidspc", "-s", "pc"},
     [](FakePlatform& f) {
       NeighbourKidspc(f);
       f.Fail("WritePrivateProfileStringA", 2);
     },
     "MAC Address for 10.0.0.7 : 001A2B3C4D5E\nCan not save pc in korvu.ini !\n",
     Join({kStart,
           {"gethostbyname kidspc"},
           kLookupCalls,
           Save("pc", "001A2B3C4D5E", "255.255.255.0", "10.0.0.7"),
           kEnd})},
    {"SaveNameWithLineBreakIsRefused",
     {"-l", "kidspc", "-s", "pc\r\n[evil]"},
     NeighbourKidspc,
     "MAC Address for 10.0.0.7 : 001A2B3C4D5E\nCan not save pc\r\n[evil] in korvu.ini !\n",
     Join({kStart, {"gethostbyname kidspc"}, kLookupCalls, kEnd})},
    {"TooLongValuesAreRefused",
     {"-l", "123456789.123456789", "-L", "123456789.1234567890", "-m", "12345678901234567890", "-W",
      kLongName},
     nullptr,
     "Value of -l is too long (at most 19 characters) !\n"
     "Value of -m is too long (at most 19 characters) !\n"
     "Value of -w is too long (at most 199 characters) !\n"
     "Can not resolve 123456789.123456789\n"
     "MAC Address for 123456789.123456789 : \n",
     Join({kStart, {"gethostbyname 123456789.123456789"}, kEnd})},
    {"LongestNameFits",
     {"-w", kLongName.substr(1)},
     nullptr,
     "IP Address not found in saved data for " + kLongName.substr(1) + " !\n",
     Join({kStart, Load(kLongName.substr(1)), kEnd})},
    {"SocketStartFails",
     {"-w", "pc"},
     [](FakePlatform& f) {
       StorePc(f);
       f.Fail("WSAStartup");
     },
     "InitializeSockets end because WSAStartup failedSent wakeup call to pc...\n",
     Join({kStart, Load("pc"), Send("192.168.1.255"), kEnd})},
    {"SocketVersionOneZero",
     {},
     [](FakePlatform& f) { f.socketVersion = 0x0001; },
     "InitializeSockets end, version=0.1",
     Join({kStart, {"WSACleanup"}, kEnd})},
    {"SocketVersionTwoTwo",
     {},
     [](FakePlatform& f) { f.socketVersion = 0x0202; },
     "InitializeSockets end, version=2.2",
     Join({kStart, {"WSACleanup"}, kEnd})},
};

INSTANTIATE_TEST_SUITE_P(CommandLines, RunTest, testing::ValuesIn(kRunCases),
                         [](const testing::TestParamInfo<RunCase>& info) {
                           return std::string(info.param.title);
                         });

TEST(RunTest, DashedMacWakesLikeColonMac) {
  std::vector<std::vector<std::uint8_t>> datagrams;
  for (const char* mac : {"00-11-22-33-44-55", "00:11:22:33:44:55", "001122334455"}) {
    FakePlatform fake;
    StorePc(fake);
    fake.SetProfileValue("korvu.ini", "pc", "MAC", mac);
    const char* argv[] = {"korvu", "-w", "pc"};
    RunKorvu(fake, 3, argv);
    EXPECT_EQ(fake.output, "Sent wakeup call to pc...\n") << mac;
    datagrams.push_back(fake.datagram);
  }
  EXPECT_EQ(datagrams[0].size(), 126u);
  EXPECT_EQ(datagrams[0][6], 0x00);
  EXPECT_EQ(datagrams[0][7], 0x11);
  EXPECT_EQ(datagrams[0][11], 0x55);
  EXPECT_EQ(datagrams[0], datagrams[1]);
  EXPECT_EQ(datagrams[0], datagrams[2]);
}

TEST(RunTest, SaveThenWakeInOneRunReadsBackTheRecord) {
  FakePlatform fake;
  NeighbourKidspc(fake);
  const char* argv[] = {"korvu", "-l", "kidspc", "-s", "kidspc", "-w", "KIDSPC"};
  RunKorvu(fake, 7, argv);
  EXPECT_EQ(fake.ProfileValue("korvu.ini", "kidspc", "MAC"), "001A2B3C4D5E");
  EXPECT_EQ(fake.ProfileValue("korvu.ini", "kidspc", "IP"), "10.0.0.7");
  EXPECT_EQ(fake.output,
            "MAC Address for 10.0.0.7 : 001A2B3C4D5E\nSent wakeup call to KIDSPC...\n");
  ASSERT_EQ(fake.datagram.size(), 126u);
  EXPECT_EQ(fake.datagram[6], 0x00);
  EXPECT_EQ(fake.datagram[7], 0x1A);
}

}  // namespace
}  // namespace korvu
