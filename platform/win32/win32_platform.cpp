#include "platform/win32/win32_platform.h"

#include <windows.h>
#include <commdlg.h>
#include <mmsystem.h>
#include <shlobj.h>
#include <shellapi.h>

#include <algorithm>
#include <cstddef>
#include <exception>
#include <limits>
#include <string>
#include <string_view>

#include "platform/win32/handles.h"
#include "platform/win32/later_functions.h"

namespace tolva::platform::win32 {
namespace {

struct EnumTrampoline {
  WindowEnumProc proc;
  void* context;
  // What the visitor threw. An exception cannot unwind through user32's frames (the process
  // would end), so it is kept here, the enumeration stops, and it is thrown again once
  // EnumWindows has returned.
  std::exception_ptr escaped;
};

BOOL CALLBACK EnumWindowsThunk(HWND window, LPARAM lParam) noexcept {
  auto* trampoline = reinterpret_cast<EnumTrampoline*>(lParam);
  try {
    return trampoline->proc(ToHandle(window), trampoline->context) ? TRUE : FALSE;
  } catch (...) {
    trampoline->escaped = std::current_exception();
    return FALSE;
  }
}

std::string LocaleText(LCTYPE type) {
  char buffer[96] = {};
  if (::GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buffer, sizeof buffer) == 0) return {};
  return buffer;
}

}  // namespace

bool Win32WindowManager::EnumWindows(WindowEnumProc proc, void* context) {
  EnumTrampoline trampoline{proc, context, nullptr};
  const BOOL completed = ::EnumWindows(EnumWindowsThunk, reinterpret_cast<LPARAM>(&trampoline));
  if (trampoline.escaped) std::rethrow_exception(trampoline.escaped);
  return completed != FALSE;
}

WindowHandle Win32WindowManager::GetDesktopWindow() { return ToHandle(::GetDesktopWindow()); }

WindowHandle Win32WindowManager::FindWindowA(const char* className, const char* windowName) {
  return ToHandle(::FindWindowA(className, windowName));
}

int Win32WindowManager::GetWindowTextA(WindowHandle window, char* buffer, int capacity) {
  return ::GetWindowTextA(ToHwnd(window), buffer, capacity);
}

bool Win32WindowManager::IsWindow(WindowHandle window) { return ::IsWindow(ToHwnd(window)) != FALSE; }

bool Win32WindowManager::IsWindowVisible(WindowHandle window) {
  return ::IsWindowVisible(ToHwnd(window)) != FALSE;
}

bool Win32WindowManager::IsWindowEnabled(WindowHandle window) {
  return ::IsWindowEnabled(ToHwnd(window)) != FALSE;
}

bool Win32WindowManager::ShowWindow(WindowHandle window, ShowCommand command) {
  return ::ShowWindow(ToHwnd(window), static_cast<int>(command)) != FALSE;
}

std::uint32_t Win32WindowManager::GetWindowThreadProcessId(WindowHandle window) {
  DWORD processId = 0;
  return ::GetWindowThreadProcessId(ToHwnd(window), &processId) != 0 ? processId : 0;
}

std::optional<std::uint32_t> Win32WindowManager::DwmGetWindowAttributeCloaked(WindowHandle window) {
  const auto getAttribute = later::Find<later::DwmGetWindowAttribute>();
  if (getAttribute == nullptr) return std::nullopt;
  DWORD cloaked = 0;
  if (FAILED(getAttribute(ToHwnd(window), DWMWA_CLOAKED, &cloaked, sizeof cloaked))) return std::nullopt;
  return cloaked;
}

std::optional<bool> Win32WindowManager::IsHungAppWindow(WindowHandle window) {
  const auto isHung = later::Find<later::IsHungAppWindow>();
  if (isHung == nullptr) return std::nullopt;
  return isHung(ToHwnd(window)) != FALSE;
}

bool Win32WindowManager::ShowWindowAsync(WindowHandle window, ShowCommand command) {
  return ::ShowWindowAsync(ToHwnd(window), static_cast<int>(command)) != FALSE;
}

bool Win32WindowManager::SetForegroundWindow(WindowHandle window) {
  return ::SetForegroundWindow(ToHwnd(window)) != FALSE;
}

WindowHandle Win32WindowManager::SetFocus(WindowHandle window) {
  return ToHandle(::SetFocus(ToHwnd(window)));
}

bool Win32WindowManager::LockWindowUpdate(WindowHandle window) {
  return ::LockWindowUpdate(ToHwnd(window)) != FALSE;
}

bool Win32WindowManager::GetCursorPos(int& x, int& y) {
  POINT point{};
  if (!::GetCursorPos(&point)) return false;
  x = point.x;
  y = point.y;
  return true;
}

unsigned Win32WindowManager::RegisterWindowMessageA(const char* name) {
  return ::RegisterWindowMessageA(name);
}

bool Win32WindowManager::RegisterHotKey(WindowHandle window, int id, unsigned modifiers, unsigned key) {
  return ::RegisterHotKey(ToHwnd(window), id, modifiers, key) != FALSE;
}

bool Win32WindowManager::UnregisterHotKey(WindowHandle window, int id) {
  return ::UnregisterHotKey(ToHwnd(window), id) != FALSE;
}

bool Win32SystemParameters::SystemParametersInfoA(unsigned action, unsigned param, void* data,
                                                  unsigned flags) {
  return ::SystemParametersInfoA(action, param, data, flags) != FALSE;
}

std::uint32_t Win32ProfileFiles::GetPrivateProfileStringA(const char* section, const char* key,
                                                          const char* defaultValue, char* buffer,
                                                          std::uint32_t capacity,
                                                          const char* fileName) {
  return ::GetPrivateProfileStringA(section, key, defaultValue, buffer, capacity, fileName);
}

bool Win32ProfileFiles::WritePrivateProfileStringA(const char* section, const char* key,
                                                   const char* value, const char* fileName) {
  return ::WritePrivateProfileStringA(section, key, value, fileName) != FALSE;
}

std::uint32_t Win32ProfileFiles::GetWindowsDirectoryA(char* buffer, std::uint32_t capacity) {
  return ::GetWindowsDirectoryA(buffer, capacity);
}

std::uint32_t Win32Process::GetCurrentDirectoryA(std::uint32_t capacity, char* buffer) {
  return ::GetCurrentDirectoryA(capacity, buffer);
}

std::uint32_t Win32Process::GetModuleFileNameA(char* buffer, std::uint32_t capacity) {
  return ::GetModuleFileNameA(nullptr, buffer, capacity);
}

RegionalSettings Win32Locale::ReadRegionalSettings() {
  RegionalSettings region;
  region.timeSeparator = LocaleText(LOCALE_STIME);
  region.clock24 = LocaleText(LOCALE_ITIME) == "1";
  region.hourLeadingZero = LocaleText(LOCALE_ITLZERO) == "1";
  region.designatorFirst = LocaleText(LOCALE_ITIMEMARKPOSN) == "1";
  region.amDesignator = LocaleText(LOCALE_S1159);
  region.pmDesignator = LocaleText(LOCALE_S2359);
  region.shortDatePattern = LocaleText(LOCALE_SSHORTDATE);
  region.dateSeparator = LocaleText(LOCALE_SDATE);
  region.thousandSeparator = LocaleText(LOCALE_STHOUSAND);
  for (int i = 0; i < 12; ++i) {
    region.shortMonthNames[i] = LocaleText(static_cast<LCTYPE>(LOCALE_SABBREVMONTHNAME1 + i));
    region.longMonthNames[i] = LocaleText(static_cast<LCTYPE>(LOCALE_SMONTHNAME1 + i));
  }
  // Windows numbers the day names from Monday; SYSTEMTIME counts from Sunday.
  for (int i = 0; i < 7; ++i) {
    const int fromMonday = (i + 6) % 7;
    region.shortDayNames[i] = LocaleText(static_cast<LCTYPE>(LOCALE_SABBREVDAYNAME1 + fromMonday));
    region.longDayNames[i] = LocaleText(static_cast<LCTYPE>(LOCALE_SDAYNAME1 + fromMonday));
  }
  return region;
}

LocalTime Win32Clock::GetLocalTime() {
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  return LocalTime{now.wYear,   now.wMonth,  now.wDayOfWeek, now.wDay,
                   now.wHour,   now.wMinute, now.wSecond,    now.wMilliseconds};
}

bool Win32Dialogs::MessageBeep(unsigned type) { return ::MessageBeep(type) != FALSE; }

int Win32Dialogs::MessageBoxA(WindowHandle owner, const char* text, const char* caption,
                              unsigned type) {
  return ::MessageBoxA(ToHwnd(owner), text, caption, type);
}

bool Win32FileDialogs::GetOpenFileNameA(OpenFileRequest& request) {
  // The filter list as comdlg32 takes it: description and patterns, each ended by a null, and
  // one more null at the end.
  std::string filter;
  for (const FileFilter& entry : request.filters) {
    filter += entry.description;
    filter += '\0';
    filter += entry.patterns;
    filter += '\0';
  }
  filter += '\0';
  char file[MAX_PATH] = {};
  request.fileName.copy(file, sizeof file - 1);
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = ToHwnd(request.owner);
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = static_cast<DWORD>(request.filterIndex);
  dialog.lpstrFile = file;
  dialog.nMaxFile = sizeof file;
  dialog.lpstrInitialDir = request.initialDir.empty() ? nullptr : request.initialDir.c_str();
  dialog.lpstrTitle = request.title.c_str();
  dialog.Flags = OFN_EXPLORER | (request.hideReadOnly ? OFN_HIDEREADONLY : 0) |
                 (request.pathMustExist ? OFN_PATHMUSTEXIST : 0) |
                 (request.fileMustExist ? OFN_FILEMUSTEXIST : 0) |
                 (request.resizable ? OFN_ENABLESIZING : 0);
  BOOL chosen = ::GetOpenFileNameA(&dialog);
  if (!chosen && ::CommDlgExtendedError() == CDERR_STRUCTSIZE) {
    // Windows 95 and NT 4.0 know the record only in its first form (without the places bar).
    dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    chosen = ::GetOpenFileNameA(&dialog);
  }
  if (!chosen) return false;
  request.fileName = file;
  return true;
}

std::intptr_t Win32Shell::ShellExecuteA(WindowHandle owner, const char* verb, const char* file,
                                        const char* parameters, const char* directory,
                                        int showCommand) {
  return reinterpret_cast<std::intptr_t>(
      ::ShellExecuteA(ToHwnd(owner), verb, file, parameters, directory, showCommand));
}

void Win32Shell::SHAddToRecentDocs(unsigned flags, const void* path) {
  ::SHAddToRecentDocs(flags, path);
}

// The record's fields go into the current NOTIFYICONDATAA, sized as its first form: the fields up
// to a 64-byte tip, which every shell accepts. That size is the header's for this width (the
// 64-bit form of the same fields is larger), not the record's own 88.
static_assert(sizeof(NOTIFYICONDATAA{}.szTip) >= TrayTipCapacity);

bool Win32Shell::Shell_NotifyIconA(unsigned message, const TrayIconRecord& record) {
  NOTIFYICONDATAA data{};
  data.cbSize = NOTIFYICONDATAA_V1_SIZE;
  data.hWnd = ToHwnd(record.window);
  data.uID = record.id;
  data.uFlags = record.flags;
  data.uCallbackMessage = record.callbackMessage;
  data.hIcon = ToIcon(record.icon);
  const std::string_view tip = TrayTipText(record);
  tip.copy(data.szTip, std::min(tip.size(), TrayTipCapacity - 1));
  return ::Shell_NotifyIconA(message, &data) != FALSE;
}

IconHandle Win32Icons::LoadSmallIcon(const char* resourceName) {
  return ToIconHandle(static_cast<HICON>(::LoadImageA(::GetModuleHandleA(nullptr), resourceName, IMAGE_ICON,
                                                      ::GetSystemMetrics(SM_CXSMICON),
                                                      ::GetSystemMetrics(SM_CYSMICON), LR_SHARED)));
}

bool Win32Sound::PlaySoundA(int resource, unsigned flags) {
  return ::PlaySoundA(MAKEINTRESOURCEA(resource), ::GetModuleHandleA(nullptr), flags) != FALSE;
}

bool Win32Help::WinHelpA(WindowHandle window, const char* helpFile, unsigned command,
                         std::uintptr_t data) {
  return ::WinHelpA(ToHwnd(window), helpFile, command, data) != FALSE;
}

std::optional<WindowHandle> Win32Help::HtmlHelpA(WindowHandle caller, const char* file, unsigned command,
                                                 std::uintptr_t data) {
  const auto htmlHelp = later::Find<later::HtmlHelpA>();
  if (htmlHelp == nullptr) return std::nullopt;
  return ToHandle(htmlHelp(ToHwnd(caller), file, command, data));
}

bool Win32Help::HtmlHelpBuiltIntoWine() {
  const auto htmlHelp = later::Find<later::HtmlHelpA>();
  if (htmlHelp == nullptr) return false;
  // The module is the allocation its code lies in; Wine writes this mark after the DOS header
  // of every DLL it builds in.
  MEMORY_BASIC_INFORMATION region{};
  if (::VirtualQuery(reinterpret_cast<const void*>(htmlHelp), &region, sizeof region) == 0 ||
      region.AllocationBase == nullptr) {
    return false;
  }
  constexpr std::size_t MarkAt = 0x40;
  constexpr std::string_view Mark = "Wine builtin DLL";
  return std::string_view(static_cast<const char*>(region.AllocationBase) + MarkAt, Mark.size()) == Mark;
}

KernelHandle Win32Kernel::CreateMutexA(bool initialOwner, const char* name) {
  return ToKernelHandle(::CreateMutexA(nullptr, initialOwner ? TRUE : FALSE, name));
}

std::uint32_t Win32Kernel::GetLastError() { return ::GetLastError(); }

bool Win32Kernel::ReleaseMutex(KernelHandle mutex) {
  return ::ReleaseMutex(ToKernel(mutex)) != FALSE;
}

bool Win32Kernel::CloseHandle(KernelHandle handle) {
  return ::CloseHandle(ToKernel(handle)) != FALSE;
}

bool Win32Kernel::GetVersionExA(VersionRecord& version) {
  OSVERSIONINFOA info{};
  static_assert(sizeof info == 148);
  info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!::GetVersionExA(&info)) return false;
#pragma GCC diagnostic pop
  version.majorVersion = info.dwMajorVersion;
  version.minorVersion = info.dwMinorVersion;
  version.buildNumber = info.dwBuildNumber;
  version.platformId = info.dwPlatformId;
  return true;
}

void Win32Kernel::GlobalMemoryStatus(MemoryStatus& status) {
  MEMORYSTATUS info{};
  info.dwLength = status.length;
  ::GlobalMemoryStatus(&info);
  status.memoryLoad = info.dwMemoryLoad;
  // The fields are pointer-sized; on 64-bit Windows a total beyond 32 bits reads as the
  // largest 32-bit figure, as 32-bit Windows reports it.
  status.totalPhys = static_cast<std::uint32_t>(
      std::min<SIZE_T>(info.dwTotalPhys, std::numeric_limits<std::uint32_t>::max()));
}

std::optional<MemoryStatusEx> Win32Kernel::GlobalMemoryStatusEx() {
  const auto query = later::Find<later::GlobalMemoryStatusEx>();
  if (query == nullptr) return std::nullopt;
  MEMORYSTATUSEX info{};
  info.dwLength = sizeof info;
  if (!query(&info)) return std::nullopt;
  return MemoryStatusEx{info.dwMemoryLoad, info.ullTotalPhys};
}

}  // namespace tolva::platform::win32

namespace tolva::platform::win32 {
namespace {

// An open file, closed however the operation ends.
class OpenFile {
 public:
  OpenFile(const std::string& path, DWORD access, DWORD creation)
      : handle_(CreateFileA(path.c_str(), access, FILE_SHARE_READ, nullptr, creation, FILE_ATTRIBUTE_NORMAL,
                            nullptr)) {}
  ~OpenFile() {
    if (is_open()) CloseHandle(handle_);
  }
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;
  bool is_open() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

}  // namespace

std::optional<std::string> Win32Files::ReadWholeFile(const std::string& path, std::size_t maxBytes) {
  const OpenFile file(path, GENERIC_READ, OPEN_EXISTING);
  if (!file.is_open()) return std::nullopt;
  std::string bytes;
  char chunk[4096];
  DWORD read = 0;
  while (bytes.size() < maxBytes &&
         ReadFile(file.get(), chunk, static_cast<DWORD>(std::min(sizeof chunk, maxBytes - bytes.size())), &read,
                  nullptr) &&
         read > 0) {
    bytes.append(chunk, read);
  }
  return bytes;
}

bool Win32Files::WriteWholeFile(const std::string& path, std::string_view bytes) {
  const OpenFile file(path, GENERIC_WRITE, CREATE_ALWAYS);
  if (!file.is_open()) return false;
  DWORD written = 0;
  return WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size() && FlushFileBuffers(file.get());
}

MoveResult Win32Files::MoveFileExA(const std::string& from, const std::string& to) {
  if (::MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return MoveResult::Moved;
  }
  return ::GetLastError() == ERROR_CALL_NOT_IMPLEMENTED ? MoveResult::Unsupported : MoveResult::Failed;
}

bool Win32Files::MoveFileA(const std::string& from, const std::string& to) {
  return ::MoveFileA(from.c_str(), to.c_str()) != FALSE;
}

bool Win32Files::DeleteFileA(const std::string& path) { return ::DeleteFileA(path.c_str()) != FALSE; }

}  // namespace tolva::platform::win32
