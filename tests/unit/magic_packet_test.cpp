// The wake-up datagram, the broadcast address and the socket failures, against the fake.
#include "wake/magic_packet.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "fake_platform.h"
#include "wake/mac_text.h"

namespace korvu {
namespace {

TEST(MagicPacketTest, DatagramIsSixFFThenTwentyCopies) {
  FakePlatform fake;
  EXPECT_EQ(SendMagicPacket(fake, "192.168.1.20", "255.255.255.0", "0A1B2C3D4E5F"), kSendOk);
  std::vector<std::uint8_t> expected(6, 0xFF);
  for (int copy = 0; copy < 20; ++copy)
    expected.insert(expected.end(), {0x0A, 0x1B, 0x2C, 0x3D, 0x4E, 0x5F});
  EXPECT_EQ(fake.datagram, expected);
  EXPECT_EQ(fake.calls,
            (std::vector<std::string>{"socket AF_INET SOCK_DGRAM 0", "setsockopt 3 SO_BROADCAST 1",
                                      "sendto 126 bytes to 192.168.1.255:7", "closesocket 3"}));
  EXPECT_EQ(fake.output, "");
}

struct MacCase {
  const char* text;
  bool valid;
  std::uint8_t mac[6];
};

TEST(MacTextTest, AcceptsOnlyMacAddresses) {
  const MacCase cases[] = {
      {"0A1B2C3D4E5F", true, {0x0A, 0x1B, 0x2C, 0x3D, 0x4E, 0x5F}},
      {"0a1b2c3d4e5f", true, {0x0A, 0x1B, 0x2C, 0x3D, 0x4E, 0x5F}},
      {"00-11-22-33-44-55", true, {0x00, 0x11, 0x22, 0x33, 0x44, 0x55}},
      {"00:11:22:33:44:55", true, {0x00, 0x11, 0x22, 0x33, 0x44, 0x55}},
      {"fF:eE:dD:cC:bB:aA", true, {0xFF, 0xEE, 0xDD, 0xCC, 0xBB, 0xAA}},
      {"", false, {}},
      {"0011", false, {}},
      {"0A1B2C3D4E5F6", false, {}},
      {"0A1B2C3D4E5G", false, {}},
      {"GGzz::0a1b2c", false, {}},
      {"00:11-22:33:44:55", false, {}},
      {"00.11.22.33.44.55", false, {}},
      {"0:11:22:33:44:555", false, {}},
      {"001A2B3C4D5E6F70", false, {}},
      {" 01A2B3C4D5E", false, {}},
  };
  for (const MacCase& c : cases) {
    std::uint8_t mac[6] = {1, 2, 3, 4, 5, 6};
    EXPECT_EQ(ParseMacText(c.text, mac), c.valid) << c.text;
    if (c.valid) {
      EXPECT_EQ(std::memcmp(mac, c.mac, 6), 0) << c.text;
    }
  }
}

TEST(MacTextTest, HexDigitValueKeepsItsTable) {
  const std::pair<int, int> ranges[][2] = {
      {{0x30, 0x30}, {0, 0}},   {{0x31, 0x39}, {1, 9}},   {{0x41, 0x5A}, {10, 35}},
      {{0x61, 0x7A}, {10, 35}}, {{0x5B, 0x60}, {36, 41}}, {{0x7B, 0x7F}, {36, 40}},
      {{0x00, 0x2F}, {0, 0}},   {{0x3A, 0x40}, {0, 0}},   {{0x80, 0xFF}, {0, 0}},
  };
  for (const auto& range : ranges) {
    for (int byte = range[0].first; byte <= range[0].second; ++byte) {
      int expected = range[1].first == range[1].second ? range[1].first
                                                       : range[1].first + (byte - range[0].first);
      EXPECT_EQ(HexDigitValue(static_cast<signed char>(byte)), expected) << byte;
    }
  }
}

TEST(MagicPacketTest, BroadcastAddress) {
  struct Case {
    const char* ip;
    const char* mask;
    const char* broadcast;
  };
  const Case cases[] = {
      {"192.168.1.20", "255.255.255.0", "192.168.1.255"},
      {"10.1.2.3", "255.0.0.0", "10.255.255.255"},
      {"172.16.5.4", "255.255.240.0", "172.16.15.255"},
      {"192.168.1.20", "255.255.255.252", "192.168.1.23"},
      {"192.168.1.20", "0.0.0.0", "255.255.255.255"},
      {"192.168.1.20", "255.255.255.255", "192.168.1.20"},
      {"192.168.1.20", "not a mask", "192.168.1.20"},
      {"kidspc", "255.255.255.0", "255.255.255.255"},
      {"192.168.1.20", "255.0.255.0", "192.255.1.255"},
  };
  for (const Case& c : cases) {
    FakePlatform fake;
    char out[16];
    GetBroadcastAddress(fake, out, c.ip, c.mask);
    EXPECT_STREQ(out, c.broadcast) << c.ip << " " << c.mask;
  }
}

TEST(MagicPacketTest, SocketFailures) {
  struct Case {
    const char* failing;
    int result;
    const char* output;
    std::vector<std::string> calls;
  };
  const Case cases[] = {
      {"socket", kSendNoSocket, "Socket error : socket\n", {"socket AF_INET SOCK_DGRAM 0"}},
      {"setsockopt",
       kSendNoBroadcast,
       "Socket error : setsockopt\n",
       {"socket AF_INET SOCK_DGRAM 0", "setsockopt 3 SO_BROADCAST 1", "closesocket 3"}},
      {"sendto",
       kSendFailed,
       "Socket error : sendto\n",
       {"socket AF_INET SOCK_DGRAM 0", "setsockopt 3 SO_BROADCAST 1",
        "sendto 126 bytes to 192.168.1.255:7", "closesocket 3"}},
  };
  for (const Case& c : cases) {
    FakePlatform fake;
    fake.Fail(c.failing);
    EXPECT_EQ(SendMagicPacket(fake, "192.168.1.20", "255.255.255.0", "0A1B2C3D4E5F"), c.result);
    EXPECT_EQ(fake.output, c.output);
    EXPECT_EQ(fake.calls, c.calls);
    EXPECT_TRUE(fake.datagram.empty());
  }
}

TEST(MagicPacketTest, InvalidMacSendsNothing) {
  FakePlatform fake;
  EXPECT_EQ(SendMagicPacket(fake, "192.168.1.20", "255.255.255.0", "0011"), kSendBadMac);
  EXPECT_TRUE(fake.calls.empty());
  EXPECT_EQ(fake.output, "");
}

}  // namespace
}  // namespace korvu
