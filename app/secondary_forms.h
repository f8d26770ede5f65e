#pragma once
// The about box, created hidden at start-up beside the main window. Here it is the window with
// its frame and caption, shown modally by its command and closed with its close box; its
// controls come with its own window's work.
#include "app/program_state.h"
#include "platform/ui/application.h"

namespace tolva::app {

class TAboutBox final : public ui::Form {
 public:
  TAboutBox(ui::Application& application, ProgramState& state);
  ui::Label Label1{"Label1"};
};

}  // namespace tolva::app
