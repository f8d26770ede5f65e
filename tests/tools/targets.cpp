// A program with top-level windows for the Windows-side tests and the benchmark to conceal and
// reveal: tolva_targets COUNT PREFIX. It opens COUNT visible, enabled windows titled
// "PREFIX 1" .. "PREFIX COUNT", and beside them the windows a concealment must leave alone or
// treat specially: "PREFIX disabled" (visible, disabled), "PREFIX invisible" (titled, never
// shown), an untitled visible window, and "PREFIX minimised" (shown minimised). It runs until it
// is ended, or for ten minutes at most so that a failed test run never leaves it behind.
#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

LRESULT CALLBACK TargetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER) PostQuitMessage(0);
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND Open(const std::string& title, int x, int y) {
  return CreateWindowExA(0, "TolvaTarget", title.c_str(), WS_OVERLAPPEDWINDOW, x, y, 160, 90,
                         nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  const int count = __argc > 1 ? std::atoi(__argv[1]) : 3;
  const std::string prefix = __argc > 2 ? __argv[2] : "Tolva target";

  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = TargetProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = "TolvaTarget";
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  RegisterClassA(&windowClass);

  HWND last = nullptr;
  for (int i = 1; i <= count; ++i) {
    last = Open(prefix + " " + std::to_string(i), 10 * (i % 40), 10 * (i % 30));
    ShowWindow(last, SW_SHOWNOACTIVATE);
  }
  HWND disabled = Open(prefix + " disabled", 300, 300);
  ShowWindow(disabled, SW_SHOWNOACTIVATE);
  EnableWindow(disabled, FALSE);
  Open(prefix + " invisible", 320, 320);
  ShowWindow(Open("", 340, 340), SW_SHOWNOACTIVATE);
  HWND minimised = Open(prefix + " minimised", 360, 360);
  ShowWindow(minimised, SW_SHOWMINNOACTIVE);
  // Created last: the tests wait for this title to know that every window is there.
  HWND ready = Open(prefix + " ready", 380, 380);
  ShowWindow(ready, SW_SHOWNOACTIVATE);
  SetTimer(ready, 1, 10 * 60 * 1000, nullptr);

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
