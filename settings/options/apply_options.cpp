#include "settings/options/apply_options.h"

#include <functional>

#include "engine/scheduled_trigger.h"
#include "settings/date_time.h"
#include "settings/hot_key.h"

namespace tolva::settings {
namespace {

const char* FlagText(bool on) { return on ? "1" : "0"; }

// A stored text that no longer reads in today's regional format (the user changed it) is
// reported, and the picker starts from now: refusing to open would leave the schedule beyond
// the user's reach until the file is edited by hand.
void PresetPicker(TOptionsDialog& dialog, ui::DateTimePicker& picker, const platform::LocalTime& now,
                  const std::function<platform::LocalTime()>& parse) {
  try {
    picker.SetValue(parse());
  } catch (const Exception& exception) {
    dialog.app.ShowException(exception);
    picker.SetValue(now);
  }
}

}  // namespace

TrayChange TrayChangeAtOk(bool placeOnTrayBox, bool makeInvisibleBox, const SettingsRecord& settings) {
  TrayChange change;
  if (placeOnTrayBox && IsOff(settings.TrayPlace)) change.presence = TrayChange::Presence::Add;
  if (!placeOnTrayBox && IsOn(settings.TrayPlace)) change.presence = TrayChange::Presence::Delete;
  if (makeInvisibleBox && IsOff(settings.Invisible)) change.look = TrayChange::Look::MakeInvisible;
  if (!makeInvisibleBox && IsOn(settings.Invisible)) change.look = TrayChange::Look::MakeVisible;
  change.lookWithoutModify = change.presence == TrayChange::Presence::Delete &&
                             change.look == TrayChange::Look::MakeVisible;
  return change;
}

void PresetOptions(TOptionsDialog& d, const SettingsRecord& settings, bool windowsHidden,
                   platform::Platform& platform, const platform::RegionalSettings& region,
                   OptionsEffects& effects) {
  d.EnableHintsBox.SetChecked(IsOn(settings.Hints));
  d.ShowExitBox.SetChecked(IsOn(settings.ShowExit));
  d.WarnExitBox.SetChecked(IsOn(settings.WarnExit));
  d.ToTrayBox.SetChecked(IsOn(settings.ToTray));
  d.PlayWavBox.SetChecked(IsOn(settings.WAV));
  d.PlaceOnTrayBox.SetChecked(IsOn(settings.TrayPlace));
  d.MakeInvisibleBox.SetEnabled(IsOn(settings.TrayPlace));
  d.MakeInvisibleBox.SetChecked(IsOn(settings.Invisible));
  d.HideDesktopBox.SetChecked(IsOn(settings.HideDesk));
  d.LaunchAppBox.SetChecked(IsOn(settings.LaunchApp));
  d.LaunchAppEdit.SetEnabled(IsOn(settings.LaunchApp));
  d.LaunchAppButton.SetEnabled(IsOn(settings.LaunchApp));
  d.LaunchAppEdit.SetText(std::string(settings.FileSpec.view()));
  d.OpenDialog1.fileName = std::string(settings.FileSpec.view());
  d.OpenDialog1.initialDir = ChooserFolder(settings.IniDir.view());
  d.LaunchAppEdit.SetHint(d.LaunchAppEdit.Text());
  d.ClearDocBox.SetChecked(IsOn(settings.ClearDoc));
  d.CtrlAltDelBox.SetChecked(IsOn(settings.CtrlAlt));

  effects.SuppressCtrlAltDel(IsOn(settings.CtrlAlt) && windowsHidden);

  const bool scheduled = IsOn(settings.EnableDateTime);
  d.EnableDateTimeCheckBox.SetChecked(scheduled);
  d.DatePicker.SetEnabled(scheduled);
  d.TimePicker.SetEnabled(scheduled);
  if (scheduled) {
    const platform::LocalTime now = platform.clock.GetLocalTime();
    PresetPicker(d, d.TimePicker, now, [&] { return ParseTime(settings.ActionTime.view(), region); });
    PresetPicker(d, d.DatePicker, now, [&] { return ParseDate(settings.ActionDate.view(), region, now); });
  }
  d.AutoRefreshCheckBox.SetChecked(IsOn(settings.AutoRefresh));
  d.HotKeyControl.SetValue(HotKeyFromText(settings.HotKey.view()));
}

void ApplyOptions(TOptionsDialog& d, SettingsRecord& settings, platform::Platform& platform,
                  const platform::RegionalSettings& region, OptionsEffects& effects) {
  effects.ShowHints(d.EnableHintsBox.Checked());
  settings.Hints = FlagText(d.EnableHintsBox.Checked());
  settings.ShowExit = FlagText(d.ShowExitBox.Checked());
  settings.WarnExit = FlagText(d.WarnExitBox.Checked());
  settings.ToTray = FlagText(d.ToTrayBox.Checked());
  settings.WAV = FlagText(d.PlayWavBox.Checked());
  settings.HideDesk = FlagText(d.HideDesktopBox.Checked());
  settings.LaunchApp = FlagText(d.LaunchAppBox.Checked());
  d.OpenDialog1.initialDir = ChooserFolder(FolderPart(d.LaunchAppEdit.Text()));
  const std::string& folder = d.OpenDialog1.initialDir;
  // Cut to the field's capacity: a longer text never goes past its end.
  settings.FileSpec = d.LaunchAppEdit.Text();
  settings.IniDir = folder.empty() ? CurrentDirectory(platform.process) : folder;
  settings.ClearDoc = FlagText(d.ClearDocBox.Checked());
  settings.CtrlAlt = FlagText(d.CtrlAltDelBox.Checked());

  const TrayChange icon = TrayChangeAtOk(d.PlaceOnTrayBox.Checked(), d.MakeInvisibleBox.Checked(), settings);
  switch (icon.presence) {
    case TrayChange::Presence::Add:
      effects.AddTrayIcon();
      settings.TrayPlace = "1";
      break;
    case TrayChange::Presence::Delete:
      effects.DeleteTrayIcon();
      settings.TrayPlace = "0";
      break;
    case TrayChange::Presence::Keep:
      break;
  }
  switch (icon.look) {
    case TrayChange::Look::MakeInvisible:
      effects.SetTrayIconLook(true, true);
      settings.Invisible = "1";
      break;
    case TrayChange::Look::MakeVisible:
      effects.SetTrayIconLook(false, !icon.lookWithoutModify);
      settings.Invisible = "0";
      break;
    case TrayChange::Look::Keep:
      break;
  }
  // The window goes to the tray only while there is an icon to bring it back by.
  effects.EnableTrayButton(d.PlaceOnTrayBox.Checked() && IsOn(settings.TrayPlace));

  if (d.EnableDateTimeCheckBox.Checked()) {
    // The same texts the dialog has just saved, in the same formats the ticks compare in.
    settings.EnableDateTime = "1";
    settings.ActionTime = ActionTimeText(d.TimePicker.Value(), region);
    settings.ActionDate = ActionDateText(d.DatePicker.Value(), region, d.DatePicker.Value());
    effects.EnableScheduleTimer(true);
  } else {
    engine::DisarmSchedule(settings);
    effects.EnableScheduleTimer(false);
  }
  settings.AutoRefresh = FlagText(d.AutoRefreshCheckBox.Checked());

  const std::uint16_t hotKey = d.HotKeyControl.Value();
  const bool hotKeyChanged = hotKey != HotKeyFromText(settings.HotKey.view());
  settings.HotKey = std::to_string(hotKey);
  if (hotKeyChanged) effects.SetHotKey(hotKey);
}

}  // namespace tolva::settings
