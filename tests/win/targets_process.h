#pragma once
// Starts tolva_targets (built beside the tests) with windows to conceal, and ends it.
#include <windows.h>

#include <string>
#include <vector>

#include "child_process.h"

namespace tolva::tests {

// Whether every one, or none, of these windows is visible.
inline bool AllVisible(const std::vector<HWND>& windows) {
  for (HWND w : windows)
    if (!IsWindowVisible(w)) return false;
  return true;
}
inline bool NoneVisible(const std::vector<HWND>& windows) {
  for (HWND w : windows)
    if (IsWindowVisible(w)) return false;
  return true;
}

class TargetsProcess {
 public:
  // slowMs > 0: one more window, "PREFIX slow", takes that long to let itself be hidden.
  // hungMs > 0: one more, "PREFIX hung", whose thread a posted WM_APP stops for that long.
  TargetsProcess(int count, const std::string& prefix, int slowMs = 0, int hungMs = 0)
      : count_(count), prefix_(prefix),
        process_(std::string(TOLVA_TARGETS_EXE) + " " + std::to_string(count) + " \"" + prefix +
                     "\" " + std::to_string(slowMs) + " " + std::to_string(hungMs),
                 STARTUPINFOA{}) {
    for (int i = 0; i < 200 && process_.Started() && !ready_; ++i) {
      ready_ = Find(prefix + " ready") != nullptr;
      if (!ready_) Sleep(50);
    }
  }

  bool Ready() const { return ready_; }
  HWND Find(const std::string& title) const { return FindWindowA("TolvaTarget", title.c_str()); }
  // The numbered windows, "PREFIX 1" to "PREFIX count".
  std::vector<HWND> Numbered() const {
    std::vector<HWND> windows;
    for (int i = 1; i <= count_; ++i) windows.push_back(Find(prefix_ + " " + std::to_string(i)));
    return windows;
  }
  // Shows again, without activating them, the numbered windows a test may have left hidden.
  void ShowNumbered() const {
    for (HWND w : Numbered()) ShowWindow(w, SW_SHOWNOACTIVATE);
  }

  void End() { process_.End(); }

 private:
  int count_;
  std::string prefix_;
  ChildProcess process_;
  bool ready_ = false;
};

}  // namespace tolva::tests
