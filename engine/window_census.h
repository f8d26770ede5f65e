#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/exclude_list.h"
#include "engine/hidden_window_set.h"
#include "engine/own_windows.h"
#include "platform/windows.h"
#include "settings/settings_record.h"

namespace tolva::engine {

// The title that qualifies the shell's desktop-icon window; it is hidden only with HideDesk on
// and never listed.
inline constexpr std::string_view ProgramManagerTitle = "Program Manager";

// Hides or shows a window of another program without waiting for it: ShowWindow waits for the
// window's thread, and one that has stopped answering would hold up the program and, under the
// drawing lock, the whole screen; such a window gets the command to carry out when it wakes.
void ShowWithoutWaitingForHung(platform::WindowManager& windows, platform::WindowHandle window,
                               platform::ShowCommand command);

// A window with its title as the passes read it.
struct TitledWindow {
  platform::WindowHandle window = platform::NullWindow;
  std::string title;
};

// A window's title as the passes read it: cut to WindowTitleCapacity - 1 characters, empty when
// GetWindowTextA reports nothing.
std::string WindowTitleOf(platform::WindowManager& windows, platform::WindowHandle window);

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

  // One conceal or reveal pass, in the direction HiddenWindowSet::WindowsHidden names. A
  // conceal lists its windows first and then hides them (ConcealListed).
  void RunHideShowPass();
  // The windows a conceal pass run now would hide, in the order it would hide them, at most as
  // many as the hidden set holds; nothing is hidden.
  std::vector<TitledWindow> ConcealCandidates();
  // The conceal pass over the windows ConcealCandidates listed, in their order: each that is
  // still visible is hidden and recorded in the hidden set.
  void ConcealListed(const std::vector<TitledWindow>& listed);
  // Rebuilds the Exclude list from the windows open now, dropping every tick; returns how many
  // titles it added.
  std::int32_t RefreshExcludeList();

  // The visitors, called by EnumWindows for each top-level window with this census as context.
  // They stop the enumeration only for a null window.
  static bool HideShowEnumProc(platform::WindowHandle window, void* census);
  static bool ExcludeListEnumProc(platform::WindowHandle window, void* census);

 private:
  bool Shown(platform::WindowHandle window);
  bool VisitHideShow(platform::WindowHandle window);
  bool VisitListing(platform::WindowHandle window);
  // The conceal pass's own tests of a window that has a title and is another program's.
  bool ConcealTakes(platform::WindowHandle window, std::string_view title);
  void Reveal(platform::WindowHandle window);

  platform::WindowManager& windows_;
  const settings::SettingsRecord& settings_;
  const OwnWindows& own_;
  HiddenWindowSet& hidden_;
  ExcludeList& exclude_;
  std::int32_t listingCounter_ = 0;
  // Set while ConcealCandidates runs the conceal pass's visitor, which lists what to hide.
  std::vector<TitledWindow>* candidates_ = nullptr;
  // The desktop window, asked once a pass: it is the same for the whole session.
  platform::WindowHandle desktop_ = platform::NullWindow;
};

}  // namespace tolva::engine
