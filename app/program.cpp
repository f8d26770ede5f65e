#include "app/program.h"

#include <string>

#include "engine/hidden_window_record.h"
#include "engine/minimise_animation.h"
#include "engine/warning.h"
#include "engine/window_census.h"

namespace tolva::app {
namespace {

// The single-instance mutex. The first instance owns it from the start to the end of the run
// and gives it up however the run ends; a later instance only closes its own reference.
class InstanceGuard {
 public:
  explicit InstanceGuard(platform::Kernel& kernel)
      : kernel_(kernel),
        handle_(kernel.CreateMutexA(true, SingleInstanceMutexName)),
        // Read at once: any later call may change it.
        heldElsewhere_(kernel.GetLastError() == platform::ErrorAlreadyExists) {}
  ~InstanceGuard() { GiveUp(); }
  InstanceGuard(const InstanceGuard&) = delete;
  InstanceGuard& operator=(const InstanceGuard&) = delete;

  // Another instance holds the name.
  bool HeldElsewhere() const { return heldElsewhere_; }
  void GiveUp() {
    if (handle_ == platform::NullKernelHandle) return;
    if (!heldElsewhere_) kernel_.ReleaseMutex(handle_);
    kernel_.CloseHandle(handle_);
    handle_ = platform::NullKernelHandle;
  }

 private:
  platform::Kernel& kernel_;
  platform::KernelHandle handle_;
  bool heldElsewhere_;
};

}  // namespace

ui::WindowState MainWindowStateFor(int showCommand) {
  switch (showCommand) {
    case SwShowMaximized: return ui::WindowState::Maximized;
    case SwShowMinNoActive: return ui::WindowState::Minimized;
    default: return ui::WindowState::Normal;
  }
}

void Program::ReportRunningInstance() {
  // With its own title emptied, this instance's window cannot be the one found.
  app_.SetTitle("");
  app_.Initialize();
  const std::string title(ApplicationTitle);
  if (platform_.windows.FindWindowA(nullptr, title.c_str()) != platform::NullWindow) {
    engine::ShowWarning(platform_.dialogs, app_.Handle(), AlreadyRunningText, AlreadyRunningTitle);
  }
}

void Program::OfferWindowsLeftHidden() {
  engine::HiddenWindowRecord record(platform_.files, platform_.profile, platform_.windows);
  const engine::LeftByLastRun left = record.ReadLeftByLastRun();
  // Switched back on whatever the answer: the run that switched it off cannot.
  if (left.animationLeftOff) engine::SetMinimiseAnimation(platform_.systemParameters, true);
  const std::vector<platform::WindowHandle>& still = left.stillHidden;
  if (!still.empty() &&
      engine::ShowWarning(platform_.dialogs, app_.Handle(), engine::StillHiddenQuestion(still.size()),
                          ApplicationTitle, LeftHiddenQuestionStyle) == platform::IdYes) {
    for (const platform::WindowHandle window : still) {
      engine::ShowWithoutWaitingForHung(platform_.windows, window, platform::ShowCommand::ShowNoActivate);
    }
  }
  record.Remove();
}

void Program::ShowSplash() {
  splash_ = std::make_unique<TSplashFormReg>(app_);
  app_.CreateWindowOf(*splash_);
  splash_->Show();
  splash_->Repaint();
  // It runs from its creation; enabling it again would start a new period.
  if (!splash_->SplashTimer1.Enabled()) splash_->SplashTimer1.SetEnabled(true);
  // Waiting for messages, as the message loop does, until the splash's own timer tick ends it:
  // polling would spin a core (the program's and the window server's) for the whole second.
  while (!splash_->SplashDone && !app_.Terminated()) app_.HandleMessage();
  splash_->Hide();
  app_.DestroyWindowOf(*splash_);
  splash_.reset();
}

void Program::PrepareApplication() {
  app_.Initialize();
  app_.SetTitle(std::string(ApplicationTitle));
  app_.helpFile = HelpFileName;
  state_.ownWindows.Set(engine::OwnWindows::Role::Application, app_.Handle());
}

void Program::CreateWindows() {
  app_.CreateForm(form1_, state_.Form1, platform_, state_);
  app_.CreateForm(aboutBox_, state_.AboutBox, platform_, state_);
  app_.CreateForm(optionsDialog_, state_.OptionsDialog, platform_, state_.ownWindows,
                  state_.excludeList, form1_->Census(), state_.region);
}

int Program::Run(int showCommand) {
  InstanceGuard guard(platform_.kernel);
  if (guard.HeldElsewhere()) {
    guard.GiveUp();
    try {
      ReportRunningInstance();
    } catch (const std::exception& exception) {
      // Not even a window to own the warning: the error box says why, without an owner.
      app_.ShowException(exception);
    }
    return 0;
  }

  try {
    PrepareApplication();
    OfferWindowsLeftHidden();
    ShowSplash();
    CreateWindows();
    app_.Run(MainWindowStateFor(showCommand));
  } catch (const std::exception& exception) {
    app_.ShowException(exception);
  }

  guard.GiveUp();
  app_.DestroyWindows();
  return 0;
}

}  // namespace tolva::app
