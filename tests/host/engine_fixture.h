#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/conceal_cycle.h"
#include "platform/sim/sim_platform.h"

namespace tolva::engine::testing {

// Companion actions that only record what the cycle asked of them, in the desktop's call log
// so that their place among the platform calls can be checked.
class RecordingActions final : public CompanionActions {
 public:
  explicit RecordingActions(platform::sim::CallLog& log) : log_(log) {}
  void PlayCycleSound(CycleSound sound) override {
    log_.Add("sound " + std::to_string(static_cast<int>(sound)));
  }
  void ClearRecentDocuments() override { log_.Add("clear documents"); }
  void ApplyCtrlAltDelSuppression(bool suppress) override {
    log_.Add(std::string("ctrl-alt-del ") + (suppress ? "suppress" : "lift"));
  }
  void LaunchChosenFile() override { log_.Add("launch"); }

 private:
  platform::sim::CallLog& log_;
};

class RecordingButton final : public HideShowButtonView {
 public:
  explicit RecordingButton(platform::sim::CallLog& log) : log_(log) {}
  void ShowLook(const HideShowButtonLook& look) override {
    caption = look.caption;
    hint = look.hint;
    imageIndex = look.imageIndex;
    log_.Add("button " + caption);
  }
  std::string caption = "&Hide";
  std::string hint;
  int imageIndex = 0;

 private:
  platform::sim::CallLog& log_;
};

// A simulated desktop with the whole concealment engine over it.
class EngineTest : public ::testing::Test {
 protected:
  EngineTest() {
    settings.HideDesk = "0";
    settings.WAV = "0";
    settings.ClearDoc = "0";
    settings.CtrlAlt = "0";
    settings.LaunchApp = "0";
  }

  bool Visible(platform::WindowHandle window) const {
    const auto* w = sim.desktop.Find(window);
    return w != nullptr && w->visible;
  }
  std::vector<platform::WindowHandle> Recorded() const {
    return {hidden.entries.begin(), hidden.entries.begin() + hidden.count};
  }
  // The calls of one kind ("ShowWindow", "SetFocus", ...) in the order they were made.
  std::vector<std::string> Calls(const std::string& prefix) const { return sim.log.WithPrefix(prefix); }
  static std::string Hex(platform::WindowHandle window) { return platform::sim::HexText(window); }

  platform::sim::SimPlatform sim;
  settings::SettingsRecord settings;
  OwnWindows own;
  HiddenWindowSet hidden;
  ExcludeList exclude;
  WindowCensus census{sim.desktop, settings, own, hidden, exclude};
  RecordingActions actions{sim.log};
  RecordingButton button{sim.log};
  HiddenWindowRecord hiddenRecord{sim.files, sim.profile, sim.desktop};
  ConcealCycle cycle{sim.desktop, sim.systemParameters, settings, hidden, census, actions, button, hiddenRecord};
};

}  // namespace tolva::engine::testing
