// A push button. A plain one is the system's own; one with a picture or a caption colour of its
// own is drawn here, as the classic 3-D button with the picture left of the caption.
#include <algorithm>

#include "platform/win32/control_factory.h"
#include "platform/win32/control_peer.h"
#include "platform/win32/gdi.h"
#include "platform/win32/scaled_bitmap.h"

namespace tolva::platform::win32 {
namespace {

constexpr COLORREF kTransparent = RGB(255, 0, 255);  // the glyphs' see-through colour
constexpr int kGlyphGap = 4;     // between the picture and the caption, in the layout's pixels
constexpr int kFocusInset = 4;   // the focus rectangle inside the button's edge

bool DrawnHere(const ui::Button& button) {
  return !button.glyphResource.empty() || button.captionColour != ui::Colour{0, 0, 0};
}

DWORD ButtonStyle(const ui::Button& button) {
  // An owner-drawn button cannot also be the default push button: its default frame is drawn
  // with the rest.
  const DWORD kind = DrawnHere(button) ? BS_OWNERDRAW
                     : button.isDefault ? BS_DEFPUSHBUTTON
                                        : BS_PUSHBUTTON;
  return kind | WS_TABSTOP;
}

// At the screen's scale.
Bitmap LoadGlyph(const FormSite& site, const std::string& name) {
  if (name.empty()) return nullptr;
  return Scaled(Bitmap(static_cast<HBITMAP>(
                    LoadImageA(site.instance, name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION))),
                site.scaling, 1, kTransparent);
}

// The glyph at (x, y) without its see-through colour, through a monochrome mask of that colour
// (XOR, AND, XOR), as every Windows draws it: TransparentBlt came with 98 and 2000.
void DrawGlyph(HDC dc, int x, int y, HBITMAP glyph, SIZE size) {
  const MemoryDc source(dc);
  const Selection picture(source.get(), glyph);
  const Bitmap maskBitmap(CreateBitmap(size.cx, size.cy, 1, 1, nullptr));
  const MemoryDc mask(dc);
  const Selection maskSelected(mask.get(), maskBitmap.get());
  // Colour to monochrome: the source's background colour becomes 1, every other colour 0.
  SetBkColor(source.get(), kTransparent);
  BitBlt(mask.get(), 0, 0, size.cx, size.cy, source.get(), 0, 0, SRCCOPY);
  // Monochrome to colour: 1 becomes the target's background colour, 0 its text colour.
  const COLORREF background = SetBkColor(dc, RGB(255, 255, 255));
  const COLORREF text = SetTextColor(dc, RGB(0, 0, 0));
  BitBlt(dc, x, y, size.cx, size.cy, source.get(), 0, 0, SRCINVERT);
  BitBlt(dc, x, y, size.cx, size.cy, mask.get(), 0, 0, SRCAND);
  BitBlt(dc, x, y, size.cx, size.cy, source.get(), 0, 0, SRCINVERT);
  SetBkColor(dc, background);
  SetTextColor(dc, text);
}

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP info{};
  if (bitmap == nullptr || GetObjectA(bitmap, sizeof info, &info) == 0) return {0, 0};
  return {info.bmWidth, info.bmHeight};
}

class ButtonWindow final : public ControlPeer {
 public:
  ButtonWindow(std::shared_ptr<const FormSite> site, ui::Button& button)
      : ControlPeer(std::move(site), button),
        button_(button),
        glyph_(LoadGlyph(*site_, button.glyphResource)),
        disabledGlyph_(LoadGlyph(*site_, button.disabledGlyphResource)),
        window_(*site_, *this, "BUTTON", ButtonStyle(button)) {}

  void Changed(ui::Property property) override {
    window_.Mirror(property);
    // The picture changes with the enabled state.
    if (property == ui::Property::Enabled && DrawnHere(button_)) {
      if (const HWND hwnd = window_.get()) InvalidateRect(hwnd, nullptr, TRUE);
    }
  }

  void Command(WPARAM wParam) override {
    if (HIWORD(wParam) == BN_CLICKED) site_->app.Dispatch([this] { button_.Click(); });
  }

  HBRUSH ControlColour(HDC dc) override {
    SetBkColor(dc, site_->colour);
    return site_->background.get();
  }

  bool DrawItem(const DRAWITEMSTRUCT& item) override {
    const HDC dc = item.hDC;
    RECT r = item.rcItem;
    const bool pushed = (item.itemState & ODS_SELECTED) != 0;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    if (button_.isDefault || (item.itemState & ODS_FOCUS) != 0) {
      FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
      InflateRect(&r, -1, -1);
    }
    DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
    if (pushed) OffsetRect(&r, 1, 1);

    const Selection font(dc, site_->font.get());
    const std::string& caption = button_.Caption();
    RECT textSize{0, 0, 0, 0};
    DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &textSize,
              DT_SINGLELINE | DT_CALCRECT);
    const HBITMAP glyph = disabled && disabledGlyph_ ? disabledGlyph_.get() : glyph_.get();
    const SIZE glyphSize = BitmapSize(glyph);
    const int gap = glyph != nullptr && !caption.empty() ? site_->scaling.ToScreen(kGlyphGap) : 0;
    const int width = glyphSize.cx + gap + textSize.right;
    int x = r.left + std::max(0, static_cast<int>(r.right - r.left) - width) / 2;
    if (glyph != nullptr) {
      DrawGlyph(dc, x, r.top + (r.bottom - r.top - glyphSize.cy) / 2, glyph, glyphSize);
      x += glyphSize.cx + gap;
    }
    RECT text{x, r.top, r.right, r.bottom};
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, disabled ? GetSysColor(COLOR_GRAYTEXT) : ToColorRef(button_.captionColour));
    DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
              DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    if ((item.itemState & ODS_FOCUS) != 0) {
      RECT focus = item.rcItem;
      const int inset = site_->scaling.ToScreen(kFocusInset);
      InflateRect(&focus, -inset, -inset);
      DrawFocusRect(dc, &focus);
    }
    return true;
  }

 private:
  ui::Button& button_;
  Bitmap glyph_;
  Bitmap disabledGlyph_;
  ChildWindow window_;  // last: goes before the pictures it paints
};

}  // namespace

std::unique_ptr<ui::Peer> ControlFactory::Make(ui::Button& button) {
  return std::make_unique<ButtonWindow>(site_, button);
}

}  // namespace tolva::platform::win32
