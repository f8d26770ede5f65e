#include "engine/conceal_cycle.h"

namespace tolva::engine {

using platform::AnimationInfo;
using settings::IsOn;

bool ConcealCycle::SuspendAnimation() {
  AnimationInfo animation;
  animation.cbSize = sizeof animation;
  animation.iMinAnimate = 0;
  // Flags 0: the change is neither written to the user's profile nor broadcast.
  if (!systemParameters_.SystemParametersInfoA(platform::SpiGetAnimation, sizeof animation,
                                               &animation, 0)) {
    return false;
  }
  if (animation.iMinAnimate == 0) return false;
  animation.iMinAnimate = 0;
  systemParameters_.SystemParametersInfoA(platform::SpiSetAnimation, sizeof animation, &animation, 0);
  return true;
}

void ConcealCycle::ResumeAnimation() {
  AnimationInfo animation;
  animation.cbSize = sizeof animation;
  animation.iMinAnimate = 1;
  systemParameters_.SystemParametersInfoA(platform::SpiSetAnimation, sizeof animation, &animation, 0);
}

void ConcealCycle::HideShowButtonClick() {
  if (running_) {
    pendingToggle_ = !pendingToggle_;
    return;
  }
  struct RunningFlag {
    bool& flag;
    explicit RunningFlag(bool& f) : flag(f) { flag = true; }
    ~RunningFlag() { flag = false; }
    RunningFlag(const RunningFlag&) = delete;
    RunningFlag& operator=(const RunningFlag&) = delete;
  } runningFlag(running_);
  pendingToggle_ = false;
  RunCommand();
  while (pendingToggle_) {
    pendingToggle_ = false;
    RunCommand();
  }
}

void ConcealCycle::RevealWhenIdle() {
  if (running_) {
    // The running command leaves WindowsHidden as it stands now; one more toggle is needed
    // exactly when that is a concealment.
    pendingToggle_ = hidden_.WindowsHidden;
    return;
  }
  if (hidden_.WindowsHidden) HideShowButtonClick();
}

void ConcealCycle::RunCommand() {
  hidden_.WindowsHidden = !hidden_.WindowsHidden;
  const bool concealing = hidden_.WindowsHidden;
  if (concealing) hidden_.Empty();

  // Windows go and come back at once, unanimated, with the screen's drawing held until all
  // have changed.
  const bool animationWasOn = SuspendAnimation();
  windows_.LockWindowUpdate(windows_.GetDesktopWindow());
  if (IsOn(settings_.WAV)) {
    actions_.PlayCycleSound(concealing ? CycleSound::Conceal : CycleSound::Reveal);
  }
  census_.RunHideShowPass();
  windows_.LockWindowUpdate(platform::NullWindow);
  if (animationWasOn) ResumeAnimation();

  button_.ShowLook(concealing ? ConcealedButtonLook : RevealedButtonLook);

  if (concealing && IsOn(settings_.ClearDoc)) actions_.ClearRecentDocuments();
  // A reveal always lifts the suppression, whatever CtrlAlt says now.
  actions_.ApplyCtrlAltDelSuppression(concealing && IsOn(settings_.CtrlAlt));
  if (concealing && IsOn(settings_.LaunchApp)) actions_.LaunchChosenFile();
}

}  // namespace tolva::engine
