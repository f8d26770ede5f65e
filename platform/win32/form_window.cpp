#include "platform/win32/form_window.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/exception.h"
#include "platform/win32/control_peer.h"
#include "platform/win32/handles.h"
#include "resources/resource_ids.h"

namespace tolva::platform::win32 {
namespace {

constexpr char kFormClass[] = "TolvaForm";

ui::KeyShift CurrentShift() {
  // The high bit, which makes the value negative, tells that the key is down.
  const auto down = [](int key) { return GetKeyState(key) < 0; };
  return {down(VK_SHIFT), down(VK_MENU), down(VK_CONTROL)};
}

struct Frame {
  DWORD style;
  DWORD exStyle;
};

Frame FrameOf(const ui::Form& form) {
  Frame frame{WS_CLIPCHILDREN, 0};
  // Without the system menu the title bar has no close box either.
  const DWORD menu = form.systemMenu ? WS_SYSMENU : 0;
  switch (form.border) {
    case ui::BorderStyle::None:
      frame.style |= WS_POPUP;
      break;
    case ui::BorderStyle::ToolWindow:
      frame.style |= WS_CAPTION | menu | (form.minimiseBox ? WS_MINIMIZEBOX : 0);
      frame.exStyle |= WS_EX_TOOLWINDOW;
      break;
    case ui::BorderStyle::Dialog:
      frame.style |= WS_CAPTION | menu | (form.minimiseBox ? WS_MINIMIZEBOX : 0);
      frame.exStyle |= WS_EX_DLGMODALFRAME;
      break;
  }
  return frame;
}

POINT CentredOnScreen(int width, int height) {
  return {(GetSystemMetrics(SM_CXSCREEN) - width) / 2,
          (GetSystemMetrics(SM_CYSCREEN) - height) / 2};
}

}  // namespace

FormWindow::FormWindow(BackendState& state, ui::Form& form)
    : state_(state),
      form_(form),
      site_(std::make_shared<FormSite>(form.app, state.instance, *state.timers, state.scaling)),
      window_(site_->window) {
  RegisterWindowClass(state.instance, kFormClass, CS_DBLCLKS);
  site_->colour = ToColorRef(form.colour);
  site_->background.reset(CreateSolidBrush(site_->colour));
  site_->font.reset(CreateFontA(site_->scaling.FontHeight(form.font.points), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                form.font.name.c_str()));
  const Frame frame = FrameOf(form);
  const ui::Size client = site_->scaling.ToScreen(form.clientSize);
  RECT outer{0, 0, client.width, client.height};
  AdjustWindowRectEx(&outer, frame.style, FALSE, frame.exStyle);
  const int width = outer.right - outer.left;
  const int height = outer.bottom - outer.top;
  POINT at{0, 0};
  if (form.centred) at = CentredOnScreen(width, height);
  CreateWindowExA(frame.exStyle, kFormClass, form.Caption().c_str(), frame.style, at.x, at.y, width,
                  height, state.ApplicationHwnd(), nullptr, state.instance,
                  CreationParameter(*this));
  const HWND hwnd = window_.get();
  if (hwnd == nullptr) throw Exception("Error creating window");
  const std::string iconName = form.iconResource.empty() ? TOLVA_ICON_MAIN : form.iconResource;
  for (const auto& [which, metric] :
       {std::pair{ICON_BIG, SM_CXICON}, std::pair{ICON_SMALL, SM_CXSMICON}}) {
    const int side = GetSystemMetrics(metric);
    // Shared icons belong to the system's cache and are never destroyed by the program.
    if (HICON icon = static_cast<HICON>(
            LoadImageA(state.instance, iconName.c_str(), IMAGE_ICON, side, side, LR_SHARED))) {
      SendMessageA(hwnd, WM_SETICON, static_cast<WPARAM>(which), reinterpret_cast<LPARAM>(icon));
    }
  }
  // Owned by the form's window, and destroyed with it.
  site_->tooltip.Set(CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                     WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                     CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd, nullptr,
                                     state.instance, nullptr));
  state_.forms.push_back(this);
}

FormWindow::~FormWindow() {
  Unregister();
  // The form object may be half destroyed by now: the window's last messages do not reach it.
  destroying_ = true;
}

void FormWindow::WindowMade(HWND hwnd) noexcept { site_->window.Set(hwnd); }

void FormWindow::WindowGone() noexcept { site_->window.Clear(); }

WindowHandle FormWindow::Handle() const { return ToHandle(hwnd()); }

void FormWindow::Changed(ui::Property property) {
  if (property == ui::Property::Caption && hwnd() != nullptr)
    SetWindowTextA(hwnd(), form_.Caption().c_str());
}

void FormWindow::Show(ui::WindowState state) {
  const HWND hwnd = this->hwnd();
  if (hwnd == nullptr) return;
  const bool minimised = state == ui::WindowState::Minimized;
  if (form_.centredWhenShown && state == ui::WindowState::Normal) {
    RECT r;
    GetWindowRect(hwnd, &r);
    const POINT at = CentredOnScreen(r.right - r.left, r.bottom - r.top);
    SetWindowPos(hwnd, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  ShowWindow(hwnd, minimised                             ? SW_SHOWMINNOACTIVE
                   : state == ui::WindowState::Maximized ? SW_SHOWMAXIMIZED
                                                         : SW_SHOWNORMAL);
  SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | (minimised ? SWP_NOACTIVATE : 0));
  if (const ui::Control* first = form_.FocusOnShow(); first != nullptr && !minimised) {
    // Also when the activation comes only after this (the system may deliver it later).
    focus_ = first;
    RestoreFocus();
  }
  state_.UpdateTaskbarButton();
}

void FormWindow::Hide() {
  if (hwnd() != nullptr) ShowWindow(hwnd(), SW_HIDE);
  state_.UpdateTaskbarButton();
}

bool FormWindow::IsVisible() const { return hwnd() != nullptr && IsWindowVisible(hwnd()); }

void FormWindow::Repaint() {
  if (hwnd() != nullptr) {
    RedrawWindow(hwnd(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }
}

void FormWindow::Close() {
  if (hwnd() != nullptr) PostMessageA(hwnd(), WM_CLOSE, 0, 0);
}

void FormWindow::EndModal() {
  // Wakes a loop that waits for a message, so it sees the result at once.
  if (hwnd() != nullptr) PostMessageA(hwnd(), WM_NULL, 0, 0);
}

void FormWindow::Destroy() {
  Unregister();
  window_.Destroy();
  state_.UpdateTaskbarButton();
}

template <class F>
void FormWindow::ForEachChild(F&& visit) const {
  const HWND hwnd = this->hwnd();
  if (hwnd == nullptr) return;
  for (HWND child = GetWindow(hwnd, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    if (ControlPeer* peer = PeerOf(child)) visit(*peer);
  }
}

void FormWindow::ApplyHints(bool show, std::optional<ui::Colour> colour) const {
  const COLORREF background = colour ? ToColorRef(*colour) : GetSysColor(COLOR_INFOBK);
  if (const HWND tip = site_->tooltip.get()) {
    SendMessageA(tip, TTM_ACTIVATE, show ? TRUE : FALSE, 0);
    SendMessageA(tip, TTM_SETTIPBKCOLOR, background, 0);
  }
  ForEachChild([&](ControlPeer& child) { child.ApplyHints(show, background); });
}

void FormWindow::PreviewKey(const MSG& message) {
  form_.app.KeyDown(form_, static_cast<unsigned>(message.wParam), CurrentShift(),
                    GetActiveWindow() == hwnd());
}

bool FormWindow::RestoreFocus() const {
  const HWND window = focus_ != nullptr ? site_->WindowOf(*focus_).get() : nullptr;
  if (window == nullptr || !IsWindowVisible(window) || !IsWindowEnabled(window)) return false;
  SetFocus(window);
  return true;
}

bool FormWindow::DialogKey(const MSG& message) {
  const HWND hwnd = this->hwnd();
  if (hwnd == nullptr || !IsWindowEnabled(hwnd)) return false;
  if (message.wParam == VK_TAB) {
    // Through the controls that take the focus, in the order they were made in each container,
    // into the visible, enabled containers (WS_EX_CONTROLPARENT).
    const HWND focus = GetFocus();
    const HWND next =
        GetNextDlgTabItem(hwnd, focus == hwnd ? nullptr : focus, GetKeyState(VK_SHIFT) < 0);
    if (next == nullptr || next == focus) return false;
    SetFocus(next);
    return true;
  }
  return form_.app.DialogKey(form_, static_cast<unsigned>(message.wParam));
}

bool FormWindow::Accelerator(char letter) const {
  const HWND hwnd = this->hwnd();
  if (hwnd == nullptr || !IsWindowVisible(hwnd) || !IsWindowEnabled(hwnd)) return false;
  return form_.app.AltKey(form_, letter);
}

void FormWindow::Unregister() {
  auto& forms = state_.forms;
  forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
}

LRESULT FormWindow::Notify(HWND hwnd, const NMHDR& header) {
  // The form's tooltip names the child window it asks about.
  if (header.hwndFrom == site_->tooltip.get()) {
    const ControlPeer* tool = PeerOf(reinterpret_cast<HWND>(header.idFrom));
    if (AnswerTipRequest(header, tool != nullptr ? &tool->control() : nullptr)) return 0;
  }
  LRESULT result = 0;
  if (ControlPeer* peer = PeerOf(header.hwndFrom); peer && peer->Notify(header, result))
    return result;
  return DefWindowProcA(hwnd, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
}

LRESULT FormWindow::OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (destroying_ || message == WM_NCCREATE || message == WM_CREATE) {
    return DefWindowProcA(hwnd, message, wParam, lParam);
  }
  // The program's message map comes first.
  ui::Message mapped{message, wParam, lParam, 0};
  bool handled = false;
  form_.app.Dispatch([&] { handled = form_.HandleMessage(mapped); });
  if (handled) return mapped.result;

  switch (message) {
    case WM_CLOSE:
      form_.app.CloseRequested(form_, modal_);
      return 0;
    case WM_ACTIVATEAPP:
      state_.ActivateApp(form_.app, wParam != FALSE);
      return 0;
    case WM_ACTIVATE:
      // A form with a first focus keeps the focus on its controls as a dialog does: where the
      // user left it when the form is activated again.
      if (form_.firstFocus == nullptr) break;
      if (LOWORD(wParam) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        if (const ControlPeer* peer = PeerOf(focus); peer != nullptr && IsChild(hwnd, focus))
          focus_ = &peer->control();
        break;
      }
      if (HIWORD(wParam) == 0 && RestoreFocus()) return 0;
      break;
    case WM_ERASEBKGND:
      return site_->EraseBackground(hwnd, wParam);
    case WM_SETCURSOR:
      // A system control asks its parents first, up to the form, so the cursor a label or panel
      // wants is set here.
      if (const ControlPeer* peer = PeerOf(reinterpret_cast<HWND>(wParam));
          peer != nullptr && LOWORD(lParam) == HTCLIENT &&
          peer->control().cursor == ui::Cursor::HandPoint) {
        SetCursor(LoadCursorA(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      if (ControlPeer* peer = PeerOf(reinterpret_cast<HWND>(lParam))) {
        if (HBRUSH brush = peer->ControlColour(reinterpret_cast<HDC>(wParam))) {
          return reinterpret_cast<LRESULT>(brush);
        }
      }
      break;
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item.CtlType == ODT_MENU && site_->menuPictures != nullptr) {
        ImageList_Draw(site_->menuPictures, static_cast<int>(item.itemData), item.hDC,
                       item.rcItem.left, item.rcItem.top, ILD_TRANSPARENT);
        return TRUE;
      }
      if (ControlPeer* peer = PeerOf(item.hwndItem); peer && peer->DrawItem(item)) return TRUE;
      break;
    }
    case WM_MEASUREITEM: {
      auto& item = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      if (item.CtlType == ODT_MENU && site_->menuPictures != nullptr) {
        int width = 0, height = 0;
        ImageList_GetIconSize(site_->menuPictures, &width, &height);
        item.itemWidth = static_cast<UINT>(width);
        item.itemHeight = static_cast<UINT>(height);
        return TRUE;
      }
      if (ControlPeer* peer = MeasuredPeer(hwnd, item.CtlID); peer && peer->MeasureItem(item))
        return TRUE;
      break;
    }
    case WM_COMMAND:
      if (ControlPeer* peer = PeerOf(reinterpret_cast<HWND>(lParam))) {
        peer->Command(wParam);
        return 0;
      }
      break;
    case WM_NOTIFY:
      return Notify(hwnd, *reinterpret_cast<const NMHDR*>(lParam));
    case WM_TIMER:
      if (ui::Timer* timer = site_->TimerOf(wParam)) {
        form_.app.Dispatch([timer] { timer->Tick(); });
      }
      return 0;
    case WM_SIZE:
      ForEachChild([](ControlPeer& child) { child.FormResized(); });
      return 0;
    default:
      break;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

int FormWindow::RunModal() {
  // Whatever ends the modal run, the other forms come back and this one goes. The other forms
  // are held by the handles the backend keeps, since one of them may go before the run ends.
  struct Restore {
    FormWindow& self;
    WindowRef active;
    std::vector<WindowRef> disabled;
    ~Restore() {
      self.modal_ = false;
      for (const WindowRef& window : disabled) {
        if (const HWND hwnd = window.get()) EnableWindow(hwnd, TRUE);
      }
      self.Hide();
      if (const HWND hwnd = active.get(); hwnd != nullptr && IsWindowVisible(hwnd)) {
        SetActiveWindow(hwnd);
      }
    }
  } restore{*this, state_.RefOf(GetActiveWindow()), {}};
  // The program's other forms take no input while this one is up.
  for (FormWindow* other : state_.forms) {
    const HWND window = other->hwnd();
    if (other != this && window != nullptr && IsWindowEnabled(window)) {
      restore.disabled.push_back(other->ref());
      EnableWindow(window, FALSE);
    }
  }
  modal_ = true;
  Show(ui::WindowState::Normal);
  while (form_.modalResult == 0 && !form_.app.Terminated()) form_.app.HandleMessage();
  return form_.modalResult;
}

}  // namespace tolva::platform::win32
