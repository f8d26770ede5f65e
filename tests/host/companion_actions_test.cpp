#include "engine/companion_actions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sim/sim_platform.h"
#include "tests/host/sim_calls.h"

namespace tolva::engine {
namespace {

using platform::MbIconExclamation;
using platform::VerPlatformWin32Nt;
using platform::VerPlatformWin32s;
using platform::VerPlatformWin32Windows;
using tests::BeepCall;
using tests::BoxCall;
using tests::CtrlAltDelCall;
using tests::SoundCall;

constexpr platform::WindowHandle Owner = 0x7770;

class CompanionActionsTest : public ::testing::Test {
 protected:
  platform::sim::SimPlatform sim;
  settings::SettingsRecord settings;
  platform::VersionRecord version{4, 10, 1998, 1};
  PlatformCompanionActions actions{sim.sound,    sim.shell, sim.dialogs, sim.systemParameters,
                                   settings,     version,   Owner};
};

TEST_F(CompanionActionsTest, EveryShellExecuteCodeShowsItsOwnBoxAfterABeep) {
  struct Case {
    std::intptr_t code;
    const char* text;
    const char* title;
  };
  const Case cases[] = {
      {0, "The operating system is out of memory or resources. Close some applications and try again.",
       "Out of Memory/Resources"},
      {2, "The specified file was not found.", "File Not Found"},
      {3, "The specified path was not found.", "Path Not Found"},
      {5, "The operating system denied access to the specified file.", "Access Denied"},
      {8, "There was not enough memory to complete the operation.", "Not Enough Memory"},
      {26, "A sharing violation has occurred.", "Sharing Violation"},
      {27, "The filename association is incomplete or invalid.", "Association Error"},
      {28, "The DDE transaction could not be completed because the request timed out.", "DDE Time Out"},
      {29, "The DDE transaction failed.", "DDE Fail"},
      {30, "The DDE transaction could not be completed because other DDE transactions were being processed.",
       "DDE Busy"},
      {31, "There is no application associated with the given filename extension.", "Association Error"},
      {32, "The specified dynamic-link library was not found.", "DLL Not Found"},
      {11, "The specified file is not a valid program.\r\n\r\nIt may be damaged or made for another kind "
           "of computer.",
       "Invalid Program"},
      {1, "Default: Unable to execute shell command. Suggest you restart Windows",
       "Shell Command Execution Failed"},
      {-5, "Default: Unable to execute shell command. Suggest you restart Windows",
       "Shell Command Execution Failed"},
      {33, "Default: Unable to execute shell command. Suggest you restart Windows",
       "Shell Command Execution Failed"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    sim.log.Clear();
    sim.dialogs.boxes.clear();
    actions.ShowShellExecuteError(c.code);
    ASSERT_EQ(sim.dialogs.boxes.size(), 1u);
    EXPECT_EQ(sim.dialogs.boxes[0].text, c.text);
    EXPECT_EQ(sim.dialogs.boxes[0].caption, c.title);
    EXPECT_EQ(sim.dialogs.boxes[0].type, 0x30u);
    EXPECT_EQ(sim.dialogs.boxes[0].owner, Owner);
    ASSERT_EQ(sim.log.calls.size(), 2u);
    EXPECT_EQ(sim.log.calls[0], BeepCall(MbIconExclamation));
  }
  // Every code of the table has a box of its own, distinct from the general one.
  for (const auto& message : ShellExecuteMessages())
    EXPECT_NE(message.title, "Shell Command Execution Failed") << message.code;
}

TEST_F(CompanionActionsTest, CtrlAltDelIsTouchedOnlyOnWin32sAndTheWindows95Family) {
  struct Case {
    std::uint32_t platformId;
    bool suppress;
    bool callFails;
    std::vector<std::string> calls;
    const char* boxTitle;  // nullptr: no box
  };
  const Case cases[] = {
      {VerPlatformWin32Windows, true, false, {CtrlAltDelCall(true)}, nullptr},
      {VerPlatformWin32Windows, false, false, {CtrlAltDelCall(false)}, nullptr},
      {VerPlatformWin32s, true, false, {CtrlAltDelCall(true)}, nullptr},
      {VerPlatformWin32Windows, true, true,
       {CtrlAltDelCall(true), BeepCall(MbIconExclamation),
        BoxCall(MbIconExclamation, "Negative CTRL-ALT-DELETE stealth")},
       "Negative CTRL-ALT-DELETE stealth"},
      {VerPlatformWin32s, false, true,
       {CtrlAltDelCall(false), BeepCall(MbIconExclamation),
        BoxCall(MbIconExclamation, "Negative restore CTRL-ALT-DELETE")},
       "Negative restore CTRL-ALT-DELETE"},
      {VerPlatformWin32Nt, true, true, {}, nullptr},
      {VerPlatformWin32Nt, false, true, {}, nullptr},
      {3, true, false, {}, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.platformId) + (c.suppress ? " suppress" : " lift") +
                 (c.callFails ? " failing" : ""));
    sim.log.Clear();
    sim.dialogs.boxes.clear();
    version.platformId = c.platformId;
    sim.systemParameters.failScreenSaverRunning = c.callFails;
    sim.systemParameters.screenSaverRunning = !c.suppress;
    actions.ApplyCtrlAltDelSuppression(c.suppress);
    EXPECT_EQ(sim.log.calls, c.calls);
    if (c.boxTitle == nullptr) {
      EXPECT_TRUE(sim.dialogs.boxes.empty());
    } else {
      ASSERT_EQ(sim.dialogs.boxes.size(), 1u);
      EXPECT_EQ(sim.dialogs.boxes[0].caption, c.boxTitle);
    }
    if (c.calls.size() == 1) {
      EXPECT_EQ(sim.systemParameters.screenSaverRunning, c.suppress);
    }
  }
  EXPECT_EQ(std::string(RestoreFailedText),
            "Could not restore CTRL-ALT-DELETE.\r\n\r\nPlease reboot your computer.");
}

TEST_F(CompanionActionsTest, LaunchOpensFileSpecFromTheCurrentDirectoryAndReportsFailures) {
  struct Case {
    const char* fileSpec;
    std::intptr_t result;
    const char* boxTitle;
  };
  const Case cases[] = {
      {"notes.txt", 42, nullptr},
      {"C:\\missing\\World's_Greatest_Boss.txt", 2, "File Not Found"},
      {"picture.xyz", 31, "Association Error"},
      {"", 2, "File Not Found"},
      {"broken.exe", 11, "Invalid Program"},
      {"odd.txt", 33, nullptr},
      {"plugin.txt", 32, "DLL Not Found"},  // 32 is still a failure
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fileSpec);
    sim.shell.executed.clear();
    sim.dialogs.boxes.clear();
    settings.FileSpec = c.fileSpec;
    sim.shell.results[c.fileSpec] = c.result;
    actions.LaunchChosenFile();
    ASSERT_EQ(sim.shell.executed.size(), 1u);
    const auto& call = sim.shell.executed[0];
    EXPECT_EQ(call.owner, platform::NullWindow);
    EXPECT_EQ(call.verb, "open");
    EXPECT_EQ(call.file, c.fileSpec);
    EXPECT_EQ(call.parameters, "");
    EXPECT_EQ(call.directory, "");  // relative names are found from the current directory
    EXPECT_EQ(call.showCommand, 1);
    if (c.boxTitle == nullptr) {
      EXPECT_TRUE(sim.dialogs.boxes.empty());
    } else {
      ASSERT_EQ(sim.dialogs.boxes.size(), 1u);
      EXPECT_EQ(sim.dialogs.boxes[0].caption, c.boxTitle);
    }
  }
}

TEST_F(CompanionActionsTest, SoundsPlayAsynchronouslyFromResourcesAndTheListIsEmptied) {
  actions.PlayCycleSound(CycleSound::Conceal);
  actions.PlayCycleSound(CycleSound::Reveal);
  actions.ClearRecentDocuments();
  EXPECT_EQ(sim.log.calls,
            (std::vector<std::string>{SoundCall(1010), SoundCall(1011), tests::ClearRecentDocumentsCall}));
  EXPECT_TRUE(sim.shell.recentDocuments.empty());
}

}  // namespace
}  // namespace tolva::engine
