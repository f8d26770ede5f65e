// The dialog controls' real windows are being built; until then their kinds make no window.
#include "platform/win32/control_factory.h"

namespace tolva::platform::win32 {

std::unique_ptr<ui::Peer> ControlFactory::Make(ui::TabControl&) { return nullptr; }
std::unique_ptr<ui::Peer> ControlFactory::Make(ui::TabSheet&) { return nullptr; }
std::unique_ptr<ui::Peer> ControlFactory::Make(ui::GroupBox&) { return nullptr; }
std::unique_ptr<ui::Peer> ControlFactory::Make(ui::Bevel&) { return nullptr; }

}  // namespace tolva::platform::win32
