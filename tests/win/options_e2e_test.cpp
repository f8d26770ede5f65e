// The options dialog of the real tolva.exe under Wine, worked with real clicks and keys.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "options_process.h"
#include "targets_test.h"
#include "tolva_process.h"

namespace tolva::tests {
namespace {

class OptionsEndToEnd : public TargetsTest {
 protected:
  OptionsEndToEnd() : TargetsTest("E2E target") {}
  void TearDown() override {
    tolva_.reset();
    TargetsTest::TearDown();
  }
  // Starts the program and opens Options from the tool bar; returns the dialog.
  HWND Open(const std::string& settings) {
    WriteSettingsFile(settings);
    tolva_.emplace();
    if (!tolva_->WaitForMainWindow()) return nullptr;
    Sleep(300);  // a window just mapped may not take input yet
    return OpenAgain();
  }
  HWND OpenAgain() {
    const auto start = std::chrono::steady_clock::now();
    const HWND dialog = OpenOptionsDialog(*tolva_);
    openMs_ = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    Sleep(300);  // on the screen, as a person sees it before reaching for it
    return dialog;
  }
  // Clicks the launch chooser's button until the chooser shows, as a person would click again a
  // dialog not yet taking input again, and checks it opens on its first file type (the box shows
  // the selected entry's description once the chooser is filled in); returns it, or none.
  HWND OpenChooser(HWND button) const {
    HWND chooser = nullptr;
    for (int attempt = 0; attempt < 3 && chooser == nullptr; ++attempt) {
      ClickCentre(button);
      WaitFor([&] {
        for (HWND w : TopLevelWindowsOf(tolva_->Id()))
          if (WindowText(w) == "Choose Your Launch Application..." && IsWindowVisible(w)) chooser = w;
        return chooser != nullptr;
      }, 3000);
    }
    EXPECT_TRUE(WaitFor([&] { return ControlText(ChooserTypeBox(chooser)) == "All Files (*.*)"; }))
        << "\"" << ControlText(ChooserTypeBox(chooser)) << "\"";
    return chooser;
  }
  static void ChoosePage(HWND dialog, int index) { ChooseOptionsPage(dialog, index); }
  static void Close(HWND dialog, const char* button) { CloseOptionsWith(dialog, button); }

  std::optional<TolvaProcess> tolva_;
  double openMs_ = 0;
};

// A first save, from real clicks: every section in its order, every key as the boxes say.
TEST_F(OptionsEndToEnd, RealClicksAndOkWriteTheFileAsAFirstSave) {
  HWND dialog = Open("");
  ASSERT_NE(dialog, nullptr);
  std::printf("Options click to dialog visible: %.0f ms\n", openMs_);
  // The six tabs all show, each within the control, with no scroll arrows beside them.
  const HWND tabs = Child(dialog, "SysTabControl32");
  ASSERT_NE(tabs, nullptr);
  RECT strip{};
  GetClientRect(tabs, &strip);
  EXPECT_EQ(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0), HotKeyPage + 1);
  for (int i = 0; i <= HotKeyPage; ++i) {
    RECT tab{};
    EXPECT_GT(AnswerThroughMemory(tabs, TCM_GETITEMRECT, false, static_cast<WPARAM>(i), tab), 0)
        << "tab " << i << " hidden";
    EXPECT_TRUE(tab.left >= strip.left && tab.right <= strip.right && tab.right > tab.left)
        << "tab " << i << ": " << tab.left << ".." << tab.right << " of " << strip.right;
  }
  // (The time picker on the Date/Time page has arrows of its own, further down.)
  for (HWND child = GetWindow(tabs, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
    EXPECT_NE(ClassOf(child), "msctls_updown32") << "scroll arrows beside the tabs";
  ClickCentre(Child(dialog, "Button", "Play Sound"));
  ClickCentre(Child(dialog, "Button", "Enable Pop-Up Hints"));
  Close(dialog, "OK");
  EXPECT_EQ(ReadSettingsFile(),
            "[Settings]\r\nHints=0\r\nShowExit=1\r\nWarnExit=0\r\nToTray=0\r\nWAV=0\r\n"
            "[Actions]\r\nHideDesk=0\r\nLaunchApp=0\r\nClearDoc=0\r\nCtrlAlt=0\r\n"
            "[Icon]\r\nTrayPlace=1\r\nInvisible=0\r\n"
            "[DateTime]\r\nEnableDateTime=0\r\n"
            "[Exclude]\r\nAutoRefresh=1\r\n[HotKey]\r\nKey=0\r\n");

  // Esc leaves the file as it is; the dialog reopens on the page it had.
  dialog = OpenAgain();
  ASSERT_NE(dialog, nullptr);
  const std::string before = ReadSettingsFile();
  ClickCentre(Child(dialog, "Button", "Play Sound"));
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(dialog); }));
  EXPECT_EQ(ReadSettingsFile(), before);

  // Enter is OK: the sound's box, ticked now, is saved.
  dialog = OpenAgain();
  ASSERT_NE(dialog, nullptr);
  ClickCentre(Child(dialog, "Button", "Play Sound"));
  PressKey(VK_RETURN);
  EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(dialog); }));
  EXPECT_NE(ReadSettingsFile().find("\r\nWAV=1\r\n"), std::string::npos) << ReadSettingsFile();

  // A file that cannot be written, a folder in its place: OK warns once, from the application
  // window, and the dialog then closes as before.
  WriteSettingsFile("");
  const std::string path = WindowsDirectory() + "\\tolva.ini";
  ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr));
  struct FolderRemoved {
    const std::string& path;
    ~FolderRemoved() { RemoveDirectoryA(path.c_str()); }
  } removed{path};
  dialog = OpenAgain();
  ASSERT_NE(dialog, nullptr);
  ClickCentre(Child(dialog, "Button", "OK"));
  HWND box = tolva_->WaitForMessageBox("Settings Not Saved");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(TolvaProcess::MessageText(box), "Your settings could not be saved in tolva.ini in " +
                                                WindowsDirectory() +
                                                ".\r\n\r\nThe changes you made hold until Tolva R. Quenlar ends.");
  EXPECT_EQ(ClassOf(GetWindow(box, GW_OWNER)), "TolvaApplication");
  TolvaProcess::PressButton(box, IDOK);
  EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(dialog); }));
  EXPECT_EQ(tolva_->MessageBox("Settings Not Saved"), nullptr);
}

// A window ticked on the Exclude page stays when the others go.
TEST_F(OptionsEndToEnd, AnEntryTickedOnTheExcludePageStaysAtTheNextConcealment) {
  HWND dialog = Open("[Settings]\r\nWAV=0\r\n[Exclude]\r\nAutoRefresh=1\r\n");
  ASSERT_NE(dialog, nullptr);
  ChoosePage(dialog, ExcludePage);
  HWND list = Child(dialog, "ListBox");
  ASSERT_NE(list, nullptr);
  const engine::ExcludeList expected = ExpectedExcludeList(tolva_->Id());
  ASSERT_TRUE(WaitFor([&] {
    return SendMessageA(list, LB_GETCOUNT, 0, 0) == static_cast<LRESULT>(expected.size());
  })) << "listed " << SendMessageA(list, LB_GETCOUNT, 0, 0) << ", expected " << expected.size();
  const std::size_t index = IndexOf(expected, "E2E target 2");
  ASSERT_LT(index, expected.size());
  EXPECT_EQ(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0), 13);
  ClickExcludeTick(list, index);
  Close(dialog, "OK");

  ASSERT_TRUE(tolva_->ClickToolButton(HideShowButton));
  const std::vector<HWND> windows = Targets();
  HWND kept = windows[1];
  EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(windows[0]) && !IsWindowVisible(windows[2]); }));
  EXPECT_TRUE(IsWindowVisible(kept));
  ASSERT_TRUE(tolva_->ClickToolButton(HideShowButton));
}

// A schedule set on the Date/Time page a few seconds ahead conceals the other program's windows
// at that second, by itself, and then is off: on the page, in the program's record (the dialog
// opens from it) and in the file, where the old targets stay.
TEST_F(OptionsEndToEnd, AScheduleSetAFewSecondsAheadConcealsAtThatSecondAndSwitchesOff) {
  WaitForRoomInTheMinute(7);
  HWND dialog = Open("[Settings]\r\nWAV=0\r\n");
  ASSERT_NE(dialog, nullptr);
  ChoosePage(dialog, DateTimePage);
  const std::optional<SYSTEMTIME> set = ScheduleSecondsAhead(dialog, 7);
  ASSERT_TRUE(set.has_value()) << "the time picker did not take the steps";
  const SYSTEMTIME target = *set;
  HWND time = Child(dialog, "SysDateTimePick32");
  Close(dialog, "OK");
  const std::string armed = ReadSettingsFile();
  ASSERT_EQ(SettingsKey(armed, "EnableDateTime"), "1") << armed;

  ASSERT_TRUE(AllVisible()) << "concealed before its time";
  ASSERT_TRUE(WaitFor([&] { return NoneVisible(); }, 15000)) << "the schedule did not fire";
  SYSTEMTIME now{};
  GetLocalTime(&now);
  // Within the target second, or just after it for the tick and the pass.
  EXPECT_GE(SecondsOfDay(now), SecondsOfDay(target));
  EXPECT_LE(SecondsOfDay(now), SecondsOfDay(target) + 2);

  // The switch-off is written once the command is done, a moment after the windows went.
  EXPECT_TRUE(WaitFor([] { return SettingsKey(ReadSettingsFile(), "EnableDateTime") == "0"; }, 3000));
  const std::string fired = ReadSettingsFile();
  EXPECT_EQ(SettingsKey(fired, "ActionTime"), SettingsKey(armed, "ActionTime"));
  EXPECT_EQ(SettingsKey(fired, "ActionDate"), SettingsKey(armed, "ActionDate"));

  dialog = OpenAgain();
  ASSERT_NE(dialog, nullptr);
  ChoosePage(dialog, DateTimePage);
  EXPECT_EQ(SendMessageA(Child(dialog, "Button", "Enable Date And Time"), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_FALSE(IsWindowEnabled(time));
  Close(dialog, "Cancel");
  // Nothing fires again: the windows stay concealed until the command is given.
  Sleep(1500);
  EXPECT_TRUE(NoneVisible());
  ASSERT_TRUE(tolva_->ClickToolButton(HideShowButton));
  EXPECT_TRUE(WaitFor([&] { return AllVisible(); }));
}

// The launch chooser opens with its title and its first file type, and its choice lands in the
// edit; chosen again, it opens on its first file type again, whichever the user picked last.
TEST_F(OptionsEndToEnd, TheChooserOpensWithItsTitleAndFirstFilterAndFillsTheEdit) {
  HWND dialog = Open("[Settings]\r\nWAV=0\r\n");
  ASSERT_NE(dialog, nullptr);
  ChoosePage(dialog, 1);
  ClickCentre(Child(dialog, "Button", "Launch An Application"));
  HWND choose = Child(dialog, "Button", "Choose Launch Application");
  ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(choose) != FALSE; }));
  HWND chooser = OpenChooser(choose);
  ASSERT_NE(chooser, nullptr);
  // The user picks the text files: the box selects them and tells the chooser the pick is made.
  const HWND types = ChooserTypeBox(chooser);
  SendMessageA(types, CB_SETCURSEL, 1, 0);
  SendMessageA(chooser, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELENDOK), reinterpret_cast<LPARAM>(types));
  ASSERT_EQ(ControlText(types), "Text Files (*.txt)");
  char path[MAX_PATH] = {};
  GetFullPathNameA(TOLVA_EXE, MAX_PATH, path, nullptr);
  ASSERT_NE(ChooserNameBox(chooser), nullptr);
  ChooseFile(chooser, path);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(chooser); }));
  HWND edit = Child(dialog, "Edit");
  ASSERT_NE(edit, nullptr);
  EXPECT_TRUE(WaitFor([&] { return _stricmp(ControlText(edit).c_str(), path) == 0; }))
      << ControlText(edit) << " vs " << path;

  chooser = OpenChooser(choose);
  ASSERT_NE(chooser, nullptr);
  PostMessageA(chooser, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(chooser); }));
  Close(dialog, "Cancel");
}

}  // namespace
}  // namespace tolva::tests
