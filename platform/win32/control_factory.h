#pragma once
// The real windows' entry for each kind of control. Each entry is defined in the file of the
// peer it makes.
#include <memory>
#include <utility>

#include "platform/ui/dialog_controls.h"
#include "platform/ui/menu.h"
#include "platform/win32/form_site.h"

namespace tolva::platform::win32 {

class ControlFactory final : public ui::PeerFactory {
 public:
  explicit ControlFactory(std::shared_ptr<FormSite> site) : site_(std::move(site)) {}

  std::unique_ptr<ui::Peer> Make(ui::Picture& picture) override;  // picture_window.cpp
  std::unique_ptr<ui::Peer> Make(ui::Label& label) override;      // label_window.cpp
  std::unique_ptr<ui::Peer> Make(ui::Panel& panel) override;      // panel_window.cpp
  std::unique_ptr<ui::Peer> Make(ui::ToolBar& toolBar) override;  // tool_bar_window.cpp
  std::unique_ptr<ui::Peer> Make(ui::Timer& timer) override;      // timer_peer.cpp
  std::unique_ptr<ui::Peer> Make(ui::TabControl& tabControl) override;  // tab_control_window.cpp
  std::unique_ptr<ui::Peer> Make(ui::TabSheet& tabSheet) override;      // tab_control_window.cpp
  std::unique_ptr<ui::Peer> Make(ui::GroupBox& groupBox) override;      // group_box_window.cpp
  std::unique_ptr<ui::Peer> Make(ui::Bevel& bevel) override;            // bevel_window.cpp
  std::unique_ptr<ui::Peer> Make(ui::CheckBox& checkBox) override;      // check_box_window.cpp
  std::unique_ptr<ui::Peer> Make(ui::Button& button) override;          // button_window.cpp
  std::unique_ptr<ui::Peer> Make(ui::Edit& edit) override;              // edit_window.cpp
  std::unique_ptr<ui::Peer> Make(ui::CheckListBox& checkListBox) override;  // check_list_window.cpp
  std::unique_ptr<ui::Peer> Make(ui::DateTimePicker& picker) override;  // date_time_picker_window.cpp
  std::unique_ptr<ui::Peer> Make(ui::HotKey& hotKey) override;          // hot_key_window.cpp
  std::unique_ptr<ui::PopupMenuPeer> Make(ui::PopupMenu& menu) override;  // popup_menu_peer.cpp

 private:
  std::shared_ptr<FormSite> site_;
};

}  // namespace tolva::platform::win32
