#pragma once
// The decisions of the notification-area icon, apart from the shell calls that carry them out:
// what a mouse action on the icon does, which look the settings choose, what each failure says,
// and how the menu's Hide/Show item reads. What the options dialog's OK changes is the options'.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "settings/settings_record.h"

namespace tolva::app {

// The icon's notification message (WM_USER + 120) and its one icon's id.
inline constexpr unsigned WmTrayIcon = 0x0400 + 120;
inline constexpr std::uint32_t TrayIconId = 1009;

// The mouse messages the shell reports in the notification's lParam.
inline constexpr std::intptr_t WmLButtonUp = 0x0202;
inline constexpr std::intptr_t WmRButtonUp = 0x0205;
inline constexpr std::intptr_t WmRButtonDblClk = 0x0206;

enum class TrayMouseAction { None, HideShow, Menu, Restore };
// A left release conceals or reveals, a right release opens the menu, a right double click
// restores the main window; everything else (presses, moves, a left double click) does nothing.
TrayMouseAction TrayMouseActionFor(std::intptr_t mouseMessage);

enum class TrayLook { Visible, Invisible };
// Invisible "1" the transparent look, "0" the visible one, any other value neither.
std::optional<TrayLook> TrayLookAtStart(const settings::SettingsRecord& settings);
// The visible look's tip: the product and the maker's site; the invisible look has none.
std::string VisibleTrayTip();

// Where an icon operation was asked from; it picks the wording of its failure.
enum class IconOrigin { StartUp, Options, ShutDown };
struct TrayFailure {
  std::string_view text;
  std::string_view title;
};
TrayFailure LoadFailure(TrayLook look, IconOrigin origin);
TrayFailure AddFailure();
TrayFailure ModifyFailure();
TrayFailure DeleteFailure(IconOrigin origin);

// The menu's Hide/Show item: it names what a click on it will do.
struct HideWindowsItemLook {
  std::string_view caption;
  int imageIndex;
};
HideWindowsItemLook HideWindowsItemFor(bool windowsHidden);

}  // namespace tolva::app
