// A group box (a BS_GROUPBOX button) with its caption in a colour of its own, on the form's
// colour; the controls in it are made inside its window.
#include "platform/win32/control_factory.h"
#include "platform/win32/control_peer.h"

namespace tolva::platform::win32 {
namespace {

class GroupBoxWindow final : public ControlPeer {
 public:
  GroupBoxWindow(std::shared_ptr<const FormSite> site, ui::GroupBox& group)
      : ControlPeer(std::move(site), group),
        group_(group),
        window_(*site_, *this, "BUTTON", BS_GROUPBOX, WS_EX_TRANSPARENT) {}

  void Changed(ui::Property property) override { window_.Mirror(property); }

  HBRUSH ControlColour(HDC dc) override {
    SetTextColor(dc, ToColorRef(group_.captionColour));
    SetBkColor(dc, site_->colour);
    return site_->background.get();
  }

 private:
  ui::GroupBox& group_;
  ChildWindow window_;
};

}  // namespace

std::unique_ptr<ui::Peer> ControlFactory::Make(ui::GroupBox& groupBox) {
  return std::make_unique<GroupBoxWindow>(site_, groupBox);
}

}  // namespace tolva::platform::win32
