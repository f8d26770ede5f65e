// The whole program as a new user meets it, on the real tolva.exe under Wine: from a first start
// without a settings file to the exit, with real clicks and keys. With TOLVA_SCREENS naming a
// folder, each step's screen is saved there for the README.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "options_process.h"
#include "screen_picture.h"
#include "targets_test.h"
#include "tolva_process.h"
#include "tray_process.h"

namespace tolva::tests {
namespace {

// The splash: the program's titled window of the picture's size.
HWND SplashOf(DWORD processId) {
  for (HWND w : TopLevelWindowsOf(processId)) {
    RECT client{};
    if (WindowText(w) == TolvaProcess::Title && IsWindowVisible(w) && GetClientRect(w, &client) &&
        client.right == 480 && client.bottom == 320) {
      return w;
    }
  }
  return nullptr;
}

class WalkThrough : public TargetsTest {
 protected:
  WalkThrough() : TargetsTest("Walk target") {}
  void SetUp() override {
    ASSERT_TRUE(WaitFor([] { return DockedTray() == nullptr || DockedIcon() == nullptr; }, 5000));
    TargetsTest::SetUp();
    windows_ = Targets();
  }
  void TearDown() override {
    tolva_.reset();
    TargetsTest::TearDown();
  }
  HWND OpenOptions() {
    const HWND dialog = OpenOptionsDialog(*tolva_);
    Sleep(300);
    return dialog;
  }
  // The two windows that go; the third is excluded.
  std::vector<HWND> Going() const { return {windows_[0], windows_[1]}; }
  bool Concealed() const { return tests::NoneVisible(Going()) && IsWindowVisible(windows_[2]); }
  bool Revealed() const { return AllVisible(); }

  std::optional<TolvaProcess> tolva_;
  std::vector<HWND> windows_;
};

TEST_F(WalkThrough, ANewUserFromTheFirstStartToTheExit) {
  DeleteFileA((WindowsDirectory() + "\\tolva.ini").c_str());

  // The splash, then the main window.
  tolva_.emplace();
  HWND splash = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (splash = SplashOf(tolva_->Id())) != nullptr; }, 15000)) << "no splash";
  Sleep(150);  // painted
  SaveWindowPicture("walk-01-splash", splash);
  ASSERT_TRUE(tolva_->WaitForMainWindow());
  Sleep(400);
  SaveWindowPicture("walk-02-main-window", tolva_->MainWindow(), 24);

  // Options: a warning instead of the reveal on exit, no sound, and the third window excluded.
  HWND dialog = OpenOptions();
  ASSERT_NE(dialog, nullptr);
  ClickCentre(Child(dialog, "Button", "Show Hidden Windows On Exit"));
  ClickCentre(Child(dialog, "Button", "Play Sound"));
  Sleep(200);
  SaveWindowPicture("walk-03-options", dialog);
  ChooseOptionsPage(dialog, ExcludePage);
  HWND list = Child(dialog, "ListBox");
  const engine::ExcludeList expected = ExpectedExcludeList(tolva_->Id());
  ASSERT_TRUE(WaitFor([&] { return SendMessageA(list, LB_GETCOUNT, 0, 0) == static_cast<LRESULT>(expected.size()); }));
  const std::size_t excluded = IndexOf(expected, "Walk target 3");
  ASSERT_LT(excluded, expected.size());
  ClickExcludeTick(list, excluded);
  Sleep(200);
  SaveWindowPicture("walk-04-exclude", dialog);
  CloseOptionsWith(dialog, "OK");
  const std::string saved = ReadSettingsFile();
  EXPECT_EQ(SettingsKey(saved, "ShowExit"), "0") << saved;
  EXPECT_EQ(SettingsKey(saved, "WarnExit"), "1");
  EXPECT_EQ(SettingsKey(saved, "WAV"), "0");
  EXPECT_EQ(SettingsKey(saved, "TrayPlace"), "1");

  // The icon, docked in the tray since the start.
  ASSERT_TRUE(WaitFor([] { return DockedIcon() != nullptr; })) << "no icon docked";
  RECT tray{};
  GetWindowRect(DockedTray(), &tray);
  SaveScreenPicture("walk-05-tray-icon", RECT{tray.left - 40, tray.top - 40, tray.right, tray.bottom});

  // Conceal and reveal from the tool bar; the excluded window stays.
  ASSERT_TRUE(tolva_->ClickToolButton(HideShowButton));
  ASSERT_TRUE(WaitFor([&] { return Concealed(); })) << "not concealed from the tool bar";
  Sleep(300);
  SaveScreenPicture("walk-06-concealed");
  ASSERT_TRUE(tolva_->ClickToolButton(HideShowButton));
  ASSERT_TRUE(WaitFor([&] { return Revealed(); })) << "not revealed from the tool bar";

  // The same from the icon; the time from the click to the last window gone is measured.
  Sleep(1000);  // a click in the first moments after docking goes nowhere
  const auto clicked = std::chrono::steady_clock::now();
  ASSERT_TRUE(ClickIcon(false));
  ASSERT_TRUE(WaitFor([&] { return Concealed(); }, 10000)) << "not concealed from the icon";
  std::printf("icon click to all windows concealed: %.0f ms\n",
              std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - clicked).count());
  ASSERT_TRUE(ClickIcon(false));
  ASSERT_TRUE(WaitFor([&] { return Revealed(); })) << "not revealed from the icon";

  // A schedule a few seconds ahead conceals by itself, and is off afterwards.
  WaitForRoomInTheMinute(7);
  dialog = OpenOptions();
  ASSERT_NE(dialog, nullptr);
  ChooseOptionsPage(dialog, DateTimePage);
  const std::optional<SYSTEMTIME> target = ScheduleSecondsAhead(dialog, 7);
  ASSERT_TRUE(target.has_value()) << "the time picker did not take the steps";
  SaveWindowPicture("walk-07-schedule", dialog);
  CloseOptionsWith(dialog, "OK");
  EXPECT_TRUE(Revealed()) << "concealed before its time";
  ASSERT_TRUE(WaitFor([&] { return Concealed(); }, 15000)) << "the schedule did not fire";
  SYSTEMTIME now{};
  GetLocalTime(&now);
  EXPECT_LE(SecondsOfDay(now) - SecondsOfDay(*target), 2);
  // The switch-off is written once the command is done, a moment after the windows went.
  EXPECT_TRUE(WaitFor([] { return SettingsKey(ReadSettingsFile(), "EnableDateTime") == "0"; }, 3000))
      << ReadSettingsFile();
  ASSERT_TRUE(ClickIcon(false));
  ASSERT_TRUE(WaitFor([&] { return Revealed(); })) << "not revealed from the icon after the schedule";

  // The about box, closed with Enter.
  ASSERT_TRUE(tolva_->ClickToolButton(AboutButton));
  HWND about = tolva_->WaitForAboutBox();
  ASSERT_NE(about, nullptr);
  Sleep(300);
  SaveWindowPicture("walk-08-about", about);
  PressKey(VK_RETURN);
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(about); }));

  // A close while concealed warns; No keeps the program and the concealment.
  ASSERT_TRUE(tolva_->ClickToolButton(HideShowButton));
  ASSERT_TRUE(WaitFor([&] { return Concealed(); }));
  ASSERT_TRUE(tolva_->ClickToolButton(ExitButton));
  HWND question = tolva_->WaitForMessageBox(TolvaProcess::Title);
  ASSERT_NE(question, nullptr) << "no warning at the close";
  EXPECT_EQ(TolvaProcess::MessageText(question),
            "Your windows are still hidden!\r\n\r\nAre you sure you want to exit?");
  Sleep(200);
  SaveScreenPicture("walk-09-exit-warning");
  TolvaProcess::PressButton(question, IDNO);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(question) || !IsWindowVisible(question); }));
  EXPECT_FALSE(tolva_->WaitForExit(500));
  EXPECT_TRUE(Concealed());

  // Revealing on exit instead: the close shows the windows again and the program ends.
  dialog = OpenOptions();
  ASSERT_NE(dialog, nullptr);
  ChooseOptionsPage(dialog, 0);
  ClickCentre(Child(dialog, "Button", "Show Hidden Windows On Exit"));
  CloseOptionsWith(dialog, "OK");
  EXPECT_EQ(SettingsKey(ReadSettingsFile(), "ShowExit"), "1");
  ASSERT_TRUE(tolva_->ClickToolButton(ExitButton));
  ASSERT_TRUE(tolva_->WaitForExit()) << "the program did not end";
  EXPECT_TRUE(Revealed());
  Sleep(300);
  SaveScreenPicture("walk-10-revealed-at-exit");
}

}  // namespace
}  // namespace tolva::tests
