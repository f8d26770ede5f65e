#include "engine/conceal_cycle.h"

#include <utility>
#include <vector>

#include "engine/minimise_animation.h"

namespace tolva::engine {
namespace {

using settings::IsOn;

// The minimise/restore animation switched off for the pass and back on after it, also when the
// pass fails, when it was on before.
class AnimationSuspended {
 public:
  AnimationSuspended(platform::SystemParameters& parameters, bool wasOn)
      : parameters_(parameters), wasOn_(wasOn) {
    if (wasOn_) SetMinimiseAnimation(parameters_, false);
  }
  ~AnimationSuspended() {
    if (wasOn_) SetMinimiseAnimation(parameters_, true);
  }
  AnimationSuspended(const AnimationSuspended&) = delete;
  AnimationSuspended& operator=(const AnimationSuspended&) = delete;

 private:
  platform::SystemParameters& parameters_;
  bool wasOn_;
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

    // The record is kept on disk while windows are concealed, so that a run ended from outside
    // leaves the next start a way to show them. It is written before anything changes: a
    // conceal's with every window it is about to hide, and the note of an animation about to be
    // switched off.
    const bool animationOn = MinimiseAnimationOn(systemParameters_);
    const AnimationNote note = animationOn ? AnimationNote::SwitchedOff : AnimationNote::None;
    std::vector<TitledWindow> listed;
    if (concealing) {
      listed = census_.ConcealCandidates();
      record_.Save(listed, note);
    } else if (animationOn) {
      record_.NoteAnimationOff();
    }
    try {
      // Windows go and come back at once, unanimated, with the screen's drawing held until all
      // have changed.
      const AnimationSuspended animation(systemParameters_, animationOn);
      const ScreenLocked lock(windows_);
      if (IsOn(settings_.WAV)) {
        actions_.PlayCycleSound(concealing ? CycleSound::Conceal : CycleSound::Reveal);
      }
      if (concealing) {
        census_.ConcealListed(listed);
      } else {
        census_.RunHideShowPass();
      }
    } catch (...) {
      // A pass that failed half-way leaves on record the windows it hid, or did not show again;
      // a reveal's leaves the windows concealed, so that the next command shows the rest rather
      // than empty the set of windows still hidden.
      if (!concealing) hidden_.WindowsHidden = true;
      record_.Save(hidden_);
      throw;
    }
  }
  // Afterwards, written once the drawing lock is given back: exactly the windows hidden.
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
