// Host records: MAC, MASK and IP of a computer, kept under a name in korvu.ini.
#pragma once

#include "platform/platform.h"

namespace korvu {

constexpr char kHostRecordFile[] = "korvu.ini";
constexpr char kDefaultMask[] = "255.255.255.0";

/// Writes MAC, MASK and IP, in this order, into the section named by the record name.
/// Returns true when all three writes succeeded. Nothing is written when any of the four
/// texts holds a line break, since it would add lines of its own to the file.
bool SaveHostRecord(Platform& platform, const char* name, const char* macText, const char* maskText,
                    const char* hostText);

/// Reads MAC, MASK and IP of the named record into 20-character buffers. Missing values read
/// as empty, except the mask, which reads as 255.255.255.0 when missing or empty.
void LoadHostRecord(Platform& platform, const char* name, char* macText, char* maskText,
                    char* hostText);

}  // namespace korvu
