#pragma once
// What the Windows-side tests of the control layer share: message boxes that answer at once,
// and running the real message loop for a while.
#include <windows.h>

#include <functional>

#include "platform/dialogs.h"
#include "platform/ui/application.h"

namespace tolva::platform::win32::test_support {

// Message boxes that nobody has to answer.
class QuietDialogs final : public Dialogs {
 public:
  bool MessageBeep(unsigned) override { return true; }
  int MessageBoxA(WindowHandle, const char*, const char*, unsigned) override { return IdOk; }
};

// Runs the application's real message loop until the condition holds or the time is up.
inline bool PumpUntil(ui::Application& app, const std::function<bool()>& done,
                      DWORD milliseconds = 3000) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > milliseconds) return false;
    if (!app.ProcessMessage()) MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return true;
}

}  // namespace tolva::platform::win32::test_support
