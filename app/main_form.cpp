#include "app/main_form.h"

#include <string>

#include "app/about_box.h"
#include "engine/help_topic.h"
#include "engine/warning.h"
#include "resources/resource_ids.h"
#include "settings/date_time.h"
#include "settings/hot_key.h"
#include "settings/options/apply_options.h"
#include "settings/options/options_dialog.h"
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
      record_(platform.files, platform.profile, platform.windows),
      cycle_(platform.windows, platform.systemParameters, Settings, state.hiddenWindows, census_,
             actions_, *this, record_),
      trigger_(platform.clock, platform.profile, Settings, state.region, [this] { HideShowButtonClick(); },
               *this) {
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

void TForm1::ShowHints(bool on) {
  app.SetShowHint(on);
  if (on) app.SetHintColour(HintColour);
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
  switch (settings::HintsChoice(Settings)) {
    case settings::HintsAtLoad::OnInGreen: ShowHints(true); break;
    case settings::HintsAtLoad::Off: ShowHints(false); break;
    case settings::HintsAtLoad::Unchanged: break;
  }

  SetUpTrayIcon();
  taskbarCreated_ = platform_.windows.RegisterWindowMessageA("TaskbarCreated");

  ActionTimer.SetEnabled(settings::ActionTimerEnabled(Settings));

  VersionInfo = {};
  if (!platform_.kernel.GetVersionExA(VersionInfo)) {
    VersionInfo = {};  // a failed query leaves zeros: platform id 0
    engine::ShowWarning(platform_.dialogs, app.Handle(), VersionFailedText, VersionFailedTitle);
  }
  SetHotKey(settings::HotKeyFromText(Settings.HotKey.view()));

  app.OnActivate = [this] { ApplicationActivate(); };
  app.OnSettingChange = [this](const std::string& area) { ApplicationSettingChange(area); };
  app.OnException = [this](const std::exception& exception) { ApplicationException(exception); };
}

void TForm1::FormDestroy() {
  SetHotKey(0);
  if (IsOn(Settings.TrayPlace)) DeleteTrayIcon(IconOrigin::ShutDown);
}

void TForm1::SetHotKey(std::uint16_t value) {
  if (hotKeyRegistered_) platform_.windows.UnregisterHotKey(Handle(), settings::HotKeyId);
  hotKeyRegistered_ = value != 0 && settings::RegisterHotKey(platform_.windows, Handle(), value);
  if (value != 0 && !hotKeyRegistered_) {
    engine::ShowWarning(platform_.dialogs, app.Handle(), settings::HotKeyInUseText(value), settings::HotKeyInUseTitle);
  }
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
    settings::PresetOptions(*dialog, Settings, state_.hiddenWindows.WindowsHidden, platform_, state_.region, *this);
    if (dialog->ShowModal() != platform::IdOk) return;
    settings::ApplyOptions(*dialog, Settings, platform_, state_.region, *this);
  });
}

void TForm1::SuppressCtrlAltDel(bool suppressed) { actions_.ApplyCtrlAltDelSuppression(suppressed); }

void TForm1::EnableScheduleTimer(bool enabled) { ActionTimer.SetEnabled(enabled); }

void TForm1::HelpButtonClick() {
  app.Guarded([&] { engine::ShowHelpContents(platform_, Handle()); });
}

void TForm1::FormHelpKey() { engine::ShowHelpContext(platform_, Handle(), helpContext); }

void TForm1::AboutButtonClick() {
  app.Guarded([&] { if (state_.AboutBox != nullptr) state_.AboutBox->ShowModal(); });
}

void TForm1::ExitButtonClick() { Close(); }

void TForm1::ActionTimerTimer() { trigger_.Tick(); }

void TForm1::ShowScheduleOff() {
  if (TOptionsDialog* dialog = state_.OptionsDialog) {
    dialog->EnableDateTimeCheckBox.SetChecked(false);
    dialog->DatePicker.SetEnabled(false);
    dialog->TimePicker.SetEnabled(false);
  }
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
    case platform::WmHotKey:
      // As a left click on the icon: from any program, in the tray, and under the program's own
      // boxes alike.
      if (message.wParam == static_cast<std::uintptr_t>(settings::HotKeyId)) HideShowButtonClick();
      return true;
    case WmTrayIcon:
      // The mouse message is in lParam; the message then goes on to the default handling.
      OnTrayIconMessage(message.lParam);
      return false;
    default:
      // A shell that starts again has a notification area without the icon: it is added again,
      // in its look of now, or a window sent to the tray could not be reached any more.
      if (message.id == taskbarCreated_ && taskbarCreated_ != 0 && IsOn(Settings.TrayPlace)) {
        AddTrayIcon();
      }
      return false;
  }
}

}  // namespace tolva::app
