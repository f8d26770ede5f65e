#pragma once
// The real operating-system services, one thin class per area. No decisions live here: each
// method is the Win32 call it is named after, with the program's types at the edges.
#include "platform/platform.h"

namespace tolva::platform::win32 {

class Win32WindowManager final : public WindowManager {
 public:
  bool EnumWindows(WindowEnumProc proc, void* context) override;
  WindowHandle GetDesktopWindow() override;
  WindowHandle FindWindowA(const char* className, const char* windowName) override;
  int GetWindowTextA(WindowHandle window, char* buffer, int capacity) override;
  bool IsWindow(WindowHandle window) override;
  bool IsWindowVisible(WindowHandle window) override;
  bool IsWindowEnabled(WindowHandle window) override;
  bool ShowWindow(WindowHandle window, ShowCommand command) override;
  std::optional<bool> IsHungAppWindow(WindowHandle window) override;
  std::optional<std::uint32_t> DwmGetWindowAttributeCloaked(WindowHandle window) override;
  std::uint32_t GetWindowThreadProcessId(WindowHandle window) override;
  bool ShowWindowAsync(WindowHandle window, ShowCommand command) override;
  bool SetForegroundWindow(WindowHandle window) override;
  WindowHandle SetFocus(WindowHandle window) override;
  bool LockWindowUpdate(WindowHandle window) override;
  bool GetCursorPos(int& x, int& y) override;
  unsigned RegisterWindowMessageA(const char* name) override;
  bool RegisterHotKey(WindowHandle window, int id, unsigned modifiers, unsigned key) override;
  bool UnregisterHotKey(WindowHandle window, int id) override;
};

class Win32SystemParameters final : public SystemParameters {
 public:
  bool SystemParametersInfoA(unsigned action, unsigned param, void* data, unsigned flags) override;
};

class Win32ProfileFiles final : public ProfileFiles {
 public:
  std::uint32_t GetPrivateProfileStringA(const char* section, const char* key,
                                         const char* defaultValue, char* buffer,
                                         std::uint32_t capacity, const char* fileName) override;
  bool WritePrivateProfileStringA(const char* section, const char* key, const char* value,
                                  const char* fileName) override;
  std::uint32_t GetWindowsDirectoryA(char* buffer, std::uint32_t capacity) override;
};

class Win32Process final : public Process {
 public:
  std::uint32_t GetCurrentDirectoryA(std::uint32_t capacity, char* buffer) override;
  std::uint32_t GetModuleFileNameA(char* buffer, std::uint32_t capacity) override;
};

class Win32Locale final : public Locale {
 public:
  RegionalSettings ReadRegionalSettings() override;
};

class Win32Clock final : public Clock {
 public:
  LocalTime GetLocalTime() override;
};

class Win32Dialogs final : public Dialogs {
 public:
  bool MessageBeep(unsigned type) override;
  int MessageBoxA(WindowHandle owner, const char* text, const char* caption, unsigned type) override;
};

class Win32FileDialogs final : public FileDialogs {
 public:
  bool GetOpenFileNameA(OpenFileRequest& request) override;
};

class Win32Shell final : public Shell {
 public:
  std::intptr_t ShellExecuteA(WindowHandle owner, const char* verb, const char* file,
                              const char* parameters, const char* directory,
                              int showCommand) override;
  void SHAddToRecentDocs(unsigned flags, const void* path) override;
  bool Shell_NotifyIconA(unsigned message, const TrayIconRecord& record) override;
};

// Plays wave resources of the program's own module.
class Win32Sound final : public Sound {
 public:
  bool PlaySoundA(int resource, unsigned flags) override;
};

class Win32Help final : public Help {
 public:
  bool WinHelpA(WindowHandle window, const char* helpFile, unsigned command,
                std::uintptr_t data) override;
  std::optional<WindowHandle> HtmlHelpA(WindowHandle caller, const char* file, unsigned command,
                                        std::uintptr_t data) override;
  bool HtmlHelpBuiltIntoWine() override;
};

class Win32Kernel final : public Kernel {
 public:
  KernelHandle CreateMutexA(bool initialOwner, const char* name) override;
  std::uint32_t GetLastError() override;
  bool ReleaseMutex(KernelHandle mutex) override;
  bool CloseHandle(KernelHandle handle) override;
  bool GetVersionExA(VersionRecord& version) override;
  void GlobalMemoryStatus(MemoryStatus& status) override;
  std::optional<MemoryStatusEx> GlobalMemoryStatusEx() override;
};

// Loads icons from the program's own module.
class Win32Icons final : public Icons {
 public:
  IconHandle LoadSmallIcon(const char* resourceName) override;
};

class Win32Files final : public Files {
 public:
  std::optional<std::string> ReadWholeFile(const std::string& path, std::size_t maxBytes) override;
  bool WriteWholeFile(const std::string& path, std::string_view bytes) override;
  MoveResult MoveFileExA(const std::string& from, const std::string& to) override;
  bool MoveFileA(const std::string& from, const std::string& to) override;
  bool DeleteFileA(const std::string& path) override;
};

// All of the above, as the one platform object of a real run.
class Win32Platform {
 public:
  Win32Platform()
      : platform_{windows_, systemParameters_, profile_, process_, locale_, clock_,
                  dialogs_, fileDialogs_,      shell_,   sound_,   help_,  kernel_,
                  icons_,   files_} {}
  Win32Platform(const Win32Platform&) = delete;
  Win32Platform& operator=(const Win32Platform&) = delete;
  Platform& get() { return platform_; }

 private:
  Win32WindowManager windows_;
  Win32SystemParameters systemParameters_;
  Win32ProfileFiles profile_;
  Win32Process process_;
  Win32Locale locale_;
  Win32Clock clock_;
  Win32Dialogs dialogs_;
  Win32FileDialogs fileDialogs_;
  Win32Shell shell_;
  Win32Sound sound_;
  Win32Help help_;
  Win32Kernel kernel_;
  Win32Icons icons_;
  Win32Files files_;
  Platform platform_;
};

}  // namespace tolva::platform::win32
