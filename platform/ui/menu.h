#pragma once
// Pop-up menus: a list of items a form opens at a point of the screen (the notification-area
// icon's menu). A menu belongs to its form but to none of its controls.
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/controls.h"

namespace tolva::ui {

// One line of a menu: a caption whose "&" marks the letter that chooses it, and a picture of
// the menu's image list; a caption of "-" makes it a separator, which cannot be chosen.
class MenuItem {
 public:
  explicit MenuItem(std::string name) : name_(std::move(name)) {}
  MenuItem(const MenuItem&) = delete;
  MenuItem& operator=(const MenuItem&) = delete;

  const std::string& Name() const { return name_; }
  // The menu is built afresh each time it opens, so a change shows the next time.
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption) { caption_ = std::move(caption); }
  int ImageIndex() const { return imageIndex_; }  // -1: no picture
  void SetImageIndex(int index) { imageIndex_ = index; }
  bool IsSeparator() const { return caption_ == "-"; }

  std::function<void()> OnClick;
  void Click() {
    if (OnClick) OnClick();
  }

 private:
  std::string name_;
  std::string caption_;
  int imageIndex_ = -1;
};

class PopupMenuPeer : public Peer {
 public:
  // Shows the menu with its top-left corner at the screen point, tracking the right mouse button,
  // and returns once it has closed: the index of the item chosen, or none.
  virtual std::optional<std::size_t> Track(int x, int y) = 0;
};

class PopupMenu : public Component {
 public:
  PopupMenu(std::string name, Form& owner) : Component(std::move(name)), owner_(owner) {}

  std::vector<MenuItem*> items;  // top to bottom
  const ImageList* images = nullptr;
  // Just before the menu opens; it may change the items.
  std::function<void()> OnPopup;

  // Opens the menu at the screen point and returns when it has closed; the chosen item's
  // handler runs after that, as an event of its own, so the menu is off the screen while it
  // works and its failure is reported as any handler's is. Nothing opens before the form's
  // window exists.
  void Popup(int x, int y);

  PopupMenuPeer* Peer() const { return static_cast<PopupMenuPeer*>(GetPeer()); }

 private:
  Form& owner_;
};

}  // namespace tolva::ui
