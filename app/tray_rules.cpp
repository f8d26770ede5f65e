#include "app/tray_rules.h"

#include "engine/web_page.h"

namespace tolva::app {
namespace {

constexpr std::string_view LowOnResources =
    "\r\n\r\nYou may be running low on memory/resources.\r\n\r\nClose some applications or restart "
    "Windows and try again.";

}  // namespace

TrayMouseAction TrayMouseActionFor(std::intptr_t mouseMessage) {
  switch (mouseMessage) {
    case WmLButtonUp: return TrayMouseAction::HideShow;
    case WmRButtonUp: return TrayMouseAction::Menu;
    case WmRButtonDblClk: return TrayMouseAction::Restore;
    default: return TrayMouseAction::None;
  }
}

std::optional<TrayLook> TrayLookAtStart(const settings::SettingsRecord& settings) {
  if (settings::IsOn(settings.Invisible)) return TrayLook::Invisible;
  if (settings::IsOff(settings.Invisible)) return TrayLook::Visible;
  return std::nullopt;
}

std::string VisibleTrayTip() { return "Tolva R. Quenlar (TM) from " + std::string(engine::MakerSiteName); }

TrayFailure LoadFailure(TrayLook look, IconOrigin origin) {
  // The texts name the icon and where it was loaded from: "_1" at start, "_2" from the options.
  static const std::string texts[2][2] = {
      {"Unable to load main_1 icon." + std::string(LowOnResources),
       "Unable to load main_2 icon." + std::string(LowOnResources)},
      {"Unable to load trans_1 icon." + std::string(LowOnResources),
       "Unable to load trans_2 icon." + std::string(LowOnResources)},
  };
  const int which = look == TrayLook::Invisible ? 1 : 0;
  const int from = origin == IconOrigin::StartUp ? 0 : 1;
  return {texts[which][from], "Unable To Load Icon"};
}

TrayFailure AddFailure() {
  static const std::string text = "Unable to add icon to system tray." + std::string(LowOnResources);
  return {text, "Unable To Add Icon To System Tray"};
}

TrayFailure ModifyFailure() {
  static const std::string text = "Unable to modify icon." + std::string(LowOnResources);
  return {text, "Unable To Modify Icon"};
}

TrayFailure DeleteFailure(IconOrigin origin) {
  static const std::string options = "Unable to delete icon from system tray." + std::string(LowOnResources);
  static const std::string shutDown =
      "Unable to delete icon from system tray.\r\n\r\nMemory may have been temporarily "
      "corrupted.\r\n\r\nSuggest you restart Windows.";
  return {origin == IconOrigin::ShutDown ? shutDown : options, "Unable To Delete Icon From System Tray"};
}

HideWindowsItemLook HideWindowsItemFor(bool windowsHidden) {
  return windowsHidden ? HideWindowsItemLook{"&Show Windows", 7} : HideWindowsItemLook{"&Hide Windows", 0};
}

}  // namespace tolva::app
