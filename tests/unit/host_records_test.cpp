// Saving and loading host records through the profile functions, against the fake.
#include "records/host_records.h"

#include <gtest/gtest.h>

#include <string>

#include "fake_platform.h"

namespace korvu {
namespace {

TEST(HostRecordsTest, SaveWritesMacMaskIpInOrder) {
  FakePlatform fake;
  EXPECT_TRUE(SaveHostRecord(fake, "kidspc", "001A2B3C4D5E", "255.255.255.0", "192.168.1.20"));
  EXPECT_EQ(fake.calls, (std::vector<std::string>{
                            "WritePrivateProfileStringA [kidspc] MAC=001A2B3C4D5E korvu.ini",
                            "WritePrivateProfileStringA [kidspc] MASK=255.255.255.0 korvu.ini",
                            "WritePrivateProfileStringA [kidspc] IP=192.168.1.20 korvu.ini"}));
}

TEST(HostRecordsTest, AFailedWriteIsReportedAndTheOthersAreStillMade) {
  for (int failing = 1; failing <= 3; ++failing) {
    FakePlatform fake;
    fake.Fail("WritePrivateProfileStringA", failing);
    EXPECT_FALSE(SaveHostRecord(fake, "pc", "001A2B3C4D5E", "255.255.255.0", "10.0.0.7"));
    EXPECT_EQ(fake.calls.size(), 3u);
  }
}

TEST(HostRecordsTest, LineBreaksAreNeverWritten) {
  const char* name = "pc";
  const char* mac = "001A2B3C4D5E";
  const char* mask = "255.255.255.0";
  const char* ip = "10.0.0.7";
  const char* broken[] = {"a\r\nINJ=evil", "line\nonly", "cr\ronly"};
  for (const char* bad : broken) {
    for (int field = 0; field < 4; ++field) {
      FakePlatform fake;
      EXPECT_FALSE(SaveHostRecord(fake, field == 0 ? bad : name, field == 1 ? bad : mac,
                                  field == 2 ? bad : mask, field == 3 ? bad : ip))
          << field;
      EXPECT_TRUE(fake.calls.empty()) << field;
    }
  }
}

struct LoadCase {
  const char* title;
  const char* mac;  // null: key missing
  const char* mask;
  const char* ip;
  const char* wantMac;
  const char* wantMask;
  const char* wantIp;
};

TEST(HostRecordsTest, LoadFillsDefaults) {
  const LoadCase cases[] = {
      {"complete", "001A2B3C4D5E", "255.255.0.0", "10.0.0.7", "001A2B3C4D5E", "255.255.0.0",
       "10.0.0.7"},
      {"no section", nullptr, nullptr, nullptr, "", "255.255.255.0", ""},
      {"no mask line", "001A2B3C4D5E", nullptr, "10.0.0.7", "001A2B3C4D5E", "255.255.255.0",
       "10.0.0.7"},
      {"empty mask", "001A2B3C4D5E", "", "10.0.0.7", "001A2B3C4D5E", "255.255.255.0", "10.0.0.7"},
      {"long ip", "001A2B3C4D5E", "255.255.255.0", "1234567890123456789012345", "001A2B3C4D5E",
       "255.255.255.0", "1234567890123456789"},
  };
  for (const LoadCase& c : cases) {
    FakePlatform fake;
    fake.SetProfileValue("korvu.ini", "other", "MAC", "FFFFFFFFFFFF");
    if (c.mac) fake.SetProfileValue("korvu.ini", "PC", "MAC", c.mac);
    if (c.mask) fake.SetProfileValue("korvu.ini", "PC", "MASK", c.mask);
    if (c.ip) fake.SetProfileValue("korvu.ini", "PC", "IP", c.ip);
    char mac[20] = "stale", mask[20] = "stale", ip[20] = "stale";
    LoadHostRecord(fake, "pc", mac, mask, ip);
    EXPECT_STREQ(mac, c.wantMac) << c.title;
    EXPECT_STREQ(mask, c.wantMask) << c.title;
    EXPECT_STREQ(ip, c.wantIp) << c.title;
  }
}

}  // namespace
}  // namespace korvu
