#pragma once
#include <cstdint>
#include <string_view>

#include "engine/exclude_list.h"
#include "engine/hidden_window_set.h"
#include "engine/own_windows.h"
#include "platform/windows.h"
#include "settings/settings_record.h"

namespace tolva::engine {

// The title that qualifies the shell's desktop-icon window; it is hidden only with HideDesk on
// and never listed.
inline constexpr std::string_view ProgramManagerTitle = "Program Manager";

// The two passes over the desktop's top-level windows: the conceal/reveal pass, which hides and
// records windows in the hidden set or shows the recorded ones again, and the listing pass that
// fills the Exclude list. Both run inside EnumWindows; the visitors reach this object through
// the enumeration's context value.
class WindowCensus {
 public:
  WindowCensus(platform::WindowManager& windows, const settings::SettingsRecord& settings,
               const OwnWindows& ownWindows, HiddenWindowSet& hiddenWindows,
               ExcludeList& excludeList)
      : windows_(windows), settings_(settings), own_(ownWindows), hidden_(hiddenWindows),
        exclude_(excludeList) {}

  // One conceal or reveal pass, in the direction HiddenWindowSet::WindowsHidden names.
  void RunHideShowPass();
  // Rebuilds the Exclude list from the windows open now, dropping every tick; returns how many
  // titles it added.
  std::int32_t RefreshExcludeList();

  // The visitors, called by EnumWindows for each top-level window with this census as context.
  // They stop the enumeration only for a null window.
  static bool HideShowEnumProc(platform::WindowHandle window, void* census);
  static bool ExcludeListEnumProc(platform::WindowHandle window, void* census);

 private:
  bool VisitHideShow(platform::WindowHandle window);
  bool VisitListing(platform::WindowHandle window);
  void Conceal(platform::WindowHandle window, std::string_view title);
  void Reveal(platform::WindowHandle window);
  void Show(platform::WindowHandle window, platform::ShowCommand command);

  platform::WindowManager& windows_;
  const settings::SettingsRecord& settings_;
  const OwnWindows& own_;
  HiddenWindowSet& hidden_;
  ExcludeList& exclude_;
  std::int32_t listingCounter_ = 0;
  // The desktop window, asked once a pass: it is the same for the whole session.
  platform::WindowHandle desktop_ = platform::NullWindow;
};

}  // namespace tolva::engine
