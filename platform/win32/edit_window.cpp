// A single-line edit in a colour of its own. A read-only edit asks for its colours as a static
// control does (WM_CTLCOLORSTATIC), a writable one with WM_CTLCOLOREDIT: both come here.
#include "platform/win32/control_factory.h"
#include "platform/win32/control_peer.h"

namespace tolva::platform::win32 {
namespace {

class EditWindow final : public ControlPeer {
 public:
  EditWindow(std::shared_ptr<const FormSite> site, ui::Edit& edit)
      : ControlPeer(std::move(site), edit),
        edit_(edit),
        background_(edit.colour),
        window_(*site_, *this, "EDIT",
                ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP | (edit.readOnly ? ES_READONLY : 0),
                WS_EX_CLIENTEDGE) {
    Changed(ui::Property::Text);
  }

  void Changed(ui::Property property) override {
    const HWND hwnd = window_.get();
    switch (property) {
      case ui::Property::Text:
        if (hwnd != nullptr) SetWindowTextA(hwnd, edit_.Text().c_str());
        break;
      case ui::Property::Colour:
        background_.Changed(hwnd);
        break;
      case ui::Property::Caption:  // an edit shows its text, not a caption
        break;
      default:
        window_.Mirror(property);
        break;
    }
  }

  // The edit's own notifications (EN_CHANGE and the like) ask nothing of the program.
  void Command(WPARAM) override {}

  HBRUSH ControlColour(HDC dc) override { return background_.Paint(dc); }

 private:
  ui::Edit& edit_;
  OwnBackground background_;
  ChildWindow window_;  // last: goes before the brush it paints with
};

}  // namespace

std::unique_ptr<ui::Peer> ControlFactory::Make(ui::Edit& edit) {
  return std::make_unique<EditWindow>(site_, edit);
}

}  // namespace tolva::platform::win32
