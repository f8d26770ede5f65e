// The whole conceal/reveal cycle on real windows of another process, checked as a person would
// see them: IsWindowVisible from outside the engine.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/conceal_cycle.h"
#include "platform/win32/handles.h"
#include "platform/win32/win32_platform.h"
#include "tests/win/targets_process.h"
#include "tests/win/tolva_process.h"

namespace tolva::engine {
namespace {

class NoCompanions final : public CompanionActions {
 public:
  void PlayCycleSound(CycleSound) override {}
  void ClearRecentDocuments() override {}
  void ApplyCtrlAltDelSuppression(bool suppress) override { suppressions.push_back(suppress); }
  void LaunchChosenFile() override {}
  std::vector<bool> suppressions;
};

class Button final : public HideShowButtonView {
 public:
  void ShowLook(const HideShowButtonLook& look) override { caption = look.caption; }
  std::string caption;
};

class ConcealCycleWin : public ::testing::Test {
 protected:
  ConcealCycleWin() {
    settings.HideDesk = "0";
    settings.WAV = "0";
  }
  platform::win32::Win32Platform real;
  settings::SettingsRecord settings;
  OwnWindows own;
  HiddenWindowSet hidden;
  ExcludeList exclude;
  WindowCensus census{real.get().windows, settings, own, hidden, exclude};
  NoCompanions actions;
  Button button;
  HiddenWindowRecord record{real.get().files, real.get().profile, real.get().windows};
  ConcealCycle cycle{real.get().windows, real.get().systemParameters, settings, hidden, census,
                     actions, button, record};
};

TEST_F(ConcealCycleWin, HidesAndShowsExactlyTheQualifyingWindowsOfAnotherProcess) {
  tests::TargetsProcess targets(5, "Cycle target");
  ASSERT_TRUE(targets.Ready());
  const std::vector<HWND> numbered = targets.Numbered();
  for (std::size_t i = 0; i < numbered.size(); ++i) ASSERT_NE(numbered[i], nullptr) << i + 1;
  const HWND disabled = targets.Find("Cycle target disabled");
  const HWND invisible = targets.Find("Cycle target invisible");
  const HWND minimised = targets.Find("Cycle target minimised");
  ASSERT_TRUE(disabled && invisible && minimised);

  const std::int32_t listed = census.RefreshExcludeList();
  std::int32_t ours = 0;
  for (const auto& entry : exclude.entries()) ours += entry.title.rfind("Cycle target", 0) == 0;
  EXPECT_EQ(ours, 5 + 2) << "the numbered ones, minimised and ready";
  EXPECT_EQ(static_cast<std::size_t>(listed), exclude.size());
  // Leave "Cycle target 3" alone.
  for (std::size_t i = 0; i < exclude.size(); ++i)
    if (exclude[i].title == "Cycle target 3") exclude.SetChecked(i, true);

  cycle.HideShowButtonClick();
  EXPECT_EQ(button.caption, "&Show");
  for (int i = 0; i < 5; ++i)
    EXPECT_EQ(IsWindowVisible(numbered[static_cast<std::size_t>(i)]) != FALSE, i == 2) << i + 1;
  EXPECT_TRUE(IsWindowVisible(disabled));
  EXPECT_FALSE(IsWindowVisible(minimised));
  int hiddenOfOurs = 0;
  for (std::int32_t i = 0; i < hidden.count; ++i) {
    char title[WindowTitleCapacity] = {};
    GetWindowTextA(reinterpret_cast<HWND>(hidden.entries[static_cast<std::size_t>(i)]), title, sizeof title);
    hiddenOfOurs += std::string(title).rfind("Cycle target", 0) == 0;
  }
  EXPECT_EQ(hiddenOfOurs, 4 + 2);

  cycle.HideShowButtonClick();
  EXPECT_EQ(button.caption, "&Hide");
  for (HWND w : numbered) EXPECT_TRUE(IsWindowVisible(w));
  EXPECT_TRUE(IsWindowVisible(minimised));
  EXPECT_TRUE(IsIconic(minimised)) << "comes back minimised";
  EXPECT_FALSE(IsWindowVisible(invisible));
  EXPECT_EQ(actions.suppressions, (std::vector<bool>{false, false}));
}

// Forwards to the real SystemParametersInfoA and counts the animation changes asked for.
class CountingParameters final : public platform::SystemParameters {
 public:
  explicit CountingParameters(platform::SystemParameters& real) : real_(real) {}
  bool SystemParametersInfoA(unsigned action, unsigned param, void* data, unsigned flags) override {
    if (action == platform::SpiSetAnimation) ++changes;
    if (flags != 0) ++flagged;
    return real_.SystemParametersInfoA(action, param, data, flags);
  }
  int changes = 0;
  int flagged = 0;

 private:
  platform::SystemParameters& real_;
};

// Wine 8 keeps no minimise animation: SPI_SETANIMATION succeeds and changes nothing, and
// SPI_GETANIMATION reports it off. There the cycle must leave it alone; where the platform
// reports it on, it is switched off for the pass and on again after it.
TEST_F(ConcealCycleWin, AnimationIsBackAsItWasAfterEachCommand) {
  tests::TargetsProcess targets(2, "Animation target");
  ASSERT_TRUE(targets.Ready());
  CountingParameters parameters(real.get().systemParameters);
  ConcealCycle counted{real.get().windows, parameters, settings, hidden, census, actions, button, record};
  platform::AnimationInfo before;
  ASSERT_TRUE(parameters.SystemParametersInfoA(platform::SpiGetAnimation, 8, &before, 0));
  for (int command = 0; command < 2; ++command) {
    counted.HideShowButtonClick();
    platform::AnimationInfo after;
    ASSERT_TRUE(parameters.SystemParametersInfoA(platform::SpiGetAnimation, 8, &after, 0));
    EXPECT_EQ(after.iMinAnimate != 0, before.iMinAnimate != 0);
  }
  EXPECT_EQ(parameters.changes, before.iMinAnimate != 0 ? 4 : 0);
  EXPECT_EQ(parameters.flagged, 0) << "never written to the profile nor broadcast";
  EXPECT_TRUE(IsWindowVisible(targets.Find("Animation target 1")));
}

TEST_F(ConcealCycleWin, WindowClosedWhileHiddenIsPassedOver) {
  tests::TargetsProcess first(2, "Closing target");
  tests::TargetsProcess second(1, "Staying target");
  ASSERT_TRUE(first.Ready() && second.Ready());
  cycle.HideShowButtonClick();
  const HWND staying = second.Find("Staying target 1");
  EXPECT_FALSE(IsWindowVisible(staying));
  first.End();
  cycle.HideShowButtonClick();
  EXPECT_TRUE(IsWindowVisible(staying));
}

// A program that has stopped answering ("not responding") holds nothing up: its window is
// hidden and shown without waiting for it, and changes when its thread wakes, while the other
// windows go and come back as fast as they do without it.
TEST_F(ConcealCycleWin, AHungWindowHoldsUpNeitherThePassNorTheScreen) {
  // Windows counts a thread as hung once it has taken no messages for five seconds; the hang
  // lasts long enough for that and for the three passes made in it, and no longer.
  constexpr int HangMs = 10000;
  tests::TargetsProcess targets(50, "Stuck", 0, HangMs);
  ASSERT_TRUE(targets.Ready());
  std::vector<HWND> others;
  for (int i = 1; i <= 50; ++i) others.push_back(targets.Find("Stuck " + std::to_string(i)));
  const HWND hung = targets.Find("Stuck hung");
  ASSERT_NE(hung, nullptr);
  const auto timedClick = [&] {
    const auto start = std::chrono::steady_clock::now();
    cycle.HideShowButtonClick();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start);
  };
  // Answering; after a first cycle, as the first pass over new windows is the fastest.
  cycle.HideShowButtonClick();
  cycle.HideShowButtonClick();
  const auto concealAnswering = timedClick(), revealAnswering = timedClick();

  PostMessageA(hung, WM_APP, 0, 0);
  ASSERT_TRUE(tests::WaitFor([&] { return IsHungAppWindow(hung) != FALSE; }, HangMs));
  const auto concealHung = timedClick();
  EXPECT_TRUE(tests::NoneVisible(others));
  EXPECT_TRUE(IsWindowVisible(hung)) << "changed before its thread woke";
  EXPECT_EQ(std::count(hidden.entries.begin(), hidden.entries.end(),
                       platform::win32::ToHandle(hung)), 1);
  const auto revealHung = timedClick();
  EXPECT_TRUE(tests::AllVisible(others));
  cycle.HideShowButtonClick();
  EXPECT_TRUE(IsHungAppWindow(hung)) << "a pass waited for the hung window";
  std::printf("50 windows and one hung, ms: conceal %.1f (answering %.1f), reveal %.1f (%.1f)\n",
              concealHung.count(), concealAnswering.count(), revealHung.count(),
              revealAnswering.count());

  // Awake, the thread carries out what it was sent in order (hide, show, hide), and a message
  // sent to it returns once that is done.
  ASSERT_TRUE(tests::WaitFor([&] { return IsHungAppWindow(hung) == FALSE; }, HangMs));
  ASSERT_TRUE(SendMessageTimeoutA(hung, WM_NULL, 0, 0, SMTO_NORMAL, 5000, nullptr));
  EXPECT_FALSE(IsWindowVisible(hung));
  cycle.HideShowButtonClick();
  EXPECT_TRUE(IsWindowVisible(hung) && tests::AllVisible(others));
}

}  // namespace
}  // namespace tolva::engine
