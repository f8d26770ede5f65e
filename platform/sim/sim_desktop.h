#pragma once
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/sim/sim_log.h"
#include "platform/system_parameters.h"
#include "platform/windows.h"

namespace tolva::platform::sim {

// A desktop of top-level windows in stacking order, with the owners and child windows the tests
// give them. Handles come from a counter; a closed window's handle may be handed out again, as
// Windows may reuse one. ShowWindow restacks and activates as Wine 8 does.
class SimDesktop final : public WindowManager {
 public:
  explicit SimDesktop(CallLog& log) : log_(log) {}

  // The process a test's windows belong to unless it says otherwise.
  static constexpr std::uint32_t OtherProcessId = 0x2000;

  struct Window {
    WindowHandle handle = NullWindow;
    std::string title;
    bool visible = true;
    bool enabled = true;
    bool minimised = false;
    WindowHandle owner = NullWindow;   // top-level windows only
    WindowHandle parent = NullWindow;  // set for child windows, which are not top-level
    // Its thread has stopped taking messages: ShowWindowAsync commands wait in order until it
    // wakes.
    bool hung = false;
    // What the desktop window manager answers for DWMWA_CLOAKED: 0, or why it is cloaked.
    std::uint32_t cloaked = 0;
    std::uint32_t processId = OtherProcessId;
    std::vector<ShowCommand> queued{};
  };

  // A new window on top of the stacking order.
  WindowHandle Create(std::string title, bool visible = true, bool enabled = true);
  // A new window on top that receives the handle of a window closed before.
  WindowHandle CreateReusing(WindowHandle closed, std::string title, bool visible = true,
                             bool enabled = true);
  // A new top-level window owned by another, as a dialog is by its program's window: it stands
  // above its owner and closes with it, but its visibility is its own.
  WindowHandle CreateOwned(WindowHandle owner, std::string title, bool visible = true,
                           bool enabled = true);
  // A child window inside parent: never enumerated, and visible only while its parent is.
  WindowHandle CreateChild(WindowHandle parent, std::string title, bool visible = true);
  // Closes the window with the windows it owns and its children.
  void Close(WindowHandle window);
  void SetTitle(WindowHandle window, std::string title);
  void SetEnabled(WindowHandle window, bool enabled);
  void SetVisible(WindowHandle window, bool visible);
  void SetMinimised(WindowHandle window, bool minimised);
  // A window whose thread stops answering, or wakes (and carries out what was queued for it).
  void SetHung(WindowHandle window, bool hung);
  void SetProcessId(WindowHandle window, std::uint32_t processId);
  void SetCloaked(WindowHandle window, std::uint32_t cloaked);
  // A system without the desktop window manager's DwmGetWindowAttribute (before Vista, Wine).
  bool dwmMissing = false;

  const Window* Find(WindowHandle window) const;
  // Top-level handles from the top of the stacking order down.
  std::vector<WindowHandle> StackingOrder() const;
  WindowHandle Foreground() const { return foreground_; }
  WindowHandle Focus() const { return focus_; }
  WindowHandle LockedWindow() const { return locked_; }
  int ShowWindowCalls() const { return showWindowCalls_; }
  // ShowWindow calls that had to wait for a hung window's thread to wake.
  int WaitsForHungWindows() const { return waitsForHungWindows_; }

  // A system without IsHungAppWindow (Windows 95, NT 4.0): it answers that it cannot tell.
  bool cannotTellHung = false;
  // Runs after the visitor has seen a window, inside a pass: where a test lets other programs
  // close, retitle or replace windows in the middle of it.
  std::function<void(WindowHandle)> afterVisit;
  // Runs inside ShowWindow, after the change: Windows delivers messages sent to the program's own
  // windows while it waits for another thread's window.
  std::function<void(WindowHandle, ShowCommand)> duringShowWindow;

  // Where the cursor stands, and a switch that makes reading it fail (as on a desktop the
  // program may not read, such as the secure one).
  int cursorX = 0;
  int cursorY = 0;
  bool failCursorPos = false;

  // The session's key combinations. Another program registers one first, or lets it go; a
  // system that does not know ModNoRepeat (Windows before 7) refuses a registration with it.
  void HoldHotKey(unsigned modifiers, unsigned key);
  void LetGoHotKey(unsigned modifiers, unsigned key);
  bool refuseNoRepeat = false;
  struct HotKeyHolder {
    WindowHandle window = NullWindow;  // none for another program's
    int id = 0;
    unsigned modifiers = 0;
    unsigned key = 0;
  };
  // The registration a press of the combination goes to, if any holds it.
  std::optional<HotKeyHolder> HotKeyFor(unsigned modifiers, unsigned key) const;

  // WindowManager
  bool EnumWindows(WindowEnumProc proc, void* context) override;
  WindowHandle GetDesktopWindow() override { return DesktopWindow; }
  WindowHandle FindWindowA(const char* className, const char* windowName) override;
  int GetWindowTextA(WindowHandle window, char* buffer, int capacity) override;
  bool IsWindow(WindowHandle window) override;
  bool IsWindowVisible(WindowHandle window) override;
  bool IsWindowEnabled(WindowHandle window) override;
  // On a hung window it waits, as the real one does: the window wakes first.
  bool ShowWindow(WindowHandle window, ShowCommand command) override;
  std::optional<bool> IsHungAppWindow(WindowHandle window) override;
  std::optional<std::uint32_t> DwmGetWindowAttributeCloaked(WindowHandle window) override;
  std::uint32_t GetWindowThreadProcessId(WindowHandle window) override;
  bool ShowWindowAsync(WindowHandle window, ShowCommand command) override;
  bool SetForegroundWindow(WindowHandle window) override;
  WindowHandle SetFocus(WindowHandle window) override;
  bool LockWindowUpdate(WindowHandle window) override;
  bool GetCursorPos(int& x, int& y) override;
  unsigned RegisterWindowMessageA(const char* name) override;
  bool RegisterHotKey(WindowHandle window, int id, unsigned modifiers, unsigned key) override;
  bool UnregisterHotKey(WindowHandle window, int id) override;

  static constexpr WindowHandle DesktopWindow = 0x10010;
  static constexpr unsigned FirstRegisteredMessage = 0xC000;

 private:
  Window* FindMutable(WindowHandle window);
  WindowHandle Insert(Window window);
  WindowHandle NewHandle();
  bool Owns(WindowHandle owner, const Window& window) const;
  void Raise(WindowHandle window);
  bool Apply(Window& window, ShowCommand command);

  CallLog& log_;
  std::vector<Window> windows_;  // top of the stacking order first
  std::vector<WindowHandle> closed_;
  WindowHandle nextHandle_ = 0x10020;
  WindowHandle foreground_ = NullWindow;
  WindowHandle focus_ = NullWindow;
  WindowHandle locked_ = NullWindow;
  int showWindowCalls_ = 0;
  int waitsForHungWindows_ = 0;
  std::map<std::string, unsigned> registeredMessages_;  // by the name in upper case
  std::vector<HotKeyHolder> hotKeys_;
};

// System parameters: the minimise/restore animation and the screen-saver-running flag.
class SimSystemParameters final : public SystemParameters {
 public:
  explicit SimSystemParameters(CallLog& log) : log_(log) {}

  bool minimiseAnimation = true;
  bool failAnimationQuery = false;
  bool failAnimationChange = false;
  bool screenSaverRunning = false;
  bool failScreenSaverRunning = false;

  bool SystemParametersInfoA(unsigned action, unsigned param, void* data, unsigned flags) override;

 private:
  CallLog& log_;
};

}  // namespace tolva::platform::sim
