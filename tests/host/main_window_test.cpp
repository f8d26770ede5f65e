#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>

#include "app_fixture.h"
#include "tests/host/sim_calls.h"

namespace tolva::app::testing {
namespace {

using platform::ErrorFileNotFound;
using platform::IdCancel;
using platform::IdNo;
using platform::IdYes;
using platform::MbIconError;
using platform::VerPlatformWin32Windows;
using tests::CtrlAltDelCall;
using tests::CtrlAltDelCalls;
using tests::SoundCall;
using ui::CloseAction;

constexpr unsigned CtrlAlt = platform::ModControl | platform::ModAlt;

std::string Ini(const std::string& showExit, const std::string& warnExit, const std::string& extra = "") {
  return "[Settings]\nWAV=0\nShowExit=" + showExit + "\nWarnExit=" + warnExit + "\n" + extra;
}

TEST_F(MainWindowTest, LayoutCaptionsHintsAndImagesAreThoseOfTheMainWindow) {
  Create();
  auto& f = Form1();
  EXPECT_EQ(f.Caption(), "Tolva R. Quenlar (TM)");
  EXPECT_EQ(f.clientSize, (ui::Size{294, 127}));
  EXPECT_EQ(f.colour, (ui::Colour{0, 0, 255}));
  EXPECT_EQ(f.helpContext, 1000);
  EXPECT_TRUE(f.keyPreview);
  struct Button {
    ui::ToolButton& button;
    const char* caption;
    const char* hint;
    int image;
    int x;
  };
  const Button buttons[] = {
      {f.HideShowButton, "&Hide", "Hide visible application windows", 0, 0},
      {f.OptionsButton, "&Options", "Set Tolva options", 6, 49},
      {f.HelpButton, "H&elp", "Get help", 1, 98},
      {f.AboutButton, "&About", "About Tolva", 2, 147},
      {f.HideTolvaButton, "&Tray", "Send Tolva to the System Tray", 4, 196},
      {f.ExitButton, "E&xit", "Exit Tolva", 3, 245},
  };
  ASSERT_EQ(f.ToolBar1.buttons.size(), 6u);
  for (std::size_t i = 0; i < 6; ++i) {
    SCOPED_TRACE(buttons[i].caption);
    EXPECT_EQ(f.ToolBar1.buttons[i], &buttons[i].button);
    EXPECT_EQ(buttons[i].button.Caption(), buttons[i].caption);
    EXPECT_EQ(buttons[i].button.Hint(), buttons[i].hint);
    EXPECT_EQ(buttons[i].button.ImageIndex(), buttons[i].image);
    EXPECT_EQ(buttons[i].button.GetBounds().left, buttons[i].x);
  }
  EXPECT_EQ(f.MarrowbyImage.Hint(), "Click here to visit " + std::string(MakerSiteName) + " now");
  EXPECT_EQ(f.TolvaImage.GetBounds(), (ui::Bounds{25, 8, 32, 32}));
  EXPECT_EQ(f.TolvaNameImage.GetBounds(), (ui::Bounds{62, 9, 209, 30}));
  EXPECT_EQ(f.MarrowbyImage.GetBounds(), (ui::Bounds{59, 62, 182, 24}));
  // The tray tip "Tolva R. Quenlar (TM) from " + site name, with its terminator, fits 64 bytes.
  EXPECT_LE(27 + MakerSiteName.size() + 1, 64u);
  EXPECT_EQ(f.ImageList1.count, 11);
}

TEST_F(MainWindowTest, CreationLoadsSettingsAppliesHintsAndTimerThenQueriesTheVersion) {
  struct Case {
    const char* hints;
    bool shown;
    std::optional<ui::Colour> colour;
  };
  const Case cases[] = {{"1", true, ui::Colour{0, 255, 0}}, {"0", false, std::nullopt},
                        {"2", true, std::nullopt}, {"x", false, std::nullopt}, {"", false, std::nullopt}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.hints);
    MainWindowRig fresh;
    fresh.Create(std::string("[Settings]\nHints=") + c.hints + "\n[DateTime]\nEnableDateTime=1\n");
    EXPECT_EQ(fresh.p.backend.hintsShown, c.shown);
    EXPECT_EQ(fresh.p.backend.hintColour, c.colour);
    EXPECT_TRUE(fresh.Form1().ActionTimer.Enabled());
    EXPECT_EQ(fresh.Form1().VersionInfo.platformId, platform::VerPlatformWin32Nt);
  }
  // The version is asked after the settings were read, and the handlers hooked last.
  Create("[DateTime]\nEnableDateTime=0\n");
  EXPECT_FALSE(Form1().ActionTimer.Enabled());
  const auto& calls = p.sim.log.calls;
  const auto version = std::find(calls.begin(), calls.end(), "GetVersionExA");
  const auto window = std::find(calls.begin(), calls.end(), "CreateWindow Form1");
  ASSERT_NE(version, calls.end());
  EXPECT_LT(window, version);
  EXPECT_TRUE(static_cast<bool>(p.program.application().OnException));
  EXPECT_EQ(state().ownWindows.Get(engine::OwnWindows::Role::MainWindow), Form1().Handle());
}

TEST_F(MainWindowTest, AFailedVersionQueryWarnsAndLeavesPlatformIdZero) {
  p.sim.kernel.failVersion = true;
  Create();
  ASSERT_EQ(p.sim.dialogs.boxes.size(), 1u);
  EXPECT_EQ(p.sim.dialogs.boxes[0].text, "Could not retreive Windows version information");
  EXPECT_EQ(p.sim.dialogs.boxes[0].caption, "Windows Version Info");
  EXPECT_EQ(p.sim.dialogs.boxes[0].owner, p.program.application().Handle());
  EXPECT_EQ(Form1().VersionInfo.platformId, 0u);
  // Platform id 0 counts as the Windows 95 family: every close gives Ctrl+Alt+Del back.
  p.sim.log.Clear();
  p.backend.SendMessage(Form1(), ui::WmClose);
  EXPECT_EQ(p.Calls(CtrlAltDelCalls), (std::vector<std::string>{CtrlAltDelCall(false)}));
}

TEST_F(MainWindowTest, TheButtonConcealsAndRevealsWithItsCompanionActions) {
  p.sim.kernel.version.platformId = VerPlatformWin32Windows;
  Create("[Settings]\nWAV=1\n[Actions]\nClearDoc=1\nCtrlAlt=1\nLaunchApp=1\nFileSpec=missing.txt\n");
  const auto targets = Targets(3);
  p.sim.shell.results["missing.txt"] = ErrorFileNotFound;
  // The launch fails after the windows are gone, and the concealment stays.
  p.sim.dialogs.whileOpen = [&](const platform::sim::SimDialogs::Box& box) {
    EXPECT_EQ(box.caption, "File Not Found");
    for (auto w : targets) EXPECT_FALSE(Visible(w));
  };
  p.backend.Click(Form1().HideShowButton);
  EXPECT_TRUE(state().hiddenWindows.WindowsHidden);
  EXPECT_EQ(state().hiddenWindows.count, 3);
  EXPECT_TRUE(Visible(Form1().Handle()));
  EXPECT_EQ(Form1().HideShowButton.Caption(), "&Show");
  EXPECT_EQ(Form1().HideShowButton.ImageIndex(), 7);
  EXPECT_EQ(p.sim.sound.played, (std::vector<int>{TOLVA_WAVE_CONCEAL}));
  EXPECT_TRUE(p.sim.shell.recentDocuments.empty());
  EXPECT_TRUE(p.sim.systemParameters.screenSaverRunning);
  ASSERT_EQ(p.sim.dialogs.boxes.size(), 1u);

  p.sim.dialogs.whileOpen = nullptr;
  p.backend.Click(Form1().HideShowButton);
  for (auto w : targets) EXPECT_TRUE(Visible(w));
  EXPECT_EQ(Form1().HideShowButton.Caption(), "&Hide");
  EXPECT_EQ(p.sim.sound.played, (std::vector<int>{TOLVA_WAVE_CONCEAL, TOLVA_WAVE_REVEAL}));
  EXPECT_FALSE(p.sim.systemParameters.screenSaverRunning);
  EXPECT_EQ(p.sim.shell.executed.size(), 1u);  // the file opens on a conceal only
}

TEST_F(MainWindowTest, SoundKeyHelpAndWebLinks) {
  Create("[Settings]\nWAV=0\n");
  struct Key {
    unsigned key;
    ui::KeyShift shift;
    bool plays;
  };
  const Key keys[] = {{VkK, {true, true, true}, true},   {VkK, {false, true, true}, false},
                      {VkK, {true, false, true}, false}, {'L', {true, true, true}, false}};
  for (const auto& k : keys) {
    p.sim.sound.played.clear();
    p.backend.PressKey(Form1(), k.key, k.shift);
    EXPECT_EQ(p.sim.sound.played.size(), k.plays ? 1u : 0u);
    if (k.plays) {
      EXPECT_EQ(p.sim.sound.played[0], 1012);
      EXPECT_EQ(p.Calls("PlaySoundA").back(), SoundCall(SoundKeyWave));
    }
  }
  p.sim.log.Clear();
  p.backend.PressKey(Form1(), ui::VkF1, {});
  p.backend.Click(Form1().HelpButton);
  EXPECT_EQ(p.Calls("WinHelpA"),
            (std::vector<std::string>{tests::HelpCall(platform::HelpContext, MainWindowHelpContext),
                                      tests::HelpCall(platform::HelpContents, 0)}));

  p.sim.shell.results["http://www.marrowby.com/"] = ErrorFileNotFound;
  p.backend.Click(Form1().TolvaImage);
  p.backend.Click(Form1().TolvaNameImage);
  p.backend.Click(Form1().MarrowbyImage);
  ASSERT_EQ(p.sim.shell.executed.size(), 3u);
  EXPECT_EQ(p.sim.shell.executed[0].file, "http://www.marrowby.com/software/tolva.htm");
  EXPECT_EQ(p.sim.shell.executed[1].file, "http://www.marrowby.com/software/tolva.htm");
  EXPECT_EQ(p.sim.shell.executed[2].file, "http://www.marrowby.com/");
  EXPECT_EQ(p.sim.shell.executed[0].owner, AboutBox().Handle());
  EXPECT_EQ(p.sim.shell.executed[0].showCommand, platform::SwRestore);
  EXPECT_EQ(p.sim.shell.executed[0].parameters, "(null)");
  ASSERT_EQ(p.sim.dialogs.boxes.size(), 1u);
  EXPECT_EQ(p.sim.dialogs.boxes[0].caption, "About Box Shell Command Failed");
  EXPECT_EQ(p.sim.dialogs.boxes[0].text,
            "Unable to execute shell command.\r\n\r\nDo you have a default browser installed?");
}

// Every branch of closing the main window: the settings, whether windows are concealed, and the
// answer to the question.
TEST_F(MainWindowTest, CloseRevealsAsksOrJustEnds) {
  struct Case {
    const char* showExit;
    const char* warnExit;
    bool concealed;
    int answer;  // to the question, when one is asked
    bool asks;
    CloseAction decision;
    bool windowsBack;
  };
  const Case cases[] = {
      {"1", "0", false, 0, false, CloseAction::Hide, true},
      {"0", "1", false, 0, false, CloseAction::Hide, true},
      {"1", "0", true, 0, false, CloseAction::Free, true},
      {"0", "1", true, IdYes, true, CloseAction::Free, false},
      {"0", "1", true, IdNo, true, CloseAction::None, false},
      {"0", "1", true, IdCancel, true, CloseAction::None, false},
      {"0", "1", true, 0, true, CloseAction::Hide, false},
      {"0", "0", true, 0, false, CloseAction::Hide, false},
      {"1", "1", true, 0, false, CloseAction::Hide, false},
      {"2", "0", true, 0, false, CloseAction::Hide, false},
      {"0", "3", true, 0, false, CloseAction::Hide, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.showExit) + "/" + c.warnExit + (c.concealed ? " concealed" : "") +
                 " answer " + std::to_string(c.answer));
    MainWindowRig t;
    t.p.sim.kernel.version.platformId = VerPlatformWin32Windows;
    t.Create(Ini("0", "0"));
    const auto targets = t.Targets(2);
    if (c.concealed) t.Form1().HideShowButtonClick();
    t.Form1().Settings.ShowExit = c.showExit;
    t.Form1().Settings.WarnExit = c.warnExit;
    t.p.sim.log.Clear();
    t.p.sim.dialogs.answers = {c.answer};
    CloseAction action = CloseAction::Hide;
    t.Form1().FormClose(action);
    EXPECT_EQ(action, c.decision);
    ASSERT_EQ(t.p.sim.dialogs.boxes.size(), c.asks ? 1u : 0u);
    if (c.asks) {
      EXPECT_EQ(t.p.sim.dialogs.boxes[0].text, "Your windows are still hidden!\r\n\r\nAre you sure you want to exit?");
      EXPECT_EQ(t.p.sim.dialogs.boxes[0].caption, "Tolva R. Quenlar (TM)");
      EXPECT_EQ(t.p.sim.dialogs.boxes[0].type, 0x1133u);
    }
    for (auto w : targets) EXPECT_EQ(t.Visible(w), c.windowsBack);
    // Ctrl+Alt+Del is given back on every attempt, the cancelled ones too.
    EXPECT_EQ(t.p.Calls(CtrlAltDelCalls).back(), CtrlAltDelCall(false));
  }
}

TEST_F(MainWindowTest, OnTheNtFamilyCloseNeverTouchesCtrlAltDelAndAFailedRestoreWarns) {
  Create(Ini("1", "0"));
  p.sim.log.Clear();
  CloseAction action = CloseAction::Hide;
  Form1().FormClose(action);
  EXPECT_TRUE(p.Calls(CtrlAltDelCalls).empty());

  MainWindowRig w95;
  w95.p.sim.kernel.version.platformId = VerPlatformWin32Windows;
  w95.Create(Ini("1", "0"));
  w95.p.sim.systemParameters.failScreenSaverRunning = true;
  w95.Form1().FormClose(action);
  ASSERT_EQ(w95.p.sim.dialogs.boxes.size(), 1u);
  EXPECT_EQ(w95.p.sim.dialogs.boxes[0].caption, "Negative restore CTRL-ALT-DELETE");
}

TEST_F(MainWindowTest, SessionEndIsAnsweredByTheSettingsAndTheQuestion) {
  struct Case {
    const char* showExit;
    const char* warnExit;
    bool concealed;
    int answer;
    std::intptr_t result;
    bool windowsBack;
  };
  const Case cases[] = {
      {"1", "0", false, 0, 1, true},    {"1", "0", true, 0, 0, true},
      {"0", "1", true, IdYes, 1, false}, {"0", "1", true, IdNo, 0, false},
      {"0", "1", true, IdCancel, 0, false}, {"0", "1", true, 0, 1, false},
      {"0", "0", true, 0, 1, false},    {"1", "1", true, 0, 1, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.showExit) + "/" + c.warnExit + " answer " + std::to_string(c.answer));
    MainWindowRig t;
    t.Create(Ini(c.showExit, c.warnExit));
    const auto targets = t.Targets(2);
    if (c.concealed) t.Form1().HideShowButtonClick();
    t.p.sim.dialogs.answers = {c.answer};
    t.p.sim.log.Clear();
    EXPECT_EQ(t.p.backend.SendMessage(t.Form1(), WmQueryEndSession), c.result);
    for (auto w : targets) EXPECT_EQ(t.Visible(w), c.windowsBack);
    const bool asked = std::string(c.warnExit) == "1" && std::string(c.showExit) != "1" && c.concealed;
    ASSERT_EQ(t.p.sim.dialogs.boxes.size(), asked ? 1u : 0u);
    if (asked) {
      EXPECT_EQ(t.p.sim.dialogs.boxes[0].text,
                "Your windows are still hidden!\r\n\r\nAre you sure you want to exit Windows?");
      EXPECT_EQ(t.p.sim.dialogs.boxes[0].type, HiddenWindowsQuestionStyle);
    }
    EXPECT_TRUE(t.p.Calls(CtrlAltDelCalls).empty());
    // A refused ending revealed the windows: the next one goes through.
    if (c.result == 0 && c.windowsBack) {
      EXPECT_EQ(t.p.backend.SendMessage(t.Form1(), WmQueryEndSession), 1);
    }
  }
}

TEST_F(MainWindowTest, AConfirmedSessionEndEndsTheProcessWithoutTheCloseSteps) {
  Create(Ini("1", "0"));
  const auto targets = Targets(1);
  Form1().HideShowButtonClick();
  p.backend.SendMessage(Form1(), WmEndSession, 0);  // called off by another program: nothing
  EXPECT_FALSE(p.backend.exitedProcess);
  // The process ends inside the handler: nothing after it runs.
  EXPECT_THROW(p.backend.SendMessage(Form1(), WmEndSession, 1), platform::sim::ProcessEnded);
  EXPECT_TRUE(p.backend.exitedProcess);
  EXPECT_FALSE(Visible(targets[0]));  // the close steps (reveal) did not run
  EXPECT_EQ(p.sim.desktop.Find(Form1().Handle()), nullptr);
}

// A session-end query sent while the conceal pass waits on another program's window: it must not
// start a second pass inside the first, and no window may end up hidden and unrecorded.
TEST_F(MainWindowTest, ASessionEndQueryInsideAConcealPassLeavesNoWindowLost) {
  struct Case {
    const char* showExit;
    const char* warnExit;
    std::intptr_t result;
    bool revealedAfter;
  };
  const Case cases[] = {{"1", "0", 0, true}, {"0", "1", 0, false}, {"0", "0", 1, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.showExit) + "/" + c.warnExit);
    MainWindowRig t;
    t.Create(Ini(c.showExit, c.warnExit));
    const auto targets = t.Targets(5);
    t.p.sim.dialogs.answers = {IdNo};
    std::intptr_t answer = -1;
    int hides = 0;
    t.p.sim.desktop.duringShowWindow = [&](platform::WindowHandle, platform::ShowCommand command) {
      if (command == platform::ShowCommand::Hide && ++hides == 2) {
        answer = t.p.backend.SendMessage(t.Form1(), WmQueryEndSession);
      }
    };
    t.Form1().HideShowButtonClick();
    t.p.sim.desktop.duringShowWindow = nullptr;
    EXPECT_EQ(answer, c.result);
    for (auto w : targets) {
      const bool recorded = std::find(t.state().hiddenWindows.entries.begin(),
                                      t.state().hiddenWindows.entries.begin() + t.state().hiddenWindows.count,
                                      w) != t.state().hiddenWindows.entries.begin() + t.state().hiddenWindows.count;
      EXPECT_TRUE(t.Visible(w) || recorded) << "hidden and lost";
      EXPECT_EQ(t.Visible(w), c.revealedAfter);
    }
    EXPECT_EQ(t.state().hiddenWindows.WindowsHidden, !c.revealedAfter);
    EXPECT_EQ(t.Form1().HideShowButton.Caption(), c.revealedAfter ? "&Hide" : "&Show");
    // Afterwards the windows come back with the next command.
    if (!c.revealedAfter) {
      t.Form1().HideShowButtonClick();
      for (auto w : targets) EXPECT_TRUE(t.Visible(w));
    }
  }
}

// An exception that no handler catches ends the program; the windows it keeps hidden are shown
// first, since nothing would be left to bring them back.
TEST_F(MainWindowTest, TheFatalExceptionPathRevealsTheWindowsThenEnds) {
  struct Case {
    const char* name;
    std::function<void()> fail;
    const char* text;  // nullptr: no box, and the program goes on
  };
  const Case cases[] = {
      {"own", [] { throw Exception("Access violation at address 0040A1B2"); },
       "Access violation at address 0040A1B2."},
      {"library", [] { throw std::out_of_range("vector::_M_range_check"); },
       "vector::_M_range_check."},
      {"silent", [] { throw Abort(); }, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    MainWindowRig t;
    t.Create(Ini("0", "0"));
    const auto targets = t.Targets(3);
    t.Form1().HideShowButtonClick();
    t.Form1().OptionsButton.OnClick = c.fail;
    t.p.backend.Click(t.Form1().OptionsButton);
    const bool fatal = c.text != nullptr;
    ASSERT_EQ(t.p.sim.dialogs.boxes.size(), fatal ? 1u : 0u);
    EXPECT_EQ(t.p.program.application().Terminated(), fatal);
    for (auto w : targets) EXPECT_EQ(t.Visible(w), fatal);
    if (!fatal) continue;
    const auto& box = t.p.sim.dialogs.boxes[0];
    EXPECT_EQ(box.text, c.text);
    EXPECT_EQ(box.caption, "Tolva R. Quenlar (TM)");
    EXPECT_EQ(box.type, 0x10u);
    EXPECT_FALSE(t.state().hiddenWindows.WindowsHidden);
  }

  // Raised inside a pass, the reveal waits for the pass to finish.
  MainWindowRig t;
  t.Create(Ini("0", "0"));
  const auto more = t.Targets(4);
  int hides = 0;
  t.p.sim.desktop.duringShowWindow = [&](platform::WindowHandle, platform::ShowCommand command) {
    if (command == platform::ShowCommand::Hide && ++hides == 2) {
      t.p.program.application().Dispatch([] { throw Exception("Stack overflow"); });
    }
  };
  t.Form1().HideShowButtonClick();
  EXPECT_TRUE(t.p.program.application().Terminated());
  for (auto w : more) EXPECT_TRUE(t.Visible(w));
}

TEST(ErrorBox, AFullStopIsAddedWhenTheLastCharacterSortsAfterIt) {
  struct Case {
    const char* message;
    const char* text;
  };
  const Case cases[] = {{"Disk full", "Disk full."}, {"Done.", "Done."}, {"Why?", "Why?."},
                        {"Stop!", "Stop!"},          {"(1)", "(1)"},   {"a-", "a-"},
                        {"", ""},                    {"x\xe9", "x\xe9."}};
  for (const auto& c : cases) EXPECT_EQ(ui::Application::ErrorBoxText(c.message), c.text) << c.message;
}

}  // namespace
}  // namespace tolva::app::testing

namespace tolva::app::testing {
namespace {

// The about box and options commands guard their own steps: an error there is shown and the
// program goes on, where the same error in an unguarded handler ends it.
TEST_F(MainWindowTest, GuardedCommandsShowTheErrorAndGoOn) {
  Create();
  p.backend.modalScript = [](ui::Form& form) -> int {
    if (form.Name() == "AboutBox") throw Exception("Cannot open " + form.Name());
    throw std::length_error("basic_string::_M_create");
  };
  p.backend.Click(Form1().AboutButton);
  p.backend.Click(Form1().OptionsButton);
  ASSERT_EQ(p.sim.dialogs.boxes.size(), 2u);
  EXPECT_EQ(p.sim.dialogs.boxes[0].text, "Cannot open AboutBox.");
  EXPECT_EQ(p.sim.dialogs.boxes[1].text, "basic_string::_M_create.");
  EXPECT_FALSE(p.program.application().Terminated());

  p.backend.modalScript = [](ui::Form&) { return 1; };
  p.backend.Click(Form1().AboutButton);
  EXPECT_EQ(p.Calls("ShowModal"), (std::vector<std::string>{"ShowModal AboutBox", "ShowModal OptionsDialog",
                                                            "ShowModal AboutBox"}));
  // Exit asks the window to close; the close handler decides.
  p.backend.Click(Form1().ExitButton);
  EXPECT_FALSE(p.program.application().Terminated());  // posted, not yet handled
  p.backend.Advance(1);
  EXPECT_TRUE(p.program.application().Terminated());
}

}  // namespace
}  // namespace tolva::app::testing

namespace tolva::app::testing {
namespace {

// Each companion action, on and off, in both directions, through the real actions on the
// simulated platform (Windows 95 family, so Ctrl+Alt+Del is touched).
TEST_F(MainWindowTest, CompanionActionsFollowTheirSettingsInBothDirections) {
  struct Case {
    const char* ini;
    std::vector<std::string> concealCalls;  // PlaySoundA, SHAddToRecentDocs, Ctrl+Alt+Del, ShellExecuteA
    std::vector<std::string> revealCalls;
  };
  const std::string lifted = CtrlAltDelCall(false);
  const Case cases[] = {
      {"[Settings]\nWAV=0\n[Actions]\nClearDoc=0\nCtrlAlt=0\nLaunchApp=0\n", {lifted}, {lifted}},
      {"[Settings]\nWAV=1\n[Actions]\nClearDoc=0\nCtrlAlt=0\nLaunchApp=0\n",
       {SoundCall(TOLVA_WAVE_CONCEAL), lifted},
       {SoundCall(TOLVA_WAVE_REVEAL), lifted}},
      {"[Settings]\nWAV=0\n[Actions]\nClearDoc=1\nCtrlAlt=0\nLaunchApp=0\n",
       {tests::ClearRecentDocumentsCall, lifted},
       {lifted}},
      {"[Settings]\nWAV=0\n[Actions]\nClearDoc=0\nCtrlAlt=1\nLaunchApp=0\n",
       {CtrlAltDelCall(true)},
       {lifted}},
      {"[Settings]\nWAV=0\n[Actions]\nClearDoc=0\nCtrlAlt=0\nLaunchApp=1\nFileSpec=notes.txt\n",
       {lifted, "ShellExecuteA open \"notes.txt\" " + std::to_string(platform::SwShowNormal)},
       {lifted}},
  };
  auto companionCalls = [](const SimProgram& program) {
    std::vector<std::string> out;
    for (const auto& call : program.sim.log.calls) {
      if (call.rfind("PlaySoundA", 0) == 0 || call.rfind("SHAddToRecentDocs", 0) == 0 ||
          call.rfind(CtrlAltDelCalls, 0) == 0 || call.rfind("ShellExecuteA", 0) == 0) {
        out.push_back(call);
      }
    }
    return out;
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.ini);
    MainWindowRig t;
    t.p.sim.kernel.version.platformId = VerPlatformWin32Windows;
    t.Create(c.ini);
    t.Targets(2);
    t.p.sim.log.Clear();
    t.p.backend.Click(t.Form1().HideShowButton);
    EXPECT_EQ(companionCalls(t.p), c.concealCalls);
    t.p.sim.log.Clear();
    t.p.backend.Click(t.Form1().HideShowButton);
    EXPECT_EQ(companionCalls(t.p), c.revealCalls);
    EXPECT_TRUE(t.p.sim.dialogs.boxes.empty());
  }
}

}  // namespace
}  // namespace tolva::app::testing

namespace tolva::app::testing {
namespace {

// Alt with a caption's underlined letter works the button, whatever the letter case; a disabled
// button or a letter no caption underlines takes nothing.
TEST_F(MainWindowTest, AltKeysWorkTheButtonsTheirCaptionsUnderline) {
  Create("[Settings]\nWAV=0\n[Icon]\nTrayPlace=0\n");  // no icon: the Tray button is off
  const auto targets = Targets(2);
  struct Case {
    char letter;
    bool taken;
  };
  // After "&Hide" has concealed, the button reads "&Show".
  for (const Case c : {Case{'t', false}, Case{'q', false}, Case{'h', true}, Case{'h', false},
                       Case{'S', true}}) {
    SCOPED_TRACE(c.letter);
    EXPECT_EQ(p.backend.PressAlt(Form1(), c.letter), c.taken);
  }
  // Concealed, then revealed again.
  EXPECT_TRUE(Visible(targets[0]));
  EXPECT_EQ(p.sim.desktop.ShowWindowCalls(), 4);
  EXPECT_EQ(ui::AcceleratorOf("E&xit"), 'x');
  EXPECT_EQ(ui::AcceleratorOf("Exit&"), '\0');
  EXPECT_EQ(ui::AcceleratorOf("Exit"), '\0');

  // A close request on a form shown modally ends its loop with cancel, not the program.
  int closedWith = -1;
  p.backend.modalScript = [&](ui::Form& form) {
    p.backend.SendMessage(form, ui::WmClose);
    closedWith = form.modalResult;
    return form.modalResult;
  };
  p.backend.Click(Form1().AboutButton);
  EXPECT_EQ(closedWith, IdCancel);
  EXPECT_FALSE(p.program.application().Terminated());
  EXPECT_TRUE(Visible(Form1().Handle()));
}

}  // namespace
}  // namespace tolva::app::testing

namespace tolva::app::testing {
namespace {

// A failure while revealing or asking on close is shown, the decision stays as it stood, and
// Ctrl+Alt+Del is still given back.
TEST_F(MainWindowTest, TheCloseHandlersGuardKeepsTheDecisionAndGivesCtrlAltDelBack) {
  struct Case {
    const char* name;
    const char* showExit;
    const char* warnExit;
    const char* errorText;
  };
  const Case cases[] = {
      {"reveal fails", "1", "0", "vector::_M_range_check."},
      {"question fails", "0", "1", "std::bad_alloc."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    MainWindowRig t;
    t.p.sim.kernel.version.platformId = VerPlatformWin32Windows;
    t.Create(Ini(c.showExit, c.warnExit));
    t.Targets(2);
    t.Form1().HideShowButtonClick();
    t.p.sim.desktop.afterVisit = [](platform::WindowHandle) {
      throw std::out_of_range("vector::_M_range_check");
    };
    t.p.sim.dialogs.whileOpen = [](const platform::sim::SimDialogs::Box& box) {
      if (box.type == HiddenWindowsQuestionStyle) throw std::bad_alloc();
    };
    t.p.sim.log.Clear();
    CloseAction action = CloseAction::Hide;
    t.Form1().FormClose(action);
    EXPECT_EQ(action, CloseAction::Hide);  // the program still ends
    ASSERT_FALSE(t.p.sim.dialogs.boxes.empty());
    const auto& box = t.p.sim.dialogs.boxes.back();
    EXPECT_EQ(box.text, c.errorText);
    EXPECT_EQ(box.type, MbIconError);
    EXPECT_EQ(t.p.Calls(CtrlAltDelCalls), (std::vector<std::string>{CtrlAltDelCall(false)}));
    const auto& calls = t.p.sim.log.calls;
    EXPECT_LT(std::find(calls.begin(), calls.end(), tests::BoxCall(MbIconError, ApplicationTitle)),
              std::find(calls.begin(), calls.end(), CtrlAltDelCall(false)));
  }
}

// While a companion action's box is open the program keeps handling messages, and a command
// then runs at once: it is not kept for later as one arriving inside the window pass is.
TEST_F(MainWindowTest, CommandsWhileACompanionBoxIsOpenRunAtOnce) {
  struct Case {
    const char* name;
    std::function<void(MainWindowRig&)> during;
  };
  const Case cases[] = {
      {"Hide/Show click", [](MainWindowRig& t) { t.p.backend.Click(t.Form1().HideShowButton); }},
      {"session-end query",
       [](MainWindowRig& t) { EXPECT_EQ(t.p.backend.SendMessage(t.Form1(), WmQueryEndSession), 0); }},
      {"hot key", [](MainWindowRig& t) { EXPECT_TRUE(t.p.backend.PressHotKey(CtrlAlt, 'H')); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    MainWindowRig t;
    t.Create(Ini("1", "0", "[Actions]\nLaunchApp=1\nFileSpec=missing.txt\n[HotKey]\nKey=1608\n"));
    const auto targets = t.Targets(3);
    t.p.sim.shell.results["missing.txt"] = ErrorFileNotFound;
    bool ran = false;
    t.p.sim.dialogs.whileOpen = [&](const platform::sim::SimDialogs::Box& box) {
      if (box.caption != "File Not Found" || ran) return;
      ran = true;
      c.during(t);
      for (auto w : targets) EXPECT_TRUE(t.Visible(w));
      EXPECT_FALSE(t.state().hiddenWindows.WindowsHidden);
      EXPECT_EQ(t.Form1().HideShowButton.Caption(), "&Hide");
    };
    t.p.backend.Click(t.Form1().HideShowButton);
    EXPECT_TRUE(ran);
    for (auto w : targets) EXPECT_TRUE(t.Visible(w));
    EXPECT_FALSE(t.state().hiddenWindows.WindowsHidden);
    EXPECT_EQ(t.p.Calls(tests::PassCall).size(), 2u);
  }
}

}  // namespace
}  // namespace tolva::app::testing
