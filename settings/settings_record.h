#pragma once
#include <cstdint>
#include <string_view>

#include "settings/fixed_text.h"
#include "settings/settings_keys.h"

namespace tolva::settings {

// GetCurrentDirectoryA is given a buffer of this size.
inline constexpr std::size_t CurrentDirectoryCapacity = 260;

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
  FixedText<keys::ActionTime.capacity> ActionTime;
  FixedText<keys::ActionDate.capacity> ActionDate;
  Flag EnableDateTime;
  Flag AutoRefresh;
  FixedText<keys::FileSpec.capacity> FileSpec;
  Flag LaunchApp;
  FixedText<keys::IniDir.capacity> IniDir;
  Flag HideDesk;
  FixedText<keys::HotKey.capacity> HotKey;
};

// A setting's text as a number: leading white space, an optional sign, then decimal digits up to
// the first non-digit; 0 when there are none.
std::int32_t FlagValue(std::string_view text);

template <std::size_t Capacity>
std::int32_t FlagValue(const FixedText<Capacity>& text) {
  return FlagValue(text.view());
}

// A flag is on when its value is exactly 1 and off when it is exactly 0. Any other value (only a
// hand-edited file holds one) is neither: some rules then leave things as they are.
template <std::size_t Capacity>
bool IsOn(const FixedText<Capacity>& flag) {
  return FlagValue(flag) == 1;
}
template <std::size_t Capacity>
bool IsOff(const FixedText<Capacity>& flag) {
  return FlagValue(flag) == 0;
}

}  // namespace tolva::settings
