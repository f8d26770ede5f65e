#pragma once
// What the peers of a form's controls and timers need of their form.
#include <windows.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/ui/application.h"
#include "platform/win32/gdi.h"
#include "platform/win32/timers.h"
#include "platform/win32/window_ref.h"

namespace tolva::platform::win32 {

// Shared by the form's window object and the peers, since a control may outlive the object of
// its form's window, and that object its window.
struct FormSite {
  FormSite(ui::Application& application, HINSTANCE module, Timers& systemTimers)
      : app(application), instance(module), timers(systemTimers), tooltip(window.Under()) {}

  ui::Application& app;
  HINSTANCE instance;
  Timers& timers;
  WindowRef window;
  WindowRef tooltip;  // the form's tooltip for its controls' hints; it goes with the window
  Font font;
  Brush background;
  COLORREF colour = 0;

  // WM_ERASEBKGND of a window that shows the form's colour: the form's own, a picture's.
  LRESULT EraseBackground(HWND hwnd, WPARAM dc) const {
    RECT r;
    GetClientRect(hwnd, &r);
    FillRect(reinterpret_cast<HDC>(dc), &r, background.get());
    return 1;
  }

  // The ids of WM_TIMER on the form's window, each held by a timer's peer while it lives.
  UINT_PTR AddTimer(ui::Timer& timer) {
    timers_.emplace_back(nextTimerId_, &timer);
    return nextTimerId_++;
  }
  void RemoveTimer(UINT_PTR id) {
    timers_.erase(std::remove_if(timers_.begin(), timers_.end(),
                                 [id](const auto& entry) { return entry.first == id; }),
                  timers_.end());
  }
  ui::Timer* TimerOf(UINT_PTR id) const {
    const auto found = std::find_if(timers_.begin(), timers_.end(),
                                    [id](const auto& entry) { return entry.first == id; });
    return found == timers_.end() ? nullptr : found->second;
  }

 private:
  std::vector<std::pair<UINT_PTR, ui::Timer*>> timers_;
  UINT_PTR nextTimerId_ = 1;
};

}  // namespace tolva::platform::win32
