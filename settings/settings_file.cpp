#include "settings/settings_file.h"

#include <array>

#include "settings/date_time.h"

namespace tolva::settings {
namespace {

template <std::size_t Capacity>
void Read(platform::ProfileFiles& profile, const char* section, const char* key,
          const char* defaultValue, FixedText<Capacity>& field) {
  profile.GetPrivateProfileStringA(section, key, defaultValue, field.data(),
                                   static_cast<std::uint32_t>(Capacity), SettingsFileName);
  field.seal();
}

void Write(platform::ProfileFiles& profile, const char* section, const char* key,
           std::string_view value) {
  const std::string text(value);
  profile.WritePrivateProfileStringA(section, key, text.c_str(), SettingsFileName);
}

void WriteFlag(platform::ProfileFiles& profile, const char* section, const char* key, bool ticked) {
  profile.WritePrivateProfileStringA(section, key, ticked ? "1" : "0", SettingsFileName);
}

}  // namespace

std::string CurrentDirectory(platform::Process& process) {
  std::array<char, CurrentDirectoryCapacity> buffer{};
  const std::uint32_t length =
      process.GetCurrentDirectoryA(static_cast<std::uint32_t>(buffer.size()), buffer.data());
  // 0 is a failure; a result as large as the buffer is the size a longer folder would need,
  // and the buffer then holds nothing of it.
  if (length == 0 || length >= buffer.size()) return {};
  return std::string(buffer.data(), length);
}

void LoadSettings(platform::ProfileFiles& profile, platform::Process& process,
                  platform::Clock& clock, const platform::RegionalSettings& region,
                  SettingsRecord& record) {
  record = SettingsRecord{};

  Read(profile, "Settings", "Hints", "1", record.Hints);
  Read(profile, "Settings", "ShowExit", "1", record.ShowExit);
  Read(profile, "Settings", "WarnExit", "0", record.WarnExit);
  Read(profile, "Settings", "ToTray", "0", record.ToTray);
  Read(profile, "Settings", "WAV", "1", record.WAV);

  Read(profile, "Icon", "TrayPlace", "1", record.TrayPlace);
  Read(profile, "Icon", "Invisible", "0", record.Invisible);

  Read(profile, "Actions", "HideDesk", "0", record.HideDesk);
  Read(profile, "Actions", "LaunchApp", "0", record.LaunchApp);
  const std::string defaultFileSpec(DefaultFileSpec);
  Read(profile, "Actions", "FileSpec", defaultFileSpec.c_str(), record.FileSpec);
  const std::string currentDirectory = CurrentDirectory(process);
  Read(profile, "Actions", "IniDir", currentDirectory.c_str(), record.IniDir);
  if (record.IniDir.empty()) record.IniDir = currentDirectory;
  Read(profile, "Actions", "ClearDoc", "0", record.ClearDoc);
  Read(profile, "Actions", "CtrlAlt", "0", record.CtrlAlt);

  const platform::LocalTime now = clock.GetLocalTime();
  const std::string timeNow = FormatTime(now, region);
  const std::string dateNow = FormatDate(now, region);
  Read(profile, "DateTime", "EnableDateTime", "0", record.EnableDateTime);
  Read(profile, "DateTime", "ActionTime", timeNow.c_str(), record.ActionTime);
  Read(profile, "DateTime", "ActionDate", dateNow.c_str(), record.ActionDate);

  Read(profile, "Exclude", "AutoRefresh", "1", record.AutoRefresh);
}

HintsAtLoad HintsChoice(const SettingsRecord& record) {
  switch (FlagValue(record.Hints)) {
    case 1: return HintsAtLoad::OnInGreen;
    case 0: return HintsAtLoad::Off;
    default: return HintsAtLoad::Unchanged;
  }
}

bool ActionTimerEnabled(const SettingsRecord& record) { return IsOn(record.EnableDateTime); }

std::string FolderPart(std::string_view path) {
  const std::size_t last = path.find_last_of("\\:");
  if (last == std::string_view::npos) return {};
  if (path[last] == ':') return std::string(path.substr(0, last + 1));
  const bool keepBackslash = last > 0 && (path[last - 1] == ':' || path[last - 1] == '\\');
  return std::string(path.substr(0, keepBackslash ? last + 1 : last));
}

std::string ActionTimeText(const platform::LocalTime& time, const platform::RegionalSettings& region) {
  return FormatTime(ParseTime(FormatTime(time, region), region), region);
}

std::string ActionDateText(const platform::LocalTime& date, const platform::RegionalSettings& region,
                           const platform::LocalTime& today) {
  return FormatDate(ParseDate(FormatDate(date, region), region, today), region);
}

void SaveScheduleDisarmed(platform::ProfileFiles& profile) {
  WriteFlag(profile, "DateTime", "EnableDateTime", false);
}

void SaveSettings(platform::ProfileFiles& profile, platform::Process& process,
                  const platform::RegionalSettings& region, const OptionsDialogValues& values) {
  WriteFlag(profile, "Settings", "Hints", values.EnableHintsBox);
  WriteFlag(profile, "Settings", "ShowExit", values.ShowExitBox);
  WriteFlag(profile, "Settings", "WarnExit", values.WarnExitBox);
  WriteFlag(profile, "Settings", "ToTray", values.ToTrayBox);
  WriteFlag(profile, "Settings", "WAV", values.PlayWavBox);

  WriteFlag(profile, "Actions", "HideDesk", values.HideDesktopBox);
  WriteFlag(profile, "Actions", "LaunchApp", values.LaunchAppBox);
  if (values.LaunchAppBox) {
    Write(profile, "Actions", "FileSpec", values.LaunchAppEdit);
    std::string folder = FolderPart(values.LaunchAppEdit);
    if (folder.empty()) folder = CurrentDirectory(process);
    Write(profile, "Actions", "IniDir", folder);
  }
  WriteFlag(profile, "Actions", "ClearDoc", values.ClearDocBox);
  WriteFlag(profile, "Actions", "CtrlAlt", values.CtrlAltDelBox);

  WriteFlag(profile, "Icon", "TrayPlace", values.PlaceOnTrayBox);
  WriteFlag(profile, "Icon", "Invisible", values.MakeInvisibleBox);

  WriteFlag(profile, "DateTime", "EnableDateTime", values.EnableDateTimeCheckBox);
  if (values.EnableDateTimeCheckBox) {
    Write(profile, "DateTime", "ActionTime", ActionTimeText(values.TimePicker, region));
    Write(profile, "DateTime", "ActionDate", ActionDateText(values.DatePicker, region, values.DatePicker));
  }

  WriteFlag(profile, "Exclude", "AutoRefresh", values.AutoRefreshCheckBox);
}

}  // namespace tolva::settings
