#pragma once
// The system timers that the forms' timers run on, behind a seam so that a test can make one
// fail as the system does when it has none left.
#include <windows.h>

namespace tolva::platform::win32 {

class Timers {
 public:
  virtual ~Timers() = default;
  // A timer on the window, without a timer procedure: WM_TIMER with the id reaches the window.
  // A timer of the same id is replaced. False when the system has no timer to give.
  virtual bool Start(HWND window, UINT_PTR id, UINT milliseconds) = 0;
  virtual void Stop(HWND window, UINT_PTR id) = 0;
};

class SystemTimers final : public Timers {
 public:
  bool Start(HWND window, UINT_PTR id, UINT milliseconds) override {
    return ::SetTimer(window, id, milliseconds, nullptr) != 0;
  }
  void Stop(HWND window, UINT_PTR id) override { ::KillTimer(window, id); }
};

}  // namespace tolva::platform::win32
