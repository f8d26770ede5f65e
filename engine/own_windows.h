#pragma once
#include <algorithm>
#include <array>

#include "platform/handle.h"

namespace tolva::engine {

// The program's own top-level windows: its hidden application (owner) window, the main window,
// the options dialog and the about box. They are never hidden, shown again or listed, so the
// main window and the tray stay there to reveal with. Each window registers itself here when
// it is created.
class OwnWindows {
 public:
  enum class Role { Application, MainWindow, OptionsDialog, AboutBox };

  void Set(Role role, platform::WindowHandle window) { windows_[static_cast<std::size_t>(role)] = window; }
  platform::WindowHandle Get(Role role) const { return windows_[static_cast<std::size_t>(role)]; }

  bool Contains(platform::WindowHandle window) const {
    return window != platform::NullWindow &&
           std::find(windows_.begin(), windows_.end(), window) != windows_.end();
  }

 private:
  std::array<platform::WindowHandle, 4> windows_{};
};

}  // namespace tolva::engine
