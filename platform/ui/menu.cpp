#include "platform/ui/menu.h"

#include "platform/ui/application.h"

namespace tolva::ui {

void PopupMenu::Popup(int x, int y) {
  PopupMenuPeer* peer = Peer();
  if (peer == nullptr) return;
  if (OnPopup) OnPopup();
  const std::optional<std::size_t> chosen = peer->Track(x, y);
  if (!chosen || *chosen >= items.size() || items[*chosen]->IsSeparator()) return;
  MenuItem* item = items[*chosen];
  owner_.app.Dispatch([item] { item->Click(); });
}

}  // namespace tolva::ui
