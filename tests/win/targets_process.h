#pragma once
// Starts tolva_targets (built beside the tests) with windows to conceal, and ends it.
#include <windows.h>

#include <string>
#include <vector>

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
      : prefix_(prefix) {
    std::string command = std::string(TOLVA_TARGETS_EXE) + " " + std::to_string(count) + " \"" +
                          prefix + "\" " + std::to_string(slowMs) + " " + std::to_string(hungMs);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process_)) {
      return;
    }
    for (int i = 0; i < 200 && !ready_; ++i) {
      ready_ = Find(prefix + " ready") != nullptr;
      if (!ready_) Sleep(50);
    }
  }
  ~TargetsProcess() { End(); }
  TargetsProcess(const TargetsProcess&) = delete;
  TargetsProcess& operator=(const TargetsProcess&) = delete;

  bool Ready() const { return ready_; }
  HWND Find(const std::string& title) const { return FindWindowA("TolvaTarget", title.c_str()); }

  void End() {
    if (process_.hProcess == nullptr) return;
    TerminateProcess(process_.hProcess, 0);
    WaitForSingleObject(process_.hProcess, 10000);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
    process_ = {};
  }

 private:
  std::string prefix_;
  PROCESS_INFORMATION process_{};
  bool ready_ = false;
};

}  // namespace tolva::tests
