#pragma once
// What the peers of a form's controls and timers need of their form.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/ui/application.h"
#include "platform/ui/scaling.h"
#include "platform/win32/gdi.h"
#include "platform/win32/timers.h"
#include "platform/win32/window_ref.h"

namespace tolva::platform::win32 {

// Shared by the form's window object and the peers, since a control may outlive the object of
// its form's window, and that object its window.
struct FormSite {
  FormSite(ui::Application& application, HINSTANCE module, Timers& systemTimers, ui::Scaling screen)
      : app(application), instance(module), timers(systemTimers), scaling(screen), tooltip(window.Under()) {}

  ui::Application& app;
  HINSTANCE instance;
  Timers& timers;
  ui::Scaling scaling;  // the layout's pixels to the screen's
  WindowRef window;
  WindowRef tooltip;  // the form's tooltip for its controls' hints; it goes with the window
  Font font;
  Brush background;
  COLORREF colour = 0;
  // The pictures of the pop-up menu this window owns while it is open, which the menu asks the
  // window to draw.
  HIMAGELIST menuPictures = nullptr;

  // WM_ERASEBKGND of a window that shows the form's colour: the form's own, a picture's.
  LRESULT EraseBackground(HWND hwnd, WPARAM dc) const {
    RECT r;
    GetClientRect(hwnd, &r);
    FillRect(reinterpret_cast<HDC>(dc), &r, background.get());
    return 1;
  }

  // The window of a control of the form, once made and while it lives; a null one for a control
  // without a window. The controls inside a container are made in its window.
  WindowRef WindowOf(const ui::Control& control) const {
    const auto found = std::find_if(windows_.begin(), windows_.end(),
                                    [&](const auto& entry) { return entry.first == &control; });
    return found == windows_.end() ? WindowRef() : found->second;
  }
  // Kept by the child windows as they come and go; they hold their form's site as it is shared,
  // read-only, with every peer.
  void AddWindow(const ui::Control& control, WindowRef made) const {
    windows_.emplace_back(&control, std::move(made));
  }
  void RemoveWindow(const ui::Control& control) const {
    windows_.erase(std::remove_if(windows_.begin(), windows_.end(),
                                  [&](const auto& entry) { return entry.first == &control; }),
                   windows_.end());
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
  mutable std::vector<std::pair<const ui::Control*, WindowRef>> windows_;
  UINT_PTR nextTimerId_ = 1;
};

}  // namespace tolva::platform::win32
