#pragma once
// What the real windows of one backend share.
#include <windows.h>

#include <optional>
#include <vector>

#include "platform/ui/application.h"
#include "platform/ui/scaling.h"
#include "platform/win32/timers.h"
#include "platform/win32/ui_backend.h"
#include "platform/win32/window_ref.h"

namespace tolva::platform::win32 {

class ApplicationWindow;
class FormWindow;

// The module, the timers, the application window, the forms whose windows exist, the hint
// state.
struct Win32Backend::State {
  HINSTANCE instance = nullptr;
  Timers* timers = nullptr;
  ApplicationWindow* application = nullptr;
  std::vector<FormWindow*> forms;
  bool showHints = true;
  std::optional<ui::Colour> hintColour;
  bool applicationActive = false;
  // The screen's scale, read once: the program is aware of the system's scale only, which holds
  // until the user logs off.
  ui::Scaling scaling;

  HWND ApplicationHwnd() const;
  // The form whose window is this one or an ancestor of it.
  FormWindow* FormOf(HWND hwnd) const;
  // The held handle of the application window or a form's; a null one for any other window.
  WindowRef RefOf(HWND hwnd) const;
  void UpdateTaskbarButton() const;
  void ApplyHints() const;
  // Every top-level window of the thread hears of an activation change; the program hears of
  // it once.
  void ActivateApp(ui::Application& app, bool active);
};

using BackendState = Win32Backend::State;

}  // namespace tolva::platform::win32
