// One short walk of the real tolva.exe under the Windows version that Wine reports, which
// scripts/test sets for each of Windows 95, 98, NT 4.0, XP, 7 and 10 in a prefix of the walks'
// own (HKCU\Software\Wine, Version) and names in TOLVA_WINDOWS_VERSION. Disabled, so that ctest
// does not run it in the shared prefix: scripts/test runs it with --gtest_also_run_disabled_tests.
// Wine has every function whatever version it reports; that the program imports only what the
// oldest of them export is scripts/check-imports' part.
#include <gtest/gtest.h>

#include <string>

#include "help_viewer.h"
#include "options_process.h"
#include "targets_test.h"
#include "tolva_process.h"

namespace tolva::tests {
namespace {

struct ReportedVersion {
  const char* name;
  DWORD platformId;
  DWORD major, minor;
};

// What GetVersionExA reports under each. Windows 10 reports 6.2 to a program whose manifest
// does not name it among the Windows it supports; the tests carry the program's own, which does.
constexpr ReportedVersion kVersions[] = {
    {"win95", VER_PLATFORM_WIN32_WINDOWS, 4, 0}, {"win98", VER_PLATFORM_WIN32_WINDOWS, 4, 10},
    {"nt40", VER_PLATFORM_WIN32_NT, 4, 0},       {"winxp", VER_PLATFORM_WIN32_NT, 5, 1},
    {"win7", VER_PLATFORM_WIN32_NT, 6, 1},       {"win10", VER_PLATFORM_WIN32_NT, 10, 0},
};

// SPI_GETSCREENSAVERRUNNING as a process that has not read it before sees it: 1 or 0, 2 when the
// system cannot tell.
DWORD ScreenSaverRunning() {
  const ChildProcess reader(std::string(TOLVA_TARGETS_EXE) + " screen-saver-running", STARTUPINFOA{});
  return reader.WaitForExitCode(10000);
}

class VersionWalk : public TargetsTest {
 protected:
  VersionWalk() : TargetsTest("Walk target") {}
};

TEST_F(VersionWalk, DISABLED_StartConcealRevealOptionsAboutAndHelp) {
  char asked[16] = {};
  ASSERT_NE(GetEnvironmentVariableA("TOLVA_WINDOWS_VERSION", asked, sizeof asked), 0u);
  const ReportedVersion* version = nullptr;
  for (const auto& v : kVersions)
    if (std::string(v.name) == asked) version = &v;
  ASSERT_NE(version, nullptr) << asked;
  OSVERSIONINFOA reported{};
  reported.dwOSVersionInfoSize = sizeof reported;
  ASSERT_TRUE(GetVersionExA(&reported));
  ASSERT_EQ(reported.dwPlatformId, version->platformId);
  ASSERT_EQ(reported.dwMajorVersion, version->major);
  ASSERT_EQ(reported.dwMinorVersion, version->minor);
  const bool family95 = version->platformId == VER_PLATFORM_WIN32_WINDOWS;

  WriteSettingsFile("[Settings]\r\nHints=0\r\nShowExit=1\r\nWarnExit=0\r\nToTray=0\r\nWAV=0\r\n"
                    "[Icon]\r\nTrayPlace=0\r\n[Actions]\r\nCtrlAlt=1\r\n");
  ASSERT_EQ(ScreenSaverRunning(), 0u);
  TolvaProcess tolva;
  ASSERT_TRUE(tolva.WaitForMainWindow());

  // Conceal: with CtrlAlt on, the 95 family is told a screen saver runs (it then ignores
  // Ctrl+Alt+Del); the NT family is never told. The reveal lifts it.
  ASSERT_TRUE(tolva.ClickToolButton(HideShowButton));
  ASSERT_TRUE(WaitFor([&] { return NoneVisible(); })) << "the click did not conceal";
  EXPECT_EQ(ScreenSaverRunning(), family95 ? 1u : 0u);
  ASSERT_TRUE(tolva.ClickToolButton(HideShowButton));
  ASSERT_TRUE(WaitFor([&] { return AllVisible(); })) << "the click did not reveal";
  EXPECT_EQ(ScreenSaverRunning(), 0u);

  // OK in the options dialog saves the whole file, the keys it did not hold included.
  const HWND dialog = OpenOptionsDialog(tolva);
  ASSERT_NE(dialog, nullptr) << "the options dialog did not open";
  CloseOptionsWith(dialog, "OK");
  EXPECT_NE(ReadSettingsFile().find("\r\nEnableDateTime=0\r\n"), std::string::npos) << ReadSettingsFile();

  ASSERT_TRUE(tolva.ClickToolButton(AboutButton));
  const HWND about = tolva.WaitForAboutBox();
  ASSERT_NE(about, nullptr) << "the about box did not open";
  SetForegroundWindow(about);
  PressKey(VK_RETURN);
  EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(about); })) << "Enter did not close the box";

  // F1 on the main window: the viewer on its topic, and no error box. A key lost to a window
  // not yet taking input is pressed again, as a person would.
  HWND viewer = nullptr;
  const auto onTopic = [&] {
    viewer = ShownViewer();
    return viewer != nullptr && ControlText(TopicText(viewer)).rfind("The Main Window\r\n", 0) == 0;
  };
  bool shown = false;
  for (int attempt = 0; attempt < 3 && !shown; ++attempt) {
    SetForegroundWindow(tolva.MainWindow());
    Sleep(200);
    PressKey(VK_F1);
    shown = WaitFor(onTopic, 10000);
  }
  EXPECT_TRUE(shown) << (viewer != nullptr ? ControlText(TopicText(viewer)).substr(0, 60) : "no viewer");
  EXPECT_EQ(ViewerErrorBox(), nullptr);
  CloseViewer();

  ASSERT_TRUE(tolva.ClickToolButton(ExitButton));
  EXPECT_TRUE(tolva.WaitForExit());
  EXPECT_EQ(tolva.ExitCode(), 0u);
}

}  // namespace
}  // namespace tolva::tests
