#pragma once
// The top-level window a window is in, as GetAncestor(GA_ROOT) finds it; that function came
// with Windows 98 and 2000, so the program walks the parents itself. GetParent gives a child's
// parent but a top-level window's owner, so the walk stops at the first window that is not a
// child.
#include <windows.h>

namespace tolva::platform::win32 {

inline HWND TopLevelOf(HWND hwnd) {
  while (hwnd != nullptr && (GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_CHILD) != 0) {
    const HWND parent = GetParent(hwnd);
    if (parent == nullptr) break;
    hwnd = parent;
  }
  return hwnd;
}

}  // namespace tolva::platform::win32
