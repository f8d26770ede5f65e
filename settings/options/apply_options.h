#pragma once
// The options command's two halves around the dialog: the preset from the settings before it
// shows, and, after OK, the settings taken from the dialog and put into effect. The main window
// runs the command; what the options reach outside the settings record it lends as effects.
#include <cstdint>

#include "platform/platform.h"
#include "settings/options/options_dialog.h"
#include "settings/settings_record.h"

namespace tolva::settings {

// What OK in the options dialog does to the icon, from the dialog's boxes and the stored values.
struct TrayChange {
  enum class Presence { Keep, Add, Delete } presence = Presence::Keep;
  enum class Look { Keep, MakeInvisible, MakeVisible } look = Look::Keep;
  // Only the record takes the visible look: the icon it would be shown on has just gone, and a
  // modify of an icon that is not there would be refused and end the program for nothing.
  bool lookWithoutModify = false;
};
TrayChange TrayChangeAtOk(bool placeOnTrayBox, bool makeInvisibleBox, const SettingsRecord& settings);

// The parts of the running program that confirmed options change besides the settings record.
class OptionsEffects {
 public:
  virtual ~OptionsEffects() = default;
  virtual void ShowHints(bool on) = 0;
  virtual void SuppressCtrlAltDel(bool suppressed) = 0;
  virtual void AddTrayIcon() = 0;
  virtual void DeleteTrayIcon() = 0;
  // The icon's look loaded into its record, and shown on the icon when modify is set.
  virtual void SetTrayIconLook(bool invisible, bool modify) = 0;
  virtual void EnableTrayButton(bool enabled) = 0;
  virtual void EnableScheduleTimer(bool enabled) = 0;
  // The hot key given up and this one registered in its place (0: none).
  virtual void SetHotKey(std::uint16_t value) = 0;
};

// The dialog's controls set from the settings (each box's handler runs as its state changes,
// so the enabling rules follow), and Ctrl+Alt+Del brought in line with the stored setting
// before the user changes anything.
void PresetOptions(TOptionsDialog& dialog, const SettingsRecord& settings, bool windowsHidden,
                   platform::Platform& platform, const platform::RegionalSettings& region,
                   OptionsEffects& effects);

// After OK: the settings taken from the dialog, and the hints, the icon, the Tray button, the
// schedule's timer and, when it changed, the hot key put into effect at once.
void ApplyOptions(TOptionsDialog& dialog, SettingsRecord& settings, platform::Platform& platform,
                  const platform::RegionalSettings& region, OptionsEffects& effects);

}  // namespace tolva::settings
