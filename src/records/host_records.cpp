// Host records: MAC, MASK and IP of a computer, kept under a name in korvu.ini.
#include "records/host_records.h"

#include "common/text.h"

namespace korvu {

namespace {
constexpr std::uint32_t kValueSize = 20;
}

bool SaveHostRecord(Platform& platform, const char* name, const char* macText,
                    const char* maskText, const char* hostText) {
  if (HasLineBreak(name) || HasLineBreak(macText) || HasLineBreak(maskText) ||
      HasLineBreak(hostText)) {
    return false;
  }
  bool saved = platform.WriteProfileString(name, "MAC", macText, kHostRecordFile);
  saved = platform.WriteProfileString(name, "MASK", maskText, kHostRecordFile) && saved;
  saved = platform.WriteProfileString(name, "IP", hostText, kHostRecordFile) && saved;
  return saved;
}

void LoadHostRecord(Platform& platform, const char* name, char* macText, char* maskText,
                    char* hostText) {
  platform.ReadProfileString(name, "MAC", "", macText, kValueSize, kHostRecordFile);
  platform.ReadProfileString(name, "MASK", kDefaultMask, maskText, kValueSize, kHostRecordFile);
  platform.ReadProfileString(name, "IP", "", hostText, kValueSize, kHostRecordFile);
  if (maskText[0] == '\0') CopyText(maskText, kValueSize, kDefaultMask);
}

}  // namespace korvu
