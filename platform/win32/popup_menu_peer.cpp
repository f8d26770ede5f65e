// A pop-up menu as a menu of the system, built afresh each time it opens so that the items show
// as they are then. The items' pictures are drawn by the owner form from the image list, on the
// background the menu has painted: Wine 8 copies an item's 32-bit bitmap without its alpha, so a
// picture's transparent pixels would show black, and a picture with the menu's colour behind it
// would show a box on the highlighted item.
#include <algorithm>
#include <cstddef>
#include <optional>

#include "platform/exception.h"
#include "platform/win32/control_factory.h"
#include "platform/win32/image_list.h"

namespace tolva::platform::win32 {
namespace {

struct MenuDeleter {
  void operator()(HMENU menu) const { DestroyMenu(menu); }
};
using Menu = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDeleter>;

// The form draws the menu's pictures while the menu is open, and only then.
class DrawnBy {
 public:
  DrawnBy(FormSite& site, HIMAGELIST pictures) : site_(site) { site_.menuPictures = pictures; }
  ~DrawnBy() { site_.menuPictures = nullptr; }
  DrawnBy(const DrawnBy&) = delete;
  DrawnBy& operator=(const DrawnBy&) = delete;

 private:
  FormSite& site_;
};

class PopupMenuPeer final : public ui::PopupMenuPeer {
 public:
  PopupMenuPeer(std::shared_ptr<FormSite> site, ui::PopupMenu& menu)
      : site_(std::move(site)), menu_(menu) {
    if (menu.images != nullptr) pictures_ = LoadImageList(*site_, *menu.images);
  }

  void Changed(ui::Property) override {}

  std::optional<std::size_t> Track(int x, int y) override {
    const HWND owner = site_->window.get();
    if (owner == nullptr) return std::nullopt;
    const Menu menu(CreatePopupMenu());
    if (!menu) throw Exception("Error creating menu");
    for (std::size_t i = 0; i < menu_.items.size(); ++i) Insert(menu.get(), i);
    const DrawnBy drawn(*site_, pictures_.get());
    // The command comes back rather than as WM_COMMAND, so the item runs once the menu is gone.
    const BOOL command =
        TrackPopupMenu(menu.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD,
                       x, y, 0, owner, nullptr);
    // A menu opened for a window that was not in front closes at the next click elsewhere only
    // once its window has had a message after it.
    PostMessageA(owner, WM_NULL, 0, 0);
    if (command <= 0) return std::nullopt;
    return static_cast<std::size_t>(command) - 1;
  }

 private:
  void Insert(HMENU menu, std::size_t index) const {
    const ui::MenuItem& item = *menu_.items[index];
    std::string caption = item.Caption();
    // The item in the record's first form, which Windows 95 and NT 4.0 take; they know no
    // picture beside an item's text, so theirs is set in a second call they refuse, and their
    // menu shows the captions alone.
    MENUITEMINFOA info{};
    info.cbSize = offsetof(MENUITEMINFOA, hbmpItem);
    info.fMask = MIIM_TYPE | MIIM_ID;
    info.wID = static_cast<UINT>(index + 1);  // 0 is the answer for nothing chosen
    if (item.IsSeparator()) {
      info.fType = MFT_SEPARATOR;
    } else {
      info.fType = MFT_STRING;
      info.dwTypeData = caption.data();
    }
    InsertMenuItemA(menu, static_cast<UINT>(index), TRUE, &info);
    const int image = item.ImageIndex();
    if (!item.IsSeparator() && pictures_ && image >= 0 &&
        image < ImageList_GetImageCount(pictures_.get())) {
      MENUITEMINFOA picture{};
      picture.cbSize = sizeof picture;
      picture.fMask = MIIM_BITMAP | MIIM_DATA;
      picture.hbmpItem = HBMMENU_CALLBACK;
      picture.dwItemData = static_cast<ULONG_PTR>(image);
      SetMenuItemInfoA(menu, static_cast<UINT>(index), TRUE, &picture);
    }
  }

  std::shared_ptr<FormSite> site_;
  ui::PopupMenu& menu_;
  ImageList pictures_;
};

}  // namespace

std::unique_ptr<ui::PopupMenuPeer> ControlFactory::Make(ui::PopupMenu& menu) {
  return std::make_unique<PopupMenuPeer>(site_, menu);
}

}  // namespace tolva::platform::win32
