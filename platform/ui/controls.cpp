#include "platform/ui/controls.h"

#include <cctype>

#include "platform/exception.h"

namespace tolva::ui {

char AcceleratorOf(const std::string& caption) {
  const auto amp = caption.find('&');
  if (amp == std::string::npos || amp + 1 >= caption.size()) return 0;
  return caption[amp + 1];
}

ToolButton* ToolBar::AcceleratorButton(char letter) const {
  if (!Enabled() || !Visible()) return nullptr;
  const auto upper = [](char c) { return std::toupper(static_cast<unsigned char>(c)); };
  for (ToolButton* button : buttons) {
    const char underlined = AcceleratorOf(button->Caption());
    if (underlined != 0 && upper(underlined) == upper(letter) && button->Enabled() &&
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

int Form::ShowModal() {
  if (Visible()) throw Exception("Cannot make a visible window modal");
  modalResult = 0;
  return Peer() ? Peer()->RunModal() : 0;
}

}  // namespace tolva::ui
