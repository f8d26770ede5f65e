#pragma once
// The program's handle values and the Win32 handles they hold the bits of.
#include <windows.h>

#include "platform/handle.h"
#include "platform/kernel.h"

namespace tolva::platform::win32 {

inline HWND ToHwnd(WindowHandle window) { return reinterpret_cast<HWND>(window); }
inline WindowHandle ToHandle(HWND window) { return reinterpret_cast<WindowHandle>(window); }

inline HICON ToIcon(IconHandle icon) { return reinterpret_cast<HICON>(icon); }
inline IconHandle ToIconHandle(HICON icon) { return reinterpret_cast<IconHandle>(icon); }

inline HANDLE ToKernel(KernelHandle handle) { return reinterpret_cast<HANDLE>(handle); }
inline KernelHandle ToKernelHandle(HANDLE handle) { return reinterpret_cast<KernelHandle>(handle); }

}  // namespace tolva::platform::win32
