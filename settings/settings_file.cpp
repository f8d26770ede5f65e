#include "settings/settings_file.h"

#include <array>
#include <optional>

#include "settings/date_time.h"

namespace tolva::settings {
namespace {

// The defaults that are not fixed texts, each worked out once, when the first key needs it.
class LoadDefaults {
 public:
  LoadDefaults(platform::Process& process, platform::Clock& clock, const platform::RegionalSettings& region)
      : process_(process), clock_(clock), region_(region) {}

  std::string For(const SettingKey& key) {
    switch (key.defaultFrom) {
      case DefaultFrom::Text: return std::string(key.defaultText);
      case DefaultFrom::CurrentDirectory: return CurrentDirectoryOnce();
      case DefaultFrom::TimeNow: return FormatTime(Now(), region_);
      case DefaultFrom::DateNow: return FormatDate(Now(), region_);
    }
    return {};
  }
  const std::string& CurrentDirectoryOnce() {
    if (!currentDirectory_) currentDirectory_ = CurrentDirectory(process_);
    return *currentDirectory_;
  }

 private:
  // One reading of the clock for both texts, so the date and the time name the same moment.
  const platform::LocalTime& Now() {
    if (!now_) now_ = clock_.GetLocalTime();
    return *now_;
  }

  platform::Process& process_;
  platform::Clock& clock_;
  const platform::RegionalSettings& region_;
  std::optional<std::string> currentDirectory_;
  std::optional<platform::LocalTime> now_;
};

template <const SettingKey& key, std::size_t Capacity>
void Read(platform::ProfileFiles& profile, LoadDefaults& defaults, FixedText<Capacity>& field) {
  static_assert(key.capacity == Capacity, "a key and the field it fills keep the same amount");
  const std::string defaultValue = defaults.For(key);
  profile.GetPrivateProfileStringA(key.section, key.name, defaultValue.c_str(), field.data(),
                                   static_cast<std::uint32_t>(Capacity), SettingsFileName);
  field.seal();
}

// Counts the writes that failed; the save goes on past one, so that as much as can be kept is.
class Writer {
 public:
  explicit Writer(platform::ProfileFiles& profile) : profile_(profile) {}

  void Text(const SettingKey& key, std::string_view value) {
    const std::string text(value);
    Put(key, text.c_str());
  }
  void Flag(const SettingKey& key, bool ticked) { Put(key, ticked ? "1" : "0"); }
  bool AllWritten() const { return failures_ == 0; }

 private:
  void Put(const SettingKey& key, const char* value) {
    if (!profile_.WritePrivateProfileStringA(key.section, key.name, value, SettingsFileName)) ++failures_;
  }

  platform::ProfileFiles& profile_;
  int failures_ = 0;
};

}  // namespace

namespace {

// A folder as the folder calls give it: 0 is a failure; a result as large as the buffer is the
// size a longer folder would need, and the buffer then holds nothing of it.
template <class Call>
std::string WholeFolder(Call call) {
  std::array<char, CurrentDirectoryCapacity> buffer{};
  const std::uint32_t length = call(buffer.data(), static_cast<std::uint32_t>(buffer.size()));
  if (length == 0 || length >= buffer.size()) return {};
  return std::string(buffer.data(), length);
}

}  // namespace

std::string CurrentDirectory(platform::Process& process) {
  return WholeFolder([&](char* buffer, std::uint32_t capacity) {
    return process.GetCurrentDirectoryA(capacity, buffer);
  });
}

std::string SettingsFileFolder(platform::ProfileFiles& profile) {
  return WholeFolder([&](char* buffer, std::uint32_t capacity) {
    return profile.GetWindowsDirectoryA(buffer, capacity);
  });
}

std::string SettingsNotSavedText(std::string_view folder) {
  const std::string where = folder.empty() ? std::string("the Windows folder") : std::string(folder);
  return "Your settings could not be saved in " + std::string(SettingsFileName) + " in " + where +
         ".\r\n\r\nThe changes you made hold until Tolva R. Quenlar ends.";
}

void LoadSettings(platform::ProfileFiles& profile, platform::Process& process,
                  platform::Clock& clock, const platform::RegionalSettings& region,
                  SettingsRecord& record) {
  record = SettingsRecord{};
  LoadDefaults defaults(process, clock, region);

  Read<keys::Hints>(profile, defaults, record.Hints);
  Read<keys::ShowExit>(profile, defaults, record.ShowExit);
  Read<keys::WarnExit>(profile, defaults, record.WarnExit);
  Read<keys::ToTray>(profile, defaults, record.ToTray);
  Read<keys::WAV>(profile, defaults, record.WAV);

  Read<keys::TrayPlace>(profile, defaults, record.TrayPlace);
  Read<keys::Invisible>(profile, defaults, record.Invisible);

  Read<keys::HideDesk>(profile, defaults, record.HideDesk);
  Read<keys::LaunchApp>(profile, defaults, record.LaunchApp);
  Read<keys::FileSpec>(profile, defaults, record.FileSpec);
  Read<keys::IniDir>(profile, defaults, record.IniDir);
  if (record.IniDir.empty()) record.IniDir = defaults.CurrentDirectoryOnce();
  Read<keys::ClearDoc>(profile, defaults, record.ClearDoc);
  Read<keys::CtrlAlt>(profile, defaults, record.CtrlAlt);

  Read<keys::EnableDateTime>(profile, defaults, record.EnableDateTime);
  Read<keys::ActionTime>(profile, defaults, record.ActionTime);
  Read<keys::ActionDate>(profile, defaults, record.ActionDate);

  Read<keys::AutoRefresh>(profile, defaults, record.AutoRefresh);

  Read<keys::HotKey>(profile, defaults, record.HotKey);
}

HintsAtLoad HintsChoice(const SettingsRecord& record) {
  if (IsOn(record.Hints)) return HintsAtLoad::OnInGreen;
  if (IsOff(record.Hints)) return HintsAtLoad::Off;
  return HintsAtLoad::Unchanged;
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

bool SaveScheduleDisarmed(platform::ProfileFiles& profile) {
  Writer write(profile);
  write.Flag(keys::EnableDateTime, false);
  return write.AllWritten();
}

bool SaveSettings(platform::ProfileFiles& profile, platform::Process& process,
                  const platform::RegionalSettings& region, const OptionsDialogValues& values) {
  Writer write(profile);
  write.Flag(keys::Hints, values.EnableHintsBox);
  write.Flag(keys::ShowExit, values.ShowExitBox);
  write.Flag(keys::WarnExit, values.WarnExitBox);
  write.Flag(keys::ToTray, values.ToTrayBox);
  write.Flag(keys::WAV, values.PlayWavBox);

  write.Flag(keys::HideDesk, values.HideDesktopBox);
  write.Flag(keys::LaunchApp, values.LaunchAppBox);
  if (values.LaunchAppBox) {
    write.Text(keys::FileSpec, values.LaunchAppEdit);
    std::string folder = FolderPart(values.LaunchAppEdit);
    if (folder.empty()) folder = CurrentDirectory(process);
    write.Text(keys::IniDir, folder);
  }
  write.Flag(keys::ClearDoc, values.ClearDocBox);
  write.Flag(keys::CtrlAlt, values.CtrlAltDelBox);

  write.Flag(keys::TrayPlace, values.PlaceOnTrayBox);
  write.Flag(keys::Invisible, values.MakeInvisibleBox);

  write.Flag(keys::EnableDateTime, values.EnableDateTimeCheckBox);
  if (values.EnableDateTimeCheckBox) {
    write.Text(keys::ActionTime, ActionTimeText(values.TimePicker, region));
    write.Text(keys::ActionDate, ActionDateText(values.DatePicker, region, values.DatePicker));
  }

  write.Flag(keys::AutoRefresh, values.AutoRefreshCheckBox);

  write.Text(keys::HotKey, std::to_string(values.HotKeyControl));
  return write.AllWritten();
}

}  // namespace tolva::settings
