// Times a concealment and a reveal of N real windows of another process through the program's
// cycle, beside a bare EnumWindows + ShowWindow pass over the same windows, so that the
// engine's own share of the time shows; and a refresh of the Exclude list beside a bare
// EnumWindows + GetWindowTextA loop. Each size runs several times, the program's pass and the
// bare one taking turns (the listings several times a run), and the table gives the medians
// and the program's time over the bare.
// Usage: tolva_bench [N ...] (default 50 200 400).
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "engine/conceal_cycle.h"
#include "platform/win32/win32_platform.h"
#include "tests/win/targets_process.h"

namespace {

using namespace tolva;

constexpr int Repetitions = 5;
// The listings take milliseconds: each run times several of each.
constexpr int ListingTurns = 6;

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

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t mid = values.size() / 2;
  return values.size() % 2 == 1 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
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

BOOL CALLBACK BareList(HWND window, LPARAM context) {
  char title[200];
  if (IsWindowVisible(window) && GetWindowTextA(window, title, sizeof title) != 0) {
    ++*reinterpret_cast<int*>(context);
  }
  return TRUE;
}

int CountVisible(const std::vector<HWND>& windows) {
  return static_cast<int>(std::count_if(windows.begin(), windows.end(), IsWindowVisible));
}

// Shows whatever a pass left hidden, so that the next pass starts from every target visible.
// Returns how many had to be shown.
int ShowAll(const std::vector<HWND>& windows) {
  int shown = 0;
  for (HWND w : windows) {
    if (!IsWindowVisible(w)) {
      ShowWindow(w, SW_SHOWNA);
      ++shown;
    }
  }
  return shown;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<int> sizes;
  for (int i = 1; i < argc; ++i) sizes.push_back(std::atoi(argv[i]));
  if (sizes.empty()) sizes = {50, 200, 400};
  std::printf("medians of %d runs (listings: %d), milliseconds\n", Repetitions,
              Repetitions * ListingTurns);
  std::printf("%8s %10s %10s %10s %10s %14s %14s %10s %10s %14s\n", "windows", "conceal", "reveal",
              "bare hide", "bare show", "conceal/hide", "reveal/show", "refresh", "bare list",
              "refresh/list");
  bool allGood = true;
  for (const int n : sizes) {
    tests::TargetsProcess targets(n, "Bench target");
    if (!targets.Ready()) {
      std::printf("%8d  targets did not start\n", n);
      return 1;
    }
    std::vector<HWND> windows;
    for (int i = 1; i <= n; ++i) {
      HWND w = targets.Find("Bench target " + std::to_string(i));
      if (w == nullptr) {
        std::printf("%8d  target %d not found\n", n, i);
        return 1;
      }
      windows.push_back(w);
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
    engine::HiddenWindowRecord record(real.get().files, real.get().profile, real.get().windows);
    engine::ConcealCycle cycle(real.get().windows, real.get().systemParameters, settings, hidden,
                               census, actions, button, record);

    std::vector<double> conceal, reveal, bareHide, bareShow, refresh, bareList;
    std::vector<std::string> faults;
    auto fault = [&](int run, const char* what, int count) {
      faults.push_back("run " + std::to_string(run + 1) + ": " + what + " " +
                       std::to_string(count) + " of " + std::to_string(n));
    };
    for (int run = 0; run < Repetitions; ++run) {
      if (const int visible = CountVisible(windows); visible != n) {
        fault(run, "before the cycle, visible:", visible);
        ShowAll(windows);
      }
      conceal.push_back(Time([&] { cycle.HideShowButtonClick(); }));
      if (const int left = CountVisible(windows); left != 0) fault(run, "the cycle left visible", left);
      reveal.push_back(Time([&] { cycle.HideShowButtonClick(); }));
      if (const int visible = CountVisible(windows); visible != n) {
        fault(run, "the cycle's reveal showed only", visible);
        ShowAll(windows);
      }

      Bare bare;
      bareHide.push_back(Time([&] { EnumWindows(BarePass, reinterpret_cast<LPARAM>(&bare)); }));
      if (const int left = CountVisible(windows); left != 0) fault(run, "the bare pass left visible", left);
      bare.hide = false;
      bareShow.push_back(Time([&] { EnumWindows(BarePass, reinterpret_cast<LPARAM>(&bare)); }));
      if (const int visible = CountVisible(windows); visible != n) {
        fault(run, "the bare show showed only", visible);
        ShowAll(windows);
      }

      // Whatever lists first after the passes pays about a millisecond more while the other
      // program and the server are still busy with the windows just shown (measured: the bare
      // loop then takes it), so one listing goes untimed, and the two timed ones take turns.
      int titled = 0;
      const auto bareListing = [&] { EnumWindows(BareList, reinterpret_cast<LPARAM>(&titled)); };
      bareListing();
      std::int32_t listed = 0;
      const std::function<void()> listings[] = {
          [&] { refresh.push_back(Time([&] { listed = census.RefreshExcludeList(); })); },
          [&] { bareList.push_back(Time(bareListing)); }};
      for (int turn = 0; turn < ListingTurns; ++turn) {
        listings[turn % 2]();
        listings[1 - turn % 2]();
      }
      if (listed < n) fault(run, "the refresh listed only", listed);
    }
    const double c = Median(conceal), r = Median(reveal), h = Median(bareHide), s = Median(bareShow);
    const double l = Median(refresh), b = Median(bareList);
    std::printf("%8d %10.1f %10.1f %10.1f %10.1f %14.2f %14.2f %10.2f %10.2f %14.2f\n", n, c, r, h, s,
                c / h, r / s, l, b, l / b);
    for (const std::string& f : faults) std::printf("%8s  %s\n", "", f.c_str());
    if (!faults.empty()) allGood = false;
  }
  if (allGood) std::printf("every run: the cycle and the bare pass hid all N and showed them again\n");
  return allGood ? 0 : 1;
}
