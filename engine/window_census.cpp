#include "engine/window_census.h"

#include <array>

namespace tolva::engine {
namespace {

using platform::ShowCommand;
using platform::WindowHandle;

// The window's title, read as both passes read it: cut to 199 characters, empty when
// GetWindowTextA reports nothing.
class Title {
 public:
  Title(platform::WindowManager& windows, WindowHandle window) {
    const int length = windows.GetWindowTextA(window, buffer_.data(), static_cast<int>(buffer_.size()));
    buffer_.back() = '\0';
    if (length <= 0) buffer_[0] = '\0';
  }
  std::string_view view() const { return std::string_view(buffer_.data()); }
  bool empty() const { return buffer_[0] == '\0'; }

 private:
  std::array<char, WindowTitleCapacity> buffer_{};
};

}  // namespace

void WindowCensus::RunHideShowPass() {
  if (hidden_.WindowsHidden) {
    ConcealListed(ConcealCandidates());
    return;
  }
  desktop_ = windows_.GetDesktopWindow();
  windows_.EnumWindows(&HideShowEnumProc, this);
}

// The windows were chosen a moment ago by the pass's rule, each read once; only what may have
// changed since is asked again. A window closed or hidden by its own program in between is not
// visible, and is passed over.
void WindowCensus::ConcealListed(const std::vector<TitledWindow>& listed) {
  for (const TitledWindow& candidate : listed) {
    // With the set full, the window stays visible: hiding it would lose it, since nothing could
    // show it again.
    if (hidden_.Full()) return;
    if (!windows_.IsWindowVisible(candidate.window)) continue;
    ShowWithoutWaitingForHung(windows_, candidate.window, ShowCommand::Hide);
    hidden_.Add(candidate.window);
  }
}

std::vector<TitledWindow> WindowCensus::ConcealCandidates() {
  std::vector<TitledWindow> found;
  candidates_ = &found;
  struct Reset {
    WindowCensus& census;
    ~Reset() { census.candidates_ = nullptr; }
  } const reset{*this};
  desktop_ = windows_.GetDesktopWindow();
  windows_.EnumWindows(&HideShowEnumProc, this);
  return found;
}

std::int32_t WindowCensus::RefreshExcludeList() {
  exclude_.Clear();
  listingCounter_ = 0;
  desktop_ = windows_.GetDesktopWindow();
  windows_.EnumWindows(&ExcludeListEnumProc, this);
  return listingCounter_;
}

bool WindowCensus::HideShowEnumProc(WindowHandle window, void* census) {
  return static_cast<WindowCensus*>(census)->VisitHideShow(window);
}

bool WindowCensus::ExcludeListEnumProc(WindowHandle window, void* census) {
  return static_cast<WindowCensus*>(census)->VisitListing(window);
}

bool WindowCensus::VisitHideShow(WindowHandle window) {
  if (window == platform::NullWindow) return false;
  if (window == desktop_) return true;
  const Title title(windows_, window);
  if (title.empty()) return true;
  if (own_.Contains(window)) return true;
  if (!windows_.IsWindow(window)) return true;
  if (candidates_ != nullptr) {
    if (candidates_->size() < static_cast<std::size_t>(MaxHiddenWindows) && ConcealTakes(window, title.view())) {
      candidates_->push_back({window, std::string(title.view())});
    }
  } else if (!hidden_.WindowsHidden) {
    Reveal(window);
  }
  return true;
}

// Visible by the window's own flag, and not cloaked: Windows 8 and later keep windows that
// nobody sees (suspended store apps, windows on another virtual desktop, the text input host)
// visible, enabled and titled, and cloak them instead. Where the desktop window manager cannot
// say (before Vista, and under Wine), no window is cloaked.
bool WindowCensus::Shown(WindowHandle window) {
  return windows_.IsWindowVisible(window) && windows_.DwmGetWindowAttributeCloaked(window).value_or(0) == 0;
}

bool WindowCensus::ConcealTakes(WindowHandle window, std::string_view title) {
  if (!Shown(window)) return false;
  // A window disabled behind its own modal dialog stays; the dialog itself goes.
  if (!windows_.IsWindowEnabled(window)) return false;
  // Any HideDesk value but 0 hides the desktop's icons too.
  if (settings::IsOff(settings_.HideDesk) && title == ProgramManagerTitle) return false;
  return !exclude_.Excludes(title);
}


void WindowCensus::Reveal(WindowHandle window) {
  // Every entry is examined: the same handle recorded twice is shown for each.
  for (std::int32_t i = hidden_.count - 1; i >= 0; --i) {
    if (hidden_.entries[static_cast<std::size_t>(i)] != window) continue;
    ShowWithoutWaitingForHung(windows_, window, ShowCommand::ShowNoActivate);
    if (i == 0) {
      windows_.SetForegroundWindow(window);
      windows_.SetFocus(window);
    }
  }
}

// ShowWindow waits for the window's thread, and the pass runs with the screen's drawing locked:
// a program that has stopped answering would freeze the desktop and this program until it woke.
// Its window gets the command without waiting, carried out when it wakes; it is recorded and
// shown again like any other. Where the system cannot tell (Windows 95, NT 4.0), no window
// counts as hung: every one is shown with ShowWindow, as that system's own programs do.
void ShowWithoutWaitingForHung(platform::WindowManager& windows, WindowHandle window, ShowCommand command) {
  if (windows.IsHungAppWindow(window).value_or(false)) {
    windows.ShowWindowAsync(window, command);
  } else {
    windows.ShowWindow(window, command);
  }
}

std::string WindowTitleOf(platform::WindowManager& windows, WindowHandle window) {
  return std::string(Title(windows, window).view());
}

bool WindowCensus::VisitListing(WindowHandle window) {
  if (window == platform::NullWindow) return false;
  if (window == desktop_ || own_.Contains(window)) return true;
  if (!windows_.IsWindow(window) || !Shown(window) || !windows_.IsWindowEnabled(window)) {
    return true;
  }
  const Title title(windows_, window);
  if (title.empty() || title.view() == ProgramManagerTitle) return true;
  exclude_.Add(title.view());
  ++listingCounter_;
  return true;
}

}  // namespace tolva::engine
