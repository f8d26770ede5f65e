// A framed area in a colour of its own.
#include "platform/win32/control_factory.h"
#include "platform/win32/control_peer.h"

namespace tolva::platform::win32 {
namespace {

class PanelWindow final : public ControlPeer {
 public:
  PanelWindow(std::shared_ptr<const FormSite> site, ui::Panel& panel)
      : ControlPeer(std::move(site), panel),
        panel_(panel),
        brush_(CreateSolidBrush(ToColorRef(panel.colour))),
        window_(*site_, *this, "STATIC", SS_CENTER | SS_CENTERIMAGE | SS_NOTIFY | Frame(panel),
                panel.singleLine || panel.lowered ? 0 : WS_EX_WINDOWEDGE | WS_EX_DLGMODALFRAME) {
    // Panels lie under the controls placed on them.
    if (const HWND hwnd = window_.get())
      SetWindowPos(hwnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }

  HBRUSH ControlColour(HDC dc) override {
    SetBkColor(dc, ToColorRef(panel_.colour));
    return brush_.get();
  }

  void Changed(ui::Property property) override {
    if (property == ui::Property::Colour) {
      brush_.reset(CreateSolidBrush(ToColorRef(panel_.colour)));
      if (const HWND hwnd = window_.get()) InvalidateRect(hwnd, nullptr, TRUE);
      return;
    }
    window_.Mirror(property);
  }

 private:
  static DWORD Frame(const ui::Panel& panel) {
    if (panel.singleLine) return WS_BORDER;
    return panel.lowered ? SS_SUNKEN : 0;
  }

  ui::Panel& panel_;
  Brush brush_;
  ChildWindow window_;  // last: goes before the brush it paints with
};

}  // namespace

std::unique_ptr<ui::Peer> ControlFactory::Make(ui::Panel& panel) {
  return std::make_unique<PanelWindow>(site_, panel);
}

}  // namespace tolva::platform::win32
