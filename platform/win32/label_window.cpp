// Static text on the colour behind it (its panel's or the form's), in the form's font or, when
// underlined, a font of its own made from it.
#include "platform/win32/control_factory.h"
#include "platform/win32/control_peer.h"
#include "platform/win32/gdi.h"

namespace tolva::platform::win32 {
namespace {

class LabelWindow final : public ControlPeer {
 public:
  LabelWindow(std::shared_ptr<const FormSite> site, ui::Label& label)
      : ControlPeer(std::move(site), label),
        label_(Fitted(label, *site_)),
        behindColour_(ToColorRef(ui::ColourBehind(label, FromColorRef(site_->colour)))),
        font_(label.underline ? Underlined(site_->font.get()) : nullptr),
        behind_(CreateSolidBrush(behindColour_)),
        window_(*site_, *this, "STATIC",
                (label.wordWrap ? SS_LEFT : SS_LEFTNOWORDWRAP) | SS_NOTIFY) {
    if (const HWND hwnd = window_.get(); hwnd != nullptr && font_)
      SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  }

  void Changed(ui::Property property) override {
    window_.Mirror(property);
    if (property == ui::Property::Caption) Fitted(label_, *site_);
  }

  HBRUSH ControlColour(HDC dc) override {
    SetTextColor(dc, ToColorRef(label_.fontColour));
    if (label_.transparent) {
      SetBkMode(dc, TRANSPARENT);
    } else {
      SetBkColor(dc, behindColour_);
    }
    return behind_.get();
  }

 private:
  // A label that sizes itself takes its text's size in the form's font, from its left and top,
  // in the layout's pixels (rounded up, so that the text fits once they are scaled again).
  // Before the window is made this only sets the bounds it is made with; later it also moves
  // the window, through Changed.
  static ui::Label& Fitted(ui::Label& label, const FormSite& site) {
    if (!label.autoSize) return label;
    RECT text{0, 0, 0, 0};
    {
      const WindowDc screen(nullptr);
      const Selection font(screen.get(), site.font.get());
      DrawTextA(screen.get(), label.Caption().c_str(), -1, &text, DT_CALCRECT | DT_LEFT);
    }
    ui::Bounds b = label.GetBounds();
    const ui::Size fitted{site.scaling.ToLayout(text.right), site.scaling.ToLayout(text.bottom)};
    if (b.width != fitted.width || b.height != fitted.height) {
      b.width = fitted.width;
      b.height = fitted.height;
      label.SetBounds(b);
    }
    return label;
  }

  static Font Underlined(HFONT formFont) {
    LOGFONTA face{};
    if (formFont == nullptr || GetObjectA(formFont, sizeof face, &face) == 0) return nullptr;
    face.lfUnderline = TRUE;
    return Font(CreateFontIndirectA(&face));
  }

  ui::Label& label_;
  COLORREF behindColour_;
  Font font_;       // null: the form's
  Brush behind_;
  ChildWindow window_;  // last: goes before the font and brush it uses
};

}  // namespace

std::unique_ptr<ui::Peer> ControlFactory::Make(ui::Label& label) {
  return std::make_unique<LabelWindow>(site_, label);
}

}  // namespace tolva::platform::win32
