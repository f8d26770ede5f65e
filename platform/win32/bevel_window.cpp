// A lowered frame: a sunken STATIC on the form's colour, beneath the controls it frames.
#include "platform/win32/control_factory.h"
#include "platform/win32/control_peer.h"

namespace tolva::platform::win32 {
namespace {

class BevelWindow final : public ControlPeer {
 public:
  BevelWindow(std::shared_ptr<const FormSite> site, ui::Bevel& bevel)
      : ControlPeer(std::move(site), bevel), window_(*site_, *this, "STATIC", SS_SUNKEN) {
    // A frame is drawn around what it frames, which is made after it and would otherwise lie
    // beneath it.
    if (const HWND hwnd = window_.get())
      SetWindowPos(hwnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }

  void Changed(ui::Property property) override { window_.Mirror(property); }

  HBRUSH ControlColour(HDC dc) override {
    SetBkColor(dc, site_->colour);
    return site_->background.get();
  }

 private:
  ChildWindow window_;
};

}  // namespace

std::unique_ptr<ui::Peer> ControlFactory::Make(ui::Bevel& bevel) {
  return std::make_unique<BevelWindow>(site_, bevel);
}

}  // namespace tolva::platform::win32
