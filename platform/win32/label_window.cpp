// Static text, on the form's own colour when transparent.
#include "platform/win32/control_factory.h"
#include "platform/win32/control_peer.h"

namespace tolva::platform::win32 {
namespace {

class LabelWindow final : public ControlPeer {
 public:
  LabelWindow(std::shared_ptr<const FormSite> site, ui::Label& label)
      : ControlPeer(std::move(site), label),
        label_(label),
        window_(*site_, *this, "STATIC", SS_LEFT | SS_NOTIFY) {}

  void Changed(ui::Property property) override { window_.Mirror(property); }

  HBRUSH ControlColour(HDC dc) override {
    SetTextColor(dc, ToColorRef(label_.fontColour));
    if (label_.transparent) {
      SetBkMode(dc, TRANSPARENT);
    } else {
      SetBkColor(dc, site_->colour);
    }
    return site_->background.get();
  }

 private:
  ui::Label& label_;
  ChildWindow window_;
};

}  // namespace

std::unique_ptr<ui::Peer> ControlFactory::Make(ui::Label& label) {
  return std::make_unique<LabelWindow>(site_, label);
}

}  // namespace tolva::platform::win32
