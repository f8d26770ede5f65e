#pragma once
// What the peers of controls with a child window have in common: what the form asks of them,
// and the child window itself.
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>

#include "platform/ui/controls.h"
#include "platform/win32/form_site.h"
#include "platform/win32/gdi.h"
#include "platform/win32/window_procedure.h"
#include "platform/win32/window_ref.h"

namespace tolva::platform::win32 {

// The peer of a control that has a window on its form. The form finds it from the window (and
// from the windows of its own, such as a tool bar's tooltip) when they tell the form something.
class ControlPeer : public ui::Peer {
 public:
  ControlPeer(std::shared_ptr<const FormSite> site, ui::Control& control)
      : site_(std::move(site)), control_(control) {}
  ControlPeer(const ControlPeer&) = delete;
  ControlPeer& operator=(const ControlPeer&) = delete;

  ui::Control& control() const { return control_; }

  // WM_CTLCOLORSTATIC, BTN, EDIT or LISTBOX: the brush to paint with, or null for the default.
  virtual HBRUSH ControlColour(HDC dc) {
    (void)dc;
    return nullptr;
  }
  // WM_DRAWITEM of an owner-drawn window; returns whether it drew.
  virtual bool DrawItem(const DRAWITEMSTRUCT& item) {
    (void)item;
    return false;
  }
  // WM_MEASUREITEM of an owner-drawn window; returns whether it answered.
  virtual bool MeasureItem(MEASUREITEMSTRUCT& item) {
    (void)item;
    return false;
  }
  // WM_COMMAND from the control's window.
  virtual void Command(WPARAM wParam) {
    if (HIWORD(wParam) == STN_CLICKED) site_->app.Dispatch([this] { control_.Click(); });
  }
  // WM_NOTIFY from the control's window or one of its own; returns whether it was answered
  // (the answer in result).
  virtual bool Notify(const NMHDR& header, LRESULT& result) {
    (void)header;
    (void)result;
    return false;
  }
  // The form's client area has a new size.
  virtual void FormResized() {}
  // The application's hint switch and colour, for tooltips of the control's own.
  virtual void ApplyHints(bool show, COLORREF background) {
    (void)show;
    (void)background;
  }

 protected:
  std::shared_ptr<const FormSite> site_;
  ui::Control& control_;
};

// The background of a control in a colour of its own: the brush its window is painted with,
// made again when the control's colour changes.
class OwnBackground {
 public:
  explicit OwnBackground(const ui::Colour& colour) : colour_(colour), brush_(Make()) {}
  // WM_CTLCOLOR*: the colour behind the text, and the brush for the rest.
  HBRUSH Paint(HDC dc) const {
    SetBkColor(dc, ToColorRef(colour_));
    return brush_.get();
  }
  // Property::Colour: the window shows the new colour at once.
  void Changed(HWND window) {
    brush_ = Make();
    if (window != nullptr) InvalidateRect(window, nullptr, TRUE);
  }

 private:
  Brush Make() const { return Brush(CreateSolidBrush(ToColorRef(colour_))); }
  const ui::Colour& colour_;  // the control's own
  Brush brush_;
};

// The peer that a window of ours carries; null for a window without one.
ControlPeer* PeerOf(HWND hwnd);
// The peer that WM_MEASUREITEM is about, which names its window only by its id: an owner-drawn
// list box asks while it is being made, before it carries its peer.
ControlPeer* MeasuredPeer(HWND parent, UINT controlId);
void SetPeer(HWND hwnd, ControlPeer& peer);
void RemovePeer(HWND hwnd);

// Answers a tooltip's request for its text (TTN_GETDISPINFOA or W): the control's hint when it
// shows its hint, else nothing. Returns false for any other notification.
bool AnswerTipRequest(const NMHDR& header, const ui::Control* control);

// The child window of a control's peer, made with the control's state in the window of the
// control's container (the form's for one on the form itself), at bounds relative to it. It
// carries the peer for the form to find, uses the form's font and, when the control shows its
// hint, is a tool of the form's tooltip. It goes with the peer or, earlier, with its container's
// window; after either, its handle is never used again.
class ChildWindow {
 public:
  // A window of a system class, or of one of ours when target is given.
  ChildWindow(const FormSite& site, ControlPeer& peer, const char* className, DWORD style,
              DWORD exStyle = 0, WindowTarget* target = nullptr);
  ~ChildWindow();
  ChildWindow(const ChildWindow&) = delete;
  ChildWindow& operator=(const ChildWindow&) = delete;

  HWND get() const { return ref_.get(); }
  const WindowRef& ref() const { return ref_; }
  // Its WM_NCDESTROY, for a window of one of our classes.
  void Gone() noexcept { ref_.Clear(); }
  // Moves, shows, enables or retitles the window as its control now is.
  void Mirror(ui::Property property) const;

 private:
  TOOLINFOA ToolInfo(HWND form, HWND hwnd) const;

  const FormSite& site_;
  ui::Control& control_;
  WindowRef ref_;
  bool tool_ = false;
};

}  // namespace tolva::platform::win32
