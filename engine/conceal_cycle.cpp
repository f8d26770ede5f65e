#include "engine/conceal_cycle.h"

#include <utility>

namespace tolva::engine {
namespace {

using platform::AnimationInfo;
using settings::IsOn;

void SetAnimation(platform::SystemParameters& parameters, bool on) {
  AnimationInfo animation;
  animation.cbSize = sizeof animation;
  animation.iMinAnimate = on ? 1 : 0;
  // Flags 0: the change is neither written to the user's profile nor broadcast.
  parameters.SystemParametersInfoA(platform::SpiSetAnimation, sizeof animation, &animation, 0);
}

// The minimise/restore animation switched off for the pass and back on after it, also when the
// pass fails. A failed query counts as off, so nothing is switched on that the user never had.
class AnimationSuspended {
 public:
  explicit AnimationSuspended(platform::SystemParameters& parameters) : parameters_(parameters) {
    AnimationInfo animation;
    animation.cbSize = sizeof animation;
    animation.iMinAnimate = 0;
    wasOn_ = parameters_.SystemParametersInfoA(platform::SpiGetAnimation, sizeof animation,
                                               &animation, 0) &&
             animation.iMinAnimate != 0;
    if (wasOn_) SetAnimation(parameters_, false);
  }
  ~AnimationSuspended() {
    if (wasOn_) SetAnimation(parameters_, true);
  }
  AnimationSuspended(const AnimationSuspended&) = delete;
  AnimationSuspended& operator=(const AnimationSuspended&) = delete;

 private:
  platform::SystemParameters& parameters_;
  bool wasOn_ = false;
};

// Drawing of the whole screen held until every window has changed, and given back also when
// the pass fails: a screen left locked takes no drawing at all. There is one lock for the
// session: when another program holds it the pass runs unlocked, and that lock is left alone,
// since unlocking would release it under its owner.
class ScreenLocked {
 public:
  explicit ScreenLocked(platform::WindowManager& windows)
      : windows_(windows), locked_(windows_.LockWindowUpdate(windows_.GetDesktopWindow())) {}
  ~ScreenLocked() {
    if (locked_) windows_.LockWindowUpdate(platform::NullWindow);
  }
  ScreenLocked(const ScreenLocked&) = delete;
  ScreenLocked& operator=(const ScreenLocked&) = delete;

 private:
  platform::WindowManager& windows_;
  bool locked_;
};

class Flagged {
 public:
  explicit Flagged(bool& flag) : flag_(flag) { flag_ = true; }
  ~Flagged() { flag_ = false; }
  Flagged(const Flagged&) = delete;
  Flagged& operator=(const Flagged&) = delete;

 private:
  bool& flag_;
};

}  // namespace

void ConcealCycle::HideShowButtonClick() {
  if (inPass_) {
    switch (pending_) {
      case Pending::None: pending_ = Pending::Command; break;
      case Pending::Command: pending_ = Pending::None; break;
      case Pending::Reveal: break;
    }
    return;
  }
  for (Pending next = RunCommand(); next != Pending::None;) {
    if (next == Pending::Reveal && !hidden_.WindowsHidden) break;
    next = RunCommand();
  }
}

void ConcealCycle::RevealWhenIdle() {
  if (inPass_) {
    pending_ = Pending::Reveal;
    return;
  }
  if (hidden_.WindowsHidden) HideShowButtonClick();
}

ConcealCycle::Pending ConcealCycle::RunCommand() {
  // Anything left over from a pass that failed belongs to no command.
  pending_ = Pending::None;
  bool concealing = false;
  {
    const Flagged pass(inPass_);
    hidden_.WindowsHidden = !hidden_.WindowsHidden;
    concealing = hidden_.WindowsHidden;
    if (concealing) hidden_.Empty();

    // Windows go and come back at once, unanimated, with the screen's drawing held until all
    // have changed.
    const AnimationSuspended animation(systemParameters_);
    const ScreenLocked lock(windows_);
    if (IsOn(settings_.WAV)) {
      actions_.PlayCycleSound(concealing ? CycleSound::Conceal : CycleSound::Reveal);
    }
    census_.RunHideShowPass();
  }
  // Kept on disk while windows are concealed, so that a run ended from outside leaves the next
  // start a way to show them; written after the drawing lock is given back.
  if (concealing) {
    record_.Save(hidden_);
  } else {
    record_.Remove();
  }
  const Pending arrived = std::exchange(pending_, Pending::None);

  button_.ShowLook(concealing ? ConcealedButtonLook : RevealedButtonLook);

  if (concealing && IsOn(settings_.ClearDoc)) actions_.ClearRecentDocuments();
  // A reveal always lifts the suppression, whatever CtrlAlt says now.
  actions_.ApplyCtrlAltDelSuppression(concealing && IsOn(settings_.CtrlAlt));
  if (concealing && IsOn(settings_.LaunchApp)) actions_.LaunchChosenFile();
  return arrived;
}

}  // namespace tolva::engine
