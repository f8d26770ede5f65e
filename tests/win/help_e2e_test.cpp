// Every way into help on the real tolva.exe under Wine, with real clicks and keys, ending in
// Wine's real help viewer (winhlp32) on the topic that way asks for, read from outside both
// programs, and no error box. With TOLVA_SCREENS naming a folder, the viewer's pictures for the
// README are saved there.
#include <windows.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>

#include "help_viewer.h"
#include "options_process.h"
#include "screen_picture.h"
#include "tolva_process.h"
#include "tray_process.h"

namespace tolva::tests {
namespace {

class HelpEndToEnd : public ::testing::Test {
 protected:
  void TearDown() override {
    tolva_.reset();
    CloseViewer();
  }

  // Opens help through one door: the viewer comes up on the topic of this title (its first
  // line), with no error box. Returns the viewer.
  HWND Through(const char* door, const std::string& title, const std::function<void()>& open) {
    SCOPED_TRACE(door);
    open();
    HWND viewer = nullptr;
    const bool shown = WaitFor([&] {
      viewer = ShownViewer();
      return viewer != nullptr && ControlText(TopicText(viewer)).rfind(title + "\r\n", 0) == 0;
    }, 15000);
    EXPECT_EQ(ViewerErrorBox(), nullptr) << TolvaProcess::MessageText(ViewerErrorBox());
    EXPECT_TRUE(shown) << (viewer != nullptr ? ControlText(TopicText(viewer)).substr(0, 60) : "no viewer");
    return shown ? viewer : nullptr;
  }
  // A real click on a jump of the viewer's topic, at the first character of its words: Wine's
  // viewer goes to the topic by its context string.
  void FollowJump(HWND viewer, const std::string& words) {
    HWND text = TopicText(viewer);
    const std::string shown = ControlText(text, TopicTextRoom);
    const std::size_t at = shown.find(words);
    ASSERT_NE(at, std::string::npos) << words;
    // The control counts a paragraph's end as one character; its text gives it as two.
    WPARAM index = at;
    for (std::size_t end = shown.find("\r\n"); end < at; end = shown.find("\r\n", end + 2)) --index;
    POINTL place{};
    AnswerThroughMemory(text, EM_POSFROMCHAR, true, index, place);
    POINT point{place.x + 3, place.y + 6};
    ClientToScreen(text, &point);
    ClickAt(point);
  }
  std::optional<TolvaProcess> tolva_;
};

TEST_F(HelpEndToEnd, EveryDoorOpensTheViewerOnItsTopic) {
  WriteSettingsFile("[Settings]\r\nHints=0\r\nWAV=0\r\n[Icon]\r\nTrayPlace=1\r\nInvisible=0\r\n");
  tolva_.emplace();
  ASSERT_TRUE(tolva_->WaitForMainWindow());
  ASSERT_TRUE(WaitFor([] { return DockedIcon() != nullptr; })) << "the icon did not dock";
  Sleep(700);  // the tray takes the icon in
  const HWND main = tolva_->MainWindow();

  // The main window: its Help button the contents, F1 its own topic.
  HWND viewer = Through("Help button", "Contents", [&] { tolva_->ClickToolButton(HelpButton); });
  SetWindowPos(viewer, nullptr, 40, 40, 640, 480, SWP_NOZORDER | SWP_NOACTIVATE);
  Sleep(500);
  SaveWindowPicture("help-contents", viewer, 0);
  CloseViewer();
  auto pressed = std::chrono::steady_clock::now();
  Through("F1 on the main window", "The Main Window", [&] {
    PressKeyIn(main, VK_F1);
    pressed = std::chrono::steady_clock::now();
  });
  std::printf("F1 to the help window: %.0f ms\n",
              std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - pressed).count());
  CloseViewer();

  // The icon menu's Help, chosen by its underlined letter.
  Through("the icon menu's Help", "Contents", [&] {
    ClickIcon(true);
    ASSERT_TRUE(WaitFor([&] { return OpenMenuOf(tolva_->Id()) != nullptr; })) << "no menu";
    Sleep(300);
    PressKey('E');
  });
  CloseViewer();

  // The about box: F1 the main window's topic; the legal notice the contents, then "Copyright".
  // Wine's viewer leaves out the jump the program then asks for (the HELP_COMMAND with the
  // macro JumpID: its remote control handles no such command), so the test follows the
  // contents' own jump to the topic, as a person would there.
  ASSERT_TRUE(tolva_->ClickToolButton(AboutButton));
  const HWND about = tolva_->WaitForAboutBox();
  ASSERT_NE(about, nullptr);
  Through("F1 on the about box", "The Main Window", [&] { PressKeyIn(about, VK_F1); });
  CloseViewer();
  for (const char* line : {"Copyright \xA9 2003", "All rights reserved."}) {
    viewer = Through(line, "Contents", [&] { ClickCentre(Child(about, "Static", line)); });
    ASSERT_NE(viewer, nullptr);
    Through("the contents' jump to Copyright", "Copyright", [&] { FollowJump(viewer, "Copyright"); });
    CloseViewer();
  }
  PostMessageA(about, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(about); }));

  // The options dialog: F1 its topic; its Help button the contents, then "Options_Dialog".
  ASSERT_TRUE(tolva_->ClickToolButton(OptionsButton));
  HWND dialog = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (dialog = OptionsDialogOf(tolva_->Id())) != nullptr; }));
  Through("F1 on the options dialog", "The Options Dialog", [&] { PressKeyIn(dialog, VK_F1); });
  CloseViewer();
  viewer = Through("the options dialog's Help", "Contents",
                   [&] { ClickCentre(Child(dialog, "Button", "&Help")); });
  ASSERT_NE(viewer, nullptr);
  Through("the contents' jump to Options_Dialog", "The Options Dialog",
          [&] { FollowJump(viewer, "The Options dialog"); });
  SetWindowPos(viewer, nullptr, 40, 40, 640, 480, SWP_NOZORDER | SWP_NOACTIVATE);
  Through("a jump to a page", "Options: Settings Page", [&] { FollowJump(viewer, "Settings:"); });
  Sleep(500);
  SaveWindowPicture("help-settings-page", viewer, 0);
  CloseViewer();
  ClickCentre(Child(dialog, "Button", "Cancel"));
  EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(dialog); }));
}

}  // namespace
}  // namespace tolva::tests
