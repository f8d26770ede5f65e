#pragma once
// The simulated message boxes, shell, sound, help and kernel: each call is recorded in the
// shared call log, and the answers come from what the test set up.
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "platform/file_dialogs.h"
#include "platform/help.h"
#include "platform/icons.h"
#include "platform/kernel.h"
#include "platform/shell.h"
#include "platform/sim/sim_log.h"
#include "platform/sound.h"

namespace tolva::platform::sim {

class SimDialogs final : public Dialogs {
 public:
  explicit SimDialogs(CallLog& log) : log_(log) {}

  struct Box {
    WindowHandle owner;
    std::string text;
    std::string caption;
    unsigned type;
  };
  std::vector<Box> boxes;  // every box shown, in order
  // Answers for the next boxes, first one first; an empty queue answers IDOK.
  std::deque<int> answers;
  // Runs while a box is open, before it is answered: the message loop keeps running under a
  // modal box, so a test delivers other messages here.
  std::function<void(const Box&)> whileOpen;

  bool MessageBeep(unsigned type) override;
  int MessageBoxA(WindowHandle owner, const char* text, const char* caption, unsigned type) override;

 private:
  CallLog& log_;
};

// The file chooser: every request is kept; the script answers as the user would (sets the
// request's fileName and returns true, or returns false for Cancel). Without one, Cancel.
class SimFileDialogs final : public FileDialogs {
 public:
  explicit SimFileDialogs(CallLog& log) : log_(log) {}
  std::vector<OpenFileRequest> requests;
  std::function<bool(OpenFileRequest&)> script;
  bool GetOpenFileNameA(OpenFileRequest& request) override {
    requests.push_back(request);
    log_.Add("GetOpenFileNameA \"" + request.title + "\"");
    return script ? script(request) : false;
  }

 private:
  CallLog& log_;
};

class SimShell final : public Shell {
 public:
  explicit SimShell(CallLog& log) : log_(log) {}

  // The notification area: the icons present, by their window and id, with what the shell
  // took of the fields the record's flags named.
  struct TrayIcon {
    std::uint32_t callbackMessage = 0;
    IconHandle icon = NullIcon;
    std::string tip;
  };
  using TrayIconKey = std::pair<WindowHandle, std::uint32_t>;
  std::map<TrayIconKey, TrayIcon> trayIcons;
  // The last Shell_NotifyIconA call, refused or not.
  std::optional<unsigned> lastTrayMessage;
  std::optional<TrayIconRecord> lastTrayRecord;
  // Each refuses the next call of its kind only, as a shell short of memory would.
  bool failNextTrayAdd = false;
  bool failNextTrayModify = false;
  bool failNextTrayDelete = false;
  // The shell ends and starts again: the new notification area knows no icon.
  void RestartShell();

  struct Execute {
    WindowHandle owner;
    std::string verb, file, parameters, directory;
    int showCommand;
  };
  std::vector<Execute> executed;
  // ShellExecuteA's result for a file; files not listed open (42).
  std::map<std::string, std::intptr_t> results;
  std::vector<std::string> recentDocuments{"letter.doc", "budget.xls"};

  std::intptr_t ShellExecuteA(WindowHandle owner, const char* verb, const char* file,
                              const char* parameters, const char* directory,
                              int showCommand) override;
  void SHAddToRecentDocs(unsigned flags, const void* path) override;
  bool Shell_NotifyIconA(unsigned message, const TrayIconRecord& record) override;

 private:
  CallLog& log_;
};

// The program module's icons: the two of its resources, unless a test takes them away.
class SimIcons final : public Icons {
 public:
  explicit SimIcons(CallLog& log) : log_(log) {}
  std::map<std::string, IconHandle> icons{{"MAINICON", 0x3010}, {"TRANSPARENT_ICON", 0x3020}};
  bool failNextLoad = false;  // the next load finds no memory for the icon
  IconHandle LoadSmallIcon(const char* resourceName) override;

 private:
  CallLog& log_;
};

class SimSound final : public Sound {
 public:
  explicit SimSound(CallLog& log) : log_(log) {}
  std::vector<int> played;
  bool PlaySoundA(int resource, unsigned flags) override;

 private:
  CallLog& log_;
};

class SimHelp final : public Help {
 public:
  explicit SimHelp(CallLog& log) : log_(log) {}
  bool fail = false;  // the help engine cannot be started
  std::vector<WindowHandle> windows;  // the owner of each call, in order
  // What HtmlHelpA does: the system lacks it, it opens no window, or it opens one.
  enum class HtmlHelpAnswer { Missing, NoWindow, Opens };
  HtmlHelpAnswer htmlHelp = HtmlHelpAnswer::Opens;
  bool wineHtmlHelp = false;  // the engine is Wine's own
  bool WinHelpA(WindowHandle window, const char* helpFile, unsigned command,
                std::uintptr_t data) override;
  std::optional<WindowHandle> HtmlHelpA(WindowHandle caller, const char* file, unsigned command,
                                        std::uintptr_t data) override;
  bool HtmlHelpBuiltIntoWine() override { return wineHtmlHelp && htmlHelp != HtmlHelpAnswer::Missing; }

 private:
  CallLog& log_;
};

// Named mutexes of the session, shared by every simulated process that is given this object.
struct SimMutexNamespace {
  std::map<std::string, int> references;  // name -> open handles
};

class SimKernel final : public Kernel {
 public:
  SimKernel(CallLog& log, SimMutexNamespace& names) : log_(log), names_(names) {}

  bool failCreateMutex = false;
  bool failVersion = false;
  VersionRecord version{5, 1, 2600, 2};
  // The figures GlobalMemoryStatus reports; with failMemory it leaves the record as it came,
  // with throwMemory it throws (as a failing query of the program's own would).
  // Both queries report them; GlobalMemoryStatus's 32-bit total stops at 4 GB. Each fails or
  // throws by the flags, and GlobalMemoryStatusEx is missing with memoryStatusExMissing.
  std::uint32_t memoryLoad = 37;
  std::uint64_t totalPhys = 536'350'720;
  bool failMemory = false;
  bool throwMemory = false;
  bool memoryStatusExMissing = false;

  KernelHandle CreateMutexA(bool initialOwner, const char* name) override;
  std::uint32_t GetLastError() override { return lastError_; }
  bool ReleaseMutex(KernelHandle mutex) override;
  bool CloseHandle(KernelHandle handle) override;
  bool GetVersionExA(VersionRecord& record) override;
  void GlobalMemoryStatus(MemoryStatus& status) override;
  std::optional<MemoryStatusEx> GlobalMemoryStatusEx() override;

 private:
  CallLog& log_;
  SimMutexNamespace& names_;
  std::map<KernelHandle, std::string> open_;
  KernelHandle next_ = 0x200;
  std::uint32_t lastError_ = 0;
};

}  // namespace tolva::platform::sim
