#pragma once
// What the Windows-side tests of the control layer share: message boxes that answer at once,
// running the real message loop for a while, the fixture of a real application with a form of
// the test's kind, and windows of the tests' own.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/dialogs.h"
#include "platform/ui/application.h"
#include "platform/win32/timers.h"
#include "platform/win32/ui_backend.h"

namespace tolva::platform::win32::test_support {

// Message boxes that nobody has to answer.
class QuietDialogs final : public Dialogs {
 public:
  bool MessageBeep(unsigned) override { return true; }
  int MessageBoxA(WindowHandle, const char*, const char*, unsigned) override { return IdOk; }
};

// Runs the application's real message loop until the condition holds or the time is up.
inline bool PumpUntil(ui::Application& app, const std::function<bool()>& done,
                      DWORD milliseconds = 3000) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > milliseconds) return false;
    if (!app.ProcessMessage()) MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return true;
}

inline HWND HwndOf(const ui::Form& form) { return reinterpret_cast<HWND>(form.Handle()); }

// The child window number index of a parent, in the order the system keeps them.
inline HWND NthChild(HWND parent, std::size_t index) {
  HWND child = GetWindow(parent, GW_CHILD);
  for (std::size_t i = 0; i < index && child; ++i) child = GetWindow(child, GW_HWNDNEXT);
  return child;
}

// The real application of the control layer on this thread, with the module's resources and
// the system's timers (or the test's own), and a form of the test's kind once MakeForm has made
// it. What the application reports of an exception is kept in exceptions.
template <class FormType, class DialogsType = QuietDialogs>
class RealFormTest : public ::testing::Test {
 protected:
  explicit RealFormTest(const char* title = nullptr, Timers* timers = nullptr)
      : backend(GetModuleHandleA(nullptr), timers != nullptr ? *timers : systemTimers_),
        app(backend, dialogs) {
    if (title != nullptr) app.SetTitle(title);
    app.OnException = [this](const std::exception& e) { exceptions.emplace_back(e.what()); };
  }
  ~RealFormTest() override {
    app.DestroyWindows();
    // A quit message left by a test must not end the next test's application.
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message != WM_QUIT) DispatchMessageA(&message);
    }
  }

  FormType& MakeForm() {
    app.CreateForm(holder, form);
    return *form;
  }

  bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds = 3000) {
    return test_support::PumpUntil(app, done, milliseconds);
  }
  void Pump(DWORD milliseconds) {
    PumpUntil([] { return false; }, milliseconds);
  }
  // The window in front, with what that brings handled.
  void Activate(HWND window, DWORD milliseconds = 50) {
    SetForegroundWindow(window);
    Pump(milliseconds);
  }
  // The form shown in front and painted.
  void ShowActive() {
    form->Show();
    Activate(HwndOf(*form), 150);
    form->Repaint();
  }

  DialogsType dialogs;

 private:
  SystemTimers systemTimers_;

 protected:
  Win32Backend backend;
  ui::Application app;
  std::unique_ptr<FormType> holder;
  FormType* form = nullptr;
  std::vector<std::string> exceptions;
};

// A window of this process, of the tests' own class with the default window procedure,
// destroyed with this object.
class TestWindow {
 public:
  explicit TestWindow(const std::string& title, DWORD style = WS_OVERLAPPEDWINDOW,
                      HWND parentOrOwner = nullptr) {
    static const ATOM atom = [] {
      WNDCLASSA c{};
      c.lpfnWndProc = DefWindowProcA;
      c.hInstance = GetModuleHandleA(nullptr);
      c.lpszClassName = "TolvaWinTest";
      return RegisterClassA(&c);
    }();
    (void)atom;
    hwnd_ = CreateWindowExA(0, "TolvaWinTest", title.c_str(), style, 0, 0, 100, 80, parentOrOwner,
                            nullptr, GetModuleHandleA(nullptr), nullptr);
  }
  ~TestWindow() { Destroy(); }
  TestWindow(TestWindow&& other) noexcept : hwnd_(std::exchange(other.hwnd_, nullptr)) {}
  TestWindow& operator=(TestWindow&& other) noexcept {
    if (this != &other) {
      Destroy();
      hwnd_ = std::exchange(other.hwnd_, nullptr);
    }
    return *this;
  }
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;
  HWND hwnd() const { return hwnd_; }
  WindowHandle handle() const { return reinterpret_cast<WindowHandle>(hwnd_); }

 private:
  // One destroyed with its owner or parent is gone already, and the call fails harmlessly.
  void Destroy() {
    if (hwnd_) DestroyWindow(hwnd_);
  }
  HWND hwnd_ = nullptr;
};

}  // namespace tolva::platform::win32::test_support
