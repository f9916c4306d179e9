// Host records: MAC, MASK and IP of a computer, kept under a name in korvu.ini.
#include "records/host_records.h"

#include "common/text.h"

namespace korvu {

namespace {
constexpr std::uint32_t kValueSize = 20;
}

bool SaveHostRecord(Platform& platform, const char* name, const char* macText, const char* maskText,
                    const char* hostText) {
  if (HasLineBreak(name) || HasLineBreak(macText) || HasLineBreak(maskText) ||
      HasLineBreak(hostText)) {
    return false;
  }
  bool saved = platform.WriteProfileValue(name, "MAC", macText, kHostRecordFile);
  saved = platform.WriteProfileValue(name, "MASK", maskText, kHostRecordFile) && saved;
  saved = platform.WriteProfileValue(name, "IP", hostText, kHostRecordFile) && saved;
  return saved;
}

void LoadHostRecord(Platform& platform, const char* name, char* macText, char* maskText,
                    char* hostText) {
  platform.ReadProfileValue(name, "MAC", "", macText, kValueSize, kHostRecordFile);
  platform.ReadProfileValue(name, "MASK", kDefaultMask, maskText, kValueSize, kHostRecordFile);
  platform.ReadProfileValue(name, "IP", "", hostText, kValueSize, kHostRecordFile);
  if (maskText[0] == '\0') CopyText(maskText, kValueSize, kDefaultMask);
}

}  // namespace korvu
