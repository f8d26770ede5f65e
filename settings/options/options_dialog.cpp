#include "settings/options/options_dialog.h"

#include <string>

#include "engine/help_topic.h"
#include "engine/warning.h"
#include "engine/web_page.h"
#include "resources/resource_ids.h"
#include "settings/hot_key.h"

namespace tolva::settings {
namespace {

constexpr ui::Colour Blue{0, 0, 255};
constexpr ui::Colour Silver{192, 192, 192};
constexpr ui::Colour Lime{0, 255, 0};
constexpr ui::Colour Yellow{255, 255, 0};

// MB_YESNOCANCEL | MB_ICONWARNING | MB_DEFBUTTON2 | MB_SYSTEMMODAL
constexpr unsigned QuestionStyle = platform::MbYesNoCancel | platform::MbIconExclamation |
                                   platform::MbDefButton2 | platform::MbSystemModal;

void Place(ui::Control& control, ui::Control* parent, ui::Bounds bounds, std::string caption,
           std::string hint) {
  control.parent = parent;
  control.SetBounds(bounds);
  control.SetCaption(std::move(caption));
  control.SetHint(std::move(hint));
}

}  // namespace

const std::vector<platform::FileFilter>& LaunchFileFilters() {
  static const std::vector<platform::FileFilter> filters{
      {"All Files (*.*)", "*.*"},
      {"Text Files (*.txt)", "*.txt"},
      {"Word Files (*.doc)", "*.doc"},
      {"Excel Files (*.xls)", "*.xls"},
      {"MP3 Files (*.mp3)", "*.mp3"},
      {"MPEG Files (*.mpeg)", "*.mpeg;*.mpg"},
      {"Applications (*.exe)", "*.exe"},
      {"JPEG File Interchange Format (*.jpeg;*.jpg)", "*.jpeg;*.jpg"},
      {"GIF Images (*.gif)", "*.gif"},
      {"Adobe Acrobat Document (*.pdf)", "*.pdf"},
      {"HTML Document (*.html;*.htm)", "*.html;*.htm"},
      {"Microsoft PowerPoint Presentation (*.ppt)", "*.ppt"},
      {"Wave Sound (*.wav)", "*.wav"},
      {"Video Clip (*.avi)", "*.avi"},
  };
  return filters;
}

std::string ChooserFolder(std::string_view folder) {
  std::string result(folder);
  if (!result.empty() && result.back() == '\\' && !(result.size() >= 2 && result[result.size() - 2] == ':')) {
    result.pop_back();
  }
  return result;
}

TOptionsDialog::TOptionsDialog(ui::Application& application, platform::Platform& platform,
                               engine::OwnWindows& ownWindows, engine::ExcludeList& excludeList,
                               engine::WindowCensus& census, const platform::RegionalSettings& region)
    : ui::Form("OptionsDialog", application),
      platform_(platform),
      census_(census),
      region_(region),
      excludeItems_(excludeList) {
  SetCaption("Options");
  border = ui::BorderStyle::Dialog;
  systemMenu = false;
  clientSize = {392, 251};
  centred = true;
  centredWhenShown = true;
  colour = Silver;
  helpContext = OptionsDialogHelpContext;
  firstFocus = &ShowExitBox;

  const std::string visitMaker = "Click here to visit " + std::string(engine::MakerSiteName) + " now";
  Place(OKBtn, nullptr, {307, 73, 75, 25}, "OK", "Save settings and close the Options Dialog box");
  OKBtn.isDefault = true;
  Place(CancelBtn, nullptr, {307, 105, 75, 25}, "Cancel",
        "Cancel changes and close the Options Dialog box");
  CancelBtn.isCancel = true;
  Place(HelpBtn, nullptr, {307, 137, 75, 25}, "&Help", "Get help for Options Dialog settings");
  Place(Panel1, nullptr, {99, 6, 194, 37}, "", visitMaker);
  Panel1.colour = Blue;
  Panel1.singleLine = true;
  Panel1.cursor = ui::Cursor::HandPoint;
  Place(MarrowbyImage, &Panel1, {4, 5, 182, 24}, "", visitMaker);
  MarrowbyImage.pictureResource = TOLVA_BITMAP_MARROWBY;
  MarrowbyImage.cursor = ui::Cursor::HandPoint;
  Place(Image1, nullptr, {331, 176, 32, 32}, "", "Click here to visit me now");
  Image1.pictureResource = TOLVA_BITMAP_TOLVA;
  Image1.cursor = ui::Cursor::HandPoint;
  Place(PageControl1, nullptr, {12, 53, 280, 188}, "", "");
  PageControl1.hotTrack = true;
  // Six tabs in 280 pixels: with comctl32's six pixels beside each caption they come to 295.
  PageControl1.tabPadding = {4, 3};

  OpenDialog1.title = std::string(ChooserTitle);
  OpenDialog1.filters = LaunchFileFilters();
  OpenDialog1.filterIndex = 1;
  OpenDialog1.hideReadOnly = true;
  OpenDialog1.pathMustExist = true;
  OpenDialog1.fileMustExist = true;
  OpenDialog1.resizable = true;

  for (auto [page, caption] : {std::pair{&SettingsTabSheet, "Settings"}, std::pair{&ActionsTabSheet, "Actions"},
                               std::pair{&IconTabSheet, "Icon"}, std::pair{&DateTimeTabSheet, "Date/Time"},
                               std::pair{&ExcludeTabSheet, "Exclude"}, std::pair{&HotKeyTabSheet, "Hot Key"}}) {
    page->SetCaption(caption);
    PageControl1.AddPage(*page);
  }

  // Settings.
  Place(GroupBox1, &SettingsTabSheet, {16, 91, 240, 60}, " Hidden windows ", "");
  Place(ShowExitBox, &GroupBox1, {10, 17, 171, 17}, "Show Hidden Windows On Exit",
        "Automatically show hidden application windows on exit");
  Place(WarnExitBox, &GroupBox1, {10, 36, 185, 17}, "Warn Of Hidden Windows On Exit",
        "Warn of hidden application windows before exit");
  Place(GroupBox4, &SettingsTabSheet, {16, 3, 240, 81}, " General ", "");
  Place(EnableHintsBox, &GroupBox4, {10, 17, 121, 17}, "Enable Pop-Up Hints",
        "Enable pop-up hints like the one you're reading now");
  Place(ToTrayBox, &GroupBox4, {10, 37, 201, 17}, "Launch Tolva Directly To System Tray",
        "Launch Tolva directly to system tray");
  Place(PlayWavBox, &GroupBox4, {10, 57, 76, 17}, "Play Sound",
        "Play a sound when hiding/showing application windows");

  // Actions.
  Place(GroupBox3, &ActionsTabSheet, {16, 3, 240, 94}, " Actions ", "");
  Place(HideDesktopBox, &GroupBox3, {10, 17, 186, 17}, "Hide Desktop Shortcuts And Icons",
        "Hide the shortcuts and icons displayed on your desktop");
  Place(LaunchAppBox, &GroupBox3, {10, 35, 130, 17}, "Launch An Application",
        "Launch an application of your choice (choose by clicking button below)");
  Place(ClearDocBox, &GroupBox3, {10, 53, 159, 17}, "Clear Documents History List",
        "Clear Recently Opened Documents History List");
  Place(CtrlAltDelBox, &GroupBox3, {10, 71, 143, 17}, "Disable CTRL+ALT+DEL",
        "Disable CTRL+ALT+DEL keystroke combination");
  Place(LaunchAppEdit, &ActionsTabSheet, {16, 103, 240, 21}, "", "Path of application that will launch");
  LaunchAppEdit.readOnly = true;
  LaunchAppEdit.colour = Yellow;
  Place(LaunchAppButton, &ActionsTabSheet, {16, 129, 240, 28}, "Choose Launch Application",
        "Click this button to choose your launch application");
  LaunchAppButton.captionColour = Blue;
  LaunchAppButton.glyphResource = TOLVA_BITMAP_LAUNCH_APP;
  LaunchAppButton.disabledGlyphResource = TOLVA_BITMAP_LAUNCH_APP_DISABLED;
  LaunchAppButton.SetEnabled(false);

  // Icon.
  Place(GroupBox2, &IconTabSheet, {16, 3, 240, 64}, " Tolva Icon ", "");
  Place(PlaceOnTrayBox, &GroupBox2, {10, 18, 194, 17}, "Display Tolva's Icon On System Tray",
        "Display Tolva's icon on system tray");
  Place(MakeInvisibleBox, &GroupBox2, {10, 38, 225, 17}, "Make Tolva's Icon On System Tray Invisible",
        "Make Tolva's icon on system tray invisible");
  MakeInvisibleBox.SetEnabled(false);

  // Date/Time.
  Place(TimePicker, &DateTimeTabSheet, {8, 24, 105, 21}, "",
        "Choose time you want Options Dialog actions to occur");
  Place(EnableDateTimeCheckBox, &DateTimeTabSheet, {129, 25, 128, 17}, "Enable Date And Time", "");
  Place(DatePicker, &DateTimeTabSheet, {8, 56, 225, 21}, "",
        "Choose date you want Options Dialog actions to occur");
  for (ui::DateTimePicker* picker : {&TimePicker, &DatePicker}) {
    picker->colour = Lime;
    picker->SetEnabled(false);
  }
  DatePicker.calendar = {Blue, Blue, {0, 0, 0}, Yellow, Silver};

  // Exclude.
  const std::string countHint = "Number of currently open, visible application windows";
  Place(WindowListBox, &ExcludeTabSheet, {9, 8, 255, 121}, "", "");
  WindowListBox.items = &excludeItems_;
  WindowListBox.itemHeight = 13;
  WindowListBox.colour = {233, 201, 22};
  Place(Bevel1, &ExcludeTabSheet, {102, 138, 38, 16}, "", countHint);
  Place(NoOfWindowsLabel, &ExcludeTabSheet, {106, 139, 0, 0}, "", countHint);
  NoOfWindowsLabel.autoSize = true;
  NoOfWindowsLabel.fontColour = Blue;
  Place(RefreshButton, &ExcludeTabSheet, {193, 133, 72, 26}, "&Refresh",
        "Click this button to refresh the window list above");
  RefreshButton.glyphResource = TOLVA_BITMAP_REFRESH;
  RefreshButton.disabledGlyphResource = TOLVA_BITMAP_REFRESH_DISABLED;
  Place(AutoRefreshCheckBox, &ExcludeTabSheet, {9, 138, 44, 17}, "Auto",
        "Automatically refresh window list above whenever Exclude tab is selected");

  // Hot Key.
  Place(GroupBox5, &HotKeyTabSheet, {16, 3, 240, 96}, " Hot Key ", "");
  // Three lines: 39 pixels at 96 dots per inch, one more so that the scaled label still holds
  // three lines of the font at that scale (20 pixels a line at 144).
  Place(HotKeyLabel, &GroupBox5, {10, 17, 220, 40},
        "Pressed in any program, these keys hide or show the windows, as a click on Tolva's icon "
        "does. Press them here, with Ctrl or Alt.",
        "");
  HotKeyLabel.wordWrap = true;
  Place(HotKeyControl, &GroupBox5, {10, 62, 141, 21}, "",
        "Press the keys that will hide and show the windows from any program");
  Place(ClearHotKeyButton, &GroupBox5, {160, 60, 70, 25}, "&Clear", "Click this button to have no hot key");

  // Containers first, and within each the tab order.
  controls = {&OKBtn, &CancelBtn, &HelpBtn, &Panel1, &MarrowbyImage, &Image1, &PageControl1,
              &SettingsTabSheet, &GroupBox1, &ShowExitBox, &WarnExitBox, &GroupBox4, &EnableHintsBox,
              &ToTrayBox, &PlayWavBox,
              &ActionsTabSheet, &GroupBox3, &HideDesktopBox, &LaunchAppBox, &ClearDocBox,
              &CtrlAltDelBox, &LaunchAppEdit, &LaunchAppButton,
              &IconTabSheet, &GroupBox2, &PlaceOnTrayBox, &MakeInvisibleBox,
              &DateTimeTabSheet, &TimePicker, &EnableDateTimeCheckBox, &DatePicker,
              // The count before its frame, so that the frame lies beneath it.
              &ExcludeTabSheet, &WindowListBox, &NoOfWindowsLabel, &Bevel1, &RefreshButton,
              &AutoRefreshCheckBox,
              &HotKeyTabSheet, &GroupBox5, &HotKeyLabel, &HotKeyControl, &ClearHotKeyButton};
  for (ui::GroupBox* box : {&GroupBox1, &GroupBox2, &GroupBox3, &GroupBox4, &GroupBox5}) box->captionColour = Blue;

  OKBtn.OnClick = [this] {
    if (OKBtnClick()) EndModal(platform::IdOk);
  };
  CancelBtn.OnClick = [this] { EndModal(platform::IdCancel); };
  HelpBtn.OnClick = [this] { HelpBtnClick(); };
  MarrowbyImage.OnClick = [this] { MarrowbyImageClick(); };
  Image1.OnClick = [this] { Image1Click(); };
  PageControl1.OnChange = [this] { PageControl1Change(); };
  ShowExitBox.OnClick = [this] { ShowExitBoxClick(); };
  WarnExitBox.OnClick = [this] { WarnExitBoxClick(); };
  LaunchAppBox.OnClick = [this] { LaunchAppBoxClick(); };
  LaunchAppButton.OnClick = [this] { LaunchAppButtonClick(); };
  PlaceOnTrayBox.OnClick = [this] { PlaceOnTrayBoxClick(); };
  EnableDateTimeCheckBox.OnClick = [this] { EnableDateTimeCheckBoxClick(); };
  RefreshButton.OnClick = [this] { RefreshButtonClick(); };
  ClearHotKeyButton.OnClick = [this] { ClearHotKeyButtonClick(); };
  OnHelpKey = [this] { engine::ShowHelpContext(platform_, Handle(), helpContext); };
  OnCreate = [this, &ownWindows] { ownWindows.Set(engine::OwnWindows::Role::OptionsDialog, Handle()); };
}

OptionsDialogValues TOptionsDialog::Values() const {
  OptionsDialogValues v;
  v.EnableHintsBox = EnableHintsBox.Checked();
  v.ShowExitBox = ShowExitBox.Checked();
  v.WarnExitBox = WarnExitBox.Checked();
  v.ToTrayBox = ToTrayBox.Checked();
  v.PlayWavBox = PlayWavBox.Checked();
  v.HideDesktopBox = HideDesktopBox.Checked();
  v.LaunchAppBox = LaunchAppBox.Checked();
  v.LaunchAppEdit = LaunchAppEdit.Text();
  v.ClearDocBox = ClearDocBox.Checked();
  v.CtrlAltDelBox = CtrlAltDelBox.Checked();
  v.PlaceOnTrayBox = PlaceOnTrayBox.Checked();
  v.MakeInvisibleBox = MakeInvisibleBox.Checked();
  v.EnableDateTimeCheckBox = EnableDateTimeCheckBox.Checked();
  v.TimePicker = TimePicker.Value();
  v.DatePicker = DatePicker.Value();
  v.AutoRefreshCheckBox = AutoRefreshCheckBox.Checked();
  v.HotKeyControl = HotKeyControl.Value();
  return v;
}

bool TOptionsDialog::OKBtnClick() {
  if (HotKeyControl.Value() != 0 && !UsableHotKey(HotKeyControl.Value())) {
    PageControl1.SetActivePageIndex(HotKeyPageIndex);
    engine::ShowWarning(platform_.dialogs, app.Handle(), HotKeyRefusedText, HotKeyRefusedTitle);
    return false;
  }
  // A time that does not read back goes on to the program's exception handler, as any unguarded
  // error does. A write the file refused is said at once: the dialog closes and the options
  // apply, but without the warning the user would find them gone at the next start.
  if (!SaveSettings(platform_.profile, platform_.process, region_, Values())) {
    engine::ShowWarning(platform_.dialogs, app.Handle(),
                        SettingsNotSavedText(SettingsFileFolder(platform_.profile)), SettingsNotSavedTitle);
  }
  return true;
}

void TOptionsDialog::ClearHotKeyButtonClick() { HotKeyControl.SetValue(0); }

void TOptionsDialog::HelpBtnClick() {
  app.Guarded([&] {
    app.helpFile = engine::HelpFileName;
    engine::ShowHelpTopic(platform_, Handle(), app.helpFile, OptionsDialogHelpTopic);
  });
}

void TOptionsDialog::PlaceOnTrayBoxClick() {
  MakeInvisibleBox.SetEnabled(PlaceOnTrayBox.Checked());
  if (!PlaceOnTrayBox.Checked()) MakeInvisibleBox.SetChecked(false);
}

void TOptionsDialog::LaunchAppBoxClick() {
  LaunchAppEdit.SetEnabled(LaunchAppBox.Checked());
  LaunchAppButton.SetEnabled(LaunchAppBox.Checked());
}

void TOptionsDialog::LaunchAppButtonClick() {
  app.Guarded([&] {
    OpenDialog1.fileName = LaunchAppEdit.Text();
    if (!OpenDialog1.Execute(platform_.fileDialogs, Handle())) return;
    LaunchAppEdit.SetText(OpenDialog1.fileName);
    LaunchAppEdit.SetHint(LaunchAppEdit.Text());
  });
}

void TOptionsDialog::ShowExitBoxClick() {
  const bool reveal = ShowExitBox.Checked();
  WarnExitBox.SetChecked(!reveal);
  WarnExitBox.SetEnabled(!reveal);
}

void TOptionsDialog::WarnExitBoxClick() {
  if (ShowExitBox.Checked() || WarnExitBox.Checked()) return;
  const int answer = engine::ShowWarning(platform_.dialogs, app.Handle(), NoWarningQuestionText,
                                         app.Title(), QuestionStyle);
  // Only a clear Yes leaves the user without any warning; anything else keeps the warning.
  if (answer != platform::IdYes) WarnExitBox.SetChecked(true);
}

void TOptionsDialog::EnableDateTimeCheckBoxClick() {
  const bool enabled = EnableDateTimeCheckBox.Checked();
  DatePicker.SetEnabled(enabled);
  TimePicker.SetEnabled(enabled);
  if (enabled) {
    const platform::LocalTime now = platform_.clock.GetLocalTime();
    TimePicker.SetValue(now);
    DatePicker.SetValue(now);
  }
}

void TOptionsDialog::RefreshButtonClick() {
  const std::int32_t count = census_.RefreshExcludeList();
  WindowListBox.ItemsChanged();
  NoOfWindowsLabel.SetCaption(std::to_string(count));
}

void TOptionsDialog::PageControl1Change() {
  if (PageControl1.ActivePageIndex() == ExcludePageIndex && AutoRefreshCheckBox.Checked()) {
    RefreshButtonClick();
  }
}

void TOptionsDialog::Image1Click() {
  engine::OpenWebPage(platform_.shell, platform_.dialogs, Handle(), app.Handle(),
                      engine::ProductPageAddress);
}

void TOptionsDialog::MarrowbyImageClick() {
  engine::OpenWebPage(platform_.shell, platform_.dialogs, Handle(), app.Handle(),
                      engine::MakerHomeAddress);
}

}  // namespace tolva::settings
