#pragma once
// The about box and the options dialog, created hidden at start-up beside the main window. Here
// they are the windows with their frames and captions, shown modally by their commands and
// closed with their close boxes; their controls come with their own windows' work.
#include "app/program_state.h"
#include "platform/ui/application.h"

namespace tolva::app {

class TAboutBox final : public ui::Form {
 public:
  TAboutBox(ui::Application& application, ProgramState& state);
  ui::Label Label1{"Label1"};
};

class TOptionsDialog final : public ui::Form {
 public:
  TOptionsDialog(ui::Application& application, ProgramState& state);
};

}  // namespace tolva::app
