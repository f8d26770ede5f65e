#pragma once
// The control layer on real Win32 windows: a hidden application window that owns every form
// and every message box, one top-level window per form, and a child window (or tool bar button,
// or system timer) per control, each mirroring the state of its control.
#include <windows.h>

#include <memory>

#include "platform/ui/application.h"

namespace tolva::platform::win32 {

class Win32Backend final : public ui::Backend {
 public:
  // The module whose resources (icons, bitmaps, pictures) the windows show.
  explicit Win32Backend(HINSTANCE instance);
  ~Win32Backend() override;
  Win32Backend(const Win32Backend&) = delete;
  Win32Backend& operator=(const Win32Backend&) = delete;

  std::unique_ptr<ui::ApplicationPeer> CreateApplication(ui::Application& application) override;
  void CreateWindows(ui::Form& form) override;

  // Makes the next SetTimer call fail the way it does when the system has no timer left, so
  // that the failure path can be exercised.
  void FailNextSetTimer();

  // What the peers share: the module, the application window, the live forms, the hint state.
  struct State;

 private:
  std::unique_ptr<State> state_;
};

}  // namespace tolva::platform::win32
