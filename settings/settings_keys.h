#pragma once
// The keys of tolva.ini: where each lives, what it reads as when absent, and how much of it the
// program keeps. Loading, saving and the schedule's own write all name a key through this table.
#include <cstddef>
#include <string_view>

namespace tolva::settings {

// The settings file, named without a folder: the private-profile functions keep it in the
// Windows directory, one file for the machine.
inline constexpr const char* SettingsFileName = "tolva.ini";

inline constexpr std::size_t FlagCapacity = 2;
inline constexpr std::size_t ActionTimeCapacity = 50;
inline constexpr std::size_t ActionDateCapacity = 50;
inline constexpr std::size_t FileSpecCapacity = 1100;
inline constexpr std::size_t IniDirCapacity = 265;
// The hot key's decimal number: five digits at most, room for a few more so that a longer text
// is read as the text it is.
inline constexpr std::size_t HotKeyCapacity = 16;

inline constexpr std::string_view DefaultFileSpec = "World's_Greatest_Boss.txt";

// A default that is not a fixed text is worked out as the file is read.
enum class DefaultFrom { Text, CurrentDirectory, TimeNow, DateNow };

struct SettingKey {
  const char* section;
  const char* name;
  std::string_view defaultText;  // with DefaultFrom::Text
  DefaultFrom defaultFrom;
  std::size_t capacity;  // terminator included
};

namespace keys {
inline constexpr SettingKey Hints{"Settings", "Hints", "1", DefaultFrom::Text, FlagCapacity};
inline constexpr SettingKey ShowExit{"Settings", "ShowExit", "1", DefaultFrom::Text, FlagCapacity};
inline constexpr SettingKey WarnExit{"Settings", "WarnExit", "0", DefaultFrom::Text, FlagCapacity};
inline constexpr SettingKey ToTray{"Settings", "ToTray", "0", DefaultFrom::Text, FlagCapacity};
inline constexpr SettingKey WAV{"Settings", "WAV", "1", DefaultFrom::Text, FlagCapacity};
inline constexpr SettingKey TrayPlace{"Icon", "TrayPlace", "1", DefaultFrom::Text, FlagCapacity};
inline constexpr SettingKey Invisible{"Icon", "Invisible", "0", DefaultFrom::Text, FlagCapacity};
inline constexpr SettingKey HideDesk{"Actions", "HideDesk", "0", DefaultFrom::Text, FlagCapacity};
inline constexpr SettingKey LaunchApp{"Actions", "LaunchApp", "0", DefaultFrom::Text, FlagCapacity};
inline constexpr SettingKey FileSpec{"Actions", "FileSpec", DefaultFileSpec, DefaultFrom::Text, FileSpecCapacity};
inline constexpr SettingKey IniDir{"Actions", "IniDir", "", DefaultFrom::CurrentDirectory, IniDirCapacity};
inline constexpr SettingKey ClearDoc{"Actions", "ClearDoc", "0", DefaultFrom::Text, FlagCapacity};
inline constexpr SettingKey CtrlAlt{"Actions", "CtrlAlt", "0", DefaultFrom::Text, FlagCapacity};
inline constexpr SettingKey EnableDateTime{"DateTime", "EnableDateTime", "0", DefaultFrom::Text, FlagCapacity};
inline constexpr SettingKey ActionTime{"DateTime", "ActionTime", "", DefaultFrom::TimeNow, ActionTimeCapacity};
inline constexpr SettingKey ActionDate{"DateTime", "ActionDate", "", DefaultFrom::DateNow, ActionDateCapacity};
inline constexpr SettingKey AutoRefresh{"Exclude", "AutoRefresh", "1", DefaultFrom::Text, FlagCapacity};
inline constexpr SettingKey HotKey{"HotKey", "Key", "0", DefaultFrom::Text, HotKeyCapacity};
}  // namespace keys

}  // namespace tolva::settings
