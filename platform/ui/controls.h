#pragma once
// The retained-mode control layer. A control is a plain object that holds its state (caption,
// hint, enabled, position, ...) and its event handlers; a backend gives it a peer that mirrors
// that state to a real control (platform/win32) or only keeps it (platform/sim). Windows of the
// program are Form subclasses whose members are these controls, so the same window code runs on
// both backends.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/handle.h"

namespace tolva::ui {

struct Bounds {
  int left = 0, top = 0, width = 0, height = 0;
  friend bool operator==(const Bounds&, const Bounds&) = default;
};

struct Size {
  int width = 0, height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

struct Colour {
  std::uint8_t red = 0, green = 0, blue = 0;
  friend bool operator==(const Colour&, const Colour&) = default;
};

struct Font {
  std::string name = "MS Sans Serif";
  int points = 8;  // at the screen's dots per inch: 11 pixels high at 96
};

enum class Cursor { Arrow, HandPoint };

// How one ring of a panel's frame is cut: not at all, into the screen or out of it.
enum class BevelCut { None, Lowered, Raised };

// Which part of a control's state changed, so a peer mirrors only that.
enum class Property { Caption, Hint, Enabled, Visible, Checked, ImageIndex, Bounds, Colour, Picture,
                      Interval, Text, Items, ActivePage, Value };

// The modifier keys held with a key press.
struct KeyShift {
  bool shift = false, alt = false, ctrl = false;
};

// The letter a caption underlines: the one after its first "&" ("E&xit" underlines x), or 0.
char AcceleratorOf(const std::string& caption);

// The close decision a form's close handler may change (Delphi's TCloseAction).
enum class CloseAction { None = 0, Hide = 1, Free = 2, Minimize = 3 };

class Peer {
 public:
  virtual ~Peer() = default;
  virtual void Changed(Property property) = 0;
};

// Something with a name and, once its window exists, a peer.
class Component {
 public:
  explicit Component(std::string name) : name_(std::move(name)) {}
  virtual ~Component() = default;
  Component(const Component&) = delete;
  Component& operator=(const Component&) = delete;

  const std::string& Name() const { return name_; }
  void Attach(std::unique_ptr<Peer> peer) { peer_ = std::move(peer); }
  Peer* GetPeer() const { return peer_.get(); }

 protected:
  void Notify(Property property) {
    if (peer_) peer_->Changed(property);
  }

 private:
  std::string name_;
  std::unique_ptr<Peer> peer_;
};

class Picture;
class Label;
class Panel;
class ToolBar;
class ToolButton;
class Timer;
class TabControl;
class TabSheet;
class GroupBox;
class CheckBox;
class Button;
class Edit;
class CheckListBox;
class Bevel;
class DateTimePicker;
class HotKey;
class PopupMenu;
class PopupMenuPeer;

// Where a backend makes its peers: one entry for each kind of control. The control picks the
// entry for its own kind (Control::MakePeer), so no backend has to ask a control what it is, and
// a new kind of control is one more entry here and in each backend.
class PeerFactory {
 public:
  virtual ~PeerFactory() = default;
  virtual std::unique_ptr<Peer> Make(Picture& picture) = 0;
  virtual std::unique_ptr<Peer> Make(Label& label) = 0;
  virtual std::unique_ptr<Peer> Make(Panel& panel) = 0;
  virtual std::unique_ptr<Peer> Make(ToolBar& toolBar) = 0;
  virtual std::unique_ptr<Peer> Make(Timer& timer) = 0;
  virtual std::unique_ptr<Peer> Make(TabControl& tabControl) = 0;
  virtual std::unique_ptr<Peer> Make(TabSheet& tabSheet) = 0;
  virtual std::unique_ptr<Peer> Make(GroupBox& groupBox) = 0;
  virtual std::unique_ptr<Peer> Make(CheckBox& checkBox) = 0;
  virtual std::unique_ptr<Peer> Make(Button& button) = 0;
  virtual std::unique_ptr<Peer> Make(Edit& edit) = 0;
  virtual std::unique_ptr<Peer> Make(CheckListBox& checkListBox) = 0;
  virtual std::unique_ptr<Peer> Make(Bevel& bevel) = 0;
  virtual std::unique_ptr<Peer> Make(DateTimePicker& picker) = 0;
  virtual std::unique_ptr<Peer> Make(HotKey& hotKey) = 0;
  virtual std::unique_ptr<PopupMenuPeer> Make(PopupMenu& menu) = 0;
};

class Control : public Component {
 public:
  using Component::Component;

  // This control's peer, from the backend's entry for its kind.
  virtual std::unique_ptr<Peer> MakePeer(PeerFactory& factory) = 0;
  // The button of this control that Alt with the letter clicks, if it has one.
  virtual ToolButton* AcceleratorButton(char letter) const {
    (void)letter;
    return nullptr;
  }

  const Bounds& GetBounds() const { return bounds_; }
  void SetBounds(Bounds bounds) { bounds_ = bounds; Notify(Property::Bounds); }
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption) { caption_ = std::move(caption); Notify(Property::Caption); }
  const std::string& Hint() const { return hint_; }
  void SetHint(std::string hint) { hint_ = std::move(hint); Notify(Property::Hint); }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled) { enabled_ = enabled; Notify(Property::Enabled); }
  bool Visible() const { return visible_; }
  void SetVisible(bool visible) { visible_ = visible; Notify(Property::Visible); }

  // The control this one sits in (a tab page, a group box, a panel), which its bounds are
  // relative to; null for one that sits on the form itself. A container comes before the
  // controls in it in its form's list, and the order within one container is its tab order.
  Control* parent = nullptr;
  // Whether the user can reach it now: it and every container around it visible and enabled,
  // and a tab page only while it is the active one.
  virtual bool Usable() const {
    return Enabled() && Visible() && (parent == nullptr || parent->Usable());
  }
  // Whether Tab stops on it: the kinds that take the keyboard focus.
  virtual bool TabStop() const { return false; }
  // The colour the control fills its area with, for a container whose controls stand on it;
  // null for one that shows what lies behind it.
  virtual const Colour* OwnColour() const { return nullptr; }

  // Whether this control shows its own tooltip (the application's switch must be on too).
  bool showHint = true;
  Cursor cursor = Cursor::Arrow;
  std::function<void()> OnClick;

  // What a click does; backends call it (through Application::Dispatch) when the user clicks.
  // Most controls run OnClick; a check box changes its state instead, which runs it.
  virtual void Click() {
    if (OnClick) OnClick();
  }

 private:
  Bounds bounds_;
  std::string caption_;
  std::string hint_;
  bool enabled_ = true;
  bool visible_ = true;
};

// A picture from one of the program's resources: a bitmap (BITMAP) or a JPEG (RCDATA) named
// by pictureResource; with autoSize the control takes the picture's size.
class Picture : public Control {
 public:
  using Control::Control;
  std::unique_ptr<Peer> MakePeer(PeerFactory& factory) override { return factory.Make(*this); }
  enum class Kind { Bitmap, Jpeg };
  Kind kind = Kind::Bitmap;
  std::string pictureResource;
  bool autoSize = false;
};

// The colour a control stands on: that of the nearest container around it with a colour of its
// own (a panel), else the form's.
Colour ColourBehind(const Control& control, Colour formColour);

// Static text, in the form's font unless underlined.
class Label : public Control {
 public:
  using Control::Control;
  std::unique_ptr<Peer> MakePeer(PeerFactory& factory) override { return factory.Make(*this); }
  Colour fontColour{0, 0, 0};
  bool underline = false;
  bool transparent = true;  // shows what lies behind its text rather than painting it
  bool autoSize = false;    // as wide and high as its text, from its left and top
  bool wordWrap = false;    // lines broken at blanks to fit its width; else one line, cut off
};

// A framed area in a colour of its own that other controls sit on. Its frame is up to two
// rings one pixel wide, the outer at the edge and the inner inside it.
class Panel : public Control {
 public:
  using Control::Control;
  std::unique_ptr<Peer> MakePeer(PeerFactory& factory) override { return factory.Make(*this); }
  const Colour* OwnColour() const override { return &colour; }
  Colour colour{192, 192, 192};
  BevelCut bevelOuter = BevelCut::Raised;
  BevelCut bevelInner = BevelCut::None;
  bool singleLine = false;  // a plain one-pixel frame instead of the bevels
};

// The rings a panel's frame is drawn with, from its edge inwards: its bevels that are cut.
std::vector<BevelCut> FrameRings(const Panel& panel);

// A strip of equally sized images, from one bitmap resource laid out left to right; pixels of
// maskColour are transparent.
class ImageList : public Component {
 public:
  using Component::Component;
  int width = 16, height = 16, count = 0;
  std::string bitmapResource;
  Colour maskColour{255, 0, 255};
};

class ToolButton : public Control {
 public:
  using Control::Control;
  // A button is part of its tool bar, whose peer gives it its own.
  std::unique_ptr<Peer> MakePeer(PeerFactory&) override { return nullptr; }
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int index) { imageIndex_ = index; Notify(Property::ImageIndex); }

 private:
  int imageIndex_ = -1;
};

// A tool bar along the bottom edge of its form, buttons left to right in the order listed.
class ToolBar : public Control {
 public:
  using Control::Control;
  std::unique_ptr<Peer> MakePeer(PeerFactory& factory) override { return factory.Make(*this); }
  // The enabled, visible button whose caption underlines the letter, letter case ignored; none
  // while the bar itself is disabled or hidden.
  ToolButton* AcceleratorButton(char letter) const override;
  const ImageList* images = nullptr;
  std::vector<ToolButton*> buttons;
  Size buttonSize{49, 36};
  bool flat = true;
  bool showCaptions = true;  // captions under the images
  Colour colour{192, 192, 192};
};

// A periodic timer. Enabling it starts a new period.
class Timer : public Component {
 public:
  using Component::Component;
  unsigned Interval() const { return interval_; }
  void SetInterval(unsigned milliseconds) { interval_ = milliseconds; Notify(Property::Interval); }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled) { enabled_ = enabled; Notify(Property::Enabled); }
  std::function<void()> OnTimer;
  void Tick() {
    if (OnTimer) OnTimer();
  }

 private:
  unsigned interval_ = 1000;
  bool enabled_ = true;
};

enum class BorderStyle { None, ToolWindow, Dialog };
enum class WindowState { Normal, Minimized, Maximized };

// The window message and key the control layer itself acts on.
inline constexpr unsigned WmClose = 0x0010;  // WM_CLOSE
inline constexpr unsigned VkF1 = 0x70;       // VK_F1: the active form's help
inline constexpr unsigned VkReturn = 0x0D;   // VK_RETURN: the form's default button
inline constexpr unsigned VkEscape = 0x1B;   // VK_ESCAPE: the form's cancel button

// A window message as the message map sees it.
struct Message {
  unsigned id = 0;
  std::uintptr_t wParam = 0;
  std::intptr_t lParam = 0;
  std::intptr_t result = 0;
};

class FormPeer : public Peer {
 public:
  virtual platform::WindowHandle Handle() const = 0;
  virtual void Show(WindowState state) = 0;  // visible, brought to the front
  virtual void Hide() = 0;
  virtual bool IsVisible() const = 0;
  virtual void Repaint() = 0;  // paints now, before any further message
  virtual void Close() = 0;    // asks to close: the form's close handler decides
  // Runs the form modally: the program's other windows disabled, messages handled, until
  // Form::EndModal or the application ends. Returns the modal result.
  virtual int RunModal() = 0;
  virtual void EndModal() = 0;
  virtual void Destroy() = 0;  // the window goes; the form's destroy handler has run
};

class Application;

// A top-level window of the program.
class Form : public Component {
 public:
  Form(std::string name, Application& application) : Component(std::move(name)), app(application) {}

  Application& app;

  // Layout, fixed before the window is created; positions and sizes, the controls' too, are
  // pixels at 96 dots per inch, which the backend scales to the screen (platform/ui/scaling.h).
  Size clientSize{300, 200};
  Colour colour{192, 192, 192};
  Font font;
  BorderStyle border = BorderStyle::Dialog;
  bool minimiseBox = false;
  bool centred = true;           // centred on the screen
  bool centredWhenShown = false; // centred again each time it is shown
  bool systemMenu = true;        // the title bar's menu and close box
  std::string iconResource;      // empty: the application's icon
  int helpContext = 0;
  bool keyPreview = false;       // the form sees every key first
  std::vector<Control*> controls;  // the members, in creation (tab) order
  std::vector<Timer*> timers;
  std::vector<PopupMenu*> menus;
  Control* firstFocus = nullptr;   // the control that has the focus when the form is shown
  // The control to give the focus to as the form is shown: the first focus while it can be
  // reached, else none.
  Control* FocusOnShow() const {
    return firstFocus != nullptr && firstFocus->Usable() ? firstFocus : nullptr;
  }

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption) { caption_ = std::move(caption); Notify(Property::Caption); }

  // Events.
  std::function<void()> OnCreate;
  // Each time the form comes on the screen, before it shows.
  std::function<void()> OnShow;
  std::function<void(CloseAction&)> OnClose;
  std::function<void()> OnDestroy;
  std::function<void(unsigned key, KeyShift shift)> OnKeyDown;
  // F1 while the form is active.
  std::function<void()> OnHelpKey;

  // The message map: returns true when the message was handled and must not go on to the
  // default handling (Message::result is then the answer).
  virtual bool HandleMessage(Message& message) {
    (void)message;
    return false;
  }

  platform::WindowHandle Handle() const { return Peer() ? Peer()->Handle() : platform::NullWindow; }
  void Show(WindowState state = WindowState::Normal);
  void Hide() { if (Peer()) Peer()->Hide(); }
  bool Visible() const { return Peer() && Peer()->IsVisible(); }
  void Repaint() { if (Peer()) Peer()->Repaint(); }
  void Close() { if (Peer()) Peer()->Close(); }
  // A form already on the screen cannot also be shown modally (throws tolva::Exception).
  int ShowModal();
  void EndModal(int result) {
    modalResult = result;
    if (Peer()) Peer()->EndModal();
  }
  int modalResult = 0;

  // What the backend calls on a close request: the close handler decides; returns whether the
  // window may close.
  CloseAction QueryClose() {
    CloseAction action = CloseAction::Hide;
    if (OnClose) OnClose(action);
    return action;
  }

  // The enabled, visible tool button of this form whose caption underlines the letter ("&Hide"
  // underlines H), letter case ignored; none when no button has it.
  ToolButton* AcceleratorButton(char letter) const;

  FormPeer* Peer() const { return static_cast<FormPeer*>(GetPeer()); }

 private:
  std::string caption_;
};

}  // namespace tolva::ui
