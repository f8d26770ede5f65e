// A program with top-level windows for the Windows-side tests and the benchmark to conceal and
// reveal: tolva_targets COUNT PREFIX. It opens COUNT visible, enabled windows titled
// "PREFIX 1" .. "PREFIX COUNT", and beside them the windows a concealment must leave alone or
// treat specially: "PREFIX disabled" (visible, disabled), "PREFIX invisible" (titled, never
// shown), an untitled visible window, and "PREFIX minimised" (shown minimised). It runs until it
// is ended, or for ten minutes at most so that a failed test run never leaves it behind.
// tolva_targets COUNT PREFIX SLOW_MS adds "PREFIX slow" among the numbered windows, which takes
// SLOW_MS milliseconds to let itself be hidden: a program hiding it waits for it that long.
// tolva_targets COUNT PREFIX SLOW_MS HUNG_MS adds "PREFIX hung" among them, on a thread of its
// own: a WM_APP posted to it makes that thread take no messages for HUNG_MS milliseconds, as a
// program that is "not responding".
// tolva_targets screen-saver-running opens nothing and ends with exit code 1 when the system
// says a screen saver runs, 0 when not, 2 when it cannot tell: read in a process that has not
// read it before, since Wine keeps a process's system parameters once it has read them.
#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

DWORD slowMs = 0;
HWND slowWindow = nullptr;
DWORD hungMs = 0;

LRESULT CALLBACK TargetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER) PostQuitMessage(0);
  if (message == WM_SHOWWINDOW && wParam == FALSE && window == slowWindow) Sleep(slowMs);
  if (message == WM_APP) Sleep(hungMs);  // posted to the hung window only
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND Open(const std::string& title, int x, int y) {
  return CreateWindowExA(0, "TolvaTarget", title.c_str(), WS_OVERLAPPEDWINDOW, x, y, 160, 90,
                         nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

// The hung window's thread: it opens the window, then takes its messages until the process ends.
DWORD WINAPI HungThread(void* title) {
  ShowWindow(Open(*static_cast<const std::string*>(title), 900, 340), SW_SHOWNOACTIVATE);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  if (__argc > 1 && std::string(__argv[1]) == "screen-saver-running") {
    BOOL running = FALSE;
    if (!SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &running, 0)) return 2;
    return running ? 1 : 0;
  }
  const int count = __argc > 1 ? std::atoi(__argv[1]) : 3;
  const std::string prefix = __argc > 2 ? __argv[2] : "Tolva target";
  slowMs = __argc > 3 ? static_cast<DWORD>(std::atoi(__argv[3])) : 0;
  hungMs = __argc > 4 ? static_cast<DWORD>(std::atoi(__argv[4])) : 0;

  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = TargetProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = "TolvaTarget";
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  RegisterClassA(&windowClass);

  // The special windows stand to the right, clear of the centre of the screen where the program
  // under test shows its window: a window revealed on top of it must not take its clicks.
  HWND last = nullptr;
  for (int i = 1; i <= count; ++i) {
    last = Open(prefix + " " + std::to_string(i), 10 * (i % 40), 10 * (i % 30));
    ShowWindow(last, SW_SHOWNOACTIVATE);
    if (slowMs > 0 && i == count / 2) {
      slowWindow = Open(prefix + " slow", 900, 300);
      ShowWindow(slowWindow, SW_SHOWNOACTIVATE);
    }
    if (hungMs > 0 && i == count / 2) {
      // Shown in its place in the stacking order, before the next numbered window.
      std::string title = prefix + " hung";
      CloseHandle(CreateThread(nullptr, 0, HungThread, &title, 0, nullptr));
      while (!IsWindowVisible(FindWindowA("TolvaTarget", title.c_str()))) Sleep(1);
    }
  }
  HWND disabled = Open(prefix + " disabled", 900, 100);
  ShowWindow(disabled, SW_SHOWNOACTIVATE);
  EnableWindow(disabled, FALSE);
  Open(prefix + " invisible", 920, 120);
  ShowWindow(Open("", 940, 140), SW_SHOWNOACTIVATE);
  HWND minimised = Open(prefix + " minimised", 960, 160);
  ShowWindow(minimised, SW_SHOWMINNOACTIVE);
  // Created last: the tests wait for this title to know that every window is there.
  HWND ready = Open(prefix + " ready", 980, 180);
  ShowWindow(ready, SW_SHOWNOACTIVATE);
  SetTimer(ready, 1, 10 * 60 * 1000, nullptr);

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
