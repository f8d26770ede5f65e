// A pop-up menu as a menu of the system, built afresh each time it opens so that the items show
// as they are then. Each item's picture is a 32-bit bitmap of its own, cut from the image list's
// strip, whose mask colour is transparent: the menu blends it onto its background, highlighted
// or not, as Windows and Wine both draw such bitmaps.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/exception.h"
#include "platform/win32/control_factory.h"

namespace tolva::platform::win32 {
namespace {

struct MenuDeleter {
  void operator()(HMENU menu) const { DestroyMenu(menu); }
};
using Menu = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDeleter>;

// The strip's pictures left to right, with premultiplied alpha: opaque but where the strip
// shows the mask colour. None when the strip cannot be read.
std::vector<Bitmap> CutPictures(HINSTANCE instance, const ui::ImageList& images) {
  std::vector<Bitmap> pictures;
  const Bitmap strip(static_cast<HBITMAP>(
      LoadImageA(instance, images.bitmapResource.c_str(), IMAGE_BITMAP, 0, 0, 0)));
  BITMAP size{};
  if (!strip || GetObjectA(strip.get(), sizeof size, &size) == 0 || images.width <= 0) {
    return pictures;
  }
  BITMAPINFO format{};
  format.bmiHeader.biSize = sizeof format.bmiHeader;
  format.bmiHeader.biWidth = size.bmWidth;
  format.bmiHeader.biHeight = -size.bmHeight;  // top row first
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 32;
  format.bmiHeader.biCompression = BI_RGB;
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(size.bmWidth) * size.bmHeight);
  const WindowDc screen(nullptr);
  if (GetDIBits(screen.get(), strip.get(), 0, static_cast<UINT>(size.bmHeight), pixels.data(),
                &format, DIB_RGB_COLORS) == 0) {
    return pictures;
  }
  const ui::Colour key = images.maskColour;
  const std::uint32_t mask = (std::uint32_t{key.red} << 16) | (key.green << 8) | key.blue;
  const int width = images.width;
  const int height = std::min(images.height, static_cast<int>(size.bmHeight));
  const int count = std::min(images.count, static_cast<int>(size.bmWidth) / width);
  for (int index = 0; index < count; ++index) {
    BITMAPINFO one = format;
    one.bmiHeader.biWidth = width;
    one.bmiHeader.biHeight = -height;
    void* bits = nullptr;
    Bitmap picture(CreateDIBSection(screen.get(), &one, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (picture) {
      auto* out = static_cast<std::uint32_t*>(bits);
      for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
          const std::uint32_t colour = pixels[y * size.bmWidth + index * width + x] & 0xFFFFFFu;
          out[y * width + x] = colour == mask ? 0u : colour | 0xFF000000u;
        }
      }
    }
    pictures.push_back(std::move(picture));
  }
  return pictures;
}

class PopupMenuPeer final : public ui::PopupMenuPeer {
 public:
  PopupMenuPeer(std::shared_ptr<FormSite> site, ui::PopupMenu& menu)
      : site_(std::move(site)), menu_(menu) {
    if (menu.images != nullptr) pictures_ = CutPictures(site_->instance, *menu.images);
  }

  void Changed(ui::Property) override {}

  std::optional<std::size_t> Track(int x, int y) override {
    const HWND owner = site_->window.get();
    if (owner == nullptr) return std::nullopt;
    const Menu menu(CreatePopupMenu());
    if (!menu) throw Exception("Error creating menu");
    for (std::size_t i = 0; i < menu_.items.size(); ++i) Insert(menu.get(), i);
    // The command comes back rather than as WM_COMMAND, so the item runs once the menu is gone.
    const BOOL command =
        TrackPopupMenu(menu.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD,
                       x, y, 0, owner, nullptr);
    if (command <= 0) return std::nullopt;
    return static_cast<std::size_t>(command) - 1;
  }

 private:
  void Insert(HMENU menu, std::size_t index) const {
    const ui::MenuItem& item = *menu_.items[index];
    std::string caption = item.Caption();
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID;
    info.wID = static_cast<UINT>(index + 1);  // 0 is the answer for nothing chosen
    if (item.IsSeparator()) {
      info.fType = MFT_SEPARATOR;
    } else {
      info.fType = MFT_STRING;
      info.fMask |= MIIM_STRING;
      info.dwTypeData = caption.data();
      const int image = item.ImageIndex();
      if (image >= 0 && static_cast<std::size_t>(image) < pictures_.size() && pictures_[image]) {
        info.fMask |= MIIM_BITMAP;
        info.hbmpItem = pictures_[image].get();
      }
    }
    InsertMenuItemA(menu, static_cast<UINT>(index), TRUE, &info);
  }

  std::shared_ptr<FormSite> site_;
  ui::PopupMenu& menu_;
  std::vector<Bitmap> pictures_;  // by image index; a menu shows them only while it is open
};

}  // namespace

std::unique_ptr<ui::PopupMenuPeer> ControlFactory::Make(ui::PopupMenu& menu) {
  return std::make_unique<PopupMenuPeer>(site_, menu);
}

}  // namespace tolva::platform::win32
