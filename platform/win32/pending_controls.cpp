// The dialog controls' real windows are being built; until then their kinds make no window.
#include "platform/win32/control_factory.h"

namespace tolva::platform::win32 {

std::unique_ptr<ui::Peer> ControlFactory::Make(ui::CheckBox&) { return nullptr; }
std::unique_ptr<ui::Peer> ControlFactory::Make(ui::Button&) { return nullptr; }
std::unique_ptr<ui::Peer> ControlFactory::Make(ui::Edit&) { return nullptr; }
std::unique_ptr<ui::Peer> ControlFactory::Make(ui::CheckListBox&) { return nullptr; }
std::unique_ptr<ui::Peer> ControlFactory::Make(ui::DateTimePicker&) { return nullptr; }

}  // namespace tolva::platform::win32
