// A stand-in for the HTML Help engine, hhctrl.ocx, which Windows Vista and later have and the
// tests' Wine prefixes do not use: put in the system folder under that name, with Wine told to
// load it (WINEDLLOVERRIDES hhctrl.ocx=n), it answers the program's HtmlHelpA as Windows' engine
// would. Each call is added as a line to the file that TOLVA_STANDIN_LOG names:
//   HtmlHelpA FILE COMMAND DATA     (DATA a topic's page for HH_DISPLAY_TOPIC, else the number)
// and opens a window titled "HTML Help Stand-In", owned by the caller, which it returns; while the
// file that TOLVA_STANDIN_REFUSE names exists, it opens none and returns null, as an engine that
// cannot show the file.
#include <windows.h>

#include <string>

namespace {

constexpr UINT DisplayTopic = 0x0000;  // HH_DISPLAY_TOPIC

std::string Environment(const char* name) {
  char value[MAX_PATH] = {};
  const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
  return length > 0 && length < sizeof value ? std::string(value, length) : std::string();
}

void Record(const std::string& line) {
  const std::string log = Environment("TOLVA_STANDIN_LOG");
  if (log.empty()) return;
  const HANDLE file = CreateFileA(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  const std::string text = line + "\r\n";
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
}

HWND OpenViewer(HWND caller) {
  static const ATOM viewerClass = [] {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = "TolvaHtmlHelpStandIn";
    return RegisterClassA(&windowClass);
  }();
  if (viewerClass == 0) return nullptr;
  return CreateWindowExA(0, "TolvaHtmlHelpStandIn", "HTML Help Stand-In", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60,
                         60, 320, 200, caller, nullptr, GetModuleHandleA(nullptr), nullptr);
}

}  // namespace

extern "C" __declspec(dllexport) HWND WINAPI HtmlHelpA(HWND caller, LPCSTR file, UINT command, DWORD_PTR data) {
  const std::string shown = command == DisplayTopic && data != 0 ? reinterpret_cast<const char*>(data)
                                                                 : std::to_string(data);
  Record("HtmlHelpA " + std::string(file != nullptr ? file : "(null)") + " " + std::to_string(command) + " " +
         shown);
  const std::string refuse = Environment("TOLVA_STANDIN_REFUSE");
  if (!refuse.empty() && GetFileAttributesA(refuse.c_str()) != INVALID_FILE_ATTRIBUTES) return nullptr;
  return OpenViewer(caller);
}
