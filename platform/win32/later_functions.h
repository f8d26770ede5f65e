#pragma once
// Functions of Windows later than 95 and NT 4.0, looked up at run time: the one place that
// names them.
//
// tolva.exe imports only functions that Windows 95 (common controls 4.70) and Windows NT 4.0
// both export, because the loader refuses to start a program that imports one the system lacks.
// A function that came later is a row of the list below and is asked for while the program
// runs.
//
// Asking for one, and learning that it is missing:
//
//     if (const auto isHung = later::Find<later::IsHungAppWindow>()) {
//       return isHung(hwnd) != FALSE;        // the system has it
//     }
//     return std::nullopt;                   // it has not: what the row says the program does
//
// Find<Row>() gives the function's address typed as its declaration in the Windows headers, or
// nullptr where the system lacks the function or its DLL. The first ask looks it up (and loads
// the DLL, from the system folder); later asks give the same answer. Where missing is a case a
// rule decides (no window counts as hung, say), the Win32 layer reports "missing" to the
// platform-neutral code (an empty std::optional, a false answer named for it) and the rule lives
// there, where the simulated platform can lack the function too.
//
// Three later functions the program does without on every Windows, so that one way is the
// way everywhere and every test runs it: GetAncestor (98 and 2000; the top-level window is
// found by walking GetParent), TransparentBlt (98 and 2000, msimg32.dll, whose 98 edition leaks
// memory; a masked BitBlt draws the glyphs) and the common controls' SetWindowSubclass (XP by
// name; the program chains window procedures with SetWindowLongA).
//
// Adding a row: one TOLVA_LATER_FUNCTION(Dll, Name) line below, with the oldest Windows that has
// the function and what the program does where it is missing. The name is the declaration's, so
// the text looked up and the type called through cannot disagree with the headers; a DLL that
// is new to the list gets a SystemDll value and a line in later_functions.cpp. Taking the type
// with decltype adds no import.
#include <windows.h>
#include <dwmapi.h>
#include <htmlhelp.h>

namespace tolva::platform::win32::later {

// The DLLs the rows come from. The program's own imports (kernel32, user32) are
// already mapped by the loader and are taken as they are; the others are loaded by their full
// path in the system folder (GetSystemDirectoryA), never found through the search path, so a
// DLL of the same name in the program's folder or the current folder is never loaded instead.
enum class SystemDll { Kernel32, User32, Dwmapi, Hhctrl };

// The named export of one of the DLLs above, or nullptr; looks it up at every call.
FARPROC Lookup(SystemDll dll, const char* name) noexcept;

template <typename Row>
typename Row::Type Find() noexcept {
  static const auto function = reinterpret_cast<typename Row::Type>(
      reinterpret_cast<void (*)()>(Lookup(Row::dll, Row::name)));
  return function;
}

#define TOLVA_LATER_FUNCTION(dll_, name_)              \
  struct name_ {                                       \
    static constexpr SystemDll dll = SystemDll::dll_;  \
    static constexpr const char* name = #name_;        \
    using Type = decltype(&::name_);                   \
  }

// 2000 and 98 (not 95, not NT 4.0). Missing: no window counts as hung, every window is hidden
// and shown with ShowWindow.
TOLVA_LATER_FUNCTION(User32, IsHungAppWindow);
// 2000 (not the 95 family, not NT 4.0). Missing: GlobalMemoryStatus, whose figures stop at
// 4 GB.
TOLVA_LATER_FUNCTION(Kernel32, GlobalMemoryStatusEx);
// Vista, dwmapi.dll. Missing: there is no desktop window manager, so no window is cloaked.
TOLVA_LATER_FUNCTION(Dwmapi, DwmGetWindowAttribute);
// The HTML Help engine, hhctrl.ocx (installed with Internet Explorer 4 and later; every Windows
// from 98 and 2000). Missing: help opens with WinHelp.
TOLVA_LATER_FUNCTION(Hhctrl, HtmlHelpA);
// Vista. Missing: the program is scaled by Windows as a program unaware of scaling is.
TOLVA_LATER_FUNCTION(User32, SetProcessDPIAware);
// Windows 10, version 1607. Missing: the scale is the system's, read from a screen device
// context (GetDeviceCaps LOGPIXELSY).
TOLVA_LATER_FUNCTION(User32, GetDpiForWindow);
TOLVA_LATER_FUNCTION(User32, GetDpiForSystem);

#undef TOLVA_LATER_FUNCTION

}  // namespace tolva::platform::win32::later
