// An owner-drawn list box of ticked texts. The content stays with the control's CheckList: the
// list box holds only as many empty items as it has, and each is drawn from it when shown. The
// list box is subclassed for the clicks and the space bar that tick an item.
#include <windowsx.h>

#include "platform/win32/control_factory.h"
#include "platform/win32/control_peer.h"
#include "platform/win32/gdi.h"

namespace tolva::platform::win32 {
namespace {

constexpr int kCheckBoxSide = 13;  // in the layout's pixels, as the margins
constexpr int kMargin = 2;

// The width of an item's check box and the margins around it; a click there ticks the item.
int CheckAreaWidth(const ui::Scaling& scaling, int itemHeight) { return scaling.ToScreen(itemHeight + kMargin); }

class CheckListWindow final : public ControlPeer, private WindowTarget {
 public:
  CheckListWindow(std::shared_ptr<const FormSite> site, ui::CheckListBox& list)
      : ControlPeer(std::move(site), list),
        list_(list),
        background_(list.colour),
        window_(*site_, *this, "LISTBOX",
                LBS_OWNERDRAWFIXED | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP,
                WS_EX_CLIENTEDGE),
        subclass_(window_.ref(), *this) {
    Changed(ui::Property::Items);
  }

  void Changed(ui::Property property) override {
    const HWND hwnd = window_.get();
    if (property == ui::Property::Colour) {
      background_.Changed(hwnd);
    } else if (property != ui::Property::Items) {
      window_.Mirror(property);
    } else if (hwnd != nullptr) {
      Refill(hwnd);
    }
  }

  // Selection changes and double clicks are seen in the list box's own messages.
  void Command(WPARAM) override {}

  HBRUSH ControlColour(HDC dc) override { return background_.Paint(dc); }

  bool MeasureItem(MEASUREITEMSTRUCT& item) override {
    item.itemHeight = static_cast<UINT>(site_->scaling.ToScreen(list_.itemHeight));
    return true;
  }

  bool DrawItem(const DRAWITEMSTRUCT& item) override {
    const HDC dc = item.hDC;
    RECT r = item.rcItem;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    const bool there = list_.items != nullptr && item.itemID < list_.items->Count();
    if (there) {
      FillRect(dc, &r, selected ? GetSysColorBrush(COLOR_HIGHLIGHT) : background_.Paint(dc));
      const std::size_t index = item.itemID;
      const ui::Scaling& scaling = site_->scaling;
      const int side = std::min(scaling.ToScreen(kCheckBoxSide), static_cast<int>(r.bottom - r.top));
      RECT box{r.left + scaling.ToScreen(kMargin), r.top + (r.bottom - r.top - side) / 2, 0, 0};
      box.right = box.left + side;
      box.bottom = box.top + side;
      DrawFrameControl(dc, &box, DFC_BUTTON,
                       DFCS_BUTTONCHECK | (list_.items->Checked(index) ? DFCS_CHECKED : 0));
      RECT text = r;
      text.left += CheckAreaWidth(scaling, list_.itemHeight) + scaling.ToScreen(kMargin);
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
      const Selection font(dc, site_->font.get());
      const std::string caption = list_.items->Text(index);
      DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
                DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    if ((item.itemState & ODS_FOCUS) != 0) DrawFocusRect(dc, &r);
    return true;
  }

 private:
  // WindowTarget: the subclassed list box's messages.
  void WindowMade(HWND) noexcept override {}
  void WindowGone() noexcept override {}
  ui::Application& App() const override { return site_->app; }

  LRESULT OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_LBUTTONDOWN: {
        // The list box selects the item and takes the focus first.
        const LRESULT answer = NextSubclass(hwnd, message, wParam, lParam);
        if (GET_X_LPARAM(lParam) < CheckAreaWidth(site_->scaling, list_.itemHeight)) Toggle(hwnd, lParam);
        return answer;
      }
      case WM_LBUTTONDBLCLK: {
        // The second press of a double click: anywhere on an item it ticks too.
        const LRESULT answer = NextSubclass(hwnd, message, wParam, lParam);
        Toggle(hwnd, lParam);
        return answer;
      }
      case WM_KEYDOWN:
        if (wParam == VK_SPACE) {
          const LRESULT selected = SendMessageA(hwnd, LB_GETCURSEL, 0, 0);
          if (selected != LB_ERR) Toggled(static_cast<std::size_t>(selected));
          return 0;
        }
        break;
      default:
        break;
    }
    return NextSubclass(hwnd, message, wParam, lParam);
  }

  // The item under a click, if the click is on one.
  void Toggle(HWND hwnd, LPARAM point) {
    const LRESULT hit = SendMessageA(hwnd, LB_ITEMFROMPOINT, 0, point);
    if (HIWORD(hit) == 0) Toggled(LOWORD(hit));
  }

  void Toggled(std::size_t index) {
    site_->app.Dispatch([this, index] { list_.ItemToggled(index); });
  }

  // As many items as the content has; the selection and the scroll position stay where they
  // were when they still can.
  void Refill(HWND hwnd) const {
    const auto count = static_cast<LRESULT>(list_.items != nullptr ? list_.items->Count() : 0);
    if (SendMessageA(hwnd, LB_GETCOUNT, 0, 0) == count) {
      InvalidateRect(hwnd, nullptr, TRUE);
      return;
    }
    const LRESULT selected = SendMessageA(hwnd, LB_GETCURSEL, 0, 0);
    const LRESULT top = SendMessageA(hwnd, LB_GETTOPINDEX, 0, 0);
    SendMessageA(hwnd, WM_SETREDRAW, FALSE, 0);
    SendMessageA(hwnd, LB_RESETCONTENT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) SendMessageA(hwnd, LB_ADDSTRING, 0, 0);
    if (selected != LB_ERR && selected < count)
      SendMessageA(hwnd, LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
    if (top < count) SendMessageA(hwnd, LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
    SendMessageA(hwnd, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd, nullptr, TRUE);
  }

  ui::CheckListBox& list_;
  OwnBackground background_;
  ChildWindow window_;  // goes before the brush it paints with
  Subclass subclass_;   // last: undone before the window goes
};

}  // namespace

std::unique_ptr<ui::Peer> ControlFactory::Make(ui::CheckListBox& checkListBox) {
  return std::make_unique<CheckListWindow>(site_, checkListBox);
}

}  // namespace tolva::platform::win32
