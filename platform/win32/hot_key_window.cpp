// comctl32's hot key control. The combination is the control's: set here from it, and read back
// into it whenever the user's keys change what the field shows (EN_CHANGE).
#include "platform/win32/control_factory.h"
#include "platform/win32/control_peer.h"

namespace tolva::platform::win32 {
namespace {

class HotKeyWindow final : public ControlPeer {
 public:
  HotKeyWindow(std::shared_ptr<const FormSite> site, ui::HotKey& hotKey)
      : ControlPeer(std::move(site), hotKey), hotKey_(hotKey), window_(*site_, *this, HOTKEY_CLASSA, WS_TABSTOP) {
    Changed(ui::Property::Value);
  }

  void Changed(ui::Property property) override {
    const HWND hwnd = window_.get();
    if (property == ui::Property::Value) {
      if (hwnd != nullptr) SendMessageA(hwnd, HKM_SETHOTKEY, hotKey_.Value(), 0);
    } else if (property != ui::Property::Caption) {  // the field shows its keys, not a caption
      window_.Mirror(property);
    }
  }

  void Command(WPARAM wParam) override {
    const HWND hwnd = window_.get();
    if (HIWORD(wParam) != EN_CHANGE || hwnd == nullptr) return;
    const auto value = static_cast<std::uint16_t>(SendMessageA(hwnd, HKM_GETHOTKEY, 0, 0));
    site_->app.Dispatch([this, value] { hotKey_.ValueChosen(value); });
  }

 private:
  ui::HotKey& hotKey_;
  ChildWindow window_;
};

}  // namespace

std::unique_ptr<ui::Peer> ControlFactory::Make(ui::HotKey& hotKey) {
  return std::make_unique<HotKeyWindow>(site_, hotKey);
}

}  // namespace tolva::platform::win32
