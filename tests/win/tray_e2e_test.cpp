// The real tolva.exe under Wine with its icon docked in the display's XEmbed tray, worked with
// real clicks on the icon and on its menu, with real windows of another process to conceal.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "app/tray_rules.h"
#include "settings/hot_key.h"
#include "options_process.h"
#include "screen_picture.h"
#include "targets_test.h"
#include "tests/tools/menu_reader.h"
#include "tolva_process.h"
#include "tray_process.h"

namespace tolva::tests {
namespace {

std::string Settings(const std::string& toTray = "0") {
  return "[Settings]\r\nHints=1\r\nShowExit=1\r\nWarnExit=0\r\nToTray=" + toTray +
         "\r\nWAV=0\r\n[Icon]\r\nTrayPlace=1\r\nInvisible=0\r\n";
}

struct MenuItemSeen {
  std::string caption;
  bool separator;
  RECT place;
};

// A menu can only be read by its own process: the reader hook, set on the menu's thread, reads
// it there when asked by a message to the menu's window.
std::vector<MenuItemSeen> ReadMenu(HWND menuWindow) {
  std::vector<MenuItemSeen> seen;
  HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                      sizeof(MenuContents), MenuContentsName);
  HMODULE reader = LoadLibraryA(TOLVA_MENU_READER_DLL);
  if (mapping == nullptr || reader == nullptr) {
    ADD_FAILURE() << "no shared memory or no reader";
    return seen;
  }
  auto* contents = static_cast<MenuContents*>(
      MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(MenuContents)));
  ZeroMemory(contents, sizeof(MenuContents));
  const auto hook = reinterpret_cast<HOOKPROC>(
      reinterpret_cast<void*>(GetProcAddress(reader, "MenuReaderHook")));
  HHOOK set = SetWindowsHookExA(WH_CALLWNDPROC, hook, reader,
                                GetWindowThreadProcessId(menuWindow, nullptr));
  DWORD_PTR answer = 0;
  if (set != nullptr) {
    SendMessageTimeoutA(menuWindow, RegisterWindowMessageA(ReadMenuMessageName), 0, 0,
                        SMTO_NORMAL, 5000, &answer);
    UnhookWindowsHookEx(set);
  }
  if (contents->read != 0) {
    for (int i = 0; i < contents->count && i < MenuContents::MaxItems; ++i) {
      const auto& item = contents->items[i];
      seen.push_back({item.caption, item.separator != 0, item.place});
    }
  } else {
    ADD_FAILURE() << "the menu was not read (hook set: " << (set != nullptr) << ")";
  }
  UnmapViewOfFile(contents);
  CloseHandle(mapping);
  FreeLibrary(reader);
  return seen;
}

// The program's application window, which is its taskbar button: the visible top-level window
// with the program's title that is not a tool window.
HWND VisibleApplicationWindow(DWORD processId) {
  for (HWND w : TopLevelWindowsOf(processId)) {
    if (WindowText(w) == TolvaProcess::Title && IsWindowVisible(w) &&
        (GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) == 0) {
      return w;
    }
  }
  return nullptr;
}

// Any visible window of the process with the program's title: the splash or the main window.
bool TitledWindowShown(DWORD processId) {
  for (HWND w : TopLevelWindowsOf(processId))
    if (WindowText(w) == TolvaProcess::Title && IsWindowVisible(w)) return true;
  return false;
}

// The main window whether shown or not: the tool window with the program's title.
HWND MainFormWindow(DWORD processId) {
  for (HWND w : TopLevelWindowsOf(processId)) {
    if (WindowText(w) == TolvaProcess::Title &&
        (GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0) {
      return w;
    }
  }
  return nullptr;
}

const std::vector<std::string> MenuCaptions(const std::string& hideShow) {
  return {"&Restore Tolva", hideShow, "", "O&ptions", "H&elp", "&About", "&Marrowby", "", "E&xit"};
}
constexpr int RestoreItem = 0, HideShowItem = 1, OptionsItem = 3, AboutItem = 5, ExitItem = 8;

class TrayEndToEnd : public TargetsTest {
 protected:
  TrayEndToEnd() : TargetsTest("Tray target") {}
  void SetUp() override {
    // An icon left by an earlier program is removed by Wine once its window is gone.
    ASSERT_TRUE(WaitFor([] { return DockedTray() == nullptr; }, 5000)) << "an icon is docked already";
    TargetsTest::SetUp();
  }
  void TearDown() override {
    if (tolva_) {
      if (HWND menu = OpenMenuOf(tolva_->Id())) {
        SetForegroundWindow(menu);
        PressKey(VK_ESCAPE);
      }
      tolva_.reset();
    }
    TargetsTest::TearDown();
    WaitFor([] { return DockedTray() == nullptr; }, 5000);
  }

  // Starts the program with this file and waits for its icon in the tray.
  void Start(const std::string& settings, bool mainWindowExpected = true) {
    WriteSettingsFile(settings);
    tolva_.emplace();
    ASSERT_TRUE(tolva_->Started());
    if (mainWindowExpected) {
      ASSERT_TRUE(tolva_->WaitForMainWindow());
    }
    ASSERT_TRUE(WaitFor([] { return DockedIcon() != nullptr; })) << "the icon did not dock";
    // The icon's window appears before the tray has finished taking it in, and a click then
    // goes nowhere.
    Sleep(700);
  }

  // A real right click on the icon; the menu that opened, read, or an empty list.
  HWND OpenMenu() {
    HWND menu = nullptr;
    // As a person would, a second click when the first opened nothing.
    for (int attempt = 0; attempt < 2 && menu == nullptr; ++attempt) {
      if (attempt > 0) std::printf("no menu after a right click on the icon; clicking again\n");
      if (!ClickIcon(true)) return nullptr;
      WaitFor([&] { return (menu = OpenMenuOf(tolva_->Id())) != nullptr; }, 2500);
    }
    if (menu != nullptr) Sleep(300);  // placed and painted
    return menu;
  }
  // Opens the menu, checks its items with this caption second, and clicks item number index.
  void Choose(const std::string& hideShow, int index) {
    HWND menu = OpenMenu();
    ASSERT_NE(menu, nullptr) << "no menu opened";
    // The first open menu, with the tray below it, for the README.
    static bool saved = false;
    if (!saved) {
      saved = true;
      RECT r{};
      GetWindowRect(menu, &r);
      SaveScreenPicture("tray-menu", RECT{r.left - 16, r.top - 16, GetSystemMetrics(SM_CXSCREEN),
                                          GetSystemMetrics(SM_CYSCREEN)});
    }
    const std::vector<MenuItemSeen> items = ReadMenu(menu);
    std::vector<std::string> captions;
    for (const auto& item : items) captions.push_back(item.caption);
    ASSERT_EQ(captions, MenuCaptions(hideShow));
    for (size_t i = 0; i < items.size(); ++i) {
      EXPECT_EQ(items[i].separator, i == 2 || i == 7) << i;
    }
    ClickAt(Centre(items[static_cast<size_t>(index)].place));
    EXPECT_TRUE(WaitFor([&] { return OpenMenuOf(tolva_->Id()) == nullptr; }, 3000));
  }

  std::optional<TolvaProcess> tolva_;
};

// Docked at start, and gone once the program has ended, for each normal way of ending it.
TEST_F(TrayEndToEnd, TheIconIsDockedWhileTheProgramRuns) {
  enum class End { MenuExit, CloseMainWindow };
  for (const End end : {End::MenuExit, End::CloseMainWindow}) {
    SCOPED_TRACE(end == End::MenuExit ? "Exit on the menu" : "the main window closed");
    ASSERT_NO_FATAL_FAILURE(Start(Settings()));
    RECT tray{}, icon{};
    GetWindowRect(DockedTray(), &tray);
    GetWindowRect(DockedIcon(), &icon);
    std::printf("tray at %ld,%ld %ldx%ld; icon at %ld,%ld %ldx%ld\n", tray.left, tray.top,
                tray.right - tray.left, tray.bottom - tray.top, icon.left, icon.top,
                icon.right - icon.left, icon.bottom - icon.top);
    // Inside the tray at the bottom right of the screen.
    EXPECT_GE(icon.left, tray.left);
    EXPECT_LE(icon.right, tray.right);
    EXPECT_EQ(tray.bottom, GetSystemMetrics(SM_CYSCREEN));
    if (end == End::MenuExit) {
      ASSERT_NO_FATAL_FAILURE(Choose("&Hide Windows", ExitItem));
    } else {
      PostMessageA(tolva_->MainWindow(), WM_CLOSE, 0, 0);
    }
    // ShowExit with nothing concealed: no question, the program ends.
    ASSERT_TRUE(tolva_->WaitForExit());
    EXPECT_EQ(tolva_->ExitCode(), 0u);
    EXPECT_TRUE(WaitFor([] { return DockedTray() == nullptr; }, 5000));
    tolva_.reset();
  }
}

TEST_F(TrayEndToEnd, ALeftClickOnTheIconConcealsAndTheNextReveals) {
  ASSERT_NO_FATAL_FAILURE(Start(Settings()));
  ASSERT_TRUE(AllVisible());
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round);
    ASSERT_TRUE(ClickIcon(false));
    ASSERT_TRUE(WaitFor([&] { return NoneVisible(); })) << "the click did not conceal";
    EXPECT_TRUE(IsWindowVisible(tolva_->MainWindow()));
    ASSERT_TRUE(ClickIcon(false));
    ASSERT_TRUE(WaitFor([&] { return AllVisible(); })) << "the click did not reveal";
  }
}

TEST_F(TrayEndToEnd, TheMenuHidesShowsAndExits) {
  ASSERT_NO_FATAL_FAILURE(Start(Settings()));
  ASSERT_NO_FATAL_FAILURE(Choose("&Hide Windows", HideShowItem));
  EXPECT_TRUE(WaitFor([&] { return NoneVisible(); })) << "Hide Windows did not conceal";
  ASSERT_NO_FATAL_FAILURE(Choose("&Show Windows", HideShowItem));
  EXPECT_TRUE(WaitFor([&] { return AllVisible(); })) << "Show Windows did not reveal";
  ASSERT_NO_FATAL_FAILURE(Choose("&Hide Windows", ExitItem));
  EXPECT_TRUE(tolva_->WaitForExit());
  EXPECT_EQ(tolva_->ExitCode(), 0u);
}

// The Tray button sends the main window and the taskbar button to the tray; Restore Tolva on
// the menu brings both back.
TEST_F(TrayEndToEnd, TheTrayButtonHidesTheProgramAndRestoreBringsItBack) {
  ASSERT_NO_FATAL_FAILURE(Start(Settings()));
  const DWORD id = tolva_->Id();
  ASSERT_TRUE(WaitFor([&] { return VisibleApplicationWindow(id) != nullptr; }));
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round);
    ASSERT_TRUE(tolva_->ClickToolButton(TrayButton));
    EXPECT_TRUE(WaitFor([&] { return tolva_->MainWindow() == nullptr; })) << "main window shown";
    EXPECT_TRUE(WaitFor([&] { return VisibleApplicationWindow(id) == nullptr; }))
        << "taskbar button shown";
    EXPECT_NE(DockedIcon(), nullptr);
    ASSERT_NO_FATAL_FAILURE(Choose("&Hide Windows", RestoreItem));
    EXPECT_TRUE(tolva_->WaitForMainWindow(5000));
    EXPECT_TRUE(WaitFor([&] { return VisibleApplicationWindow(id) != nullptr; }));
  }
  EXPECT_TRUE(AllVisible());
}

TEST_F(TrayEndToEnd, ToTrayStartsTheProgramInTheTray) {
  ASSERT_NO_FATAL_FAILURE(Start(Settings("1"), false));
  const DWORD id = tolva_->Id();
  // Once the splash has gone, nothing of the program is shown, and it stays so.
  ASSERT_TRUE(WaitFor([&] { return !TitledWindowShown(id) && MainFormWindow(id) != nullptr; }));
  Sleep(1500);
  EXPECT_FALSE(TitledWindowShown(id));
  EXPECT_EQ(tolva_->MainWindow(), nullptr);
  EXPECT_EQ(WaitForSingleObject(tolva_->Handle(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
  // It is there, in the tray.
  ASSERT_NO_FATAL_FAILURE(Choose("&Hide Windows", RestoreItem));
  EXPECT_TRUE(tolva_->WaitForMainWindow(5000));
}

// A shell started again, as Windows does it: the icons are gone from the new shell, and each
// top-level window is sent the registered "TaskbarCreated" message.
TEST_F(TrayEndToEnd, TheIconComesBackWhenTheShellStartsAgain) {
  ASSERT_NO_FATAL_FAILURE(Start(Settings()));
  HWND main = tolva_->MainWindow();
  NOTIFYICONDATAA record{};
  record.cbSize = sizeof record;
  record.hWnd = main;
  record.uID = app::TrayIconId;
  ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &record));
  ASSERT_TRUE(WaitFor([] { return DockedTray() == nullptr; }, 5000)) << "the icon stayed";
  const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
  ASSERT_NE(taskbarCreated, 0u);
  DWORD_PTR answer = 0;
  ASSERT_NE(SendMessageTimeoutA(main, taskbarCreated, 0, 0, SMTO_NORMAL, 5000, &answer), 0);
  ASSERT_TRUE(WaitFor([] { return DockedIcon() != nullptr; })) << "the icon did not come back";
  // The same icon, working: a left click conceals, the next reveals.
  ASSERT_TRUE(ClickIcon(false));
  EXPECT_TRUE(WaitFor([&] { return NoneVisible(); }));
  ASSERT_TRUE(ClickIcon(false));
  EXPECT_TRUE(WaitFor([&] { return AllVisible(); }));
}


// The menu's Options and About open their windows.
TEST_F(TrayEndToEnd, TheMenusOptionsAndAboutOpenTheirWindows) {
  ASSERT_NO_FATAL_FAILURE(Start(Settings()));
  struct Case {
    int item;
    const char* title;
  };
  for (const Case c : {Case{OptionsItem, "Options"}, Case{AboutItem, "About Tolva R. Quenlar (TM)"}}) {
    SCOPED_TRACE(c.title);
    ASSERT_NO_FATAL_FAILURE(Choose("&Hide Windows", c.item));
    HWND window = nullptr;
    ASSERT_TRUE(WaitFor([&] {
      for (HWND w : TopLevelWindowsOf(tolva_->Id()))
        if (WindowText(w) == c.title && IsWindowVisible(w)) window = w;
      return window != nullptr;
    })) << "not opened";
    if (c.item == AboutItem) {
      // The figures of the moment, with the locale's separator.
      const MemoryFigures expected = CurrentMemoryFigures();
      const auto [used, physical] = AboutBoxFigures(window);
      EXPECT_EQ(physical, expected.kilobytes);
      EXPECT_GE(ShownLoad(used), 0) << used;
      EXPECT_LE(std::abs(ShownLoad(used) - static_cast<int>(expected.load)), 2) << used;
    }
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(window); }));
    Sleep(GetDoubleClickTime() + 100);
  }
}

// The options dialog takes the icon away, brings it back and makes it invisible, at OK.
TEST_F(TrayEndToEnd, TheOptionsDialogSwitchesTheIcon) {
  ASSERT_NO_FATAL_FAILURE(Start(Settings()));
  struct Case {
    const char* box;
    bool docked;
    const char* stored;
  } const cases[] = {
      {"Display Tolva's Icon On System Tray", false, "TrayPlace=0"},
      {"Display Tolva's Icon On System Tray", true, "TrayPlace=1"},
      {"Make Tolva's Icon On System Tray Invisible", true, "Invisible=1"},
  };
  bool first = true;
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.box) + (c.docked ? " on" : " off"));
    const HWND dialog = OpenOptionsDialog(*tolva_);
    ASSERT_NE(dialog, nullptr);
    Sleep(300);
    if (first) {  // the Icon page; the dialog reopens on it
      ChooseOptionsPage(dialog, IconPage);
      first = false;
    }
    HWND box = Child(dialog, "Button", c.box);
    ASSERT_NE(box, nullptr);
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(box) && IsWindowEnabled(box); }));
    ClickCentre(box);
    ASSERT_NO_FATAL_FAILURE(CloseOptionsWith(dialog, "OK"));
    EXPECT_TRUE(WaitFor([&] { return (DockedIcon() != nullptr) == c.docked; }, 5000));
    EXPECT_NE(ReadSettingsFile().find(std::string("\r\n") + c.stored + "\r\n"), std::string::npos)
        << ReadSettingsFile();
  }
  // The invisible icon still answers: a left click conceals.
  Sleep(700);
  ASSERT_TRUE(ClickIcon(false));
  EXPECT_TRUE(WaitFor([&] { return NoneVisible(); }));
  ASSERT_TRUE(ClickIcon(false));
  EXPECT_TRUE(WaitFor([&] { return AllVisible(); }));
}

// The hot key, pressed while another program's window is active, conceals and reveals (timed
// beside the icon), also from the tray; one another program registered first is warned of.
TEST_F(TrayEndToEnd, TheHotKeyWorksFromAnotherProgramAndFromTheTray) {
  TargetsProcess fifty(50, "Hot key target");
  ASSERT_TRUE(fifty.Ready());
  ASSERT_NO_FATAL_FAILURE(Start(Settings() + "[HotKey]\r\nKey=1608\r\n"));
  const auto press = [] { PressKey('H', {VK_CONTROL, VK_MENU}); };
  const auto shown = [&](bool all) {
    return all ? AllVisible() && tests::AllVisible(fifty.Numbered()) : NoneVisible() && tests::NoneVisible(fifty.Numbered());
  };
  std::string times[2];  // the key's, the icon's
  for (int round = 0; round < 6; ++round) {
    const auto act = [&] { round % 2 == 0 ? press() : void(ClickIcon(false)); };
    SetForegroundWindow(fifty.Numbered()[round]);
    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == fifty.Numbered()[round]; }));
    Sleep(GetDoubleClickTime() + 150);  // a click on the icon then comes alone
    const auto start = std::chrono::steady_clock::now();
    act();
    ASSERT_TRUE(WaitFor([&] { return shown(false); })) << "not concealed";
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    times[round % 2] += std::to_string(static_cast<int>(took.count())) + " ";
    act();
    ASSERT_TRUE(WaitFor([&] { return shown(true); })) << "not revealed";
  }
  std::printf("to all 53 windows concealed, ms: hot key %s; icon click %s\n", times[0].c_str(), times[1].c_str());
  ASSERT_TRUE(tolva_->ClickToolButton(TrayButton));
  ASSERT_TRUE(WaitFor([&] { return tolva_->MainWindow() == nullptr; }));
  press();
  EXPECT_TRUE(WaitFor([&] { return shown(false); })) << "not concealed from the tray";
  press();
  EXPECT_TRUE(WaitFor([&] { return shown(true); })) << "not revealed from the tray";

  MSG message;
  PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);  // the queue the registration belongs to
  ASSERT_TRUE(RegisterHotKey(nullptr, 1, MOD_CONTROL | MOD_ALT, 'J'));
  tolva_.reset();
  ASSERT_NO_FATAL_FAILURE(Start(Settings() + "[HotKey]\r\nKey=1610\r\n", false));
  const HWND box = tolva_->WaitForMessageBox(std::string(settings::HotKeyInUseTitle));
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(TolvaProcess::MessageText(box).rfind("Ctrl+Alt+J is in use by another program", 0), 0u);
  EXPECT_EQ(ClassOf(GetWindow(box, GW_OWNER)), "TolvaApplication");
  TolvaProcess::PressButton(box, IDOK);
  EXPECT_TRUE(tolva_->WaitForMainWindow());
  UnregisterHotKey(nullptr, 1);
}

}  // namespace
}  // namespace tolva::tests
