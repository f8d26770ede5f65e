#include "app/secondary_forms.h"

namespace tolva::app {

TAboutBox::TAboutBox(ui::Application& application, ProgramState& state)
    : ui::Form("AboutBox", application) {
  SetCaption("About Tolva R. Quenlar (TM)");
  border = ui::BorderStyle::Dialog;
  clientSize = {320, 313};
  colour = {192, 192, 192};
  helpContext = 1000;
  Label1.SetBounds({16, 16, 288, 16});
  Label1.SetCaption("Tolva R. Quenlar (TM)");
  controls = {&Label1};
  OnCreate = [this, &state] { state.ownWindows.Set(engine::OwnWindows::Role::AboutBox, Handle()); };
}

}  // namespace tolva::app
