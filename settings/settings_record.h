#pragma once
#include <cstdint>
#include <string_view>

#include "settings/fixed_text.h"

namespace tolva::settings {

// The settings file, named without a folder: the private-profile functions keep it in the
// Windows directory, one file for the machine.
inline constexpr const char* SettingsFileName = "tolva.ini";

inline constexpr std::size_t FlagCapacity = 2;
inline constexpr std::size_t ActionTimeCapacity = 50;
inline constexpr std::size_t ActionDateCapacity = 50;
inline constexpr std::size_t FileSpecCapacity = 1100;
inline constexpr std::size_t IniDirCapacity = 265;
// GetCurrentDirectoryA is given a buffer of this size.
inline constexpr std::size_t CurrentDirectoryCapacity = 260;

inline constexpr std::string_view DefaultFileSpec = "World's_Greatest_Boss.txt";

using Flag = FixedText<FlagCapacity>;

// The in-memory copy of tolva.ini: one field per key, each holding its value as text exactly as
// loaded (a flag is a one-character text, "1" or "0" when the program wrote it).
struct SettingsRecord {
  Flag Hints;
  Flag TrayPlace;
  Flag Invisible;
  Flag ShowExit;
  Flag WarnExit;
  Flag ToTray;
  Flag WAV;
  Flag ClearDoc;
  Flag CtrlAlt;
  FixedText<ActionTimeCapacity> ActionTime;
  FixedText<ActionDateCapacity> ActionDate;
  Flag EnableDateTime;
  Flag AutoRefresh;
  FixedText<FileSpecCapacity> FileSpec;
  Flag LaunchApp;
  FixedText<IniDirCapacity> IniDir;
  Flag HideDesk;
};

// A setting's text as a number: leading white space, an optional sign, then decimal digits up to
// the first non-digit; 0 when there are none.
std::int32_t FlagValue(std::string_view text);

template <std::size_t Capacity>
std::int32_t FlagValue(const FixedText<Capacity>& text) {
  return FlagValue(text.view());
}

// Most readers take a flag as on only when its value is exactly 1.
template <std::size_t Capacity>
bool IsOn(const FixedText<Capacity>& flag) {
  return FlagValue(flag) == 1;
}

}  // namespace tolva::settings
