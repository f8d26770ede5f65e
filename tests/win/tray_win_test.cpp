// The real notification area under Wine, whose icons dock in the display's XEmbed tray: the
// table the simulated shell also answers, and what only the real shell can show.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/tray_rules.h"
#include "platform/win32/win32_platform.h"
#include "tests/shared/tray_cases.h"
#include "tests/win/real_windows.h"
#include "tests/win/tolva_process.h"

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

// The real services, with a hidden top-level window of this test's own as the icons' owner; its
// procedure counts the clicks the shell reports.
class RealTray final : public tests::TestTray {
 public:
  RealTray() {
    SetWindowLongPtrA(window_.hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(IconWindowProc));
  }
  Shell& TrayShell() override { return shell_; }
  Icons& ModuleIcons() override { return icons_; }
  WindowManager& Windows() override { return windows_; }
  WindowHandle IconWindow() override { return window_.handle(); }
  void MoveCursor(int x, int y) override { SetCursorPos(x, y); }
  HWND hwnd() const { return window_.hwnd(); }

 private:
  Win32Shell shell_;
  Win32Icons icons_;
  Win32WindowManager windows_;
  test_support::TestWindow window_{"tolva tray test"};
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
  const tests::Notify add{NimAdd, app::TrayIconId, true};
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
    ASSERT_TRUE(tests::ClickAt({x, (place.top + place.bottom) / 2}));
    for (int i = 0; i < 50 && seen.clicks == 0; ++i) Pump(20);
  }
  EXPECT_EQ(seen.clicks, 1);

  EXPECT_TRUE(tray.TrayShell().Shell_NotifyIconA(NimDelete, tests::TrayRecord(tray, add)));
  SetWindowLongPtrA(tray.hwnd(), GWLP_USERDATA, 0);
}

}  // namespace
}  // namespace tolva::platform::win32
