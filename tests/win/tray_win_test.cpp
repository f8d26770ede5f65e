// The real notification area under Wine, whose icons dock in the display's XEmbed tray: the
// table the simulated shell also answers, and what only the real shell can show.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <type_traits>

#include "platform/win32/win32_platform.h"
#include "tests/shared/tray_cases.h"

namespace tolva::platform::win32 {
namespace {

struct TrayMessages {
  int clicks = 0;  // left-button releases reported through the callback message
};

LRESULT CALLBACK IconWindowProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == tests::TrayCallbackMessage && lp == WM_LBUTTONUP) {
    if (auto* seen = reinterpret_cast<TrayMessages*>(GetWindowLongPtrA(w, GWLP_USERDATA))) {
      ++seen->clicks;
    }
  }
  return DefWindowProcA(w, m, wp, lp);
}

struct WindowDestroyer {
  void operator()(HWND window) const { DestroyWindow(window); }
};
using OwnedWindow = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDestroyer>;

// A hidden top-level window of this test's own, as the icons' owner.
OwnedWindow MakeIconWindow() {
  static const ATOM atom = [] {
    WNDCLASSA c{};
    c.lpfnWndProc = IconWindowProc;
    c.hInstance = GetModuleHandleA(nullptr);
    c.lpszClassName = "TolvaTrayTest";
    return RegisterClassA(&c);
  }();
  (void)atom;
  return OwnedWindow(CreateWindowExA(0, "TolvaTrayTest", "tolva tray test", WS_OVERLAPPEDWINDOW,
                                     0, 0, 100, 80, nullptr, nullptr, GetModuleHandleA(nullptr),
                                     nullptr));
}

class RealTray final : public tests::TestTray {
 public:
  Shell& TrayShell() override { return shell_; }
  Icons& ModuleIcons() override { return icons_; }
  WindowManager& Windows() override { return windows_; }
  WindowHandle IconWindow() override { return reinterpret_cast<WindowHandle>(window_.get()); }
  void MoveCursor(int x, int y) override { SetCursorPos(x, y); }
  HWND hwnd() const { return window_.get(); }

 private:
  Win32Shell shell_;
  Win32Icons icons_;
  Win32WindowManager windows_;
  OwnedWindow window_ = MakeIconWindow();
};

// Handles what is posted and sent to this thread's windows for a while.
void Pump(DWORD milliseconds) {
  const DWORD end = GetTickCount() + milliseconds;
  while (static_cast<LONG>(end - GetTickCount()) > 0) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    Sleep(10);
  }
}

// Docking reparents the icon's X window into the display's tray, which Wine then knows as a
// foreign window of the tray's place; an icon it cannot dock goes to a stand-alone "Wine System
// Tray" window instead.
HWND DisplayTray() { return FindWindowA("__wine_x11_foreign_window", nullptr); }
bool StandaloneTrayShown() {
  const HWND tray = FindWindowA("__winex11_standalone_tray", nullptr);
  return tray != nullptr && IsWindowVisible(tray);
}

TEST(Win32Tray, AnswersAsTheTable) {
  for (const auto& c : tests::TrayCases()) {
    RealTray tray;
    ASSERT_NE(tray.hwnd(), nullptr);
    tests::RunTrayCase(tray, c);
  }
  RealTray tray;
  tests::CheckIconLoads(tray.ModuleIcons());
  tests::CheckCursorPositions(tray);
  tests::CheckRegisteredMessages(tray.Windows());
}

// The added icon docks in the display's tray, and a real click on it reaches the record's
// window as the callback message with the left-button release.
TEST(Win32Tray, AddedIconDocksAndReportsARealClick) {
  RealTray tray;
  TrayMessages seen;
  SetWindowLongPtrA(tray.hwnd(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&seen));
  const tests::Notify add{NimAdd, 1009, true};
  EXPECT_EQ(DisplayTray(), nullptr);
  ASSERT_TRUE(tray.TrayShell().Shell_NotifyIconA(NimAdd, tests::TrayRecord(tray, add)));
  HWND icon = nullptr;
  for (int i = 0; i < 100 && icon == nullptr; ++i) {
    Pump(20);
    icon = DisplayTray();
  }
  ASSERT_NE(icon, nullptr);
  EXPECT_FALSE(StandaloneTrayShown());

  RECT place{};
  ASSERT_TRUE(GetWindowRect(icon, &place));
  // One icon sits at one end of the tray, which end depends on the tray's packing: a click at
  // each, of which exactly one lands on the icon.
  for (const LONG x : {place.left + 12, place.right - 12}) {
    SetCursorPos(x, (place.top + place.bottom) / 2);
    INPUT click[2]{};
    click[0].type = click[1].type = INPUT_MOUSE;
    click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ASSERT_EQ(SendInput(2, click, sizeof(INPUT)), 2u);
    for (int i = 0; i < 50 && seen.clicks == 0; ++i) Pump(20);
  }
  EXPECT_EQ(seen.clicks, 1);

  EXPECT_TRUE(tray.TrayShell().Shell_NotifyIconA(NimDelete, tests::TrayRecord(tray, add)));
  SetWindowLongPtrA(tray.hwnd(), GWLP_USERDATA, 0);
}

}  // namespace
}  // namespace tolva::platform::win32
