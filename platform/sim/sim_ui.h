#pragma once
// The control layer's simulated backend: forms are windows of the simulated desktop, controls
// keep their state in their own objects, posted messages wait in a queue, and timers run on a
// clock of milliseconds that only moves while the program polls or waits for messages. Tests
// click controls, press keys, send messages and answer modal windows from scripts.
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_log.h"
#include "platform/ui/application.h"
#include "platform/ui/menu.h"

namespace tolva::platform::sim {

// What the simulated ExitProcess throws. The real one never returns, so nothing of the program
// may run after it here either: this is no std::exception, no handler of the program catches
// it, and it ends the simulated run where the test catches it.
struct ProcessEnded {};

class SimBackend final : public ui::Backend {
 public:
  SimBackend(SimDesktop& desktop, CallLog& log) : desktop_(desktop), log_(log) {}

  // Set-up a test may change.
  bool failTimers = false;
  bool failApplicationWindow = false;
  // Works a form shown modally and returns its modal result; without one, a modal form is
  // answered with IdCancel at once.
  std::function<int(ui::Form&)> modalScript;
  // Chooses the item of a pop-up menu as it opens: its index, or none to close it with
  // nothing chosen (also the answer without a script). It sees the menu as it was shown.
  std::function<std::optional<std::size_t>(const ui::PopupMenu&)> menuScript;
  // Runs when the program waits for a message in its main loop (once the main window exists;
  // start-up's own waits only let time pass); the test acts here (closes the main window, sends
  // a message). If it does nothing and no timer will come, the program is told to end, so that
  // a test never hangs.
  std::function<void()> onIdle;

  // What the test observes.
  std::uint64_t Now() const { return now_; }
  int Polls() const { return polls_; }
  bool ApplicationWindowVisible() const;
  bool hintsShown = true;
  std::optional<ui::Colour> hintColour;
  bool exitedProcess = false;
  bool quitPosted = false;
  // Each pop-up menu opened: where, and its items as they were as it opened.
  struct MenuShown {
    std::string menu;
    int x = 0, y = 0;
    std::vector<std::string> captions;
    std::vector<int> images;
  };
  std::vector<MenuShown> menusShown;

  // Acting as the user or as Windows.
  // A click on a control the user can reach (enabled and shown, on the active page); others
  // take nothing.
  void Click(ui::Control& control);
  // A key on a visible form, which counts as the active one.
  void PressKey(ui::Form& form, unsigned key, ui::KeyShift shift);
  // Alt with a letter; returns whether a button took it.
  bool PressAlt(ui::Form& form, char letter);
  // Enter (ui::VkReturn) or Esc (ui::VkEscape) on a visible form: the form sees the key, then
  // its default or cancel button takes it; returns whether one did.
  bool PressDialogKey(ui::Form& form, unsigned key);
  // SendMessage to a form: the message map first, then the default handling; returns the result.
  std::intptr_t SendMessage(ui::Form& form, unsigned id, std::uintptr_t wParam = 0,
                            std::intptr_t lParam = 0);
  // A press of a key combination, in whatever program has the focus: WM_HOTKEY to the form that
  // registered it. False when no form of the program holds it.
  bool PressHotKey(unsigned modifiers, unsigned key);
  // The close box (posted as Windows posts WM_CLOSE).
  void PostClose(ui::Form& form);
  void Post(std::function<void()> message) { queue_.push_back(std::move(message)); }
  // Lets time pass with the program idle, firing the timers that come due.
  void Advance(std::uint64_t milliseconds);
  void Activate();
  // Windows' announcement of a changed system setting, as WM_SETTINGCHANGE names its area.
  void SettingChanged(const std::string& area);

  // ui::Backend
  std::unique_ptr<ui::ApplicationPeer> CreateApplication(ui::Application& application) override;
  void CreateWindows(ui::Form& form) override;

  // Used by the peers.
  struct TimerEntry {
    ui::Timer* timer;
    std::uint64_t due;
  };
  void Schedule(ui::Timer& timer);
  void Unschedule(ui::Timer& timer);
  bool ProcessOne();
  void Wait();
  void UpdateApplicationWindow();
  void RequestClose(ui::Form& form);

  SimDesktop& desktop() { return desktop_; }
  CallLog& log() { return log_; }
  ui::Application* application = nullptr;
  WindowHandle applicationWindow = NullWindow;
  std::vector<ui::Form*> modalForms;  // the forms shown modally now, innermost last

 private:
  bool FireDueTimer();
  SimDesktop& desktop_;
  CallLog& log_;
  std::deque<std::function<void()>> queue_;
  std::vector<TimerEntry> timers_;
  std::uint64_t now_ = 0;
  int polls_ = 0;
};

// The rows a check list box shows, "[x] " or "[ ] " before each text, as it showed them when
// last told of a change (none before its window is made).
std::vector<std::string> ShownRows(const ui::CheckListBox& list);

}  // namespace tolva::platform::sim
