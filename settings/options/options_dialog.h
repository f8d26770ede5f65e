#pragma once
// The options dialog: six pages over the settings, the Exclude list and the hot key. It is made once, stays
// hidden between uses and keeps every control's state from one opening to the next; the main
// window presets it from the settings, shows it and applies what OK confirmed.
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/exclude_list.h"
#include "engine/own_windows.h"
#include "engine/window_census.h"
#include "platform/platform.h"
#include "platform/ui/application.h"
#include "platform/ui/dialog_controls.h"
#include "settings/settings_file.h"

namespace tolva::settings {

inline constexpr int OptionsDialogHelpContext = 1010;
inline constexpr const char* OptionsDialogHelpTopic = "Options_Dialog";
inline constexpr std::string_view NoWarningQuestionText =
    "Are you SURE you don't want ANY warning?\r\n\r\nWhen you exit Tolva and/or Windows, you\r\n"
    "will NOT be warned about hidden windows!";
inline constexpr std::string_view ChooserTitle = "Choose Your Launch Application...";
inline constexpr int ExcludePageIndex = 4;
inline constexpr int HotKeyPageIndex = 5;

// The file types the launch chooser offers, in the order shown; the first is selected.
const std::vector<platform::FileFilter>& LaunchFileFilters();
// A folder as the chooser starts in it: a final "\" dropped, unless it follows a ":" ("C:\").
std::string ChooserFolder(std::string_view folder);

// The Exclude list as the check list shows it: the list box keeps no copy, so a tick set there
// is at once the tick the next concealment reads.
class ExcludeListItems final : public ui::CheckList {
 public:
  explicit ExcludeListItems(engine::ExcludeList& list) : list_(list) {}
  std::size_t Count() const override { return list_.size(); }
  std::string Text(std::size_t index) const override { return list_[index].title; }
  bool Checked(std::size_t index) const override { return list_[index].checked; }
  void SetChecked(std::size_t index, bool checked) override { list_.SetChecked(index, checked); }

 private:
  engine::ExcludeList& list_;
};

class TOptionsDialog final : public ui::Form {
 public:
  TOptionsDialog(ui::Application& application, platform::Platform& platform,
                 engine::OwnWindows& ownWindows, engine::ExcludeList& excludeList,
                 engine::WindowCensus& census, const platform::RegionalSettings& region);

  // Outside the pages.
  ui::Button OKBtn{"OKBtn"};
  ui::Button CancelBtn{"CancelBtn"};
  ui::Button HelpBtn{"HelpBtn"};
  ui::Panel Panel1{"Panel1"};
  ui::Picture MarrowbyImage{"MarrowbyImage"};
  ui::Picture Image1{"Image1"};
  ui::TabControl PageControl1{"PageControl1"};
  ui::OpenDialog OpenDialog1;

  // Settings.
  ui::TabSheet SettingsTabSheet{"SettingsTabSheet"};
  ui::GroupBox GroupBox1{"GroupBox1"};
  ui::CheckBox ShowExitBox{"ShowExitBox"};
  ui::CheckBox WarnExitBox{"WarnExitBox"};
  ui::GroupBox GroupBox4{"GroupBox4"};
  ui::CheckBox EnableHintsBox{"EnableHintsBox"};
  ui::CheckBox ToTrayBox{"ToTrayBox"};
  ui::CheckBox PlayWavBox{"PlayWavBox"};

  // Actions.
  ui::TabSheet ActionsTabSheet{"ActionsTabSheet"};
  ui::GroupBox GroupBox3{"GroupBox3"};
  ui::CheckBox HideDesktopBox{"HideDesktopBox"};
  ui::CheckBox LaunchAppBox{"LaunchAppBox"};
  ui::CheckBox ClearDocBox{"ClearDocBox"};
  ui::CheckBox CtrlAltDelBox{"CtrlAltDelBox"};
  ui::Edit LaunchAppEdit{"LaunchAppEdit"};
  ui::Button LaunchAppButton{"LaunchAppButton"};

  // Icon.
  ui::TabSheet IconTabSheet{"IconTabSheet"};
  ui::GroupBox GroupBox2{"GroupBox2"};
  ui::CheckBox PlaceOnTrayBox{"PlaceOnTrayBox"};
  ui::CheckBox MakeInvisibleBox{"MakeInvisibleBox"};

  // Date/Time.
  ui::TabSheet DateTimeTabSheet{"DateTimeTabSheet"};
  ui::DateTimePicker TimePicker{"TimePicker", ui::DateTimePicker::Kind::Time};
  ui::CheckBox EnableDateTimeCheckBox{"EnableDateTimeCheckBox"};
  ui::DateTimePicker DatePicker{"DatePicker", ui::DateTimePicker::Kind::Date};

  // Exclude.
  ui::TabSheet ExcludeTabSheet{"ExcludeTabSheet"};
  ui::CheckListBox WindowListBox{"WindowListBox"};
  ui::Bevel Bevel1{"Bevel1"};
  ui::Label NoOfWindowsLabel{"NoOfWindowsLabel"};
  ui::Button RefreshButton{"RefreshButton"};
  ui::CheckBox AutoRefreshCheckBox{"AutoRefreshCheckBox"};

  // Hot Key.
  ui::TabSheet HotKeyTabSheet{"HotKeyTabSheet"};
  ui::GroupBox GroupBox5{"GroupBox5"};
  ui::Label HotKeyLabel{"HotKeyLabel"};
  ui::HotKey HotKeyControl{"HotKeyControl"};
  ui::Button ClearHotKeyButton{"ClearHotKeyButton"};

  // Handlers. OK answers whether the dialog may close: a hot key it refuses keeps it open, on
  // the Hot Key page, with nothing saved.
  bool OKBtnClick();
  void HelpBtnClick();
  void PlaceOnTrayBoxClick();
  void LaunchAppBoxClick();
  void LaunchAppButtonClick();
  void ShowExitBoxClick();
  void WarnExitBoxClick();
  void EnableDateTimeCheckBoxClick();
  void RefreshButtonClick();
  void PageControl1Change();
  void Image1Click();
  void MarrowbyImageClick();
  void ClearHotKeyButtonClick();

  // What the save reads of the controls.
  OptionsDialogValues Values() const;

 private:
  platform::Platform& platform_;
  engine::WindowCensus& census_;
  // The formats the program is in: the targets are saved in the texts the schedule compares.
  const platform::RegionalSettings& region_;
  ExcludeListItems excludeItems_;
};

}  // namespace tolva::settings
