#pragma once
// The process-wide objects of the program, made once by start-up and handed to the windows.
#include "engine/exclude_list.h"
#include "engine/hidden_window_set.h"
#include "engine/own_windows.h"
#include "platform/locale.h"

namespace tolva::settings {
class TOptionsDialog;
}

namespace tolva::app {

class TForm1;
class TAboutBox;
using settings::TOptionsDialog;

struct ProgramState {
  engine::HiddenWindowSet hiddenWindows;
  engine::OwnWindows ownWindows;
  // The titles of the options dialog's Exclude list. Kept here rather than in the dialog because
  // the main window's census reads it and the main window is created before the dialog.
  engine::ExcludeList excludeList;
  // The user's regional formats as the program uses them: read by the main window as it is made
  // and again whenever Windows says they changed. The schedule's texts are written and compared
  // in them, the options dialog saves in them, and the about box groups its figures with them.
  platform::RegionalSettings region;

  // The windows, each set when it is created (before its own creation steps run).
  TForm1* Form1 = nullptr;
  TAboutBox* AboutBox = nullptr;
  TOptionsDialog* OptionsDialog = nullptr;
};

}  // namespace tolva::app
