// A check box whose tick is the control's: the button never turns it over by itself, so a click
// reaches the control, which turns it and has it shown here.
#include "platform/win32/control_factory.h"
#include "platform/win32/control_peer.h"

namespace tolva::platform::win32 {
namespace {

class CheckBoxWindow final : public ControlPeer {
 public:
  CheckBoxWindow(std::shared_ptr<const FormSite> site, ui::CheckBox& checkBox)
      : ControlPeer(std::move(site), checkBox),
        checkBox_(checkBox),
        window_(*site_, *this, "BUTTON", BS_CHECKBOX | WS_TABSTOP) {
    Changed(ui::Property::Checked);
  }

  void Changed(ui::Property property) override {
    if (property != ui::Property::Checked) {
      window_.Mirror(property);
      return;
    }
    if (const HWND hwnd = window_.get())
      SendMessageA(hwnd, BM_SETCHECK, checkBox_.Checked() ? BST_CHECKED : BST_UNCHECKED, 0);
  }

  void Command(WPARAM wParam) override {
    if (HIWORD(wParam) == BN_CLICKED) site_->app.Dispatch([this] { checkBox_.Click(); });
  }

  HBRUSH ControlColour(HDC dc) override {
    SetBkColor(dc, site_->colour);
    return site_->background.get();
  }

 private:
  ui::CheckBox& checkBox_;
  ChildWindow window_;
};

}  // namespace

std::unique_ptr<ui::Peer> ControlFactory::Make(ui::CheckBox& checkBox) {
  return std::make_unique<CheckBoxWindow>(site_, checkBox);
}

}  // namespace tolva::platform::win32
