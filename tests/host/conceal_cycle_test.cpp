#include <gmock/gmock.h>

#include <algorithm>
#include <iterator>
#include <new>
#include <optional>

#include "tests/host/engine_fixture.h"
#include "tests/host/sim_calls.h"

namespace tolva::engine::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using platform::WindowHandle;
using tests::AnimationCall;
using tests::AnimationQueryCall;

// The cycle's sound as the recording actions write it.
std::string SoundOf(CycleSound sound) { return "sound " + std::to_string(static_cast<int>(sound)); }

class ConcealCycleTest : public EngineTest {
 protected:
  // The log without the window tests, which only make it harder to read.
  std::vector<std::string> Sequence() const {
    std::vector<std::string> out;
    for (const auto& call : sim.log.calls)
      if (call.rfind("ShowWindow", 0) != 0 && call.rfind("SetFo", 0) != 0) out.push_back(call);
    return out;
  }
};

TEST_F(ConcealCycleTest, ConcealThenRevealInTheirOrder) {
  settings.WAV = "1";
  const WindowHandle w = sim.desktop.Create("Spreadsheet");
  const std::string desktop = Hex(platform::sim::SimDesktop::DesktopWindow);

  cycle.HideShowButtonClick();
  EXPECT_TRUE(hidden.WindowsHidden);
  EXPECT_FALSE(Visible(w));
  // The windows about to go are listed for the record before anything changes.
  EXPECT_THAT(Sequence(), ElementsAre(AnimationQueryCall(), "EnumWindows", AnimationCall(false),
                                      "LockWindowUpdate " + desktop, SoundOf(CycleSound::Conceal),
                                      "LockWindowUpdate 0", AnimationCall(true),
                                      "button &Show", "ctrl-alt-del lift"));
  EXPECT_EQ(button.hint, "Show application windows hidden by Tolva");
  EXPECT_EQ(button.imageIndex, 7);

  sim.log.Clear();
  cycle.HideShowButtonClick();
  EXPECT_FALSE(hidden.WindowsHidden);
  EXPECT_TRUE(Visible(w));
  EXPECT_THAT(Sequence(), ElementsAre(AnimationQueryCall(), AnimationCall(false),
                                      "LockWindowUpdate " + desktop, SoundOf(CycleSound::Reveal),
                                      "EnumWindows", "LockWindowUpdate 0", AnimationCall(true),
                                      "button &Hide", "ctrl-alt-del lift"));
  EXPECT_EQ(button.hint, "Hide visible application windows");
  EXPECT_EQ(button.imageIndex, 0);
  EXPECT_TRUE(sim.systemParameters.minimiseAnimation);
  EXPECT_EQ(sim.desktop.LockedWindow(), platform::NullWindow);
}

// The window pass runs with the animation off and the screen locked; a lock another program
// holds makes the pass run unlocked, and that lock stays its owner's.
TEST_F(ConcealCycleTest, PassRunsLockedAndUnanimated) {
  const WindowHandle w = sim.desktop.Create("Player");
  WindowHandle locked = platform::sim::SimDesktop::DesktopWindow;
  int checked = 0;
  sim.desktop.duringShowWindow = [&](WindowHandle, platform::ShowCommand) {
    EXPECT_FALSE(sim.systemParameters.minimiseAnimation);
    EXPECT_EQ(sim.desktop.LockedWindow(), locked);
    ++checked;
  };
  cycle.HideShowButtonClick();
  cycle.HideShowButtonClick();
  EXPECT_EQ(checked, 2);
  EXPECT_TRUE(Visible(w));

  locked = sim.desktop.Create("Editor");
  ASSERT_TRUE(sim.desktop.LockWindowUpdate(locked));
  cycle.HideShowButtonClick();
  EXPECT_EQ(checked, 4);
  EXPECT_EQ(sim.desktop.LockedWindow(), locked);
}

TEST_F(ConcealCycleTest, AnimationSettingIsLeftAsTheUserHadIt) {
  struct Case {
    const char* name;
    bool animation;
    bool failQuery;
    std::vector<std::string> calls;
    bool after;
  } const cases[] = {
      {"on", true, false, {AnimationQueryCall(), AnimationCall(false), AnimationCall(true)}, true},
      {"off", false, false, {AnimationQueryCall()}, false},
      // A failed query says nothing; the animation is then taken as off and left alone.
      {"query fails", true, true, {AnimationQueryCall()}, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    sim.systemParameters.minimiseAnimation = c.animation;
    sim.systemParameters.failAnimationQuery = c.failQuery;
    sim.log.Clear();
    cycle.HideShowButtonClick();
    EXPECT_EQ(Calls("SystemParametersInfoA"), c.calls);
    EXPECT_EQ(sim.systemParameters.minimiseAnimation, c.after);
  }
}

TEST_F(ConcealCycleTest, CompanionActionsFollowTheSettings) {
  struct Case {
    const char* name;
    const char* wav;
    const char* clearDoc;
    const char* ctrlAlt;
    const char* launchApp;
    std::vector<std::string> onConceal;
    std::vector<std::string> onReveal;
  } const cases[] = {
      {"none", "0", "0", "0", "0", {"ctrl-alt-del lift"}, {"ctrl-alt-del lift"}},
      {"all", "1", "1", "1", "1",
       {SoundOf(CycleSound::Conceal), "clear documents", "ctrl-alt-del suppress", "launch"},
       {SoundOf(CycleSound::Reveal), "ctrl-alt-del lift"}},
      {"flags other than 1 are off", "2", "y", "", "-", {"ctrl-alt-del lift"}, {"ctrl-alt-del lift"}},
      {"launch only", "0", "0", "0", "1", {"ctrl-alt-del lift", "launch"}, {"ctrl-alt-del lift"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    settings.WAV = c.wav;
    settings.ClearDoc = c.clearDoc;
    settings.CtrlAlt = c.ctrlAlt;
    settings.LaunchApp = c.launchApp;
    auto companions = [&] {
      std::vector<std::string> out;
      for (const auto& call : sim.log.calls)
        if (call.rfind("sound", 0) == 0 || call.rfind("clear", 0) == 0 ||
            call.rfind("ctrl", 0) == 0 || call.rfind("launch", 0) == 0)
          out.push_back(call);
      return out;
    };
    sim.log.Clear();
    cycle.HideShowButtonClick();
    EXPECT_EQ(companions(), c.onConceal);
    sim.log.Clear();
    cycle.HideShowButtonClick();
    EXPECT_EQ(companions(), c.onReveal);
  }
}

TEST_F(ConcealCycleTest, NothingToConcealStillFlipsTheState) {
  cycle.HideShowButtonClick();
  EXPECT_TRUE(hidden.WindowsHidden);
  EXPECT_EQ(hidden.count, 0);
  EXPECT_EQ(button.caption, "&Show");
  cycle.HideShowButtonClick();
  EXPECT_FALSE(hidden.WindowsHidden);
  EXPECT_EQ(button.caption, "&Hide");
  EXPECT_EQ(sim.desktop.ShowWindowCalls(), 0);
}

TEST_F(ConcealCycleTest, OwnWindowsStayAndTheRestComeBack) {
  const WindowHandle main = sim.desktop.Create("Tolva");
  const WindowHandle app = sim.desktop.Create("Tolva R. Quenlar", false);
  own.Set(OwnWindows::Role::MainWindow, main);
  own.Set(OwnWindows::Role::Application, app);
  const WindowHandle a = sim.desktop.Create("A");
  const WindowHandle b = sim.desktop.Create("B");
  cycle.HideShowButtonClick();
  EXPECT_TRUE(Visible(main));
  EXPECT_FALSE(Visible(a) || Visible(b));
  cycle.HideShowButtonClick();
  EXPECT_TRUE(Visible(a) && Visible(b) && Visible(main));
  EXPECT_EQ(sim.desktop.Foreground(), b);
  EXPECT_EQ(sim.desktop.Focus(), b);
}


// The record on disk at every moment of a pass: before the first window is hidden it holds every
// window the pass is about to hide and the note of the animation switched off; a conceal that
// fails after the third window leaves those three recorded, the screen unlocked and the animation
// as the user had it; a reveal that fails half-way leaves the windows not yet shown on record for
// the next start, and concealed, so that the next command shows the rest. The next command runs
// rather than wait for the failed one.
TEST_F(ConcealCycleTest, ThePassIsOnRecordBeforeItsFirstWindowAndAfterAFailure) {
  for (const char* title : {"1", "2", "3", "4", "5"}) sim.desktop.Create(title);
  const std::vector<WindowHandle> order = sim.desktop.StackingOrder();
  const auto recordText = [&] { return sim.files.ReadWholeFile("C:\\WINDOWS\\tolva.hid", HiddenRecordMaxBytes); };
  const auto lines = [&](std::size_t count) {
    std::vector<RecordedWindow> windows;
    for (std::size_t i = 0; i < count; ++i) {
      windows.push_back({order[i], platform::sim::SimDesktop::OtherProcessId, sim.desktop.Find(order[i])->title});
    }
    return HiddenRecordText(windows);
  };
  const std::string noted = std::string(AnimationOffLine) + "\r\n";
  std::vector<std::optional<std::string>> atFirstChange;
  // The fourth window's hide fails: it stays as it was.
  sim.desktop.duringShowWindow = [&](WindowHandle window, platform::ShowCommand command) {
    if (atFirstChange.empty()) atFirstChange.push_back(recordText());
    if (command == platform::ShowCommand::Hide && hidden.count == 3) {
      sim.desktop.SetVisible(window, true);
      throw std::bad_alloc();
    }
  };
  EXPECT_THROW(cycle.HideShowButtonClick(), std::bad_alloc);
  EXPECT_EQ(atFirstChange.front(), noted + lines(5));
  EXPECT_EQ(recordText(), lines(3));
  EXPECT_EQ(sim.desktop.LockedWindow(), platform::NullWindow);
  EXPECT_TRUE(sim.systemParameters.minimiseAnimation);
  EXPECT_EQ(Recorded(), std::vector<WindowHandle>(order.begin(), order.begin() + 3));

  // The reveal fails once it has shown one window.
  int shown = 0;
  sim.desktop.duringShowWindow = [&](WindowHandle, platform::ShowCommand) {
    if (atFirstChange.empty()) atFirstChange.push_back(recordText());
    ++shown;
  };
  sim.desktop.afterVisit = [&](WindowHandle) {
    if (shown == 1) throw std::bad_alloc();
  };
  atFirstChange.clear();
  EXPECT_THROW(cycle.HideShowButtonClick(), std::bad_alloc);
  EXPECT_EQ(atFirstChange.front(), noted + lines(3));
  HiddenWindowRecord next{sim.files, sim.profile, sim.desktop};
  const LeftByLastRun left = next.ReadLeftByLastRun();
  EXPECT_FALSE(left.animationLeftOff);
  std::vector<WindowHandle> notShown;
  std::copy_if(order.begin(), order.begin() + 3, std::back_inserter(notShown), [&](WindowHandle w) { return !Visible(w); });
  EXPECT_EQ(notShown.size(), 2u);
  EXPECT_EQ(left.stillHidden, notShown);
  EXPECT_TRUE(hidden.WindowsHidden);

  sim.desktop.afterVisit = nullptr;
  sim.desktop.duringShowWindow = nullptr;
  cycle.HideShowButtonClick();
  for (const WindowHandle w : order) EXPECT_TRUE(Visible(w));
  EXPECT_EQ(button.caption, "&Hide");
  EXPECT_EQ(recordText(), std::nullopt);
}

// Commands that come in while the pass waits on another program's window are carried out once
// the running command, companion actions included, is done; pairs cancel out, and one coming
// during a carried-out pass is carried out in its turn. A request to leave the windows revealed
// ('r': a fatal error, an icon failure, a session end) wins over clicks ('c') in the same pass,
// and with nothing concealed it runs no pass at all.
TEST_F(ConcealCycleTest, CommandsArrivingDuringAPassWaitForIt) {
  struct Case {
    const char* name;
    const char* before;                 // commands run first, counted in nothing
    std::vector<std::string> commands;  // the one that starts, then what comes during each pass
    int passes;
    bool concealedAfter;
  } const cases[] = {
      {"one", "", {"c", "c"}, 2, false},
      {"two cancel out", "", {"c", "cc"}, 1, true},
      {"three", "", {"c", "ccc"}, 2, false},
      {"one during the carried-out pass", "", {"c", "c", "c"}, 3, true},
      {"reveal request during a conceal", "", {"c", "rc"}, 2, false},
      {"reveal request during a reveal, then a click", "c", {"c", "rc"}, 1, false},
      {"reveal request with nothing concealed", "", {"r"}, 0, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    platform::sim::SimPlatform local;
    HiddenWindowSet set;
    WindowCensus localCensus{local.desktop, settings, own, set, exclude};
    RecordingActions localActions{local.log};
    RecordingButton localButton{local.log};
    HiddenWindowRecord localRecord{local.files, local.profile, local.desktop};
    ConcealCycle localCycle{local.desktop, local.systemParameters, settings, set,
                            localCensus,   localActions,           localButton, localRecord};
    const auto run = [&](const std::string& commands) {
      for (const char command : commands) {
        if (command == 'r') localCycle.RevealWhenIdle();
        else localCycle.HideShowButtonClick();
      }
    };
    settings.LaunchApp = "1";
    const WindowHandle w = local.desktop.Create("Target");
    run(c.before);
    local.log.Clear();
    std::size_t served = 0;
    const auto passes = [&] { return local.log.WithPrefix(tests::PassCall).size(); };
    local.desktop.duringShowWindow = [&](WindowHandle, platform::ShowCommand) {
      const std::size_t pass = passes();
      if (pass <= served || pass >= c.commands.size()) return;
      served = pass;
      run(c.commands[pass]);
    };
    run(c.commands[0]);
    EXPECT_EQ(passes(), static_cast<std::size_t>(c.passes));
    EXPECT_EQ(set.WindowsHidden, c.concealedAfter);
    EXPECT_EQ(local.desktop.Find(w)->visible, !c.concealedAfter);
    EXPECT_EQ(localButton.caption, c.concealedAfter ? "&Show" : "&Hide");
    // The first command's own companion actions came before the carried-out pass.
    if (c.passes > 1) {
      const auto& calls = local.log.calls;
      const auto launch = std::find(calls.begin(), calls.end(), "launch");
      const auto second = std::find(std::find(calls.begin(), calls.end(), tests::PassCall) + 1, calls.end(),
                                    tests::PassCall);
      EXPECT_LT(launch, second);
    }
  }
}

// Every conceal starts from an empty set: after a reveal, the next conceal records only the
// windows it hides itself.
TEST_F(ConcealCycleTest, EachConcealRecordsOnlyItsOwnWindows) {
  const WindowHandle a = sim.desktop.Create("A");
  const WindowHandle b = sim.desktop.Create("B");
  cycle.HideShowButtonClick();
  EXPECT_THAT(Recorded(), ElementsAre(b, a));
  cycle.HideShowButtonClick();
  sim.desktop.Close(a);
  sim.desktop.SetVisible(b, false);  // hidden by its own program meanwhile
  const WindowHandle c = sim.desktop.Create("C");
  cycle.HideShowButtonClick();
  EXPECT_THAT(Recorded(), ElementsAre(c));
  EXPECT_EQ(hidden.entries[1], platform::NullWindow);
}

}  // namespace
}  // namespace tolva::engine::testing
