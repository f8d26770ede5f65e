// The real tolva.exe under Wine reporting Windows 10, meeting the answers Windows 10 gives where
// this Wine gives others: stand-ins for the HTML Help engine (hhctrl.ocx, recording its calls and
// opening a window, or refusing) and the desktop window manager (dwmapi.dll, cloaking the
// windows titled "Cloaked ..."), put in the prefix's system folder for the walk and loaded by
// Wine as native DLLs (the program's own DllOverrides in the prefix's registry). One walk: every door into help asks HTML Help for tolva.chm in the
// program's folder and WinHelp not at all; a refusal falls back to WinHelp's viewer; a cloaked
// window is neither concealed nor listed on the Exclude page; the about box's figure is
// GlobalMemoryStatusEx's.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "help_viewer.h"
#include "options_process.h"
#include "targets_process.h"
#include "tolva_process.h"

namespace tolva::tests {
namespace {

constexpr UINT DisplayTopic = 0x0000, DisplayToc = 0x0001, HelpContext = 0x000F;  // HH_*

std::string SystemFolder() {
  char folder[MAX_PATH] = {};
  const UINT length = GetSystemDirectoryA(folder, sizeof folder);
  return length > 0 && length < sizeof folder ? std::string(folder, length) : std::string();
}

// The tests' own folder, where tolva.exe and its help files are built.
std::string BuildFolder() {
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  const std::string program(path, length);
  return program.substr(0, program.find_last_of('\\'));
}

// A text value under tolva.exe's own settings in Wine's registry; none deletes it.
void SetAppValue(const char* subkey, const char* name, const char* text) {
  const std::string key = std::string("Software\\Wine\\AppDefaults\\tolva.exe") + subkey;
  if (text == nullptr) {
    RegDeleteKeyValueA(HKEY_CURRENT_USER, key.c_str(), name);
    return;
  }
  EXPECT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, key.c_str(), name, REG_SZ, text, static_cast<DWORD>(std::strlen(text) + 1)),
            ERROR_SUCCESS) << name;
}

// For the walk: Windows 10 for tolva.exe alone, the stand-ins in the system folder (Wine's own
// files kept aside) and loaded as native DLLs by the program, its calls recorded in a file. Wine
// takes a child's DLL overrides from the registry, not from the environment the test gives it.
class Windows10EndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    // Wine's explorer, which keeps the notification area, is started before the stand-ins are in
    // place: started during the walk, it would load them (Wine prefers a real DLL in the system
    // folder) and keep them, and the tray would fail every later test.
    GetDesktopWindow();
    ASSERT_TRUE(WaitFor([] { return FindWindowA("Shell_TrayWnd", nullptr) != nullptr; })) << "no notification area";
    SetAppValue("", "Version", "win10");
    for (const char* name : {"hhctrl.ocx", "dwmapi"}) SetAppValue("\\DllOverrides", name, "native");
    for (const char* name : {"hhctrl.ocx", "dwmapi.dll"}) {
      const std::string placed = SystemFolder() + "\\" + name, kept = placed + ".tolva-kept";
      ASSERT_TRUE(MoveFileExA(placed.c_str(), kept.c_str(), MOVEFILE_REPLACE_EXISTING)) << placed;
      placedFiles_.push_back(placed);
      ASSERT_TRUE(CopyFileA((std::string(TOLVA_STANDINS_DIR) + "\\" + name).c_str(), placed.c_str(), FALSE)) << name;
    }
    DeleteFileA(log_.c_str());
    DeleteFileA(refuse_.c_str());
    SetEnvironmentVariableA("TOLVA_STANDIN_LOG", log_.c_str());
    SetEnvironmentVariableA("TOLVA_STANDIN_REFUSE", refuse_.c_str());
  }
  void TearDown() override {
    tolva_.reset();
    CloseViewer();
    for (const std::string& placed : placedFiles_) {
      EXPECT_TRUE(MoveFileExA((placed + ".tolva-kept").c_str(), placed.c_str(), MOVEFILE_REPLACE_EXISTING)) << placed;
    }
    for (const char* name : {"hhctrl.ocx", "dwmapi"}) SetAppValue("\\DllOverrides", name, nullptr);
    SetAppValue("", "Version", nullptr);
    DeleteFileA(log_.c_str());
    DeleteFileA(refuse_.c_str());
  }

  // The stand-in's record, a call a line.
  std::vector<std::string> Calls() const {
    std::vector<std::string> calls;
    std::istringstream lines(FileBytes(log_).value_or(""));
    for (std::string line; std::getline(lines, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      calls.push_back(line);
    }
    return calls;
  }
  static HWND StandInViewer() {
    HWND viewer = FindWindowA("TolvaHtmlHelpStandIn", nullptr);
    return viewer != nullptr && IsWindowVisible(viewer) ? viewer : nullptr;
  }
  static std::string Call(UINT command, const std::string& data) {
    return "HtmlHelpA " + BuildFolder() + "\\tolva.chm " + std::to_string(command) + " " + data;
  }

  // One way into help: HTML Help is asked this one call and opens its window; WinHelp stays shut.
  void Door(const char* door, const std::string& call, const std::function<void()>& open) {
    SCOPED_TRACE(door);
    const std::size_t before = Calls().size();
    open();
    EXPECT_TRUE(WaitFor([&] { return StandInViewer() != nullptr; })) << "no HTML Help window";
    const std::vector<std::string> calls = Calls();
    ASSERT_EQ(calls.size(), before + 1);
    EXPECT_EQ(calls.back(), call);
    Sleep(300);
    EXPECT_EQ(ShownViewer(), nullptr) << "WinHelp opened too";
    for (HWND viewer; (viewer = FindWindowA("TolvaHtmlHelpStandIn", nullptr)) != nullptr;) {
      PostMessageA(viewer, WM_CLOSE, 0, 0);
      ASSERT_TRUE(WaitFor([&] { return !IsWindow(viewer); }));
    }
  }

  std::vector<std::string> placedFiles_;
  const std::string log_ = BuildFolder() + "\\standin-calls.txt", refuse_ = BuildFolder() + "\\standin-refuses";
  std::optional<TolvaProcess> tolva_;
};

TEST_F(Windows10EndToEnd, HtmlHelpAtEveryDoorCloakedWindowsLeftAloneAndTheRealMemory) {
  // No icon: one left half docked when the program ends would take the tray tests' clicks.
  WriteSettingsFile("[Settings]\r\nHints=0\r\nWAV=0\r\n[Icon]\r\nTrayPlace=0\r\n[Exclude]\r\nAutoRefresh=1\r\n");
  TargetsProcess shown(2, "Shown"), cloaked(1, "Cloaked");
  ASSERT_TRUE(shown.Ready() && cloaked.Ready());
  tolva_.emplace();
  ASSERT_TRUE(tolva_->WaitForMainWindow());
  const HWND main = tolva_->MainWindow();

  Door("Help button", Call(DisplayToc, "0"), [&] { tolva_->ClickToolButton(HelpButton); });
  Door("F1 on the main window", Call(HelpContext, "1000"), [&] { PressKeyIn(main, VK_F1); });
  // (The icon menu's Help is the Help button's command, HelpButtonClick.)

  // The about box: its doors, and the physical memory as GlobalMemoryStatusEx has it, whole.
  ASSERT_TRUE(tolva_->ClickToolButton(AboutButton));
  const HWND about = tolva_->WaitForAboutBox();
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(AboutBoxFigures(about).second, CurrentMemoryFigures().kilobytes);
  Door("F1 on the about box", Call(HelpContext, "1000"), [&] { PressKeyIn(about, VK_F1); });
  for (const char* line : {"Copyright \xA9 2003", "All rights reserved."}) {
    Door(line, Call(DisplayTopic, "Copyright.htm"), [&] { ClickCentre(Child(about, "Static", line)); });
  }
  PostMessageA(about, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(about); }));

  // The options dialog: its doors, and the Exclude page lists every window a concealment would
  // hide, the cloaked one not among them.
  const HWND dialog = OpenOptionsDialog(*tolva_);
  ASSERT_NE(dialog, nullptr);
  Door("F1 on the options dialog", Call(HelpContext, "1010"), [&] { PressKeyIn(dialog, VK_F1); });
  Door("the options dialog's Help", Call(DisplayTopic, "Options_Dialog.htm"),
       [&] { ClickCentre(Child(dialog, "Button", "&Help")); });
  ChooseOptionsPage(dialog, ExcludePage);
  const HWND list = Child(dialog, "ListBox");
  ASSERT_NE(list, nullptr);
  const engine::ExcludeList everyShown = ExpectedExcludeList(tolva_->Id());  // by the other tests alone
  ASSERT_LT(IndexOf(everyShown, "Cloaked 1"), everyShown.size()) << "no cloaked window to leave out";
  LRESULT uncloaked = 0;
  for (std::size_t i = 0; i < everyShown.size(); ++i) uncloaked += everyShown[i].title.rfind("Cloaked", 0) != 0;
  EXPECT_TRUE(WaitFor([&] { return SendMessageA(list, LB_GETCOUNT, 0, 0) == uncloaked; }))
      << "listed " << SendMessageA(list, LB_GETCOUNT, 0, 0) << " of " << everyShown.size() << ", " << uncloaked
      << " of them not cloaked";
  CloseOptionsWith(dialog, "Cancel");

  // HTML Help that opens no window: WinHelp's calls follow, and its viewer shows the contents.
  PutFile(refuse_, "");
  const std::size_t before = Calls().size();
  ASSERT_TRUE(tolva_->ClickToolButton(HelpButton));
  EXPECT_TRUE(WaitFor([] { return ShownViewer() != nullptr; }, 15000)) << "no WinHelp viewer";
  EXPECT_EQ(Calls().size(), before + 1);
  EXPECT_EQ(StandInViewer(), nullptr);
  CloseViewer();

  // A concealment hides the shown windows and leaves the cloaked one as it is.
  ASSERT_TRUE(tolva_->ClickToolButton(HideShowButton));
  EXPECT_TRUE(WaitFor([&] { return NoneVisible(shown.Numbered()); }));
  EXPECT_TRUE(IsWindowVisible(cloaked.Find("Cloaked 1")));
  ASSERT_TRUE(tolva_->ClickToolButton(HideShowButton));
  EXPECT_TRUE(WaitFor([&] { return AllVisible(shown.Numbered()); }));
  EXPECT_TRUE(IsWindowVisible(cloaked.Find("Cloaked 1")));
}

}  // namespace
}  // namespace tolva::tests
