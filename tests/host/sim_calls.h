#pragma once
// Calls as the simulated platform's log writes them, spelled with the names of their numbers.
#include <string>
#include <string_view>

#include "platform/shell.h"
#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_log.h"
#include "platform/sound.h"
#include "platform/system_parameters.h"

namespace tolva::tests {

inline std::string BeepCall(unsigned type) { return "MessageBeep " + platform::sim::HexText(type); }
inline std::string BoxCall(unsigned type, std::string_view caption) {
  return "MessageBoxA " + platform::sim::HexText(type) + " \"" + std::string(caption) + "\"";
}
inline std::string HelpCall(unsigned command, int data) {
  return "WinHelpA tolva.hlp " + std::to_string(command) + " " + std::to_string(data);
}
// A wave resource, played as the program plays its sounds.
inline std::string SoundCall(int wave) {
  return "PlaySoundA " + std::to_string(wave) + " " +
         platform::sim::HexText(platform::SndAsync | platform::SndResource);
}
inline const std::string ClearRecentDocumentsCall =
    "SHAddToRecentDocs " + std::to_string(platform::ShardPathA) + " null";

// A conceal or reveal pass, counted where it locks the screen's drawing: a conceal also lists
// the windows it is about to hide, with an enumeration of its own.
inline const std::string PassCall =
    "LockWindowUpdate " + platform::sim::HexText(platform::sim::SimDesktop::DesktopWindow);

// Ctrl+Alt+Del taken from the system (suppressed) or given back; and the calls of either.
inline const std::string CtrlAltDelCalls =
    "SystemParametersInfoA " + std::to_string(platform::SpiSetScreenSaverRunning);
inline std::string CtrlAltDelCall(bool suppressed) { return CtrlAltDelCalls + (suppressed ? " 1 0" : " 0 0"); }

// The minimise animation asked for, and switched on or off, in the record's size.
inline std::string AnimationQueryCall() {
  return "SystemParametersInfoA " + std::to_string(platform::SpiGetAnimation) + " " +
         std::to_string(sizeof(platform::AnimationInfo)) + " 0";
}
inline std::string AnimationCall(bool on) {
  return "SystemParametersInfoA " + std::to_string(platform::SpiSetAnimation) + " " +
         std::to_string(sizeof(platform::AnimationInfo)) + " 0 animate=" + (on ? "1" : "0");
}

}  // namespace tolva::tests
