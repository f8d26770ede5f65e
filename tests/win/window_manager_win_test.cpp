// The real window operations, on windows this test makes: the table the simulated desktop also
// runs, and what only the real calls can show.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <new>
#include <stdexcept>
#include <string>
#include <typeinfo>
#include <utility>
#include <vector>

#include "platform/win32/win32_platform.h"
#include "tests/shared/window_manager_cases.h"
#include "tests/win/real_windows.h"

namespace tolva::platform::win32 {
namespace {

using test_support::TestWindow;

// The table's windows, made in this process and opened as the simulated desktop opens them:
// without activation, a minimised one through the minimised state.
class RealDesktop final : public tests::TestDesktop {
 public:
  RealDesktop() = default;
  RealDesktop(const RealDesktop&) = delete;
  RealDesktop& operator=(const RealDesktop&) = delete;
  ~RealDesktop() override {
    // A case that failed half-way may have left its lock.
    ::LockWindowUpdate(nullptr);
    // Newest first, so owned and child windows go before theirs.
    while (!windows_.empty()) windows_.pop_back();
  }

  WindowManager& Windows() override { return manager_; }
  WindowHandle Open(const tests::WindowSetup& setup, WindowHandle owner,
                    WindowHandle parent) override {
    const bool child = parent != NullWindow;
    const DWORD style = child ? WS_CHILD | (setup.visible ? WS_VISIBLE : 0) : WS_OVERLAPPEDWINDOW;
    windows_.emplace_back(setup.title, style, reinterpret_cast<HWND>(child ? parent : owner));
    const HWND window = windows_.back().hwnd();
    if (!child) {
      if (setup.minimised) {
        ::ShowWindow(window, SW_SHOWMINNOACTIVE);
        if (!setup.visible) ::ShowWindow(window, SW_HIDE);
      } else if (setup.visible) {
        ::ShowWindow(window, SW_SHOWNOACTIVATE);
      }
    }
    return windows_.back().handle();
  }
  void Close(WindowHandle window) override {
    std::erase_if(windows_, [&](const TestWindow& w) { return w.handle() == window; });
  }
  bool IsMinimised(WindowHandle window) override {
    return ::IsIconic(reinterpret_cast<HWND>(window)) != FALSE;
  }
  WindowHandle Foreground() override {
    return reinterpret_cast<WindowHandle>(::GetForegroundWindow());
  }
  WindowHandle Focus() override { return reinterpret_cast<WindowHandle>(::GetFocus()); }

 private:
  Win32WindowManager manager_;
  std::vector<TestWindow> windows_;
};

TEST(Win32WindowManager, AnswersAsTheTable) {
  for (const auto& c : tests::WindowManagerCases()) {
    RealDesktop desktop;
    tests::RunWindowManagerCase(desktop, c);
  }
}

TEST(Win32WindowManager, TheDesktopWindowIsNotEnumerated) {
  Win32WindowManager windows;
  std::vector<WindowHandle> seen;
  windows.EnumWindows(
      [](WindowHandle w, void* context) {
        static_cast<std::vector<WindowHandle>*>(context)->push_back(w);
        return true;
      },
      &seen);
  EXPECT_FALSE(seen.empty());
  EXPECT_EQ(std::find(seen.begin(), seen.end(), windows.GetDesktopWindow()), seen.end());
}

TEST(Win32WindowManager, EnabledStateIsTheWindowsOwn) {
  Win32WindowManager windows;
  TestWindow window("tolva state");
  EXPECT_TRUE(windows.IsWindowEnabled(window.handle()));
  EnableWindow(window.hwnd(), FALSE);
  EXPECT_FALSE(windows.IsWindowEnabled(window.handle()));
}

// The census allocates inside the visitor. What it throws comes out of EnumWindows to the caller,
// and the enumeration ends at the window that threw.
TEST(Win32WindowManager, VisitorExceptionReachesTheCallerAndEndsTheEnumeration) {
  TestWindow first("tolva throw a"), second("tolva throw b"), third("tolva throw c");
  struct Visitor {
    std::function<void()> raise;
    int visits = 0;
  };
  const struct {
    std::function<void()> raise;
    const std::type_info& type;
  } cases[] = {
      {[] { throw std::bad_alloc(); }, typeid(std::bad_alloc)},
      {[] { throw std::out_of_range("no such window"); }, typeid(std::out_of_range)},
  };
  Win32WindowManager windows;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.type.name());
    Visitor visitor{c.raise};
    const auto visit = [](WindowHandle, void* context) {
      auto& v = *static_cast<Visitor*>(context);
      if (++v.visits == 2) v.raise();
      return true;
    };
    try {
      windows.EnumWindows(visit, &visitor);
      ADD_FAILURE() << "no exception";
    } catch (const std::exception& e) {
      EXPECT_EQ(typeid(e), c.type);
    }
    EXPECT_EQ(visitor.visits, 2);
  }
}

}  // namespace
}  // namespace tolva::platform::win32
