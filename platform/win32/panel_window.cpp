// A framed area in a colour of its own: a plain bordered STATIC, or one the program paints with
// its bevels.
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
        window_(*site_, *this, "STATIC", SS_NOTIFY | Frame(panel)) {
    // Panels lie under the controls placed on them.
    if (const HWND hwnd = window_.get())
      SetWindowPos(hwnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }

  HBRUSH ControlColour(HDC dc) override {
    SetBkColor(dc, ToColorRef(panel_.colour));
    return brush_.get();
  }

  bool DrawItem(const DRAWITEMSTRUCT& item) override {
    RECT r = item.rcItem;
    FillRect(item.hDC, &r, brush_.get());
    for (const ui::BevelCut cut : ui::FrameRings(panel_)) {
      // A lowered ring is in shadow along its top and left and lit along its bottom and right.
      const bool lowered = cut == ui::BevelCut::Lowered;
      const Brush topLeft(CreateSolidBrush(GetSysColor(lowered ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT)));
      const Brush bottomRight(CreateSolidBrush(GetSysColor(lowered ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW)));
      const RECT top{r.left, r.top, r.right, r.top + 1}, left{r.left, r.top, r.left + 1, r.bottom};
      const RECT bottom{r.left, r.bottom - 1, r.right, r.bottom};
      const RECT right{r.right - 1, r.top, r.right, r.bottom};
      FillRect(item.hDC, &top, topLeft.get());
      FillRect(item.hDC, &left, topLeft.get());
      FillRect(item.hDC, &bottom, bottomRight.get());
      FillRect(item.hDC, &right, bottomRight.get());
      InflateRect(&r, -1, -1);
    }
    return true;
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
    return panel.singleLine ? SS_CENTER | SS_CENTERIMAGE | WS_BORDER : SS_OWNERDRAW;
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
