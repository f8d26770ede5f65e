#include "platform/ui/controls.h"

#include <cctype>

#include "platform/ascii.h"
#include "platform/exception.h"

namespace tolva::ui {

char AcceleratorOf(const std::string& caption) {
  const auto amp = caption.find('&');
  if (amp == std::string::npos || amp + 1 >= caption.size()) return 0;
  return caption[amp + 1];
}

Colour ColourBehind(const Control& control, Colour formColour) {
  for (const Control* around = control.parent; around != nullptr; around = around->parent) {
    if (const Colour* own = around->OwnColour()) return *own;
  }
  return formColour;
}

std::vector<BevelCut> FrameRings(const Panel& panel) {
  std::vector<BevelCut> rings;
  for (const BevelCut cut : {panel.bevelOuter, panel.bevelInner}) {
    if (cut != BevelCut::None) rings.push_back(cut);
  }
  return rings;
}

ToolButton* ToolBar::AcceleratorButton(char letter) const {
  if (!Enabled() || !Visible()) return nullptr;
  for (ToolButton* button : buttons) {
    const char underlined = AcceleratorOf(button->Caption());
    if (underlined != 0 && platform::AsciiUpper(underlined) == platform::AsciiUpper(letter) && button->Enabled() &&
        button->Visible()) {
      return button;
    }
  }
  return nullptr;
}

ToolButton* Form::AcceleratorButton(char letter) const {
  for (const Control* control : controls) {
    if (ToolButton* button = control->AcceleratorButton(letter)) return button;
  }
  return nullptr;
}

void Form::Show(WindowState state) {
  if (!Peer()) return;
  if (!Visible() && OnShow) OnShow();
  Peer()->Show(state);
}

int Form::ShowModal() {
  if (Visible()) throw Exception("Cannot make a visible window modal");
  modalResult = 0;
  if (!Peer()) return 0;
  if (OnShow) OnShow();
  return Peer()->RunModal();
}

}  // namespace tolva::ui
