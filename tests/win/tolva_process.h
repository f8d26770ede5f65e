#pragma once
// Starts the real tolva.exe (built beside the tests) and works it as a person would: finds its
// windows by title, clicks its tool bar with the mouse, answers its message boxes. The real
// clicks and keys, the window searches and the started programs serve the other Windows-side
// tests too.
#include <windows.h>
#include <dlgs.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <sstream>
#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "app/about_box.h"
#include "child_process.h"
#include "files.h"

namespace tolva::tests {

inline bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 10000) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (std::chrono::steady_clock::now() < end) {
    if (condition()) return true;
    Sleep(20);
  }
  return condition();
}

// Replaces tolva.ini in the Windows directory with this text; empty text: no file at all. A
// record of hidden windows that an earlier test's program left goes too: each test starts as a
// fresh machine does.
inline void WriteSettingsFile(const std::string& text) {
  DeleteFileA((WindowsDirectory() + "\\tolva.hid").c_str());
  const std::string path = WindowsDirectory() + "\\tolva.ini";
  DeleteFileA(path.c_str());
  if (!text.empty()) PutFile(path, text);
}

// A file of the program's beside tolva.ini as it left it, or "<none>".
inline std::string ReadWindowsFile(const std::string& name) {
  return FileBytes(WindowsDirectory() + "\\" + name).value_or("<none>");
}
inline std::string ReadSettingsFile() { return ReadWindowsFile("tolva.ini"); }

inline std::string WindowText(HWND window) {
  char text[512] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

inline std::string ClassOf(HWND window) {
  char name[128] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

struct ProcessWindowSearch {
  DWORD processId;
  std::vector<HWND> found;
};

inline BOOL CALLBACK CollectProcessWindow(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<ProcessWindowSearch*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->processId) search->found.push_back(window);
  return TRUE;
}

// Every top-level window of a process, hidden ones included.
inline std::vector<HWND> TopLevelWindowsOf(DWORD processId) {
  ProcessWindowSearch search{processId, {}};
  EnumWindows(CollectProcessWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The visible pop-up menu window of a process; the system keeps closed ones, hidden.
inline HWND OpenMenuOf(DWORD processId) {
  for (HWND w : TopLevelWindowsOf(processId))
    if (IsWindowVisible(w) && ClassOf(w) == "#32768") return w;
  return nullptr;
}

inline POINT Centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

// A real click of the left or the right button at a point of the screen, once the cursor has
// got there; false when the system did not take it.
inline bool ClickAt(POINT point, bool right = false) {
  SetCursorPos(point.x, point.y);
  Sleep(30);
  INPUT inputs[2] = {};
  inputs[0].type = inputs[1].type = INPUT_MOUSE;
  inputs[0].mi.dwFlags = right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
  inputs[1].mi.dwFlags = right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
  return SendInput(2, inputs, sizeof(INPUT)) == 2;
}

// A real key press (with the given modifier keys held), with the scan code a keyboard sends.
inline void PressKey(WORD key, const std::vector<WORD>& modifiers = {}) {
  std::vector<INPUT> inputs;
  auto add = [&](WORD vk, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    inputs.push_back(input);
  };
  for (WORD m : modifiers) add(m, false);
  add(key, false);
  add(key, true);
  for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it) add(*it, true);
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// A key pressed in a window of another program, once it is the foreground window.
inline void PressKeyIn(HWND window, WORD key) {
  SetForegroundWindow(window);
  Sleep(200);
  PressKey(key);
}

struct ChildSearch {
  std::string className, text;
  HWND found = nullptr;
};

inline BOOL CALLBACK FindChildProc(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<ChildSearch*>(context);
  if (ClassOf(window) == search->className && (search->text.empty() || WindowText(window) == search->text)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

// A window of this class (and text, when given) anywhere below the root.
inline HWND Child(HWND root, const std::string& className, const std::string& text = "") {
  ChildSearch search{className, text};
  EnumChildWindows(root, FindChildProc, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// A control's text as the control itself holds it (up to `capacity` characters): GetWindowTextA
// does not ask a window of another process for it.
inline std::string ControlText(HWND control, std::size_t capacity = MAX_PATH) {
  std::string text(capacity + 1, '\0');
  SendMessageA(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(std::strlen(text.c_str()));
  return text;
}

// The standard file chooser's file-type box, and its file-name box: an edit, or in the newer
// look a combo box.
inline HWND ChooserTypeBox(HWND chooser) { return GetDlgItem(chooser, cmb1); }
inline HWND ChooserNameBox(HWND chooser) {
  const HWND box = GetDlgItem(chooser, cmb13);
  return box != nullptr ? box : GetDlgItem(chooser, edt1);
}
// Types the path into the chooser's name box and presses Open.
inline void ChooseFile(HWND chooser, const std::string& path) {
  SendMessageA(ChooserNameBox(chooser), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
  PostMessageA(chooser, WM_COMMAND, IDOK, 0);
}

// Some messages a control of another process answers through a pointer into its own process:
// the test lends it memory there for the answer, sends the message with that memory's address
// as the wParam or the lParam (`other` is the other parameter), and reads the answer back.
// Returns the message's result, or -1 when no memory could be lent.
template <typename Answer>
LRESULT AnswerThroughMemory(HWND window, UINT message, bool addressInWParam, WPARAM other, Answer& answer) {
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
  if (process == nullptr) return -1;
  LRESULT result = -1;
  if (void* remote = VirtualAllocEx(process, nullptr, sizeof answer, MEM_COMMIT, PAGE_READWRITE)) {
    const auto address = reinterpret_cast<WPARAM>(remote);
    result = addressInWParam ? SendMessageA(window, message, address, static_cast<LPARAM>(other))
                             : SendMessageA(window, message, other, static_cast<LPARAM>(address));
    ReadProcessMemory(process, remote, &answer, sizeof answer, nullptr);
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  }
  CloseHandle(process);
  return result;
}

inline void ClickIn(HWND window, POINT offset) {
  RECT r{};
  GetWindowRect(window, &r);
  ClickAt(POINT{r.left + offset.x, r.top + offset.y});
}

inline void ClickCentre(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  ClickIn(window, POINT{(r.right - r.left) / 2, (r.bottom - r.top) / 2});
}

struct PlaceSearch {
  HWND root;
  RECT place;
  HWND found = nullptr;
};

inline BOOL CALLBACK FindPlaceProc(HWND window, LPARAM context) {
  auto& search = *reinterpret_cast<PlaceSearch*>(context);
  RECT r{};
  GetWindowRect(window, &r);
  MapWindowPoints(nullptr, search.root, reinterpret_cast<POINT*>(&r), 2);
  if (!EqualRect(&r, &search.place)) return TRUE;
  search.found = window;
  return FALSE;
}

// The child window anywhere below the root that covers exactly this rectangle of the root's
// client area; null when there is none.
inline HWND ChildAt(HWND root, RECT place) {
  PlaceSearch search{root, place};
  EnumChildWindows(root, FindPlaceProc, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The memory figures a program shows now: the load in percent, and the physical memory in
// whole kilobytes as the system formats a number in the user's locale (grouped in threes with
// the locale's thousands separator, no decimals), from this process's own GlobalMemoryStatusEx.
struct MemoryFigures {
  DWORD load = 0;
  std::string kilobytes;
};
inline MemoryFigures CurrentMemoryFigures() {
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof status;
  GlobalMemoryStatusEx(&status);
  char separator[8] = {};
  GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, separator, sizeof separator);
  char decimal[] = ".";
  NUMBERFMTA format{0, 1, 3, decimal, separator, 1};
  const std::string value = std::to_string(status.ullTotalPhys >> 10);
  char text[64] = {};
  GetNumberFormatA(LOCALE_USER_DEFAULT, 0, value.c_str(), &format, text, sizeof text);
  return {status.dwMemoryLoad, std::string(text) + " KB"};
}

// The two figures of the about box as it shows them: the memory load and the physical memory.
inline constexpr RECT AboutMemoryUsedPlace{187, 233, 255, 246};
inline constexpr RECT AboutPhysicalMemoryPlace{169, 251, 169 + app::PhysicalMemoryWidth, 264};
inline std::pair<std::string, std::string> AboutBoxFigures(HWND about) {
  return {ControlText(ChildAt(about, AboutMemoryUsedPlace)),
          ControlText(ChildAt(about, AboutPhysicalMemoryPlace))};
}
// The load the box shows as a number; -1 when it does not read as "<number> %".
inline int ShownLoad(const std::string& text) {
  int load = -1;
  char percent = 0;
  if (std::sscanf(text.c_str(), "%d %c", &load, &percent) != 2 || percent != '%' ||
      text != std::to_string(load) + " %") {
    return -1;
  }
  return load;
}

// The main window's tool buttons, by their place from the left.
inline constexpr int HideShowButton = 0, OptionsButton = 1, HelpButton = 2, AboutButton = 3,
                     TrayButton = 4, ExitButton = 5;

class TolvaProcess {
 public:
  static constexpr const char* Title = "Tolva R. Quenlar (TM)";

  // The program built beside the tests, started in the tests' folder.
  TolvaProcess() = default;
  // The program at this path started in this folder, as a shortcut starts it.
  TolvaProcess(const std::string& program, const std::string& folder)
      : process_("\"" + program + "\"", ShownNormally(), folder) {}

  bool Started() const { return process_.Started(); }
  DWORD Id() const { return process_.Id(); }
  HANDLE Handle() const { return process_.Handle(); }

  // The main window: the visible tool window with the program's title.
  HWND MainWindow() const {
    for (HWND w : TopLevelWindowsOf(Id())) {
      if (WindowText(w) == Title && IsWindowVisible(w) &&
          (GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0) {
        return w;
      }
    }
    return nullptr;
  }
  bool WaitForMainWindow(int timeoutMs = 15000) {
    const bool shown = WaitFor([&] { return MainWindow() != nullptr; }, timeoutMs);
    if (shown && mainShownMs_ < 0) {
      mainShownMs_ = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started_).count();
      // From the process's own creation time, as the system recorded it.
      FILETIME created{}, exited{}, kernel{}, user{}, now{};
      GetSystemTimeAsFileTime(&now);
      if (GetProcessTimes(Handle(), &created, &exited, &kernel, &user)) {
        const auto ticks = [](FILETIME t) {
          return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
        };
        sinceCreationMs_ = static_cast<double>(ticks(now) - ticks(created)) / 10000.0;
      }
    }
    return shown;
  }
  double MainShownMs() const { return mainShownMs_; }
  double MainShownSinceCreationMs() const { return sinceCreationMs_; }
  double SinceStartMs() const {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started_).count();
  }
  // The processor time the program has used so far, user and kernel, in seconds, as Linux
  // counts it (Wine's GetProcessTimes does not count another process's time): the process of
  // this prefix running the program, found in /proc through drive Z:. -1 when there is none.
  static double LinuxCpuSeconds() {
    char prefix[MAX_PATH] = {};
    if (GetEnvironmentVariableA("WINEPREFIX", prefix, MAX_PATH) == 0) return -1;
    const auto read = [](const std::string& path) { return FileBytes(path).value_or(""); };
    WIN32_FIND_DATAA entry{};
    const HANDLE search = FindFirstFileA("Z:\\proc\\*", &entry);
    if (search == INVALID_HANDLE_VALUE) return -1;
    double seconds = -1;
    do {
      const std::string dir = std::string("Z:\\proc\\") + entry.cFileName;
      if (entry.cFileName[0] < '0' || entry.cFileName[0] > '9') continue;
      if (read(dir + "\\cmdline").find(TOLVA_EXE) == std::string::npos) continue;
      if (read(dir + "\\environ").find(std::string("WINEPREFIX=") + prefix + '\0') == std::string::npos) continue;
      // Fields 14 and 15, user and system time in ticks of 1/100 s, after the name in brackets.
      const std::string stat = read(dir + "\\stat");
      std::istringstream fields(stat.substr(stat.rfind(')') + 2));
      std::string field;
      unsigned long long user = 0, system = 0;
      for (int i = 3; i <= 15 && fields >> field; ++i) {
        if (i == 14) user = std::stoull(field);
        if (i == 15) system = std::stoull(field);
      }
      seconds = std::max(seconds, static_cast<double>(user + system) / 100.0);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    return seconds;
  }

  // A visible message box of the program with this caption.
  HWND MessageBox(const std::string& caption) const {
    for (HWND w : TopLevelWindowsOf(Id()))
      if (ClassOf(w) == "#32770" && WindowText(w) == caption && IsWindowVisible(w)) return w;
    return nullptr;
  }
  HWND WaitForMessageBox(const std::string& caption, int timeoutMs = 10000) const {
    HWND box = nullptr;
    WaitFor([&] { return (box = MessageBox(caption)) != nullptr; }, timeoutMs);
    return box;
  }
  // The text of a message box: its static text control.
  static std::string MessageText(HWND box) {
    HWND text = GetDlgItem(box, 0xFFFF);
    return text != nullptr ? WindowText(text) : std::string();
  }
  static void PressButton(HWND box, int id) { PostMessageA(GetDlgItem(box, id), BM_CLICK, 0, 0); }

  // The about box while it is on the screen.
  static constexpr const char* AboutTitle = "About Tolva R. Quenlar (TM)";
  HWND AboutBox() const {
    for (HWND w : TopLevelWindowsOf(Id()))
      if (WindowText(w) == AboutTitle && IsWindowVisible(w)) return w;
    return nullptr;
  }
  HWND WaitForAboutBox(int timeoutMs = 10000) const {
    HWND box = nullptr;
    WaitFor([&] { return (box = AboutBox()) != nullptr; }, timeoutMs);
    return box;
  }

  // The tool bar of the main window, and a real click on its button number index.
  HWND ToolBar() const {
    HWND main = MainWindow();
    return main != nullptr ? FindWindowExA(main, nullptr, "ToolbarWindow32", nullptr) : nullptr;
  }
  bool ClickToolButton(int index) const {
    HWND bar = ToolBar();
    if (bar == nullptr) return false;
    RECT rect{};
    GetWindowRect(bar, &rect);
    SetForegroundWindow(MainWindow());
    // Six buttons of one width fill the bar from the left edge (49 pixels at 96 dots per inch).
    const int width = (rect.right - rect.left) / (ExitButton + 1);
    ClickAt(POINT{rect.left + width * index + width / 2, (rect.top + rect.bottom) / 2});
    return true;
  }

  // WM_QUERYENDSESSION as Windows sends it at a log-off: the main window's answer, or -1 when
  // it gave none in time.
  std::intptr_t QueryEndSession(int timeoutMs = 10000) const {
    DWORD_PTR answer = 0;
    if (SendMessageTimeoutA(MainWindow(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL,
                            static_cast<UINT>(timeoutMs), &answer) == 0) {
      return -1;
    }
    return static_cast<std::intptr_t>(answer);
  }

  bool WaitForExit(int timeoutMs = 10000) const {
    return WaitForSingleObject(Handle(), static_cast<DWORD>(timeoutMs)) == WAIT_OBJECT_0;
  }
  DWORD ExitCode() const {
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(Handle(), &code);
    return code;
  }
  SIZE_T PeakWorkingSet() const {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(Handle(), &counters, sizeof counters)) return 0;
    return counters.PeakWorkingSetSize;
  }

  void Kill() { process_.End(); }

 private:
  static STARTUPINFOA ShownNormally() {
    STARTUPINFOA startup{};
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    return startup;
  }

  std::chrono::steady_clock::time_point started_ = std::chrono::steady_clock::now();
  ChildProcess process_{TOLVA_EXE, ShownNormally()};
  double mainShownMs_ = -1;
  double sinceCreationMs_ = -1;
};

}  // namespace tolva::tests
