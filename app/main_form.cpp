#include "app/main_form.h"

#include <string>

#include "app/about_box.h"
#include "engine/help_topic.h"
#include "engine/warning.h"
#include "resources/resource_ids.h"
#include "settings/date_time.h"
#include "settings/options/options_dialog.h"
#include "settings/schedule.h"
#include "settings/settings_file.h"

namespace tolva::app {

using settings::IsOn;

ExitRule ExitRuleFor(bool windowsHidden, const settings::SettingsRecord& settings) {
  if (!windowsHidden) return ExitRule::Close;
  const bool showExit = IsOn(settings.ShowExit);
  const bool warnExit = IsOn(settings.WarnExit);
  // Both on can only come from a hand-edited file; it counts as neither.
  if (showExit && !warnExit) return ExitRule::RevealAndClose;
  if (warnExit && !showExit) return ExitRule::Ask;
  return ExitRule::Close;
}

ui::CloseAction CloseAfterAnswer(int answer, ui::CloseAction decision) {
  switch (answer) {
    case platform::IdYes: return ui::CloseAction::Free;
    case platform::IdNo:
    case platform::IdCancel: return ui::CloseAction::None;
    default: return decision;
  }
}

bool SessionMayEndAfterAnswer(int answer) {
  return answer != platform::IdNo && answer != platform::IdCancel;
}

TForm1::TForm1(ui::Application& application, platform::Platform& platform, ProgramState& state)
    : ui::Form("Form1", application),
      platform_(platform),
      state_(state),
      census_(platform.windows, Settings, state.ownWindows, state.hiddenWindows, state.excludeList),
      actions_(platform.sound, platform.shell, platform.dialogs, platform.systemParameters, Settings,
               VersionInfo, application.Handle()),
      cycle_(platform.windows, platform.systemParameters, Settings, state.hiddenWindows, census_,
             actions_, *this) {
  SetCaption(std::string(ApplicationTitle));
  border = ui::BorderStyle::ToolWindow;
  minimiseBox = true;
  clientSize = {294, 127};
  centred = true;
  colour = {0, 0, 255};
  iconResource = TOLVA_ICON_MAIN;
  helpContext = MainWindowHelpContext;
  keyPreview = true;

  const std::string visitTolva = "Click here to visit Tolva now";
  TolvaImage.SetBounds({25, 8, 32, 32});
  TolvaImage.pictureResource = TOLVA_BITMAP_TOLVA;
  TolvaImage.SetHint(visitTolva);
  TolvaNameImage.SetBounds({62, 9, 209, 30});
  TolvaNameImage.pictureResource = TOLVA_BITMAP_TOLVA_NAME;
  TolvaNameImage.SetHint(visitTolva);
  MarrowbyImage.SetBounds({59, 62, 182, 24});
  MarrowbyImage.pictureResource = TOLVA_BITMAP_MARROWBY;
  MarrowbyImage.SetHint("Click here to visit " + std::string(MakerSiteName) + " now");
  for (ui::Picture* picture : {&TolvaImage, &TolvaNameImage, &MarrowbyImage}) {
    picture->cursor = ui::Cursor::HandPoint;
    picture->showHint = true;
  }
  TolvaImage.OnClick = [this] { TolvaImageClick(); };
  TolvaNameImage.OnClick = [this] { TolvaNameImageClick(); };
  MarrowbyImage.OnClick = [this] { MarrowbyImageClick(); };

  ImageList1.count = 11;
  ImageList1.bitmapResource = TOLVA_BITMAP_TOOLBAR;

  ToolBar1.SetBounds({0, 127 - 38, 294, 38});
  ToolBar1.images = &ImageList1;
  ToolBar1.buttonSize = {49, 36};
  ToolBar1.colour = {163, 190, 220};
  struct ButtonLayout {
    ui::ToolButton& button;
    const char* caption;
    const char* hint;
    int image;
    void (TForm1::*handler)();
  };
  const ButtonLayout buttons[] = {
      {HideShowButton, "&Hide", "Hide visible application windows", 0, &TForm1::HideShowButtonClick},
      {OptionsButton, "&Options", "Set Tolva options", 6, &TForm1::OptionsButtonClick},
      {HelpButton, "H&elp", "Get help", 1, &TForm1::HelpButtonClick},
      {AboutButton, "&About", "About Tolva", 2, &TForm1::AboutButtonClick},
      {HideTolvaButton, "&Tray", "Send Tolva to the System Tray", 4, &TForm1::HideTolvaButtonClick},
      {ExitButton, "E&xit", "Exit Tolva", 3, &TForm1::ExitButtonClick},
  };
  int x = 0;
  for (const auto& layout : buttons) {
    layout.button.SetBounds({x, 0, 49, 36});
    layout.button.SetCaption(layout.caption);
    layout.button.SetHint(layout.hint);
    layout.button.SetImageIndex(layout.image);
    layout.button.OnClick = [this, handler = layout.handler] { (this->*handler)(); };
    ToolBar1.buttons.push_back(&layout.button);
    x += 49;
  }

  ActionTimer.SetInterval(1000);
  ActionTimer.SetEnabled(false);
  ActionTimer.OnTimer = [this] { ActionTimerTimer(); };

  struct MenuLayout {
    ui::MenuItem& item;
    const char* caption;
    int image;
    void (TForm1::*handler)();
  };
  const MenuLayout items[] = {
      {RestoreTolva1, "&Restore Tolva", 9, &TForm1::RestoreTolvaClick},
      {HideWindows1, "&Hide Windows", 0, &TForm1::HideShowButtonClick},
      {N1, "-", -1, nullptr},
      {Options1, "O&ptions", 6, &TForm1::OptionsButtonClick},
      {Help1, "H&elp", 1, &TForm1::HelpButtonClick},
      {About1, "&About", 2, &TForm1::AboutButtonClick},
      {MarrowbyHomePage1, "&Marrowby", 10, &TForm1::MarrowbyImageClick},
      {N2, "-", -1, nullptr},
      {Exit1, "E&xit", 3, &TForm1::ExitButtonClick},
  };
  for (const auto& layout : items) {
    layout.item.SetCaption(layout.caption);
    layout.item.SetImageIndex(layout.image);
    if (layout.handler != nullptr) {
      layout.item.OnClick = [this, handler = layout.handler] { (this->*handler)(); };
    }
    PopupMenu1.items.push_back(&layout.item);
  }
  PopupMenu1.images = &ImageList1;
  PopupMenu1.OnPopup = [this] { PopupMenu1Popup(); };

  controls = {&TolvaImage, &TolvaNameImage, &MarrowbyImage, &ToolBar1};
  timers = {&ActionTimer};
  menus = {&PopupMenu1};

  OnCreate = [this] { FormCreate(); };
  OnClose = [this](ui::CloseAction& action) { FormClose(action); };
  OnKeyDown = [this](unsigned key, ui::KeyShift shift) { FormKeyDown(key, shift); };
  OnHelpKey = [this] { FormHelpKey(); };
  OnDestroy = [this] { FormDestroy(); };
}

void TForm1::ApplyHints() {
  switch (settings::HintsChoice(Settings)) {
    case settings::HintsAtLoad::OnInGreen:
      app.SetShowHint(true);
      app.SetHintColour({0, 255, 0});
      break;
    case settings::HintsAtLoad::Off:
      app.SetShowHint(false);
      break;
    case settings::HintsAtLoad::Unchanged:
      break;
  }
}

void TForm1::FormCreate() {
  state_.ownWindows.Set(engine::OwnWindows::Role::MainWindow, Handle());

  // The icon's record before the settings: only its icon and tip change afterwards.
  TrayIconRecord = {};
  TrayIconRecord.size = platform::TrayIconRecordSize;
  TrayIconRecord.window = Handle();
  TrayIconRecord.id = TrayIconId;
  TrayIconRecord.flags = platform::NifMessage | platform::NifIcon | platform::NifTip;
  TrayIconRecord.callbackMessage = WmTrayIcon;

  state_.region = platform_.locale.ReadRegionalSettings();
  settings::LoadSettings(platform_.profile, platform_.process, platform_.clock, state_.region, Settings);
  ApplyHints();

  SetUpTrayIcon();
  taskbarCreated_ = platform_.windows.RegisterWindowMessageA("TaskbarCreated");

  ActionTimer.SetEnabled(settings::ActionTimerEnabled(Settings));

  VersionInfo = {};
  if (!platform_.kernel.GetVersionExA(VersionInfo)) {
    VersionInfo = {};  // a failed query leaves zeros: platform id 0
    engine::ShowWarning(platform_.dialogs, app.Handle(), VersionFailedText, VersionFailedTitle);
  }

  app.OnActivate = [this] { ApplicationActivate(); };
  app.OnSettingChange = [this](const std::string& area) { ApplicationSettingChange(area); };
  app.OnException = [this](const std::exception& exception) { ApplicationException(exception); };
}

void TForm1::SetUpTrayIcon() {
  if (const std::optional<TrayLook> look = TrayLookAtStart(Settings)) {
    LoadTrayIconLook(*look, IconOrigin::StartUp);
  }
  switch (settings::FlagValue(Settings.TrayPlace)) {
    case 1:
      AddTrayIcon();
      HideTolvaButton.SetEnabled(true);
      break;
    default:
      // Without an icon (TrayPlace 0, or a value the program never writes) the window must not
      // go to the tray: nothing would bring it back.
      HideTolvaButton.SetEnabled(false);
      break;
  }
}

void TForm1::LoadTrayIconLook(TrayLook look, IconOrigin origin) {
  const bool invisible = look == TrayLook::Invisible;
  TrayIconRecord.icon = platform_.icons.LoadIconA(invisible ? TOLVA_ICON_TRANSPARENT : TOLVA_ICON_MAIN);
  if (TrayIconRecord.icon == platform::NullIcon) TrayIconFailed(LoadFailure(look, origin));
  platform::SetTrayTip(TrayIconRecord, invisible ? std::string() : VisibleTrayTip());
}

void TForm1::AddTrayIcon() {
  if (!platform_.shell.Shell_NotifyIconA(platform::NimAdd, TrayIconRecord)) TrayIconFailed(AddFailure());
}

void TForm1::ModifyTrayIcon() {
  if (!platform_.shell.Shell_NotifyIconA(platform::NimModify, TrayIconRecord)) {
    TrayIconFailed(ModifyFailure());
  }
}

void TForm1::DeleteTrayIcon(IconOrigin origin) {
  if (!platform_.shell.Shell_NotifyIconA(platform::NimDelete, TrayIconRecord)) {
    TrayIconFailed(DeleteFailure(origin));
  }
}

void TForm1::TrayIconFailed(const TrayFailure& failure) {
  engine::ShowWarning(platform_.dialogs, app.Handle(), failure.text, failure.title);
  cycle_.RevealWhenIdle();
  app.Terminate();
}

void TForm1::OnTrayIconMessage(std::intptr_t mouseMessage) {
  switch (TrayMouseActionFor(mouseMessage)) {
    case TrayMouseAction::HideShow:
      HideShowButtonClick();
      break;
    case TrayMouseAction::Menu:
      TrayMenu();
      break;
    case TrayMouseAction::Restore:
      RestoreTolvaClick();
      SuppressNextTrayMenu = true;
      break;
    case TrayMouseAction::None:
      break;
  }
}

void TForm1::TrayMenu() {
  if (SuppressNextTrayMenu) {
    SuppressNextTrayMenu = false;
    return;
  }
  int x = 0, y = 0;
  if (!platform_.windows.GetCursorPos(x, y)) {
    Show();
    return;
  }
  platform_.windows.SetForegroundWindow(Handle());
  PopupMenu1.Popup(x, y);
}

void TForm1::PopupMenu1Popup() {
  app.Guarded([&] {
    const HideWindowsItemLook look = HideWindowsItemFor(state_.hiddenWindows.WindowsHidden);
    HideWindows1.SetCaption(std::string(look.caption));
    HideWindows1.SetImageIndex(look.imageIndex);
  });
}

void TForm1::RestoreTolvaClick() {
  app.Guarded([&] {
    if (app.IsMinimized()) app.Restore();
    platform_.windows.SetForegroundWindow(Handle());
    Show();
    platform_.windows.SetFocus(Handle());
    if (state_.OptionsDialog != nullptr) state_.OptionsDialog->PlaceOnTrayBox.SetEnabled(true);
  });
}

void TForm1::ApplicationActivate() {
  if (!StartupActivationPending) return;
  StartupActivationPending = false;
  switch (settings::FlagValue(Settings.ToTray)) {
    case 0:
      Show();
      break;
    case 1: {
      Hide();
      TOptionsDialog* dialog = state_.OptionsDialog;
      if (dialog != nullptr) dialog->PlaceOnTrayBox.SetEnabled(false);
      if (!HideTolvaButton.Enabled()) {
        // No icon yet: the one the window is sent to is added now, in memory only.
        AddTrayIcon();
        HideTolvaButton.SetEnabled(true);
        if (dialog != nullptr) dialog->PlaceOnTrayBox.SetChecked(true);
        Settings.TrayPlace = "1";
      }
      break;
    }
    default:
      break;
  }
}

void TForm1::FormDestroy() {
  if (settings::FlagValue(Settings.TrayPlace) == 1) DeleteTrayIcon(IconOrigin::ShutDown);
}

void TForm1::ShowLook(const engine::HideShowButtonLook& look) {
  HideShowButton.SetCaption(std::string(look.caption));
  HideShowButton.SetHint(std::string(look.hint));
  HideShowButton.SetImageIndex(look.imageIndex);
}

void TForm1::HideShowButtonClick() { cycle_.HideShowButtonClick(); }

void TForm1::OptionsButtonClick() {
  TOptionsDialog* dialog = state_.OptionsDialog;
  // A second request while the dialog is open (the tray menu stays usable) changes nothing:
  // presetting again would throw away what the user is editing.
  if (dialog == nullptr || dialog->Visible()) return;
  app.Guarded([&] {
    PresetOptions(*dialog);
    if (dialog->ShowModal() != platform::IdOk) return;
    ApplyOptions(*dialog);
  });
}

void TForm1::PresetOptions(TOptionsDialog& d) {
  // A box whose state changes runs its handler, so the enabling rules follow.
  d.EnableHintsBox.SetChecked(IsOn(Settings.Hints));
  d.ShowExitBox.SetChecked(IsOn(Settings.ShowExit));
  d.WarnExitBox.SetChecked(IsOn(Settings.WarnExit));
  d.ToTrayBox.SetChecked(IsOn(Settings.ToTray));
  d.PlayWavBox.SetChecked(IsOn(Settings.WAV));
  d.PlaceOnTrayBox.SetChecked(IsOn(Settings.TrayPlace));
  d.MakeInvisibleBox.SetEnabled(IsOn(Settings.TrayPlace));
  d.MakeInvisibleBox.SetChecked(IsOn(Settings.Invisible));
  d.HideDesktopBox.SetChecked(IsOn(Settings.HideDesk));
  d.LaunchAppBox.SetChecked(IsOn(Settings.LaunchApp));
  d.LaunchAppEdit.SetEnabled(IsOn(Settings.LaunchApp));
  d.LaunchAppButton.SetEnabled(IsOn(Settings.LaunchApp));
  d.LaunchAppEdit.SetText(std::string(Settings.FileSpec.view()));
  d.OpenDialog1.fileName = std::string(Settings.FileSpec.view());
  d.OpenDialog1.initialDir = settings::ChooserFolder(Settings.IniDir.view());
  d.LaunchAppEdit.SetHint(d.LaunchAppEdit.Text());
  d.ClearDocBox.SetChecked(IsOn(Settings.ClearDoc));
  d.CtrlAltDelBox.SetChecked(IsOn(Settings.CtrlAlt));

  // Ctrl+Alt+Del brought in line with the stored setting, before the user changes anything.
  actions_.ApplyCtrlAltDelSuppression(IsOn(Settings.CtrlAlt) && state_.hiddenWindows.WindowsHidden);

  if (IsOn(Settings.EnableDateTime)) {
    d.EnableDateTimeCheckBox.SetChecked(true);
    d.DatePicker.SetEnabled(true);
    d.TimePicker.SetEnabled(true);
    PresetSchedule(d);
  } else {
    d.EnableDateTimeCheckBox.SetChecked(false);
    d.DatePicker.SetEnabled(false);
    d.TimePicker.SetEnabled(false);
  }
  d.AutoRefreshCheckBox.SetChecked(IsOn(Settings.AutoRefresh));
}

void TForm1::PresetSchedule(TOptionsDialog& d) {
  const platform::RegionalSettings& region = state_.region;
  const platform::LocalTime now = platform_.clock.GetLocalTime();
  // A stored text that no longer reads in today's regional format (the user changed it) is
  // reported, and the picker starts from now: refusing to open would leave the schedule beyond
  // the user's reach until the file is edited by hand.
  const auto preset = [&](ui::DateTimePicker& picker, const std::function<platform::LocalTime()>& parse) {
    try {
      picker.SetValue(parse());
    } catch (const Exception& exception) {
      app.ShowException(exception);
      picker.SetValue(now);
    }
  };
  preset(d.TimePicker, [&] { return settings::ParseTime(Settings.ActionTime.view(), region); });
  preset(d.DatePicker, [&] { return settings::ParseDate(Settings.ActionDate.view(), region, now); });
}

void TForm1::ApplyOptions(TOptionsDialog& d) {
  const auto flag = [](bool on) { return on ? "1" : "0"; };
  if (d.EnableHintsBox.Checked()) {
    app.SetShowHint(true);
    app.SetHintColour({0, 255, 0});
  } else {
    app.SetShowHint(false);
  }
  Settings.Hints = flag(d.EnableHintsBox.Checked());
  Settings.ShowExit = flag(d.ShowExitBox.Checked());
  Settings.WarnExit = flag(d.WarnExitBox.Checked());
  Settings.ToTray = flag(d.ToTrayBox.Checked());
  Settings.WAV = flag(d.PlayWavBox.Checked());
  Settings.HideDesk = flag(d.HideDesktopBox.Checked());
  Settings.LaunchApp = flag(d.LaunchAppBox.Checked());
  d.OpenDialog1.initialDir = settings::ChooserFolder(settings::FolderPart(d.LaunchAppEdit.Text()));
  // Cut to the field's capacity: a longer text never goes past its end.
  Settings.FileSpec = d.LaunchAppEdit.Text();
  Settings.IniDir = d.OpenDialog1.initialDir.empty() ? settings::CurrentDirectory(platform_.process)
                                                     : d.OpenDialog1.initialDir;
  Settings.ClearDoc = flag(d.ClearDocBox.Checked());
  Settings.CtrlAlt = flag(d.CtrlAltDelBox.Checked());

  const TrayChange icon = TrayChangeAtOk(d.PlaceOnTrayBox.Checked(), d.MakeInvisibleBox.Checked(), Settings);
  switch (icon.presence) {
    case TrayChange::Presence::Add:
      AddTrayIcon();
      Settings.TrayPlace = "1";
      break;
    case TrayChange::Presence::Delete:
      DeleteTrayIcon(IconOrigin::Options);
      Settings.TrayPlace = "0";
      break;
    case TrayChange::Presence::Keep:
      break;
  }
  switch (icon.look) {
    case TrayChange::Look::MakeInvisible:
      LoadTrayIconLook(TrayLook::Invisible, IconOrigin::Options);
      ModifyTrayIcon();
      Settings.Invisible = "1";
      break;
    case TrayChange::Look::MakeVisible:
      LoadTrayIconLook(TrayLook::Visible, IconOrigin::Options);
      if (!icon.lookWithoutModify) ModifyTrayIcon();
      Settings.Invisible = "0";
      break;
    case TrayChange::Look::Keep:
      break;
  }
  // The window goes to the tray only while there is an icon to bring it back by.
  HideTolvaButton.SetEnabled(d.PlaceOnTrayBox.Checked() && settings::FlagValue(Settings.TrayPlace) == 1);

  if (d.EnableDateTimeCheckBox.Checked()) {
    // The same texts the dialog has just saved, in the same formats the ticks compare in.
    Settings.EnableDateTime = "1";
    Settings.ActionTime = settings::ActionTimeText(d.TimePicker.Value(), state_.region);
    Settings.ActionDate = settings::ActionDateText(d.DatePicker.Value(), state_.region, d.DatePicker.Value());
    ActionTimer.SetEnabled(true);
  } else {
    settings::DisarmSchedule(Settings);
    ActionTimer.SetEnabled(false);
  }
  Settings.AutoRefresh = flag(d.AutoRefreshCheckBox.Checked());
}

void TForm1::HelpButtonClick() {
  app.Guarded([&] { platform_.help.WinHelpA(Handle(), HelpFileName, platform::HelpContents, 0); });
}

void TForm1::FormHelpKey() { engine::ShowHelpContext(platform_.help, Handle(), helpContext); }

void TForm1::AboutButtonClick() {
  app.Guarded([&] { if (state_.AboutBox != nullptr) state_.AboutBox->ShowModal(); });
}

void TForm1::HideTolvaButtonClick() {
  app.Guarded([&] {
    // While the window is away the icon that brings it back cannot be switched off.
    if (state_.OptionsDialog != nullptr) state_.OptionsDialog->PlaceOnTrayBox.SetEnabled(false);
    Hide();
  });
}

void TForm1::ExitButtonClick() { Close(); }

void TForm1::ActionTimerTimer() {
  if (ScheduleFiring) return;
  if (!settings::ScheduleDue(Settings, platform_.clock.GetLocalTime(), state_.region)) return;
  struct Firing {
    bool& flag;
    explicit Firing(bool& f) : flag(f) { flag = true; }
    ~Firing() { flag = false; }
    Firing(const Firing&) = delete;
    Firing& operator=(const Firing&) = delete;
  } firing(ScheduleFiring);

  // No direction: if the windows are concealed at that moment, they are revealed.
  HideShowButtonClick();
  settings::DisarmSchedule(Settings);
  if (TOptionsDialog* dialog = state_.OptionsDialog) {
    dialog->EnableDateTimeCheckBox.SetChecked(false);
    dialog->DatePicker.SetEnabled(false);
    dialog->TimePicker.SetEnabled(false);
  }
  // The timer runs on; with no targets no tick matches until a new schedule is set.
  settings::SaveScheduleDisarmed(platform_.profile);
}

void TForm1::ApplicationSettingChange(const std::string& area) {
  if (settings::RegionalFormatsChanged(area)) state_.region = platform_.locale.ReadRegionalSettings();
}

void TForm1::OpenWebPage(std::string_view address) {
  const platform::WindowHandle owner =
      state_.AboutBox != nullptr ? state_.AboutBox->Handle() : platform::NullWindow;
  engine::OpenWebPage(platform_.shell, platform_.dialogs, owner, app.Handle(), address);
}

void TForm1::TolvaImageClick() { OpenWebPage(engine::ProductPageAddress); }
void TForm1::TolvaNameImageClick() { OpenWebPage(engine::ProductPageAddress); }
void TForm1::MarrowbyImageClick() { OpenWebPage(engine::MakerHomeAddress); }

void TForm1::FormKeyDown(unsigned key, ui::KeyShift shift) {
  if (key == VkK && shift.ctrl && shift.alt && shift.shift) {
    platform_.sound.PlaySoundA(SoundKeyWave, platform::SndResource | platform::SndAsync);
  }
}

void TForm1::ApplicationException(const std::exception& exception) {
  app.ShowException(exception);
  // The program is about to end: windows it still keeps hidden would have nothing left to
  // bring them back, so they are shown first (after the running command, if one runs). The
  // program ends even when that fails.
  try {
    cycle_.RevealWhenIdle();
  } catch (const std::exception& failure) {
    app.ShowException(failure);
  }
  app.Terminate();
}

void TForm1::FormClose(ui::CloseAction& action) {
  try {
    switch (ExitRuleFor(state_.hiddenWindows.WindowsHidden, Settings)) {
      case ExitRule::RevealAndClose:
        cycle_.RevealWhenIdle();
        action = ui::CloseAction::Free;
        break;
      case ExitRule::Ask: {
        const int answer = engine::ShowWarning(platform_.dialogs, app.Handle(), HiddenOnExitText,
                                               ApplicationTitle, HiddenWindowsQuestionStyle);
        action = CloseAfterAnswer(answer, action);
        break;
      }
      case ExitRule::Close:
        break;
    }
  } catch (const std::exception& exception) {
    // The decision stays as it stood when the failure came.
    app.ShowException(exception);
  }
  // Every close attempt gives Ctrl+Alt+Del back, also one the question cancelled.
  actions_.ApplyCtrlAltDelSuppression(false);
}

bool TForm1::WMQueryEndSession() {
  switch (ExitRuleFor(state_.hiddenWindows.WindowsHidden, Settings)) {
    case ExitRule::RevealAndClose:
      // Refused once: the user sees the windows again, and the next ending goes through.
      cycle_.RevealWhenIdle();
      return false;
    case ExitRule::Ask: {
      const int answer = engine::ShowWarning(platform_.dialogs, app.Handle(), HiddenOnSessionEndText,
                                             ApplicationTitle, HiddenWindowsQuestionStyle);
      return SessionMayEndAfterAnswer(answer);
    }
    case ExitRule::Close:
      break;
  }
  return true;
}

bool TForm1::HandleMessage(ui::Message& message) {
  switch (message.id) {
    case WmQueryEndSession:
      message.result = WMQueryEndSession() ? 1 : 0;
      return true;
    case WmEndSession:
      // The session ends for certain: the windows go and the process with them; the close
      // steps do not run.
      if (message.wParam != 0) app.EndProcess();
      return true;
    case WmTrayIcon:
      // The mouse message is in lParam; the message then goes on to the default handling.
      OnTrayIconMessage(message.lParam);
      return false;
    default:
      // A shell that starts again has a notification area without the icon: it is added again,
      // in its look of now, or a window sent to the tray could not be reached any more.
      if (message.id == taskbarCreated_ && taskbarCreated_ != 0 &&
          settings::FlagValue(Settings.TrayPlace) == 1) {
        AddTrayIcon();
      }
      return false;
  }
}

}  // namespace tolva::app
