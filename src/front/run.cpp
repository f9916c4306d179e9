// One run of korvu: the options, then lookup, save and wake, in this order.
#include "front/run.h"

#include "common/text.h"
#include "discovery/lookup.h"
#include "front/options.h"
#include "front/socket_library.h"
#include "records/host_records.h"
#include "shortcut/wake_shortcut.h"
#include "wake/mac_text.h"
#include "wake/magic_packet.h"

namespace korvu {

namespace {

constexpr std::uint32_t kPauseAfterWake = 1500;

void LookupStep(Platform& platform, RunState& state) {
  if (state.hostText[0] == '\0') {
    platform.Print("You must supply an IP address !\n");
    return;
  }
  LookupMacAddress(platform, state.hostText, state.macText);
  PrintFormatted(platform, "MAC Address for %s : %s\n", state.hostText, state.macText);
}

void SaveStep(Platform& platform, RunState& state) {
  if (state.macText[0] == '\0') {
    PrintFormatted(platform, "MAC Address %s not found !\n", state.hostText);
    return;
  }
  if (state.recordName[0] == '\0') {
    platform.Print("No name specified in -s option !\n");
    return;
  }
  if (!SaveHostRecord(platform, state.recordName, state.macText, state.maskText, state.hostText)) {
    PrintFormatted(platform, "Can not save %s in korvu.ini !\n", state.recordName);
    return;
  }
  if (state.shortcut) PlaceWakeShortcut(platform, state.recordName);
}

void WakeStep(Platform& platform, RunState& state) {
  if (state.recordName[0] == '\0') {
    platform.Print("No name specified in -w option !\n");
    return;
  }
  LoadHostRecord(platform, state.recordName, state.macText, state.maskText, state.hostText);
  if (state.hostText[0] == '\0') {
    PrintFormatted(platform, "IP Address not found in saved data for %s !\n", state.recordName);
    return;
  }
  if (state.macText[0] == '\0') {
    PrintFormatted(platform, "MAC Address not found in saved data for %s !\n", state.recordName);
    return;
  }
  std::uint8_t mac[6];
  if (!ParseMacText(state.macText, mac)) {
    PrintFormatted(platform, "MAC Address not valid in saved data for %s !\n", state.recordName);
    return;
  }
  PrintFormatted(platform, "Sent wakeup call to %s...\n", state.recordName);
  SendMagicPacket(platform, state.hostText, state.maskText, state.macText);
  platform.Sleep(kPauseAfterWake);
}

}  // namespace

int RunKorvu(Platform& platform, int argc, const char* const* argv) {
  RunState state;
  ParseOptions(platform, argc, argv, state);
  InitializeSockets(platform);
  if (state.lookup) LookupStep(platform, state);
  if (state.save) SaveStep(platform, state);
  if (state.wake) WakeStep(platform, state);
  CleanupSockets(platform);
  return 0;
}

}  // namespace korvu
