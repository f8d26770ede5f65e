#pragma once
// The program from its start to its end: the single-instance guard, the splash, the three
// windows, the message loop and the release of the guard.
#include <memory>
#include <string_view>

#include "app/main_form.h"
#include "app/program_state.h"
#include "app/about_box.h"
#include "app/splash_form.h"
#include "settings/options/options_dialog.h"
#include "platform/platform.h"
#include "platform/ui/application.h"

namespace tolva::app {

inline constexpr const char* SingleInstanceMutexName = "SINGLE_TOLVA.MUTEX";
inline constexpr std::string_view AlreadyRunningText = "Tolva R. Quenlar (TM) is already running!";
inline constexpr std::string_view AlreadyRunningTitle = "Tolva R. Quenlar (TM) Already Running";
// Yes and No, Yes the default, with the warning icon.
inline constexpr unsigned LeftHiddenQuestionStyle = platform::MbYesNo | platform::MbIconExclamation;

// The show commands of the process start that change how the main window first appears.
inline constexpr int SwShowMaximized = 3;
inline constexpr int SwShowMinNoActive = 7;
ui::WindowState MainWindowStateFor(int showCommand);

class Program {
 public:
  Program(platform::Platform& platform, ui::Backend& backend)
      : platform_(platform), app_(backend, platform.dialogs) {}

  // The entry routine's work; returns the process's exit code, 0 on every path.
  int Run(int showCommand);

  // Steps of Run, also used alone by the tests: the application's title, help file and window;
  // then the main window, the about box and the options dialog, in that order.
  void PrepareApplication();
  void CreateWindows();

  ui::Application& application() { return app_; }
  ProgramState& state() { return state_; }
  TSplashFormReg* splash() { return splash_.get(); }

 private:
  // Another instance holds the guard: tell the user if its window is there.
  void ReportRunningInstance();
  void ShowSplash();
  // Windows a run ended from outside left hidden: the user is asked whether to show them, and
  // the record is gone either way; a minimise animation that run left off is switched back on.
  void OfferWindowsLeftHidden();

  platform::Platform& platform_;
  ui::Application app_;
  ProgramState state_;
  std::unique_ptr<TSplashFormReg> splash_;
  std::unique_ptr<TForm1> form1_;
  std::unique_ptr<TAboutBox> aboutBox_;
  std::unique_ptr<TOptionsDialog> optionsDialog_;
};

}  // namespace tolva::app
