#pragma once
// The one window procedure of the window classes of ours.
#include <windows.h>

#include "platform/ui/application.h"
#include "platform/win32/subclass_chain.h"
#include "platform/win32/window_ref.h"

namespace tolva::platform::win32 {

// What a window of one of our classes sends its messages to: the object whose address was the
// window's creation parameter (CreationParameter).
class WindowTarget {
 public:
  // WM_NCCREATE: the window has its handle; its messages follow.
  virtual void WindowMade(HWND hwnd) noexcept = 0;
  virtual LRESULT OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) = 0;
  // WM_NCDESTROY: the window has gone, and the system may give its handle to another.
  virtual void WindowGone() noexcept = 0;
  // Where an exception that OnMessage lets through is reported.
  virtual ui::Application& App() const = 0;

 protected:
  ~WindowTarget() = default;
};

// CreateWindowExA's last argument for a window of one of our classes.
inline void* CreationParameter(WindowTarget& target) { return &target; }

// A window of a system class whose messages go first to the target, which hands on what it
// leaves to the class with NextSubclass (subclass_chain.h). The target hears WindowMade at once
// and WindowGone at the window's WM_NCDESTROY, and must outlive this, which undoes the
// subclassing while the window is there.
class Subclass {
 public:
  Subclass(WindowRef window, WindowTarget& target);
  ~Subclass();
  Subclass(const Subclass&) = delete;
  Subclass& operator=(const Subclass&) = delete;

 private:
  WindowRef window_;
};

// Registers a class of ours in the module, unless it is there already; throws tolva::Exception
// (WindowClassFailedText and the name) when it cannot be.
void RegisterWindowClass(HINSTANCE instance, const char* name, UINT style);

}  // namespace tolva::platform::win32
