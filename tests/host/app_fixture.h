#pragma once
// The program's windows over the simulated platform and backend.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/program.h"
#include "platform/sim/sim_platform.h"
#include "platform/sim/sim_ui.h"

namespace tolva::app::testing {

class SimProgram {
 public:
  explicit SimProgram(platform::sim::SimMutexNamespace& mutexes) : sim(mutexes) {}
  SimProgram() = default;
  platform::sim::SimPlatform sim;
  platform::sim::SimBackend backend{sim.desktop, sim.log};
  Program program{sim.get(), backend};

  // The calls of one kind, in order.
  std::vector<std::string> Calls(const std::string& prefix) const {
    std::vector<std::string> out;
    for (const auto& call : sim.log.calls)
      if (call.rfind(prefix, 0) == 0) out.push_back(call);
    return out;
  }
  void SetIni(const std::string& text) { sim.profile.SetFileText("tolva.ini", text); }
};

// The three windows made as start-up makes them, without the splash and the message loop, so a
// test works the main window directly.
class MainWindowRig {
 public:
  void Create(const std::string& ini = "[Settings]\nWAV=0\n") {
    p.SetIni(ini);
    auto& app = p.program.application();
    app.Initialize();
    app.SetTitle("Tolva R. Quenlar (TM)");
    state().ownWindows.Set(engine::OwnWindows::Role::Application, app.Handle());
    app.CreateForm(form1, state().Form1, p.sim.get(), state());
    app.CreateForm(about, state().AboutBox, state());
    app.CreateForm(options, state().OptionsDialog, state());
    form1->Show();
  }
  ProgramState& state() { return p.program.state(); }
  TForm1& Form1() { return *form1; }
  bool Visible(platform::WindowHandle w) const {
    const auto* window = p.sim.desktop.Find(w);
    return window != nullptr && window->visible;
  }
  std::vector<platform::WindowHandle> Targets(int n, const std::string& prefix = "Target") {
    std::vector<platform::WindowHandle> out;
    for (int i = 1; i <= n; ++i) out.push_back(p.sim.desktop.Create(prefix + " " + std::to_string(i)));
    return out;
  }

  SimProgram p;
  std::unique_ptr<TForm1> form1;
  std::unique_ptr<TAboutBox> about;
  std::unique_ptr<TOptionsDialog> options;
};

class MainWindowTest : public ::testing::Test, public MainWindowRig {};

}  // namespace tolva::app::testing
