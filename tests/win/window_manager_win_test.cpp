// The real window operations, on windows this test makes.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>
#include <string>
#include <typeinfo>
#include <vector>

#include "platform/win32/win32_platform.h"

namespace tolva::platform::win32 {
namespace {

LRESULT CALLBACK PlainProc(HWND w, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProcA(w, m, wp, lp); }

// A top-level window of this process, destroyed at the end of the test.
class TestWindow {
 public:
  explicit TestWindow(const std::string& title) {
    static const ATOM atom = [] {
      WNDCLASSA c{};
      c.lpfnWndProc = PlainProc;
      c.hInstance = GetModuleHandleA(nullptr);
      c.lpszClassName = "TolvaWinTest";
      return RegisterClassA(&c);
    }();
    (void)atom;
    hwnd_ = CreateWindowExA(0, "TolvaWinTest", title.c_str(), WS_OVERLAPPEDWINDOW, 0, 0, 100, 80,
                            nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  }
  ~TestWindow() {
    if (hwnd_) DestroyWindow(hwnd_);
  }
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;
  HWND hwnd() const { return hwnd_; }
  WindowHandle handle() const { return reinterpret_cast<WindowHandle>(hwnd_); }

 private:
  HWND hwnd_ = nullptr;
};

TEST(Win32WindowManager, EnumeratesTopLevelWindowsHiddenOnesIncluded) {
  TestWindow shown("tolva enum shown"), hidden("tolva enum hidden");
  ShowWindow(shown.hwnd(), SW_SHOWNOACTIVATE);
  Win32WindowManager windows;
  std::vector<WindowHandle> seen;
  windows.EnumWindows(
      [](WindowHandle w, void* context) {
        static_cast<std::vector<WindowHandle>*>(context)->push_back(w);
        return true;
      },
      &seen);
  EXPECT_NE(std::find(seen.begin(), seen.end(), shown.handle()), seen.end());
  EXPECT_NE(std::find(seen.begin(), seen.end(), hidden.handle()), seen.end());
  EXPECT_EQ(std::find(seen.begin(), seen.end(), windows.GetDesktopWindow()), seen.end());
}

TEST(Win32WindowManager, EnumerationStopsWhenTheVisitorSaysSo) {
  TestWindow a("tolva stop a"), b("tolva stop b");
  Win32WindowManager windows;
  int visits = 0;
  windows.EnumWindows(
      [](WindowHandle, void* context) {
        ++*static_cast<int*>(context);
        return false;
      },
      &visits);
  EXPECT_EQ(visits, 1);
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

TEST(Win32WindowManager, TitleIsCutToTheBuffer) {
  const std::string longTitle(250, 'T');
  TestWindow window(longTitle), untitled("");
  Win32WindowManager windows;
  char buffer[200];
  EXPECT_EQ(windows.GetWindowTextA(window.handle(), buffer, sizeof buffer), 199);
  EXPECT_EQ(std::string(buffer), longTitle.substr(0, 199));
  EXPECT_EQ(windows.GetWindowTextA(untitled.handle(), buffer, sizeof buffer), 0);
  EXPECT_STREQ(buffer, "");
}

TEST(Win32WindowManager, StateTestsAndShowCommands) {
  Win32WindowManager windows;
  WindowHandle gone;
  {
    TestWindow window("tolva state");
    gone = window.handle();
    EXPECT_TRUE(windows.IsWindow(window.handle()));
    EXPECT_FALSE(windows.IsWindowVisible(window.handle()));
    windows.ShowWindow(window.handle(), ShowCommand::ShowNoActivate);
    EXPECT_TRUE(windows.IsWindowVisible(window.handle()));
    EXPECT_TRUE(windows.IsWindowEnabled(window.handle()));
    EnableWindow(window.hwnd(), FALSE);
    EXPECT_FALSE(windows.IsWindowEnabled(window.handle()));
    windows.ShowWindow(window.handle(), ShowCommand::Hide);
    EXPECT_FALSE(windows.IsWindowVisible(window.handle()));
  }
  EXPECT_FALSE(windows.IsWindow(gone));
}

TEST(Win32WindowManager, ShowNoActivateKeepsAMinimisedWindowMinimised) {
  Win32WindowManager windows;
  TestWindow window("tolva minimised");
  ShowWindow(window.hwnd(), SW_SHOWMINNOACTIVE);
  windows.ShowWindow(window.handle(), ShowCommand::Hide);
  EXPECT_FALSE(IsWindowVisible(window.hwnd()));
  windows.ShowWindow(window.handle(), ShowCommand::ShowNoActivate);
  EXPECT_TRUE(IsWindowVisible(window.hwnd()));
  EXPECT_TRUE(IsIconic(window.hwnd()));
}

}  // namespace
}  // namespace tolva::platform::win32
