// Finding a MAC address: the echo and table stages, their failures and the search rules.
#include "discovery/lookup.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "fake_platform.h"

namespace korvu {
namespace {

using Calls = std::vector<std::string>;

NeighbourRow Row(std::uint32_t address, std::vector<std::uint8_t> mac, std::uint32_t type = 3) {
  NeighbourRow row{};
  row.addr = address;
  row.physAddrLen = static_cast<std::uint32_t>(mac.size());
  if (!mac.empty()) std::memcpy(row.physAddr, mac.data(), mac.size());
  row.type = type;
  return row;
}

const Calls kEchoOpen = {"LoadLibraryA icmp.dll", "GetProcAddress IcmpCreateFile",
                         "GetProcAddress IcmpSendEcho", "GetProcAddress IcmpCloseHandle",
                         "IcmpCreateFile"};
const Calls kEcho = {"GlobalAlloc GPTR 92", "IcmpSendEcho 10.0.0.7 64 bytes reply 92 timeout 5000",
                     "IcmpCloseHandle", "FreeLibrary icmp.dll", "GlobalFree"};
const Calls kTable = {"LoadLibraryA Iphlpapi.dll", "GetProcAddress GetIpNetTable",
                      "GetIpNetTable size 2404 unsorted", "FreeLibrary Iphlpapi.dll"};

Calls Join(std::initializer_list<Calls> parts) {
  Calls all;
  for (const Calls& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

struct FailureCase {
  const char* failing;
  const char* output;
  Calls calls;
};

// Every failure ends the lookup with an empty MAC text and 0, releases what it obtained in
// order, and never reads the table after the echo stage failed.
TEST(LookupTest, EachFailureStopsWithItsMessageAndReleases) {
  const FailureCase cases[] = {
      {"LoadLibraryA icmp.dll", "Can not find icmp.dll\n", {"LoadLibraryA icmp.dll"}},
      {"GetProcAddress IcmpCreateFile",
       "",
       {"LoadLibraryA icmp.dll", "GetProcAddress IcmpCreateFile", "FreeLibrary icmp.dll"}},
      {"GetProcAddress IcmpSendEcho",
       "",
       {"LoadLibraryA icmp.dll", "GetProcAddress IcmpCreateFile", "GetProcAddress IcmpSendEcho",
        "FreeLibrary icmp.dll"}},
      {"GetProcAddress IcmpCloseHandle",
       "",
       {"LoadLibraryA icmp.dll", "GetProcAddress IcmpCreateFile", "GetProcAddress IcmpSendEcho",
        "GetProcAddress IcmpCloseHandle", "FreeLibrary icmp.dll"}},
      {"IcmpCreateFile", "Can not create icmp file.\n",
       Join({kEchoOpen, {"FreeLibrary icmp.dll"}})},
      {"GlobalAlloc", "",
       Join({kEchoOpen, {"GlobalAlloc GPTR 92", "IcmpCloseHandle", "FreeLibrary icmp.dll"}})},
      {"LoadLibraryA Iphlpapi.dll", "Can not find Iphlpapi.dll\n",
       Join({kEchoOpen, kEcho, {"LoadLibraryA Iphlpapi.dll"}})},
      {"GetProcAddress GetIpNetTable", "",
       Join({kEchoOpen,
             kEcho,
             {"LoadLibraryA Iphlpapi.dll", "GetProcAddress GetIpNetTable",
              "FreeLibrary Iphlpapi.dll"}})},
      {"GetIpNetTable", "", Join({kEchoOpen, kEcho, kTable})},
  };
  for (const FailureCase& c : cases) {
    FakePlatform fake;
    fake.neighbours.push_back(Row(Address(10, 0, 0, 7), {0, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}));
    fake.Fail(c.failing);
    char host[20] = "10.0.0.7";
    char mac[20] = "AABBCCDDEEFF";
    EXPECT_EQ(LookupMacAddress(fake, host, mac), 0) << c.failing;
    EXPECT_STREQ(mac, "") << c.failing;
    EXPECT_STREQ(host, "10.0.0.7") << c.failing;
    EXPECT_EQ(fake.output, c.output) << c.failing;
    EXPECT_EQ(fake.calls, c.calls) << c.failing;
  }
}

TEST(LookupTest, EchoRequestCarries64BytesAA) {
  FakePlatform fake;
  char host[20] = "10.0.0.7";
  char mac[20] = {};
  LookupMacAddress(fake, host, mac);
  EXPECT_EQ(fake.echoData, std::vector<std::uint8_t>(64, 0xAA));
}

struct SearchCase {
  const char* title;
  std::vector<NeighbourRow> rows;
  const char* mac;
};

TEST(LookupTest, FirstMatchingRowDecides) {
  const std::uint32_t target = Address(10, 0, 0, 7);
  const std::uint32_t other = Address(10, 0, 0, 8);
  const SearchCase cases[] = {
      {"ethernet",
       {Row(other, {1, 2, 3, 4, 5, 6}), Row(target, {0, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E})},
       "001A2B3C4D5E"},
      {"first of two",
       {Row(target, {0xAB, 0, 0, 0, 0, 1}), Row(target, {1, 2, 3, 4, 5, 6})},
       "AB0000000001"},
      {"first has no address", {Row(target, {}, 2), Row(target, {1, 2, 3, 4, 5, 6})}, ""},
      {"all zero is unresolved",
       {Row(target, {0, 0, 0, 0, 0, 0}, 2), Row(target, {1, 2, 3, 4, 5, 6})},
       ""},
      {"any type", {Row(target, {0xDE, 0xAD, 0xBE, 0xEF, 0, 1}, 2)}, "DEADBEEF0001"},
      {"eight bytes", {Row(target, {1, 2, 3, 4, 5, 6, 7, 0xFF})}, "01020304050607FF"},
      {"no row", {Row(other, {1, 2, 3, 4, 5, 6})}, ""},
      {"empty table", {}, ""},
  };
  for (const SearchCase& c : cases) {
    FakePlatform fake;
    fake.neighbours = c.rows;
    char host[20] = "10.0.0.7";
    char mac[20];
    std::memset(mac, 'x', sizeof mac);
    EXPECT_EQ(LookupMacAddress(fake, host, mac), c.mac[0] ? 1 : 0) << c.title;
    EXPECT_STREQ(mac, c.mac) << c.title;
    EXPECT_EQ(fake.calls.back(), "FreeLibrary Iphlpapi.dll") << c.title;
    EXPECT_EQ(fake.output, "") << c.title;
  }
}

TEST(LookupTest, LargeTableIsReadWhole) {
  FakePlatform fake;
  for (int i = 0; i < 150; ++i)
    fake.neighbours.push_back(Row(Address(10, 0, 1, i), {1, 2, 3, 4, 5, 6}));
  fake.neighbours.push_back(Row(Address(10, 0, 0, 7), {0, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}));
  fake.rowsAddedAfterRead = {1};  // the table grows between the reads
  char host[20] = "10.0.0.7";
  char mac[20] = {};
  EXPECT_EQ(LookupMacAddress(fake, host, mac), 1);
  EXPECT_STREQ(mac, "001A2B3C4D5E");
  Calls reads;
  for (const std::string& call : fake.calls)
    if (call.rfind("GetIpNetTable", 0) == 0) reads.push_back(call);
  EXPECT_EQ(reads, (Calls{"GetIpNetTable size 2404 unsorted", "GetIpNetTable size 3628 unsorted",
                          "GetIpNetTable size 3652 unsorted"}));
}

TEST(LookupTest, TableThatKeepsGrowingGivesUp) {
  FakePlatform fake;
  for (int i = 0; i < 150; ++i)
    fake.neighbours.push_back(Row(Address(10, 0, 1, i), {1, 2, 3, 4, 5, 6}));
  fake.rowsAddedAfterRead = {10, 10, 10, 10};
  char host[20] = "10.0.0.7";
  char mac[20] = {};
  EXPECT_EQ(LookupMacAddress(fake, host, mac), 0);
  EXPECT_STREQ(mac, "");
  EXPECT_EQ(fake.calls.back(), "FreeLibrary Iphlpapi.dll");
  EXPECT_EQ(fake.output, "");
}

struct HostCase {
  const char* typed;
  const char* after;
  const char* echoTarget;
  const char* output;
};

TEST(LookupTest, HostTextRewriting) {
  const HostCase cases[] = {
      {"kidspc", "10.0.0.7", "10.0.0.7", ""},
      {"10.0.0.7", "10.0.0.7", "10.0.0.7", ""},
      {"10.7", "10.7", "10.0.0.7", ""},
      {"0x0A000007", "0x0A000007", "10.0.0.7", ""},
      {"255.255.255.255", "192.168.200.1", "192.168.200.1", ""},
      {"nowhere", "nowhere", nullptr, "Can not resolve nowhere\n"},
  };
  for (const HostCase& c : cases) {
    FakePlatform fake;
    fake.hosts["kidspc"] = Address(10, 0, 0, 7);
    fake.hosts["255.255.255.255"] = Address(192, 168, 200, 1);
    char host[20];
    std::strcpy(host, c.typed);
    char mac[20] = "AABBCCDDEEFF";
    LookupMacAddress(fake, host, mac);
    EXPECT_STREQ(host, c.after) << c.typed;
    EXPECT_STREQ(mac, "") << c.typed;
    EXPECT_EQ(fake.output, c.output) << c.typed;
    bool echoed = false;
    for (const std::string& call : fake.calls) {
      if (call.rfind("IcmpSendEcho", 0) != 0) continue;
      echoed = true;
      EXPECT_EQ(call,
                std::string("IcmpSendEcho ") + c.echoTarget + " 64 bytes reply 92 timeout 5000");
    }
    EXPECT_EQ(echoed, c.echoTarget != nullptr) << c.typed;
    if (!c.echoTarget) {
      EXPECT_EQ(fake.calls, Calls{"gethostbyname nowhere"});
    }
  }
}

TEST(LookupTest, NameIsReplacedEvenWhenTheEchoFails) {
  FakePlatform fake;
  fake.hosts["kidspc"] = Address(10, 0, 0, 7);
  fake.Fail("LoadLibraryA icmp.dll");
  char host[20] = "kidspc";
  char mac[20] = "AABBCCDDEEFF";
  EXPECT_EQ(LookupMacAddress(fake, host, mac), 0);
  EXPECT_STREQ(host, "10.0.0.7");
  EXPECT_STREQ(mac, "");
  EXPECT_EQ(fake.output, "Can not find icmp.dll\n");
}

}  // namespace
}  // namespace korvu
