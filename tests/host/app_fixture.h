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
  std::vector<std::string> Calls(const std::string& prefix) const { return sim.log.WithPrefix(prefix); }
  void SetIni(const std::string& text) { sim.profile.SetFileText("tolva.ini", text); }
};

// The three windows made by start-up's own steps, without the splash and the message loop, so
// a test works the main window directly.
class MainWindowRig {
 public:
  void Create(const std::string& ini = "[Settings]\nWAV=0\n") {
    p.SetIni(ini);
    p.program.PrepareApplication();
    p.program.CreateWindows();
    Form1().Show();
  }
  ProgramState& state() { return p.program.state(); }
  TForm1& Form1() { return *state().Form1; }
  TAboutBox& AboutBox() { return *state().AboutBox; }
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
};

class MainWindowTest : public ::testing::Test, public MainWindowRig {};

}  // namespace tolva::app::testing
