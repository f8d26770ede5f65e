#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/clock.h"
#include "platform/locale.h"
#include "platform/process.h"
#include "platform/profile.h"
#include "settings/settings_record.h"

namespace tolva::settings {

// The process's current directory, or the empty text when it cannot be had in full (the call
// fails, or the folder does not fit CurrentDirectoryCapacity).
std::string CurrentDirectory(platform::Process& process);

// The folder tolva.ini lives in (the Windows directory), or the empty text when it cannot be had.
std::string SettingsFileFolder(platform::ProfileFiles& profile);

// The warning after a save in which a write failed: the options hold in memory, not in the file.
inline constexpr std::string_view SettingsNotSavedTitle = "Settings Not Saved";
std::string SettingsNotSavedText(std::string_view folder);

// Fills the record from tolva.ini: every field emptied, then each key read with its default and
// its field's capacity. Missing file, sections and keys give their defaults; a key present with
// an empty value gives the empty text, except IniDir, which then takes the current directory.
void LoadSettings(platform::ProfileFiles& profile, platform::Process& process,
                  platform::Clock& clock, const platform::RegionalSettings& region,
                  SettingsRecord& record);

// What the loaded Hints value does to the application's pop-up hints: 1 switches them on in
// green, 0 off; any other value leaves them as the program started (on, in the tooltip colour).
enum class HintsAtLoad { OnInGreen, Off, Unchanged };
HintsAtLoad HintsChoice(const SettingsRecord& record);

// The scheduled trigger's timer runs exactly when EnableDateTime is 1.
bool ActionTimerEnabled(const SettingsRecord& record);

// The options dialog's controls, as the save reads them.
struct OptionsDialogValues {
  bool EnableHintsBox = true;
  bool ShowExitBox = true;
  bool WarnExitBox = false;
  bool ToTrayBox = false;
  bool PlayWavBox = true;
  bool HideDesktopBox = false;
  bool LaunchAppBox = false;
  std::string LaunchAppEdit;
  bool ClearDocBox = false;
  bool CtrlAltDelBox = false;
  bool PlaceOnTrayBox = true;
  bool MakeInvisibleBox = false;
  bool EnableDateTimeCheckBox = false;
  platform::LocalTime TimePicker;
  platform::LocalTime DatePicker;
  bool AutoRefreshCheckBox = true;
  std::uint16_t HotKeyControl = 0;  // as the hot key control gives it; 0 for none
};

// Writes the dialog's choices to tolva.ini. FileSpec and IniDir are written only with
// LaunchAppBox ticked, ActionTime and ActionDate only with EnableDateTimeCheckBox ticked; other
// stored values stay. The hot key is written last, so that a file without it keeps its order and
// gains its section at the end. A time or date text that does not read back in the regional settings
// stops the save there with the parser's exception; what was written stays written. A key that
// cannot be written does not stop the save; the answer is whether every write went through.
[[nodiscard]] bool SaveSettings(platform::ProfileFiles& profile, platform::Process& process,
                  const platform::RegionalSettings& region, const OptionsDialogValues& values);

// The one key the schedule writes as it switches itself off: EnableDateTime "0". The targets
// stay in the file as they stand, inactive while the switch is off. Answers whether it was written.
bool SaveScheduleDisarmed(platform::ProfileFiles& profile);

// The folder of a path: the text up to the last "\" or ":", the "\" itself dropped unless it
// follows a ":" or another "\" (so "C:\x.txt" gives "C:\"); empty when there is neither.
std::string FolderPart(std::string_view path);

// The time and date texts as the save stores them: the value formatted in the regional
// settings, read back, and formatted again, so whole seconds in the user's formats.
std::string ActionTimeText(const platform::LocalTime& time, const platform::RegionalSettings& region);
std::string ActionDateText(const platform::LocalTime& date, const platform::RegionalSettings& region,
                           const platform::LocalTime& today);

}  // namespace tolva::settings
