#pragma once
#include <string_view>

#include "engine/hidden_window_record.h"
#include "engine/hidden_window_set.h"
#include "engine/window_census.h"
#include "platform/system_parameters.h"
#include "resources/resource_ids.h"
#include "settings/settings_record.h"

namespace tolva::engine {

// The wave resources played as windows go and come back.
enum class CycleSound { Conceal = TOLVA_WAVE_CONCEAL, Reveal = TOLVA_WAVE_REVEAL };

// What a concealment does beside the window pass: the sound, clearing the recent documents,
// the Ctrl+Alt+Del suppression and opening the chosen file. Each reports its own failures.
class CompanionActions {
 public:
  virtual ~CompanionActions() = default;
  virtual void PlayCycleSound(CycleSound sound) = 0;
  virtual void ClearRecentDocuments() = 0;
  virtual void ApplyCtrlAltDelSuppression(bool suppress) = 0;
  virtual void LaunchChosenFile() = 0;
};

// The main window's HideShowButton after a command: it offers the other direction.
struct HideShowButtonLook {
  std::string_view caption;
  std::string_view hint;
  int imageIndex;
};
inline constexpr HideShowButtonLook ConcealedButtonLook{
    "&Show", "Show application windows hidden by Tolva", 7};
inline constexpr HideShowButtonLook RevealedButtonLook{"&Hide", "Hide visible application windows", 0};

class HideShowButtonView {
 public:
  virtual ~HideShowButtonView() = default;
  virtual void ShowLook(const HideShowButtonLook& look) = 0;
};

// The one command that conceals and reveals: every call flips WindowsHidden and carries out the
// direction it now names.
class ConcealCycle {
 public:
  ConcealCycle(platform::WindowManager& windows, platform::SystemParameters& systemParameters,
               const settings::SettingsRecord& settings, HiddenWindowSet& hiddenWindows,
               WindowCensus& census, CompanionActions& actions, HideShowButtonView& button,
               HiddenWindowRecord& record)
      : windows_(windows), systemParameters_(systemParameters), settings_(settings),
        hidden_(hiddenWindows), census_(census), actions_(actions), button_(button), record_(record) {}

  // A command that comes while the window pass runs (Windows delivers messages sent to the
  // program's windows while the pass waits on another program's window) does not start a
  // second pass inside the first: that one would empty or walk the hidden set under the running
  // pass and leave windows hidden but unrecorded. It is kept and carried out as soon as the
  // running command is done; two such commands cancel out. Once the pass is over (while a
  // companion action's message box is open, say) a command runs at once and sees the new state.
  void HideShowButtonClick();
  // Leaves the windows revealed: reveals at once, or once the running command is done when it
  // comes during a pass. Commands that come after it during the same pass do not undo it.
  void RevealWhenIdle();

 private:
  // What came in during a pass, to be done when the command is over.
  enum class Pending { None, Command, Reveal };
  // One command: the pass, the button, the companion actions. Returns what came in during its
  // pass.
  Pending RunCommand();

  platform::WindowManager& windows_;
  platform::SystemParameters& systemParameters_;
  const settings::SettingsRecord& settings_;
  HiddenWindowSet& hidden_;
  WindowCensus& census_;
  CompanionActions& actions_;
  HideShowButtonView& button_;
  HiddenWindowRecord& record_;
  bool inPass_ = false;
  Pending pending_ = Pending::None;
};

}  // namespace tolva::engine
