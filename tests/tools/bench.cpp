// Times a concealment and a reveal of N real windows of another process through the program's
// cycle, beside a bare EnumWindows + ShowWindow pass over the same windows, so that the
// engine's own share of the time shows. Usage: tolva_bench [N ...] (default 50 200 400).
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "engine/conceal_cycle.h"
#include "platform/win32/win32_platform.h"
#include "tests/win/targets_process.h"

namespace {

using namespace tolva;

class NoCompanions final : public engine::CompanionActions {
 public:
  void PlayCycleSound(engine::CycleSound) override {}
  void ClearRecentDocuments() override {}
  void ApplyCtrlAltDelSuppression(bool) override {}
  void LaunchChosenFile() override {}
};
class NoButton final : public engine::HideShowButtonView {
 public:
  void ShowLook(const engine::HideShowButtonLook&) override {}
};

double Milliseconds(std::chrono::steady_clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

template <typename F>
double Time(F&& f) {
  const auto start = std::chrono::steady_clock::now();
  f();
  return Milliseconds(std::chrono::steady_clock::now() - start);
}

struct Bare {
  std::vector<HWND> hidden;
  bool hide = true;
};

BOOL CALLBACK BarePass(HWND window, LPARAM context) {
  auto* bare = reinterpret_cast<Bare*>(context);
  char title[200];
  if (GetWindowTextA(window, title, sizeof title) == 0) return TRUE;
  if (bare->hide) {
    if (IsWindowVisible(window) && IsWindowEnabled(window)) {
      ShowWindow(window, SW_HIDE);
      bare->hidden.push_back(window);
    }
  } else {
    for (HWND w : bare->hidden)
      if (w == window) ShowWindow(window, SW_SHOWNA);
  }
  return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<int> sizes;
  for (int i = 1; i < argc; ++i) sizes.push_back(std::atoi(argv[i]));
  if (sizes.empty()) sizes = {50, 200, 400};
  std::printf("%8s %12s %12s %12s %12s\n", "windows", "conceal ms", "reveal ms", "bare hide", "bare show");
  for (const int n : sizes) {
    tests::TargetsProcess targets(n, "Bench target");
    if (!targets.Ready()) {
      std::printf("%8d  targets did not start\n", n);
      return 1;
    }
    platform::win32::Win32Platform real;
    settings::SettingsRecord settings;
    settings.HideDesk = "0";
    engine::OwnWindows own;
    engine::HiddenWindowSet hidden;
    engine::ExcludeList exclude;
    engine::WindowCensus census(real.get().windows, settings, own, hidden, exclude);
    NoCompanions actions;
    NoButton button;
    engine::ConcealCycle cycle(real.get().windows, real.get().systemParameters, settings, hidden,
                               census, actions, button);
    const double conceal = Time([&] { cycle.HideShowButtonClick(); });
    const int count = hidden.count;
    const double reveal = Time([&] { cycle.HideShowButtonClick(); });
    Bare bare;
    const double bareHide = Time([&] { EnumWindows(BarePass, reinterpret_cast<LPARAM>(&bare)); });
    bare.hide = false;
    const double bareShow = Time([&] { EnumWindows(BarePass, reinterpret_cast<LPARAM>(&bare)); });
    std::printf("%8d %12.1f %12.1f %12.1f %12.1f   (%d hidden by the cycle)\n", n, conceal, reveal,
                bareHide, bareShow, count);
  }
  return 0;
}
