// The simulated desktop against the window-manager table its real counterpart also runs.
#include <gtest/gtest.h>

#include "platform/sim/sim_desktop.h"
#include "tests/shared/window_manager_cases.h"

namespace tolva::platform::sim {
namespace {

class SimTestDesktop final : public tests::TestDesktop {
 public:
  WindowManager& Windows() override { return desktop_; }
  WindowHandle Open(const tests::WindowSetup& setup, WindowHandle owner,
                    WindowHandle parent) override {
    WindowHandle window = NullWindow;
    if (parent != NullWindow) {
      window = desktop_.CreateChild(parent, setup.title, setup.visible);
    } else if (owner != NullWindow) {
      window = desktop_.CreateOwned(owner, setup.title, setup.visible);
    } else {
      window = desktop_.Create(setup.title, setup.visible);
    }
    desktop_.SetMinimised(window, setup.minimised);
    return window;
  }
  void Close(WindowHandle window) override { desktop_.Close(window); }
  bool IsMinimised(WindowHandle window) override {
    const auto* w = desktop_.Find(window);
    return w != nullptr && w->minimised;
  }
  WindowHandle Foreground() override { return desktop_.Foreground(); }
  WindowHandle Focus() override { return desktop_.Focus(); }

 private:
  CallLog log_;
  SimDesktop desktop_{log_};
};

TEST(SimDesktop, AnswersAsTheRealWindowManager) {
  for (const auto& c : tests::WindowManagerCases()) {
    SimTestDesktop desktop;
    tests::RunWindowManagerCase(desktop, c);
  }
}

}  // namespace
}  // namespace tolva::platform::sim
