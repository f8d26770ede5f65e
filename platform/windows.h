#pragma once
#include <cstdint>
#include <optional>

#include "platform/handle.h"

namespace tolva::platform {

// ShowWindow commands the program uses, with their Win32 values.
enum class ShowCommand : int {
  Hide = 0,          // SW_HIDE
  ShowNormal = 1,    // SW_SHOWNORMAL
  ShowNoActivate = 8,  // SW_SHOWNA: shows in its previous state, not activated
  Restore = 9,       // SW_RESTORE
};

// A key combination as the hot key control gives it (HKM_GETHOTKEY): the virtual-key code in
// the low byte, these modifiers in the high byte.
inline constexpr std::uint8_t HotKeyfShift = 0x01;    // HOTKEYF_SHIFT
inline constexpr std::uint8_t HotKeyfControl = 0x02;  // HOTKEYF_CONTROL
inline constexpr std::uint8_t HotKeyfAlt = 0x04;      // HOTKEYF_ALT
inline constexpr std::uint8_t HotKeyfExt = 0x08;      // HOTKEYF_EXT: an extended key
// The modifiers RegisterHotKey takes, and the message a press of a registered combination posts
// to its window (the registration's id in wParam).
inline constexpr unsigned ModAlt = 0x0001;       // MOD_ALT
inline constexpr unsigned ModControl = 0x0002;   // MOD_CONTROL
inline constexpr unsigned ModShift = 0x0004;     // MOD_SHIFT
inline constexpr unsigned ModWin = 0x0008;       // MOD_WIN
inline constexpr unsigned ModNoRepeat = 0x4000;  // MOD_NOREPEAT: a key held down posts once
inline constexpr unsigned WmHotKey = 0x0312;     // WM_HOTKEY

// Called once for each top-level window; returning false stops the enumeration.
using WindowEnumProc = bool (*)(WindowHandle window, void* context);

// The window manager operations of user32 that the window pass relies on, and the cursor and
// the registered messages that the notification icon's handling needs.
class WindowManager {
 public:
  virtual ~WindowManager() = default;

  // Visits every top-level window, hidden ones included, from the top of the stacking order
  // down. The list is taken first: windows that close during the pass are not visited, and
  // windows created during it are not seen.
  virtual bool EnumWindows(WindowEnumProc proc, void* context) = 0;
  virtual WindowHandle GetDesktopWindow() = 0;
  // The top-level window with exactly this title (of any class), hidden ones included.
  virtual WindowHandle FindWindowA(const char* className, const char* windowName) = 0;
  // Copies at most capacity - 1 characters of the title and a terminator; returns the number
  // copied, 0 for no title or an invalid window (the buffer then holds the empty text).
  virtual int GetWindowTextA(WindowHandle window, char* buffer, int capacity) = 0;
  virtual bool IsWindow(WindowHandle window) = 0;
  virtual bool IsWindowVisible(WindowHandle window) = 0;
  virtual bool IsWindowEnabled(WindowHandle window) = 0;
  // DwmGetWindowAttribute(DWMWA_CLOAKED) of the desktop window manager (dwmapi.dll, Vista and
  // later), looked up at run time: non-zero when the window is cloaked, drawn by nobody though
  // visible by every other test (a suspended store app, a window on another virtual desktop);
  // nothing where the function is missing or fails.
  virtual std::optional<std::uint32_t> DwmGetWindowAttributeCloaked(WindowHandle window) = 0;
  // Answers whether the window was visible before the call. For a window of another thread it
  // waits until that thread has carried the command out.
  virtual bool ShowWindow(WindowHandle window, ShowCommand command) = 0;
  // Whether the window's thread has stopped taking its messages (for about five seconds): a
  // ShowWindow on it would wait until that program wakes. Empty where the system cannot tell
  // (the function came with Windows 98 and 2000).
  virtual std::optional<bool> IsHungAppWindow(WindowHandle window) = 0;
  // The id of the process that made the window; 0 for a window that is not there.
  virtual std::uint32_t GetWindowThreadProcessId(WindowHandle window) = 0;
  // ShowWindow without waiting: a window of another thread gets the command queued, carried out
  // when that thread next takes its messages, and the call answers whether it was queued. On a
  // window of the calling thread it is ShowWindow.
  virtual bool ShowWindowAsync(WindowHandle window, ShowCommand command) = 0;
  virtual bool SetForegroundWindow(WindowHandle window) = 0;
  virtual WindowHandle SetFocus(WindowHandle window) = 0;
  // Locks drawing of the given window (the desktop window: the whole screen); one lock at a
  // time, so a second one fails until NullWindow unlocks.
  virtual bool LockWindowUpdate(WindowHandle window) = 0;
  // The cursor's position in screen coordinates; on failure false, and x and y are left as
  // they came.
  virtual bool GetCursorPos(int& x, int& y) = 0;
  // The session's number for a message name, such as "TaskbarCreated" which the shell
  // broadcasts when it starts again: the same number for every call with the name (names
  // compare without regard to case), from 0xC000 up; 0 on failure.
  virtual unsigned RegisterWindowMessageA(const char* name) = 0;
  // A key combination for the whole session: pressed in any program, it posts WmHotKey with the
  // id to the window. False when any registration already holds the combination (another
  // program's, or this window's own under another id or the same one): registering a new
  // combination gives up none, so a changed one is unregistered first.
  virtual bool RegisterHotKey(WindowHandle window, int id, unsigned modifiers, unsigned key) = 0;
  // False when the window has no combination under the id.
  virtual bool UnregisterHotKey(WindowHandle window, int id) = 0;
};

}  // namespace tolva::platform
