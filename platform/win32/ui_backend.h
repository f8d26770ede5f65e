#pragma once
// The control layer on real Win32 windows: a hidden application window that owns every form
// and every message box, one top-level window per form, and a child window (or tool bar button,
// or system timer) per control, each mirroring the state of its control.
#include <windows.h>

#include <memory>

#include "platform/ui/application.h"
#include "platform/win32/timers.h"

namespace tolva::platform::win32 {

class Win32Backend final : public ui::Backend {
 public:
  // The module whose resources (icons, bitmaps, pictures) the windows show.
  explicit Win32Backend(HINSTANCE instance);
  // The same, with the forms' timers on these rather than the system's own.
  Win32Backend(HINSTANCE instance, Timers& timers);
  ~Win32Backend() override;
  Win32Backend(const Win32Backend&) = delete;
  Win32Backend& operator=(const Win32Backend&) = delete;

  std::unique_ptr<ui::ApplicationPeer> CreateApplication(ui::Application& application) override;
  void CreateWindows(ui::Form& form) override;

  // What the windows share.
  struct State;

 private:
  SystemTimers systemTimers_;
  std::unique_ptr<State> state_;
};

}  // namespace tolva::platform::win32
