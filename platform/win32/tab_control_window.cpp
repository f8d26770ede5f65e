// comctl32's tab control with one tab per page, and its pages: windows of our own class over the
// tab control's display area, of which only the active one is shown.
#include <algorithm>

#include "platform/win32/control_factory.h"
#include "platform/win32/control_peer.h"
#include "platform/win32/subclass_chain.h"

namespace tolva::platform::win32 {
namespace {

constexpr char kPageClass[] = "TolvaTabPage";

int IndexOf(const ui::TabSheet& page) {
  const auto& pages = page.owner->Pages();
  return static_cast<int>(std::find(pages.begin(), pages.end(), &page) - pages.begin());
}

// The tab control's display area, under the tabs, in its client coordinates.
RECT DisplayArea(HWND tabs) {
  RECT area;
  GetClientRect(tabs, &area);
  SendMessageA(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  return area;
}

constexpr UINT_PTR kEraseId = 2;
constexpr LPARAM kCaptionWidthOnly = 0;  // no minimum tab width

// The tab control's own background (the strip beside the tabs) in the form's colour rather than
// the system's face colour.
LRESULT CALLBACK Erase(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                       DWORD_PTR site) noexcept {
  if (message == WM_ERASEBKGND)
    return reinterpret_cast<const FormSite*>(site)->EraseBackground(hwnd, wParam);
  if (message == WM_NCDESTROY) UnchainSubclass(hwnd, Erase, kEraseId);
  return NextSubclass(hwnd, message, wParam, lParam);
}

class TabControlWindow final : public ControlPeer {
 public:
  TabControlWindow(std::shared_ptr<const FormSite> site, ui::TabControl& tabs)
      : ControlPeer(std::move(site), tabs),
        tabs_(tabs),
        window_(*site_, *this, WC_TABCONTROLA,
                (tabs.hotTrack ? TCS_HOTTRACK : 0) | WS_CLIPCHILDREN) {
    const HWND hwnd = window_.get();
    if (hwnd == nullptr) return;
    ChainSubclass(hwnd, Erase, kEraseId, reinterpret_cast<DWORD_PTR>(site_.get()));
    // Each tab as wide as its caption and padding: comctl32's default minimum, six average
    // characters, widens a short caption's tab until the row no longer fits and the control
    // scrolls it behind arrows.
    SendMessageA(hwnd, TCM_SETMINTABWIDTH, 0, kCaptionWidthOnly);
    const ui::Size padding = site_->scaling.ToScreen(tabs.tabPadding);
    SendMessageA(hwnd, TCM_SETPADDING, 0, MAKELPARAM(padding.width, padding.height));
    for (const ui::TabSheet* page : tabs_.Pages()) {
      TCITEMA item{};
      item.mask = TCIF_TEXT;
      item.pszText = const_cast<char*>(page->Caption().c_str());
      SendMessageA(hwnd, TCM_INSERTITEMA, static_cast<WPARAM>(IndexOf(*page)),
                   reinterpret_cast<LPARAM>(&item));
    }
    SendMessageA(hwnd, TCM_SETCURSEL, static_cast<WPARAM>(tabs_.ActivePageIndex()), 0);
    PlacePages();
  }

  void Changed(ui::Property property) override {
    switch (property) {
      case ui::Property::ActivePage:
        if (const HWND hwnd = window_.get())
          SendMessageA(hwnd, TCM_SETCURSEL, static_cast<WPARAM>(tabs_.ActivePageIndex()), 0);
        for (ui::TabSheet* page : tabs_.Pages()) {
          if (ui::Peer* peer = page->GetPeer()) peer->Changed(ui::Property::ActivePage);
        }
        break;
      case ui::Property::Bounds:
        window_.Mirror(property);
        PlacePages();
        break;
      default:
        window_.Mirror(property);
        break;
    }
  }

  bool Notify(const NMHDR& header, LRESULT& result) override {
    if (header.code != static_cast<UINT>(TCN_SELCHANGE)) return false;
    const int chosen = static_cast<int>(SendMessageA(header.hwndFrom, TCM_GETCURSEL, 0, 0));
    site_->app.Dispatch([this, chosen] { tabs_.PageChosen(chosen); });
    result = 0;
    return true;
  }

 private:
  // Every page fills the display area, under the tabs. Its bounds take the area in the layout's
  // pixels; its window takes the area itself, which a scaled round trip could miss by a pixel.
  void PlacePages() {
    const HWND hwnd = window_.get();
    if (hwnd == nullptr) return;
    const RECT area = DisplayArea(hwnd);
    const ui::Scaling& scaling = site_->scaling;
    for (ui::TabSheet* page : tabs_.Pages()) {
      page->SetBounds({scaling.ToLayout(area.left), scaling.ToLayout(area.top),
                       scaling.ToLayout(area.right - area.left), scaling.ToLayout(area.bottom - area.top)});
    }
  }

  ui::TabControl& tabs_;
  ChildWindow window_;
};

class TabSheetWindow final : public ControlPeer, private WindowTarget {
 public:
  TabSheetWindow(std::shared_ptr<const FormSite> site, ui::TabSheet& page)
      : ControlPeer(std::move(site), page),
        page_(page),
        window_(*site_, *this, RegisteredClass(site_->instance), 0, WS_EX_CONTROLPARENT, this) {
    Place();
    ShowAsPage();
  }

  void Changed(ui::Property property) override {
    switch (property) {
      case ui::Property::Visible:
      case ui::Property::ActivePage:
        ShowAsPage();
        break;
      case ui::Property::Caption:
        if (page_.owner == nullptr) break;
        if (const HWND tabs = site_->WindowOf(*page_.owner).get()) {
          TCITEMA item{};
          item.mask = TCIF_TEXT;
          item.pszText = const_cast<char*>(page_.Caption().c_str());
          SendMessageA(tabs, TCM_SETITEMA, static_cast<WPARAM>(IndexOf(page_)),
                       reinterpret_cast<LPARAM>(&item));
        }
        break;
      case ui::Property::Bounds:
        Place();
        break;
      default:
        window_.Mirror(property);
        break;
    }
  }

 private:
  // Over its tab control's display area.
  void Place() const {
    const HWND hwnd = window_.get();
    const HWND tabs = page_.owner != nullptr ? site_->WindowOf(*page_.owner).get() : nullptr;
    if (hwnd == nullptr || tabs == nullptr) return;
    const RECT area = DisplayArea(tabs);
    MoveWindow(hwnd, area.left, area.top, area.right - area.left, area.bottom - area.top, TRUE);
  }

  static const char* RegisteredClass(HINSTANCE instance) {
    RegisterWindowClass(instance, kPageClass, 0);
    return kPageClass;
  }

  void ShowAsPage() const {
    if (const HWND hwnd = window_.get()) ShowWindow(hwnd, page_.Shown() ? SW_SHOWNA : SW_HIDE);
  }

  void WindowMade(HWND) noexcept override {}
  void WindowGone() noexcept override { window_.Gone(); }
  ui::Application& App() const override { return site_->app; }

  LRESULT OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override {
    // A page shows the form's colour.
    if (message == WM_ERASEBKGND) return site_->EraseBackground(hwnd, wParam);
    return DefWindowProcA(hwnd, message, wParam, lParam);
  }

  ui::TabSheet& page_;
  ChildWindow window_;
};

}  // namespace

std::unique_ptr<ui::Peer> ControlFactory::Make(ui::TabControl& tabControl) {
  return std::make_unique<TabControlWindow>(site_, tabControl);
}

std::unique_ptr<ui::Peer> ControlFactory::Make(ui::TabSheet& tabSheet) {
  return std::make_unique<TabSheetWindow>(site_, tabSheet);
}

}  // namespace tolva::platform::win32
