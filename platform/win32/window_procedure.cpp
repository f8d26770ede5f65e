#include "platform/win32/window_procedure.h"

#include <commctrl.h>

#include <exception>
#include <string>
#include <utility>

#include "platform/exception.h"
#include "platform/ui/application.h"

namespace tolva::platform::win32 {
namespace {

// Reports what OnMessage let through. The report can fail as well (no memory left for its
// text); then nothing more can be done, and still nothing may go on into user32, whose frames
// an exception cannot unwind.
void Report(ui::Application& app, const std::exception* exception) noexcept {
  try {
    if (exception != nullptr) {
      app.HandleException(*exception);
    } else {
      app.HandleException(Exception("Unknown error"));
    }
  } catch (...) {
  }
}

LRESULT Guarded(WindowTarget& target, HWND hwnd, UINT message, WPARAM wParam,
                LPARAM lParam) noexcept {
  try {
    return target.OnMessage(hwnd, message, wParam, lParam);
  } catch (const std::exception& exception) {
    Report(target.App(), &exception);
  } catch (...) {
    Report(target.App(), nullptr);
  }
  return 0;
}

WindowTarget* TargetOf(HWND hwnd) {
  return reinterpret_cast<WindowTarget*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

LRESULT CALLBACK WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  if (message == WM_NCCREATE) {
    auto* made = static_cast<WindowTarget*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(made));
    if (made != nullptr) made->WindowMade(hwnd);
  }
  WindowTarget* target = TargetOf(hwnd);
  if (target == nullptr) return DefWindowProcA(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    target->WindowGone();
    return DefWindowProcA(hwnd, message, wParam, lParam);
  }
  return Guarded(*target, hwnd, message, wParam, lParam);
}

LRESULT CALLBACK SubclassProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR id, DWORD_PTR data) noexcept {
  auto* target = reinterpret_cast<WindowTarget*>(data);
  if (message == WM_NCDESTROY) {
    UnchainSubclass(hwnd, SubclassProcedure, id);
    target->WindowGone();
    return NextSubclass(hwnd, message, wParam, lParam);
  }
  return Guarded(*target, hwnd, message, wParam, lParam);
}

constexpr UINT_PTR kSubclassId = 1;

}  // namespace

void RegisterWindowClass(HINSTANCE instance, const char* name, UINT style) {
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExA(instance, name, &existing)) return;
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = style;
  windowClass.lpfnWndProc = WindowProcedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.lpszClassName = name;
  if (RegisterClassExA(&windowClass) == 0) throw Exception(ui::WindowClassFailedText + std::string(name));
}

}  // namespace tolva::platform::win32

namespace tolva::platform::win32 {

Subclass::Subclass(WindowRef window, WindowTarget& target) : window_(std::move(window)) {
  const HWND hwnd = window_.get();
  if (hwnd == nullptr) return;
  if (ChainSubclass(hwnd, SubclassProcedure, kSubclassId, reinterpret_cast<DWORD_PTR>(&target)))
    target.WindowMade(hwnd);
}

Subclass::~Subclass() {
  if (const HWND hwnd = window_.get()) UnchainSubclass(hwnd, SubclassProcedure, kSubclassId);
}

}  // namespace tolva::platform::win32
