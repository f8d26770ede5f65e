// The comctl32 tool bar along the bottom edge of its form, with captions under 16 x 16 images,
// and its buttons.
#include <algorithm>
#include <string>
#include <vector>

#include "platform/win32/control_factory.h"
#include "platform/win32/control_peer.h"
#include "platform/win32/image_list.h"

namespace tolva::platform::win32 {
namespace {

constexpr int kFirstButtonId = 1000;

// One button of a tool bar: the real button is the tool bar's, known by its command id.
class ToolButtonPeer final : public ui::Peer {
 public:
  ToolButtonPeer(WindowRef toolBar, int id, ui::ToolButton& button)
      : toolBar_(std::move(toolBar)), id_(id), button_(button) {}

  void Changed(ui::Property property) override {
    const HWND bar = toolBar_.get();
    if (bar == nullptr) return;
    const auto id = static_cast<WPARAM>(id_);
    switch (property) {
      case ui::Property::Caption: {
        TBBUTTONINFOA info{};
        info.cbSize = sizeof info;
        info.dwMask = TBIF_TEXT;
        std::string text = button_.Caption();
        info.pszText = text.data();
        SendMessageA(bar, TB_SETBUTTONINFOA, id, reinterpret_cast<LPARAM>(&info));
        break;
      }
      case ui::Property::Enabled:
        SendMessageA(bar, TB_ENABLEBUTTON, id, MAKELONG(button_.Enabled() ? TRUE : FALSE, 0));
        break;
      case ui::Property::Visible:
        SendMessageA(bar, TB_HIDEBUTTON, id, MAKELONG(button_.Visible() ? FALSE : TRUE, 0));
        break;
      case ui::Property::ImageIndex:
        SendMessageA(bar, TB_CHANGEBITMAP, id, button_.ImageIndex());
        break;
      default:  // the hint is asked for each time the tip shows
        break;
    }
  }

 private:
  WindowRef toolBar_;
  int id_;
  ui::ToolButton& button_;
};

DWORD ToolBarStyle(const ui::ToolBar& toolBar) {
  // The bar keeps to the bottom edge, but it is placed here rather than by comctl32: Wine's
  // auto-size makes it 4 pixels higher than its buttons, Windows' 2. The custom erase lets the
  // bar paint its own colour.
  return CCS_BOTTOM | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER | TBSTYLE_TOOLTIPS |
         TBSTYLE_CUSTOMERASE | (toolBar.flat ? TBSTYLE_FLAT : 0) |
         (toolBar.showCaptions ? 0 : TBSTYLE_LIST);
}

class ToolBarWindow final : public ControlPeer {
 public:
  ToolBarWindow(std::shared_ptr<const FormSite> site, ui::ToolBar& toolBar)
      : ControlPeer(std::move(site), toolBar),
        toolBar_(toolBar),
        brush_(CreateSolidBrush(ToColorRef(toolBar.colour))),
        window_(*site_, *this, TOOLBARCLASSNAMEA, ToolBarStyle(toolBar)) {
    const HWND bar = window_.get();
    if (bar == nullptr) return;
    SendMessageA(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    if (toolBar.images != nullptr) LoadImages(bar, *toolBar.images);
    AddButtons(bar);
    const ui::Size size = site_->scaling.ToScreen(toolBar.buttonSize);
    // The width is pinned: the bar would otherwise widen every button to its longest caption.
    SendMessageA(bar, TB_SETBUTTONWIDTH, 0, MAKELONG(size.width, size.width));
    SendMessageA(bar, TB_SETBUTTONSIZE, 0, MAKELONG(size.width, size.height));
    FormResized();
    for (std::size_t i = 0; i < toolBar.buttons.size(); ++i) {
      toolBar.buttons[i]->Attach(
          std::make_unique<ToolButtonPeer>(window_.ref(), IdOf(i), *toolBar.buttons[i]));
    }
    // The bar's own tooltip asks its form for the buttons' texts; the form passes the request
    // on to the peer the tooltip carries. The mark comes last: only the destructor of a peer
    // that was made in full removes it again.
    tooltip_ = window_.ref().Under();
    tooltip_.Set(reinterpret_cast<HWND>(SendMessageA(bar, TB_GETTOOLTIPS, 0, 0)));
    if (const HWND tip = tooltip_.get()) SetPeer(tip, *this);
  }
  ~ToolBarWindow() override {
    if (const HWND tip = tooltip_.get()) RemovePeer(tip);
  }

  void Changed(ui::Property property) override { window_.Mirror(property); }

  // Full width along the bottom edge of the form, two pixels (of the layout) higher than the
  // buttons.
  void FormResized() override {
    const HWND bar = window_.get();
    if (bar == nullptr) return;
    RECT client;
    GetClientRect(site_->window.get(), &client);
    const int height = site_->scaling.ToScreen(toolBar_.buttonSize.height + 2);
    MoveWindow(bar, 0, client.bottom - height, client.right, height, TRUE);
  }

  void ApplyHints(bool show, COLORREF background) override {
    const HWND tip = tooltip_.get();
    if (tip == nullptr) return;
    SendMessageA(tip, TTM_ACTIVATE, show ? TRUE : FALSE, 0);
    SendMessageA(tip, TTM_SETTIPBKCOLOR, background, 0);
  }

  void Command(WPARAM wParam) override {
    ui::ToolButton* button = ButtonOf(LOWORD(wParam));
    if (button != nullptr && button->Enabled()) site_->app.Dispatch([button] { button->Click(); });
  }

  bool Notify(const NMHDR& header, LRESULT& result) override {
    if (header.hwndFrom == tooltip_.get()) {
      result = 0;
      return AnswerTipRequest(header, ButtonOf(header.idFrom));
    }
    if (header.code != static_cast<UINT>(NM_CUSTOMDRAW)) return false;
    const auto& draw = reinterpret_cast<const NMCUSTOMDRAW&>(header);
    if (draw.dwDrawStage == CDDS_PREERASE) {
      RECT r;
      GetClientRect(header.hwndFrom, &r);
      FillRect(draw.hdc, &r, brush_.get());
      result = CDRF_SKIPDEFAULT;
    } else {
      result = CDRF_DODEFAULT;
    }
    return true;
  }

 private:
  static int IdOf(std::size_t index) { return kFirstButtonId + static_cast<int>(index); }

  ui::ToolButton* ButtonOf(UINT_PTR id) const {
    if (id < static_cast<UINT_PTR>(kFirstButtonId)) return nullptr;
    const std::size_t index = id - static_cast<UINT_PTR>(kFirstButtonId);
    return index < toolBar_.buttons.size() ? toolBar_.buttons[index] : nullptr;
  }

  void LoadImages(HWND bar, const ui::ImageList& images) {
    images_ = LoadImageList(*site_, images);
    if (!images_) return;
    const ui::Size size = site_->scaling.ToScreen(ui::Size{images.width, images.height});
    SendMessageA(bar, TB_SETBITMAPSIZE, 0, MAKELONG(size.width, size.height));
    SendMessageA(bar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_.get()));
  }

  void AddButtons(HWND bar) const {
    std::vector<TBBUTTON> buttons;
    for (std::size_t i = 0; i < toolBar_.buttons.size(); ++i) {
      const ui::ToolButton& b = *toolBar_.buttons[i];
      TBBUTTON button{};
      button.iBitmap = b.ImageIndex() < 0 ? I_IMAGENONE : b.ImageIndex();
      button.idCommand = IdOf(i);
      button.fsState = static_cast<BYTE>((b.Enabled() ? TBSTATE_ENABLED : 0) |
                                         (b.Visible() ? 0 : TBSTATE_HIDDEN));
      button.fsStyle = BTNS_BUTTON;
      button.iString = reinterpret_cast<INT_PTR>(b.Caption().c_str());
      buttons.push_back(button);
    }
    SendMessageA(bar, TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
  }

  ui::ToolBar& toolBar_;
  Brush brush_;
  ImageList images_;
  WindowRef tooltip_;  // the bar's, which goes with it
  ChildWindow window_;  // last: goes before the brush and the images it uses
};

}  // namespace

std::unique_ptr<ui::Peer> ControlFactory::Make(ui::ToolBar& toolBar) {
  return std::make_unique<ToolBarWindow>(site_, toolBar);
}

}  // namespace tolva::platform::win32
