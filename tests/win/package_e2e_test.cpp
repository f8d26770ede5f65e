// The installer end to end, in a Wine prefix where nothing was installed before: scripts/test
// makes the package and a fresh prefix and runs this test there, TOLVA_SETUP naming the
// installer. It walks what a user does with it: a silent install; the program started from its
// Start menu shortcut, and its help on F1; an install and an uninstall refused while the program
// runs; upgrades over the first install, choosing to start with Windows; the silent uninstall.
// DISABLED_ keeps it out of the regular suite, which has no package and whose prefix would keep
// what it installs.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>

#include "app/main_form.h"
#include "files.h"
#include "tolva_process.h"

namespace tolva::tests {
namespace {

// The folder's name under Program Files and in the Start menu, and the shortcuts' names.
constexpr const char* ProductFolder = "Tolva R. Quenlar";
constexpr const char* ProgramLink = "Tolva R. Quenlar.lnk";
constexpr const char* UninstallKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tolva R. Quenlar";
constexpr const char* HelpKey = "Software\\Microsoft\\Windows\\Help";
// An installer that gave up ends with this code.
constexpr DWORD Refused = 2;
constexpr int InstallerTimeoutMs = 60000;

std::string ShellFolder(int csidl) {
  char path[MAX_PATH] = {};
  return SUCCEEDED(SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path)) ? path : "";
}

std::string BuiltProgram() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder = path;
  return folder.substr(0, folder.rfind('\\') + 1) + TOLVA_EXE;
}

struct KeyCloser {
  void operator()(HKEY key) const { RegCloseKey(key); }
};
using Key = std::unique_ptr<std::remove_pointer_t<HKEY>, KeyCloser>;

Key OpenKey(const char* path) {
  HKEY key = nullptr;
  return Key(RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) == ERROR_SUCCESS ? key : nullptr);
}

// A value of a key under HKEY_LOCAL_MACHINE: its text, or for a number its decimal digits.
std::optional<std::string> RegistryValue(const char* path, const char* name) {
  const Key key = OpenKey(path);
  char data[1024] = {};
  DWORD type = 0, size = sizeof data - 1;
  if (!key || RegQueryValueExA(key.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(data),
                               &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  if (type == REG_DWORD) return std::to_string(*reinterpret_cast<const DWORD*>(data));
  return std::string(data);
}

struct ComReleaser {
  void operator()(IUnknown* object) const { object->Release(); }
};
template <class Interface>
using Com = std::unique_ptr<Interface, ComReleaser>;

struct Shortcut {
  std::string target, folder;
};

// A shortcut's target and working folder, as the shell reads them.
std::optional<Shortcut> ReadShortcut(const std::string& path) {
  IShellLinkA* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void**>(&link)))) {
    return std::nullopt;
  }
  const Com<IShellLinkA> shellLink(link);
  IPersistFile* file = nullptr;
  if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) return std::nullopt;
  const Com<IPersistFile> persisted(file);
  wchar_t widePath[MAX_PATH] = {};
  MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, widePath, MAX_PATH);
  char target[MAX_PATH] = {}, folder[MAX_PATH] = {};
  if (FAILED(file->Load(widePath, STGM_READ)) || FAILED(link->GetPath(target, MAX_PATH, nullptr, 0)) ||
      FAILED(link->GetWorkingDirectory(folder, MAX_PATH))) {
    return std::nullopt;
  }
  return Shortcut{target, folder};
}

// The bytes of the files in a folder (not in its subfolders).
unsigned long long FolderBytes(const std::string& folder) {
  unsigned long long bytes = 0;
  WIN32_FIND_DATAA entry{};
  const HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return 0;
  do {
    if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
      bytes += (static_cast<unsigned long long>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
  } while (FindNextFileA(search, &entry));
  FindClose(search);
  return bytes;
}

// Runs a command to its end; its exit code, or STILL_ACTIVE when it did not end in time.
DWORD RunToEnd(const std::string& command) {
  return ChildProcess(command, STARTUPINFOA{}).WaitForExitCode(InstallerTimeoutMs);
}

// The help viewer that WinHelp starts, found by the window WinHelp talks to; ended with this
// object, so that a viewer left waiting for an answer does not outlive the test.
class HelpViewer {
 public:
  HelpViewer() = default;
  HelpViewer(const HelpViewer&) = delete;
  HelpViewer& operator=(const HelpViewer&) = delete;
  ~HelpViewer() { End(); }

  // Its visible main window showing a help file, or a message box of it; null when neither.
  HWND Showing() {
    const HWND talk = FindWindowA("MS_WINHELP", nullptr);
    if (talk == nullptr) return nullptr;
    GetWindowThreadProcessId(talk, &process_);
    for (HWND w : TopLevelWindowsOf(process_))
      if (IsWindowVisible(w) && (ClassOf(w) == "MS_WINHELP" || ClassOf(w) == "#32770")) return w;
    return nullptr;
  }
  void End() {
    const HANDLE process = process_ != 0 ? OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, process_) : nullptr;
    process_ = 0;
    if (process == nullptr) return;
    TerminateProcess(process, 1);
    WaitForSingleObject(process, 10000);
    CloseHandle(process);
  }

 private:
  DWORD process_ = 0;
};

bool IsHelpFile(const std::string& path) {
  return FileBytes(path).value_or("").rfind(std::string("\x3F\x5F\x03\x00", 4), 0) == 0;
}

class PackageEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(setup_, nullptr) << "TOLVA_SETUP names the installer";
    CoInitialize(nullptr);
  }
  void TearDown() override { CoUninitialize(); }

  std::string Setup() const { return std::string("\"") + setup_ + "\""; }
  std::string In(const char* name) const { return folder_ + "\\" + name; }
  std::string Uninstaller() const { return In("uninstall.exe"); }

  void ExpectInstalled(bool startsWithWindows) const {
    EXPECT_EQ(FileBytes(In("tolva.exe")), FileBytes(BuiltProgram())) << "the program as built";
    EXPECT_TRUE(Exists(In("tolva.hlp")));
    EXPECT_TRUE(Exists(Uninstaller()));

    // Every shortcut starts in the install folder, where help's bare file name is found.
    struct LinkRow {
      std::string link, target;
      bool made;
    };
    for (const LinkRow& row : {LinkRow{menu_ + "\\" + ProgramLink, In("tolva.exe"), true},
                               LinkRow{menu_ + "\\Tolva R. Quenlar Help.lnk", In("tolva.hlp"), true},
                               LinkRow{menu_ + "\\Uninstall Tolva R. Quenlar.lnk", Uninstaller(), true},
                               LinkRow{startupLink_, In("tolva.exe"), startsWithWindows}}) {
      SCOPED_TRACE(row.link);
      const auto shortcut = ReadShortcut(row.link);
      EXPECT_EQ(shortcut.has_value(), row.made);
      if (!shortcut) continue;
      EXPECT_EQ(shortcut->target, row.target);
      EXPECT_EQ(shortcut->folder, folder_);
    }

    // The list of programs names the program and its maker as the program's version record does,
    // and the folder's size in kilobytes.
    const FileVersion version(In("tolva.exe"));
    struct ValueRow {
      const char* key;
      const char* name;
      std::string value;
    };
    for (const ValueRow& row :
         {ValueRow{UninstallKey, "DisplayName", std::string(app::ApplicationTitle)},
          ValueRow{UninstallKey, "DisplayVersion", version.Text("FileVersion")},
          ValueRow{UninstallKey, "Publisher", version.Text("CompanyName")},
          ValueRow{UninstallKey, "InstallLocation", folder_},
          ValueRow{UninstallKey, "QuietUninstallString", "\"" + Uninstaller() + "\" /S"},
          ValueRow{UninstallKey, "EstimatedSize", std::to_string(FolderBytes(folder_) / 1024)},
          ValueRow{HelpKey, "tolva.hlp", folder_}}) {
      EXPECT_EQ(RegistryValue(row.key, row.name), row.value) << row.name;
    }
  }

  void ExpectRemoved() const {
    for (const std::string& path : {folder_, menu_, startupLink_}) EXPECT_FALSE(Exists(path)) << path;
    EXPECT_FALSE(OpenKey(UninstallKey));
    EXPECT_EQ(RegistryValue(HelpKey, "tolva.hlp"), std::nullopt);
  }

  const char* setup_ = std::getenv("TOLVA_SETUP");
  const std::string folder_ = ShellFolder(CSIDL_PROGRAM_FILES) + "\\" + ProductFolder;
  const std::string menu_ = ShellFolder(CSIDL_COMMON_PROGRAMS) + "\\" + ProductFolder;
  const std::string startupLink_ = ShellFolder(CSIDL_STARTUP) + "\\" + ProgramLink;
};

TEST_F(PackageEndToEnd, DISABLED_InstallsStartsUpgradesRefusesWhileRunningAndUninstalls) {
  ExpectRemoved();
  ASSERT_FALSE(HasFailure()) << "a prefix where Tolva was never installed";
  const bool helpKeyBefore = OpenKey(HelpKey) != nullptr;
  WriteSettingsFile("[Settings]\r\nShowExit=1\r\nWarnExit=0\r\nToTray=0\r\nWAV=0\r\n");

  ASSERT_EQ(RunToEnd(Setup() + " /S"), 0u);
  ExpectInstalled(false);

  // The program as its Start menu shortcut starts it; F1 opens the help file's main topic:
  // WinHelp's viewer finds tolva.hlp by its bare name in the program's current folder.
  const auto shortcut = ReadShortcut(menu_ + "\\" + ProgramLink);
  ASSERT_TRUE(shortcut.has_value());
  TolvaProcess tolva(shortcut->target, shortcut->folder);
  ASSERT_TRUE(tolva.WaitForMainWindow());
  SetForegroundWindow(tolva.MainWindow());
  PressKey(VK_F1);
  HelpViewer viewer;
  HWND help = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (help = viewer.Showing()) != nullptr; }, 20000));
  if (IsHelpFile(In("tolva.hlp"))) {
    EXPECT_EQ(ClassOf(help), "MS_WINHELP") << "the viewer shows the help file";
  } else {
    // A stand-in for the help file: the viewer found it, and says it cannot read it instead of
    // asking where it is.
    std::printf("tolva.hlp is not a help file: F1 checked up to the viewer finding it\n");
    EXPECT_EQ(ClassOf(help), "#32770");
    EXPECT_EQ(GetDlgItem(help, IDYES), nullptr);
    EXPECT_NE(ControlText(GetDlgItem(help, 0xFFFF)).find("tolva.hlp"), std::string::npos);
  }
  viewer.End();

  // While it runs, the installer asks for it to be ended first, naming it; Cancel gives up.
  {
    const ChildProcess installer(Setup(), STARTUPINFOA{});
    HWND box = nullptr;
    ASSERT_TRUE(WaitFor([&] {
      for (HWND w : TopLevelWindowsOf(installer.Id()))
        if (ClassOf(w) == "#32770" && IsWindowVisible(w)) box = w;
      return box != nullptr;
    }, 20000));
    EXPECT_NE(ControlText(GetDlgItem(box, 0xFFFF)).find(app::ApplicationTitle), std::string::npos);
    TolvaProcess::PressButton(box, IDCANCEL);
    EXPECT_EQ(installer.WaitForExitCode(InstallerTimeoutMs), Refused);
  }
  // The uninstaller gives up too, silently; run in place, its exit code is its own.
  EXPECT_EQ(RunToEnd("\"" + Uninstaller() + "\" /S _?=" + folder_), Refused);
  ExpectInstalled(false);

  ASSERT_TRUE(tolva.ClickToolButton(ExitButton));
  ASSERT_TRUE(tolva.WaitForExit());
  const std::string settings = ReadSettingsFile();

  // An upgrade over the first install, now with the shortcut in the user's Startup folder.
  ASSERT_EQ(RunToEnd(Setup() + " /S /STARTWITHWINDOWS"), 0u);
  ExpectInstalled(true);
  EXPECT_EQ(ReadSettingsFile(), settings);
  // A silent upgrade keeps that choice.
  ASSERT_EQ(RunToEnd(Setup() + " /S"), 0u);
  ExpectInstalled(true);

  // The uninstall the list of programs runs. It goes on in a copy of itself, so that it can
  // remove its own file, and takes the program off the list last.
  const auto uninstall = RegistryValue(UninstallKey, "QuietUninstallString");
  ASSERT_TRUE(uninstall.has_value());
  EXPECT_EQ(RunToEnd(*uninstall), 0u);
  EXPECT_TRUE(WaitFor([&] { return !OpenKey(UninstallKey); }, InstallerTimeoutMs));
  ExpectRemoved();
  EXPECT_EQ(OpenKey(HelpKey) != nullptr, helpKeyBefore);
  EXPECT_EQ(ReadSettingsFile(), settings) << "the user's settings stay";
}

}  // namespace
}  // namespace tolva::tests
