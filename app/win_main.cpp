// The Windows entry point: the real platform and the real windows, then the program.
#include <windows.h>

#include "app/program.h"
#include "platform/win32/ui_backend.h"
#include "platform/win32/win32_platform.h"

// The program's own Win32 numbers, written out for the simulated platform's sake, checked here
// where the program meets <windows.h> (the platform's are in platform/win32/win32_values.cpp).
namespace tolva::app {
static_assert(SwShowMaximized == SW_SHOWMAXIMIZED);
static_assert(SwShowMinNoActive == SW_SHOWMINNOACTIVE);
static_assert(WmQueryEndSession == WM_QUERYENDSESSION);
static_assert(WmEndSession == WM_ENDSESSION);
static_assert(VkK == 'K');  // letter keys are their capital letters
static_assert(WmTrayIcon == WM_USER + 120);
static_assert(WmLButtonUp == WM_LBUTTONUP && WmRButtonUp == WM_RBUTTONUP && WmRButtonDblClk == WM_RBUTTONDBLCLK);
static_assert(HiddenWindowsQuestionStyle ==
              (MB_YESNOCANCEL | MB_ICONWARNING | MB_DEFBUTTON2 | MB_SYSTEMMODAL));
}  // namespace tolva::app

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  tolva::platform::win32::Win32Platform platform;
  tolva::platform::win32::Win32Backend backend(instance);
  tolva::app::Program program(platform.get(), backend);
  return program.Run(showCommand);
}
