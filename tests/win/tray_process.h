#pragma once
// The program's notification icon as Wine docks it in the display's XEmbed tray, and real clicks
// on it.
#include <windows.h>

#include "tolva_process.h"

namespace tolva::tests {

// A docked icon's X window is reparented into the tray's, which Wine knows as a foreign window
// at the tray's place; the icon's own window is a descendant of it, at the icon's place.
inline HWND DockedTray() { return FindWindowA("__wine_x11_foreign_window", nullptr); }

inline BOOL CALLBACK FindIconWindow(HWND window, LPARAM found) {
  if (ClassOf(window) != "__winex11_tray_icon") return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}
inline HWND DockedIcon() {
  HWND tray = DockedTray();
  HWND icon = nullptr;
  if (tray != nullptr) EnumChildWindows(tray, FindIconWindow, reinterpret_cast<LPARAM>(&icon));
  return icon;
}

// A real click on the docked icon; false when there is none. Two clicks of a button within the
// double-click time are a double click, which the icon answers otherwise: each click comes after
// that time has passed since the last of the same button.
inline bool ClickIcon(bool right) {
  static DWORD lastClick[2] = {GetTickCount() - 10000, GetTickCount() - 10000};
  const DWORD since = GetTickCount() - lastClick[right];
  if (since <= GetDoubleClickTime() + 100) Sleep(GetDoubleClickTime() + 100 - since);
  HWND icon = DockedIcon();
  RECT place{};
  if (icon == nullptr || !GetWindowRect(icon, &place)) return false;
  ClickAt(Centre(place), right);
  lastClick[right] = GetTickCount();
  return true;
}

}  // namespace tolva::tests
