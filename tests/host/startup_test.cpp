#include <gtest/gtest.h>

#include "app_fixture.h"
#include "tests/host/sim_calls.h"

namespace tolva::app::testing {
namespace {

using platform::SwShowNormal;

// The order in which the program's windows were created.
std::vector<std::string> Created(const SimProgram& p) { return p.Calls("CreateWindow "); }

TEST(StartUp, ASecondInstanceWarnsOnlyWhenTheFirstOnesWindowIsThere) {
  for (const bool windowThere : {true, false}) {
    SCOPED_TRACE(windowThere);
    platform::sim::SimMutexNamespace session;
    session.references["SINGLE_TOLVA.MUTEX"] = 1;  // the first instance holds it
    SimProgram second(session);
    if (windowThere) second.sim.desktop.Create("Tolva R. Quenlar (TM)", false);
    EXPECT_EQ(second.program.Run(SwShowNormal), 0);
    if (windowThere) {
      ASSERT_EQ(second.sim.dialogs.boxes.size(), 1u);
      const auto& box = second.sim.dialogs.boxes[0];
      EXPECT_EQ(box.text, "Tolva R. Quenlar (TM) is already running!");
      EXPECT_EQ(box.caption, "Tolva R. Quenlar (TM) Already Running");
      EXPECT_EQ(box.type, platform::MbIconExclamation);
      EXPECT_EQ(box.owner, second.program.application().Handle());
      EXPECT_EQ(second.Calls("MessageBeep"),
                (std::vector<std::string>{tests::BeepCall(platform::MbIconExclamation)}));
    } else {
      EXPECT_TRUE(second.sim.dialogs.boxes.empty());
      EXPECT_TRUE(second.Calls("MessageBeep").empty());
    }
    EXPECT_TRUE(Created(second).empty());  // no splash, no main window
    EXPECT_EQ(second.program.application().Title(), "");
    EXPECT_TRUE(second.Calls("ReleaseMutex").empty());
    EXPECT_EQ(session.references["SINGLE_TOLVA.MUTEX"], 1);  // its own reference is closed
  }
}

TEST(StartUp, SplashForOneTickThenTheThreeWindowsInOrderThenTheLoopAndTheRelease) {
  platform::sim::SimMutexNamespace session;
  SimProgram p(session);
  p.SetIni("[Settings]\nWAV=0\n");
  std::uint64_t mainShownAt = 0;
  p.backend.onIdle = [&] {
    auto* form1 = p.program.state().Form1;
    ASSERT_NE(form1, nullptr);
    EXPECT_TRUE(form1->Visible());
    mainShownAt = p.backend.Now();
    EXPECT_EQ(session.references["SINGLE_TOLVA.MUTEX"], 1);
    // A second start while the first runs finds its window.
    SimProgram second(session);
    second.sim.desktop.Create(p.program.application().Title(), false);
    second.program.Run(SwShowNormal);
    EXPECT_EQ(second.sim.dialogs.boxes.size(), 1u);
    form1->Close();
  };
  EXPECT_EQ(p.program.Run(SwShowNormal), 0);

  EXPECT_EQ(Created(p), (std::vector<std::string>{"CreateWindow SplashFormReg", "CreateWindow Form1",
                                                  "CreateWindow AboutBox", "CreateWindow OptionsDialog"}));
  // The splash stays for one 1000 ms period, waited for rather than polled, and is painted at once.
  EXPECT_GE(mainShownAt, 1000u);
  EXPECT_LT(mainShownAt, 1100u);
  EXPECT_LT(p.backend.Polls(), 20);
  EXPECT_EQ(p.Calls("Repaint"), (std::vector<std::string>{"Repaint SplashFormReg"}));
  EXPECT_EQ(p.program.splash(), nullptr);
  // The guard is given up: a new start succeeds at once.
  EXPECT_EQ(session.references.count("SINGLE_TOLVA.MUTEX"), 0u);
  const auto release = p.Calls("ReleaseMutex");
  EXPECT_EQ(release.size(), 1u);
  SimProgram again(session);
  again.backend.onIdle = [&] { again.program.state().Form1->Close(); };
  EXPECT_EQ(again.program.Run(SwShowNormal), 0);
  EXPECT_EQ(Created(again).size(), 4u);
  EXPECT_TRUE(again.sim.dialogs.boxes.empty());
}

TEST(StartUp, TheSplashIsGoneBeforeTheMainWindowAndTheShowCommandDecidesItsState) {
  struct Case {
    int showCommand;
    bool minimised;
  };
  for (const Case c : {Case{SwShowNormal, false}, Case{SwShowMinNoActive, true}, Case{SwShowMaximized, false},
                       Case{0, false}}) {
    SCOPED_TRACE(c.showCommand);
    SimProgram p;
    p.backend.onIdle = [&] {
      auto* form1 = p.program.state().Form1;
      const auto* window = p.sim.desktop.Find(form1->Handle());
      ASSERT_NE(window, nullptr);
      EXPECT_EQ(window->minimised, c.minimised);
      // Only the application window and the main window carry the title: the splash has gone.
      int titled = 0;
      for (auto w : p.sim.desktop.StackingOrder())
        if (p.sim.desktop.Find(w)->title == "Tolva R. Quenlar (TM)") ++titled;
      EXPECT_EQ(titled, 2);
      EXPECT_TRUE(p.backend.ApplicationWindowVisible());  // the taskbar button
      form1->Close();
    };
    EXPECT_EQ(p.program.Run(c.showCommand), 0);
  }
  EXPECT_EQ(MainWindowStateFor(SwShowMaximized), ui::WindowState::Maximized);
}

TEST(StartUp, NoTimerOrNoApplicationWindowShowsTheErrorCreatesNoWindowAndReleasesTheGuard) {
  platform::sim::SimMutexNamespace session;
  SimProgram p(session);
  p.backend.failTimers = true;
  EXPECT_EQ(p.program.Run(SwShowNormal), 0);
  ASSERT_EQ(p.sim.dialogs.boxes.size(), 1u);
  EXPECT_EQ(p.sim.dialogs.boxes[0].text, "Not enough timers available.");
  EXPECT_EQ(p.sim.dialogs.boxes[0].caption, "Tolva R. Quenlar (TM)");
  EXPECT_EQ(p.sim.dialogs.boxes[0].type, platform::MbIconError);
  EXPECT_TRUE(Created(p).empty());
  EXPECT_EQ(p.program.state().Form1, nullptr);
  EXPECT_TRUE(session.references.empty());

  // No application window, for a first and for a second instance: the error box, unowned, and
  // the end, with the guard given up.
  for (const bool second : {false, true}) {
    SCOPED_TRACE(second ? "second instance" : "first instance");
    SimProgram first(session);
    const platform::KernelHandle held = second ? first.sim.kernel.CreateMutexA(true, SingleInstanceMutexName) : 0;
    SimProgram noWindow(session);
    noWindow.backend.failApplicationWindow = true;
    EXPECT_EQ(noWindow.program.Run(1), 0);
    ASSERT_EQ(noWindow.sim.dialogs.boxes.size(), 1u);
    EXPECT_EQ(noWindow.sim.dialogs.boxes[0].text, "Could not create the application window.");
    EXPECT_EQ(noWindow.sim.dialogs.boxes[0].type, platform::MbOk | platform::MbIconError);
    EXPECT_TRUE(Created(noWindow).empty());
    if (second) first.sim.kernel.CloseHandle(held);
    EXPECT_TRUE(session.references.empty());
  }

  // The main window's own timer failing: its reference is set during its creation and reset
  // when that fails, so nothing is left pointing at a window that is not there.
  MainWindowRig rig;
  rig.p.SetIni("[Settings]\nWAV=0\n");
  rig.p.program.PrepareApplication();
  rig.p.backend.failTimers = true;
  EXPECT_THROW(rig.p.program.CreateWindows(), Exception);
  EXPECT_EQ(rig.state().Form1, nullptr);
  EXPECT_EQ(rig.state().AboutBox, nullptr);
  EXPECT_EQ(rig.p.program.application().MainForm(), nullptr);
}

TEST(StartUp, AFailedGuardStillStartsAndAnUncaughtErrorEndsTheProgramRevealingTheWindows) {
  SimProgram p;
  p.sim.kernel.failCreateMutex = true;
  p.SetIni("[Settings]\nWAV=0\nShowExit=0\n");
  const auto target = p.sim.desktop.Create("Letter - Notepad");
  int idles = 0;
  p.backend.onIdle = [&] {
    auto* form1 = p.program.state().Form1;
    if (++idles == 1) {
      p.backend.Click(form1->HideShowButton);
      EXPECT_FALSE(p.sim.desktop.Find(target)->visible);
      // A tick of a timer whose handler fails, with nothing of its own to catch it.
      form1->ActionTimer.OnTimer = [] { throw Exception("Invalid pointer operation"); };
      form1->ActionTimer.SetEnabled(true);
    }
  };
  EXPECT_EQ(p.program.Run(SwShowNormal), 0);
  ASSERT_EQ(p.sim.dialogs.boxes.size(), 1u);
  EXPECT_EQ(p.sim.dialogs.boxes[0].text, "Invalid pointer operation.");
  EXPECT_TRUE(p.sim.desktop.Find(target)->visible);
  EXPECT_TRUE(p.Calls("ReleaseMutex").empty());  // there was no guard to release
  EXPECT_TRUE(p.program.application().Forms().empty());  // the windows were destroyed
}

}  // namespace
}  // namespace tolva::app::testing
