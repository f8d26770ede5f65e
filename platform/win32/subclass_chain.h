#pragma once
// Window procedures chained on a window of any class, the way the common controls'
// SetWindowSubclass chains them, made with SetWindowLongA: the common controls export that
// function by name only from Windows XP on, and Windows 95 and NT 4.0 have none at all. The
// program uses this on every Windows, so that the way it runs everywhere is the way its tests run.
//
// A window's chain lives in a window property; its own procedure is put back, and the chain
// freed, when the last link is removed or the window is destroyed. A link may remove itself
// from inside its procedure (at WM_NCDESTROY, say), and links may be removed in any order.
#include <windows.h>
#include <commctrl.h>

namespace tolva::platform::win32 {

// As SetWindowSubclass: proc, under id, hears the window's messages before the links chained
// earlier and the window's own procedure; chaining the same proc and id again changes only its
// data. False when the window cannot take it (at most four links a window).
bool ChainSubclass(HWND hwnd, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR data) noexcept;

// As RemoveWindowSubclass; false when the link is not on the window.
bool UnchainSubclass(HWND hwnd, SUBCLASSPROC proc, UINT_PTR id) noexcept;

// As DefSubclassProc: from inside a link's procedure, hands the message on to the next link,
// and from the last to the window's own procedure.
LRESULT NextSubclass(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

}  // namespace tolva::platform::win32
