// The main window's notification icon: its record and the shell calls on it, its mouse actions
// and menu, the window sent to the tray and brought back, and the start-to-tray rule.
#include "app/main_form.h"
#include "engine/warning.h"
#include "settings/options/options_dialog.h"

namespace tolva::app {

using settings::IsOff;
using settings::IsOn;

void TForm1::SetUpTrayIcon() {
  if (const std::optional<TrayLook> look = TrayLookAtStart(Settings)) {
    LoadTrayIconLook(*look, IconOrigin::StartUp);
  }
  if (IsOn(Settings.TrayPlace)) {
    AddTrayIcon();
    HideTolvaButton.SetEnabled(true);
  } else {
    // Without an icon (TrayPlace 0, or a value the program never writes) the window must not
    // go to the tray: nothing would bring it back.
    HideTolvaButton.SetEnabled(false);
  }
}

void TForm1::LoadTrayIconLook(TrayLook look, IconOrigin origin) {
  const bool invisible = look == TrayLook::Invisible;
  TrayIconRecord.icon = platform_.icons.LoadSmallIcon(invisible ? TOLVA_ICON_TRANSPARENT : TOLVA_ICON_MAIN);
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
  if (IsOff(Settings.ToTray)) {
    Show();
  } else if (IsOn(Settings.ToTray)) {
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
  }
}

void TForm1::DeleteTrayIcon() { DeleteTrayIcon(IconOrigin::Options); }

void TForm1::SetTrayIconLook(bool invisible, bool modify) {
  LoadTrayIconLook(invisible ? TrayLook::Invisible : TrayLook::Visible, IconOrigin::Options);
  if (modify) ModifyTrayIcon();
}

void TForm1::EnableTrayButton(bool enabled) { HideTolvaButton.SetEnabled(enabled); }

void TForm1::HideTolvaButtonClick() {
  app.Guarded([&] {
    // While the window is away the icon that brings it back cannot be switched off.
    if (state_.OptionsDialog != nullptr) state_.OptionsDialog->PlaceOnTrayBox.SetEnabled(false);
    Hide();
  });
}

}  // namespace tolva::app
