#include "platform/win32/control_peer.h"
#include "platform/win32/subclass_chain.h"
#include "platform/win32/top_level.h"

#include <utility>

namespace tolva::platform::win32 {
namespace {

// Every child window and tool bar tooltip of ours carries its peer under this property, so a
// form finds the peer of a window that notifies it without a table of its own.
constexpr char kPeerProperty[] = "TolvaPeer";
constexpr int kFirstControlId = 100;

HMENU NextControlId() {
  static int next = kFirstControlId;
  return reinterpret_cast<HMENU>(static_cast<INT_PTR>(next++));
}

// The peer whose window CreateWindowExA is making now, for what the window asks of its parent
// before CreateWindowExA returns its handle.
ControlPeer* beingMade = nullptr;

class Making {
 public:
  explicit Making(ControlPeer& peer) : previous_(std::exchange(beingMade, &peer)) {}
  ~Making() { beingMade = previous_; }
  Making(const Making&) = delete;
  Making& operator=(const Making&) = delete;

 private:
  ControlPeer* previous_;
};

DWORD ChildStyle(const ui::Control& control) {
  return WS_CHILD | WS_CLIPSIBLINGS | (control.Visible() ? WS_VISIBLE : 0) |
         (control.Enabled() ? 0 : WS_DISABLED) | (control.TabStop() ? WS_TABSTOP : 0);
}

// The window a control is made in: its container's, or the form's for one on the form itself.
WindowRef ContainerRef(const FormSite& site, const ui::Control& control) {
  return control.parent != nullptr ? site.WindowOf(*control.parent) : site.window;
}

// The window that tells its parent about itself in this message, if the message names one.
HWND SenderOf(UINT message, LPARAM lParam) {
  switch (message) {
    case WM_NOTIFY:
      return reinterpret_cast<const NMHDR*>(lParam)->hwndFrom;
    case WM_DRAWITEM:
      return reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem;
    default:
      return reinterpret_cast<HWND>(lParam);
  }
}

constexpr UINT_PTR kPassUpId = 1;

// A container's window (of any class) hands on to its form what the controls in it tell their
// parent, so that the form finds their peers as it does for its own children, at any depth. What
// a window of the container's own sends it (a tab control's arrows) stays with the container.
LRESULT CALLBACK PassUp(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                        DWORD_PTR) noexcept {
  switch (message) {
    case WM_MEASUREITEM:
      // Comes while the list that asks is being made, before it carries its peer.
      return SendMessageA(TopLevelOf(hwnd), message, wParam, lParam);
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_DRAWITEM:
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (lParam != 0 && PeerOf(SenderOf(message, lParam)) != nullptr)
        return SendMessageA(TopLevelOf(hwnd), message, wParam, lParam);
      break;
    case WM_NCDESTROY:
      UnchainSubclass(hwnd, PassUp, kPassUpId);
      break;
    default:
      break;
  }
  return NextSubclass(hwnd, message, wParam, lParam);
}

// Makes the window a container: what its controls tell it goes on to the form, Tab goes
// through its controls, and it paints around them.
void Adopt(HWND container) {
  ChainSubclass(container, PassUp, kPassUpId, 0);
  SetWindowLongPtrA(container, GWL_EXSTYLE,
                    GetWindowLongPtrA(container, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
  SetWindowLongPtrA(container, GWL_STYLE,
                    GetWindowLongPtrA(container, GWL_STYLE) | WS_CLIPCHILDREN);
}

}  // namespace

ControlPeer* PeerOf(HWND hwnd) {
  return hwnd == nullptr ? nullptr : static_cast<ControlPeer*>(GetPropA(hwnd, kPeerProperty));
}

ControlPeer* MeasuredPeer(HWND parent, UINT controlId) {
  if (ControlPeer* peer = PeerOf(GetDlgItem(parent, static_cast<int>(controlId)))) return peer;
  return beingMade;
}

void SetPeer(HWND hwnd, ControlPeer& peer) { SetPropA(hwnd, kPeerProperty, &peer); }

void RemovePeer(HWND hwnd) { RemovePropA(hwnd, kPeerProperty); }

bool AnswerTipRequest(const NMHDR& header, const ui::Control* control) {
  if (header.code != TTN_GETDISPINFOA && header.code != TTN_GETDISPINFOW) return false;
  const std::string text = control != nullptr && control->showHint ? control->Hint() : std::string();
  // The request is the notification's header inside the record the tooltip fills in.
  if (header.code == TTN_GETDISPINFOA) {
    auto& info = const_cast<NMTTDISPINFOA&>(reinterpret_cast<const NMTTDISPINFOA&>(header));
    lstrcpynA(info.szText, text.c_str(), static_cast<int>(sizeof info.szText));
    info.lpszText = info.szText;
    info.hinst = nullptr;
  } else {
    auto& info = const_cast<NMTTDISPINFOW&>(reinterpret_cast<const NMTTDISPINFOW&>(header));
    constexpr int capacity = static_cast<int>(sizeof info.szText / sizeof info.szText[0]);
    info.szText[0] = L'\0';
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, info.szText, capacity);
    info.szText[capacity - 1] = L'\0';
    info.lpszText = info.szText;
    info.hinst = nullptr;
  }
  return true;
}

ChildWindow::ChildWindow(const FormSite& site, ControlPeer& peer, const char* className,
                         DWORD style, DWORD exStyle, WindowTarget* target)
    : site_(site), control_(peer.control()), ref_(ContainerRef(site, control_).Under()) {
  const HWND form = site_.window.get();
  const HWND container = ContainerRef(site_, control_).get();
  if (form == nullptr || container == nullptr) return;
  if (container != form) Adopt(container);
  const ui::Bounds b = site_.scaling.ToScreen(control_.GetBounds());
  const Making making(peer);
  // No parent notifications: a child that goes while its form is being torn down must not call
  // into the form's message map.
  ref_.Set(CreateWindowExA(exStyle | WS_EX_NOPARENTNOTIFY, className, control_.Caption().c_str(),
                           ChildStyle(control_) | style, b.left, b.top, b.width, b.height,
                           container,
                           NextControlId(), site_.instance,
                           target != nullptr ? CreationParameter(*target) : nullptr));
  const HWND hwnd = ref_.get();
  if (hwnd == nullptr) return;
  site_.AddWindow(control_, ref_);
  SetPeer(hwnd, peer);
  SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(site_.font.get()), FALSE);
  if (const HWND tooltip = site_.tooltip.get(); tooltip != nullptr && control_.showHint) {
    TOOLINFOA tool = ToolInfo(form, hwnd);
    tool_ = SendMessageA(tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool)) != FALSE;
  }
}

ChildWindow::~ChildWindow() {
  site_.RemoveWindow(control_);
  const HWND hwnd = ref_.get();
  if (hwnd == nullptr) return;  // gone with the form's window
  if (const HWND tooltip = site_.tooltip.get(); tooltip != nullptr && tool_) {
    TOOLINFOA tool = ToolInfo(site_.window.get(), hwnd);
    SendMessageA(tooltip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  }
  RemovePeer(hwnd);
  DestroyWindow(hwnd);
  ref_.Clear();
}

void ChildWindow::Mirror(ui::Property property) const {
  const HWND hwnd = ref_.get();
  if (hwnd == nullptr) return;
  switch (property) {
    case ui::Property::Bounds: {
      const ui::Bounds b = site_.scaling.ToScreen(control_.GetBounds());
      MoveWindow(hwnd, b.left, b.top, b.width, b.height, TRUE);
      break;
    }
    case ui::Property::Visible:
      ShowWindow(hwnd, control_.Visible() ? SW_SHOWNA : SW_HIDE);
      break;
    case ui::Property::Enabled:
      EnableWindow(hwnd, control_.Enabled());
      break;
    case ui::Property::Caption:
      SetWindowTextA(hwnd, control_.Caption().c_str());
      break;
    default:
      break;
  }
}

TOOLINFOA ChildWindow::ToolInfo(HWND form, HWND hwnd) const {
  TOOLINFOA tool{};
  // The record's size in the common controls 4.70; later versions take it too, and the ones
  // before XP refuse the size the headers now give.
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  // The text is asked for each time the tip shows, so a changed hint needs no update here.
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = form;
  tool.uId = reinterpret_cast<UINT_PTR>(hwnd);
  tool.lpszText = LPSTR_TEXTCALLBACKA;
  return tool;
}

}  // namespace tolva::platform::win32
