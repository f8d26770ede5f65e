#include <gmock/gmock.h>

#include "tests/host/engine_fixture.h"

namespace tolva::engine::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using platform::WindowHandle;

class WindowCensusTest : public EngineTest {
 protected:
  void Conceal() {
    hidden.WindowsHidden = true;
    hidden.Empty();
    census.RunHideShowPass();
  }
  void Reveal() {
    hidden.WindowsHidden = false;
    census.RunHideShowPass();
  }
};

// Which single window a conceal hides and a listing lists, with everything else equal.
TEST_F(WindowCensusTest, QualifyingWindows) {
  struct Case {
    const char* name;
    std::string title;
    bool visible = true;
    bool enabled = true;
    bool own = false;
    const char* hideDesk = "0";
    bool concealed;
    bool listed;
    bool hung = false;  // its thread has stopped answering until after each pass
    bool cannotTellHung = false;  // a system without IsHungAppWindow
    std::uint32_t cloaked = 0;  // what the desktop window manager says of it
    bool dwmMissing = false;    // a system whose window manager cannot say
  } const cases[] = {
      {"ordinary", "Notepad", true, true, false, "0", true, true},
      {"untitled", "", true, true, false, "0", false, false},
      {"invisible", "Notepad", false, true, false, "0", false, false},
      {"disabled by its modal dialog", "Notepad", true, false, false, "0", false, false},
      {"own window", "Tolva", true, true, true, "0", false, false},
      {"desktop icons, HideDesk off", "Program Manager", true, true, false, "0", false, false},
      {"desktop icons, HideDesk on", "Program Manager", true, true, false, "1", true, false},
      {"desktop icons, HideDesk 5", "Program Manager", true, true, false, "5", true, false},
      {"desktop icons, HideDesk not a number", "Program Manager", true, true, false, "y", false, false},
      {"other case of the shell's title", "program manager", true, true, false, "0", true, true},
      {"title of 250 characters", std::string(250, 'x'), true, true, false, "0", true, true},
      {"hung: changed once it answers, without a wait", "Notepad", true, true, false, "0", true,
       true, true},
      {"hung, on a system that cannot tell: hidden and shown as any, waiting for it", "Notepad",
       true, true, false, "0", true, true, true, true},
      {"cloaked: a suspended store app, a window on another desktop", "Settings", true, true, false, "0",
       false, false, false, false, 2},
      {"cloaked where nothing can say so (before Vista, Wine)", "Settings", true, true, false, "0", true,
       true, false, false, 2, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    platform::sim::SimPlatform fresh;
    fresh.desktop.cannotTellHung = c.cannotTellHung;
    settings::SettingsRecord record;
    record.HideDesk = c.hideDesk;
    OwnWindows ownWindows;
    HiddenWindowSet set;
    ExcludeList list;
    WindowCensus fresher(fresh.desktop, record, ownWindows, set, list);
    const WindowHandle w = fresh.desktop.Create(c.title, c.visible, c.enabled);
    fresh.desktop.SetCloaked(w, c.cloaked);
    fresh.desktop.dwmMissing = c.dwmMissing;
    if (c.own) ownWindows.Set(OwnWindows::Role::MainWindow, w);

    EXPECT_EQ(fresher.RefreshExcludeList(), c.listed ? 1 : 0);
    EXPECT_EQ(list.size(), c.listed ? 1u : 0u);
    if (c.listed) {
      EXPECT_EQ(list[0].title, c.title.substr(0, 199));
    }

    // Each pass, then the window's thread answering again.
    const auto pass = [&](bool conceal) {
      fresh.desktop.SetHung(w, c.hung);
      set.WindowsHidden = conceal;
      fresher.RunHideShowPass();
      fresh.desktop.SetHung(w, false);
    };
    pass(true);
    EXPECT_EQ(set.count, c.concealed ? 1 : 0);
    EXPECT_EQ(fresh.desktop.Find(w)->visible, c.visible && !c.concealed);
    pass(false);
    EXPECT_EQ(fresh.desktop.Find(w)->visible, c.visible);
    EXPECT_EQ(fresh.desktop.WaitsForHungWindows(), c.cannotTellHung ? 2 : 0);
  }
}

TEST_F(WindowCensusTest, ConcealHidesTopDownAndRevealBringsBackTheTopMost) {
  const WindowHandle bottom = sim.desktop.Create("Bottom");
  const WindowHandle middle = sim.desktop.Create("Middle");
  const WindowHandle top = sim.desktop.Create("Top");
  Conceal();
  EXPECT_THAT(Recorded(), ElementsAre(top, middle, bottom));
  EXPECT_FALSE(Visible(top) || Visible(middle) || Visible(bottom));

  // Each hide raised its window, so the last hidden is on top now.
  EXPECT_THAT(sim.desktop.StackingOrder(), ElementsAre(bottom, middle, top));

  sim.log.Clear();
  Reveal();
  EXPECT_TRUE(Visible(top) && Visible(middle) && Visible(bottom));
  // Shown without activation in the order enumerated now, each raised in turn, which puts the
  // stacking order back as it was; the first hidden gets the foreground and the focus.
  EXPECT_THAT(Calls("ShowWindow"), ElementsAre("ShowWindow " + Hex(bottom) + " 8",
                                               "ShowWindow " + Hex(middle) + " 8",
                                               "ShowWindow " + Hex(top) + " 8"));
  EXPECT_THAT(sim.desktop.StackingOrder(), ElementsAre(top, middle, bottom));
  EXPECT_THAT(Calls("SetForegroundWindow"), ElementsAre("SetForegroundWindow " + Hex(top)));
  EXPECT_THAT(Calls("SetFocus"), ElementsAre("SetFocus " + Hex(top)));
  EXPECT_EQ(sim.desktop.Foreground(), top);
  // A reveal keeps the set.
  EXPECT_THAT(Recorded(), ElementsAre(top, middle, bottom));
}

TEST_F(WindowCensusTest, DisabledOwnerStaysWhileItsDialogGoes) {
  const WindowHandle owner = sim.desktop.Create("Editor", true, false);
  const WindowHandle dialog = sim.desktop.CreateOwned(owner, "Save As");
  Conceal();
  EXPECT_TRUE(Visible(owner));
  EXPECT_FALSE(Visible(dialog));
  EXPECT_THAT(Recorded(), ElementsAre(dialog));
}

TEST_F(WindowCensusTest, RevealShowsOnlyWhatTheConcealHid) {
  const WindowHandle hiddenBefore = sim.desktop.Create("Already hidden", false);
  const WindowHandle a = sim.desktop.Create("A");
  const WindowHandle b = sim.desktop.Create("B");
  Conceal();
  const WindowHandle openedMeanwhile = sim.desktop.Create("New");
  sim.desktop.SetVisible(b, true);  // the user brought one back by other means
  sim.desktop.SetVisible(b, false);
  sim.desktop.SetEnabled(a, false);  // state is not tested on the way back
  Reveal();
  EXPECT_FALSE(Visible(hiddenBefore));
  EXPECT_TRUE(Visible(a));
  EXPECT_TRUE(Visible(b));
  EXPECT_TRUE(Visible(openedMeanwhile));
  EXPECT_EQ(sim.desktop.ShowWindowCalls(), 2 + 2);
}

TEST_F(WindowCensusTest, WindowsChangedWhileHidden) {
  const WindowHandle survivor = sim.desktop.Create("Survivor");
  const WindowHandle retitled = sim.desktop.Create("Report.doc - Word");
  const WindowHandle closed = sim.desktop.Create("Closed later");
  const WindowHandle reused = sim.desktop.Create("Handle reused");
  Conceal();
  ASSERT_THAT(Recorded(), ElementsAre(reused, closed, retitled, survivor));

  sim.desktop.Close(closed);
  sim.desktop.SetTitle(retitled, "");
  // A handle handed out again to one of the program's own windows is never touched.
  sim.desktop.Close(reused);
  const WindowHandle aboutBox = sim.desktop.CreateReusing(reused, "About Tolva", false);
  own.Set(OwnWindows::Role::AboutBox, aboutBox);
  sim.log.Clear();
  Reveal();

  EXPECT_TRUE(Visible(survivor));
  EXPECT_FALSE(Visible(retitled));
  EXPECT_FALSE(Visible(aboutBox));
  EXPECT_THAT(Calls("ShowWindow"), ElementsAre("ShowWindow " + Hex(survivor) + " 8"));
  // The first hidden window is gone, so nothing is brought to the foreground.
  EXPECT_THAT(Calls("SetForegroundWindow"), IsEmpty());
  EXPECT_THAT(Calls("SetFocus"), IsEmpty());
}

TEST_F(WindowCensusTest, RevealWithAnEmptySetChangesNothing) {
  const WindowHandle w = sim.desktop.Create("Visible");
  sim.desktop.SetForegroundWindow(w);
  sim.log.Clear();
  Reveal();
  EXPECT_EQ(sim.desktop.ShowWindowCalls(), 0);
  EXPECT_THAT(Calls("SetForegroundWindow"), IsEmpty());
}

TEST_F(WindowCensusTest, MinimisedWindowComesBackMinimised) {
  const WindowHandle w = sim.desktop.Create("Minimised");
  sim.desktop.SetMinimised(w, true);
  Conceal();
  Reveal();
  EXPECT_TRUE(Visible(w));
  EXPECT_TRUE(sim.desktop.Find(w)->minimised);
}

TEST_F(WindowCensusTest, ExclusionsByTitle) {
  const WindowHandle first = sim.desktop.Create("Calculator");
  const WindowHandle second = sim.desktop.Create("Calculator");
  const WindowHandle renamed = sim.desktop.Create("Draft.txt - Notepad");
  const WindowHandle other = sim.desktop.Create("calculator");
  ASSERT_EQ(census.RefreshExcludeList(), 4);
  // Sorted regardless of letter case; equal titles in the order they were found.
  ASSERT_EQ(exclude[0].title, "calculator");
  ASSERT_EQ(exclude[1].title, "Calculator");
  ASSERT_EQ(exclude[2].title, "Calculator");
  ASSERT_EQ(exclude[3].title, "Draft.txt - Notepad");
  // One checked entry excludes both equal titles; the unchecked duplicate does not undo it.
  exclude.SetChecked(2, true);
  exclude.SetChecked(3, true);
  sim.desktop.SetTitle(renamed, "Draft.txt* - Notepad");
  Conceal();
  EXPECT_TRUE(Visible(first));
  EXPECT_TRUE(Visible(second));
  EXPECT_FALSE(Visible(renamed));
  EXPECT_FALSE(Visible(other));  // exclusion is case-sensitive
}

TEST_F(WindowCensusTest, RefreshDropsTheTicksAndCountsAgain) {
  sim.desktop.Create("Mail");
  ASSERT_EQ(census.RefreshExcludeList(), 1);
  exclude.SetChecked(0, true);
  sim.desktop.Create("Browser");
  EXPECT_EQ(census.RefreshExcludeList(), 2);
  EXPECT_FALSE(exclude[0].checked || exclude[1].checked);
  EXPECT_EQ(exclude[0].title, "Browser");

  platform::sim::SimPlatform empty;
  HiddenWindowSet set;
  ExcludeList list;
  WindowCensus emptyCensus(empty.desktop, settings, own, set, list);
  EXPECT_EQ(emptyCensus.RefreshExcludeList(), 0);
  EXPECT_TRUE(list.empty());
}

TEST_F(WindowCensusTest, ListingAgreesWithConcealingOnAnyDesktop) {
  // A listed window is exactly one a conceal with no exclusions and HideDesk off would hide.
  const char* titles[] = {"", "Program Manager", "A", "B", "A"};
  for (int i = 0; i < 40; ++i) {
    const WindowHandle w = sim.desktop.Create(titles[i % 5], i % 3 != 0, i % 7 != 0);
    if (i % 11 == 0) own.Set(OwnWindows::Role::OptionsDialog, w);
  }
  const std::int32_t listed = census.RefreshExcludeList();
  Conceal();
  EXPECT_EQ(listed, hidden.count);
  EXPECT_GT(listed, 0);
}

TEST_F(WindowCensusTest, FullSetLeavesFurtherWindowsVisible) {
  std::vector<WindowHandle> windows;
  for (int i = 0; i < 406; ++i) windows.push_back(sim.desktop.Create("W" + std::to_string(i)));
  Conceal();
  EXPECT_EQ(hidden.count, 405);
  // The stacking order is newest first: the oldest is the one left.
  EXPECT_TRUE(Visible(windows[0]));
  for (std::size_t i = 1; i < windows.size(); ++i) EXPECT_FALSE(Visible(windows[i])) << i;
  Reveal();
  for (const WindowHandle w : windows) EXPECT_TRUE(Visible(w));
}

TEST_F(WindowCensusTest, EachConcealStartsFromAnEmptySet) {
  const WindowHandle a = sim.desktop.Create("A");
  Conceal();
  Reveal();
  sim.desktop.Close(a);
  const WindowHandle b = sim.desktop.Create("B");
  Conceal();
  EXPECT_THAT(Recorded(), ElementsAre(b));
  EXPECT_EQ(hidden.entries[1], platform::NullWindow);
}

TEST_F(WindowCensusTest, WindowsClosingDuringThePassAreSkipped) {
  const WindowHandle later = sim.desktop.Create("Closes during the pass");
  const WindowHandle first = sim.desktop.Create("First");
  sim.desktop.afterVisit = [&](WindowHandle visited) {
    if (visited == first) sim.desktop.Close(later);
  };
  Conceal();
  EXPECT_THAT(Recorded(), ElementsAre(first));
}

// The Exclude tab's order: ASCII letters folded, so a capital sorts among the small letters and
// '_' before every letter; equal titles in the order they were found.
TEST(ExcludeList, SortsWithLettersFolded) {
  ExcludeList list;
  for (const char* title : {"Zebra", "yak", "_scratch", "apple", "Apple", "[x]", "1"}) list.Add(title);
  std::vector<std::string> titles;
  for (const auto& entry : list.entries()) titles.push_back(entry.title);
  EXPECT_THAT(titles, ElementsAre("1", "[x]", "_scratch", "apple", "Apple", "yak", "Zebra"));
}

TEST(HiddenWindowSet, NeverWritesPastItsLastEntry) {
  HiddenWindowSet set;
  for (int i = 0; i < MaxHiddenWindows; ++i) ASSERT_TRUE(set.Add(static_cast<WindowHandle>(i + 1)));
  EXPECT_FALSE(set.Add(9999));
  EXPECT_EQ(set.count, MaxHiddenWindows);
  EXPECT_EQ(set.entries.back(), static_cast<WindowHandle>(MaxHiddenWindows));
  set.Empty();
  EXPECT_EQ(set.count, 0);
  EXPECT_EQ(set.entries.front(), platform::NullWindow);
  EXPECT_EQ(set.entries.back(), platform::NullWindow);
}

}  // namespace
}  // namespace tolva::engine::testing
