#include "platform/win32/ui_backend.h"

#include <commctrl.h>

#include <algorithm>
#include <cctype>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "platform/exception.h"
#include "platform/jpeg/jpeg_picture.h"

namespace tolva::platform::win32 {
namespace {

constexpr char kApplicationClass[] = "TolvaApplication";
constexpr char kFormClass[] = "TolvaForm";
constexpr char kPictureClass[] = "TolvaPicture";
// Every child window and tool bar tooltip of ours carries its peer under this property, so a
// form finds the peer of a window that notifies it without a table of its own.
constexpr char kPeerProperty[] = "TolvaPeer";
constexpr char kMainIcon[] = "MAINICON";
constexpr int kFirstControlId = 100;
constexpr int kFirstButtonId = 1000;
constexpr UINT_PTR kFirstTimerId = 1;
// Posted to the application window when it is activated (its taskbar button was clicked), so
// that the activation moves on to the main form once the current activation is complete.
constexpr UINT kActivateMainForm = WM_APP + 1;

HWND ToHwnd(WindowHandle handle) { return reinterpret_cast<HWND>(handle); }
WindowHandle ToHandle(HWND hwnd) { return reinterpret_cast<WindowHandle>(hwnd); }
COLORREF ToColorRef(ui::Colour colour) { return RGB(colour.red, colour.green, colour.blue); }

struct GdiDeleter {
  void operator()(void* object) const { DeleteObject(static_cast<HGDIOBJ>(object)); }
};
using Brush = std::unique_ptr<std::remove_pointer_t<HBRUSH>, GdiDeleter>;
using Font = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiDeleter>;
using Bitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, GdiDeleter>;

struct ImageListDeleter {
  void operator()(HIMAGELIST list) const { ImageList_Destroy(list); }
};
using ImageListHandle = std::unique_ptr<std::remove_pointer_t<HIMAGELIST>, ImageListDeleter>;

struct WindowDeleter {
  void operator()(HWND hwnd) const {
    if (IsWindow(hwnd)) DestroyWindow(hwnd);
  }
};
using Window = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDeleter>;

// A memory device context with one bitmap selected, both given back at the end.
class MemoryDc {
 public:
  MemoryDc(HDC target, HBITMAP bitmap) : dc_(CreateCompatibleDC(target)) {
    old_ = SelectObject(dc_, bitmap);
  }
  ~MemoryDc() {
    SelectObject(dc_, old_);
    DeleteDC(dc_);
  }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// The one window procedure of every window class of ours: the object passed to CreateWindowEx
// is stored at WM_NCCREATE and each message goes to its OnMessage. Program code runs through
// Application::Dispatch inside OnMessage; whatever still escapes is stopped here, so that no
// exception ever unwinds through the system's code.
template <class T>
LRESULT CALLBACK Trampoline(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<T*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<T*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcA(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    return DefWindowProcA(hwnd, message, wParam, lParam);
  }
  try {
    return self->OnMessage(message, wParam, lParam);
  } catch (const std::exception& exception) {
    self->App().HandleException(exception);
  } catch (...) {
    self->App().HandleException(Exception("Unknown error"));
  }
  return 0;
}

template <class T>
void RegisterOnce(HINSTANCE instance, const char* name, UINT style) {
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExA(instance, name, &existing)) return;
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = style;
  windowClass.lpfnWndProc = Trampoline<T>;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.lpszClassName = name;
  RegisterClassExA(&windowClass);
}

ui::KeyShift CurrentShift() {
  const auto down = [](int key) { return (GetKeyState(key) & 0x8000) != 0; };
  return {down(VK_SHIFT), down(VK_MENU), down(VK_CONTROL)};
}

class FormWindow;
class ApplicationWindow;

}  // namespace

struct Win32Backend::State {
  HINSTANCE instance = nullptr;
  ApplicationWindow* application = nullptr;
  std::vector<FormWindow*> forms;
  bool showHints = true;
  std::optional<ui::Colour> hintColour;
  bool failNextSetTimer = false;
  bool applicationActive = false;

  HWND ApplicationHwnd() const;
  FormWindow* FormOf(HWND hwnd) const;
  void UpdateTaskbarButton() const;
  void ApplyHints() const;
  // Every top-level window of the thread hears of an activation change; the program hears of
  // it once.
  void ActivateApp(ui::Application& app, bool active);
  UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, unsigned interval);
};

namespace {

using State = Win32Backend::State;

// What the peers of one form's controls need of their form.
struct FormContext {
  State& state;
  ui::Application& app;
  HWND form;
  HWND tooltip;
  HFONT font;
  HBRUSH background;
};

// ---------------------------------------------------------------------------------------------
// Controls

class ControlWindow : public ui::Peer {
 public:
  ControlWindow(const FormContext& context, ui::Control& control)
      : context_(context), control_(control) {}
  ~ControlWindow() override {
    if (hwnd_ == nullptr) return;
    if (IsWindow(context_.tooltip)) {
      TOOLINFOA tool = ToolInfo();
      SendMessageA(context_.tooltip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
    if (IsWindow(hwnd_)) {
      RemovePropA(hwnd_, kPeerProperty);
      DestroyWindow(hwnd_);
    }
  }
  ControlWindow(const ControlWindow&) = delete;
  ControlWindow& operator=(const ControlWindow&) = delete;

  HWND hwnd() const { return hwnd_; }
  ui::Control& control() const { return control_; }

  void Changed(ui::Property property) override {
    if (hwnd_ == nullptr) return;
    switch (property) {
      case ui::Property::Bounds: {
        const ui::Bounds& b = control_.GetBounds();
        MoveWindow(hwnd_, b.left, b.top, b.width, b.height, TRUE);
        break;
      }
      case ui::Property::Visible:
        ShowWindow(hwnd_, control_.Visible() ? SW_SHOWNA : SW_HIDE);
        break;
      case ui::Property::Enabled:
        EnableWindow(hwnd_, control_.Enabled());
        break;
      case ui::Property::Caption:
        SetWindowTextA(hwnd_, control_.Caption().c_str());
        break;
      default:
        break;
    }
  }

  // WM_CTLCOLORSTATIC for this control: the brush to paint with, or null for the default.
  virtual HBRUSH ControlColour(HDC) { return nullptr; }
  // WM_COMMAND from this control.
  virtual void Command(WPARAM wParam) {
    if (HIWORD(wParam) == STN_CLICKED) context_.app.Dispatch([this] { control_.Click(); });
  }
  // WM_NOTIFY from this control; returns whether it was answered (result in `result`).
  virtual bool Notify(const NMHDR&, LRESULT&) { return false; }

 protected:
  static DWORD ChildStyle(const ui::Control& control) {
    return WS_CHILD | WS_CLIPSIBLINGS | (control.Visible() ? WS_VISIBLE : 0) |
           (control.Enabled() ? 0 : WS_DISABLED);
  }

  // Takes over a child window made by the derived class: the peer property, the form's font,
  // and a tool in the form's tooltip when the control shows its hint.
  void Adopt(HWND hwnd) {
    hwnd_ = hwnd;
    if (hwnd_ == nullptr) return;
    SetPropA(hwnd_, kPeerProperty, this);
    SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(context_.font), FALSE);
    if (control_.showHint && context_.tooltip != nullptr) {
      TOOLINFOA tool = ToolInfo();
      SendMessageA(context_.tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
  }

  HWND CreateChild(const char* className, DWORD style, DWORD exStyle, void* parameter) {
    const ui::Bounds& b = control_.GetBounds();
    // No parent notifications: a child that goes while its form is being torn down must not
    // call into the form's message map.
    return CreateWindowExA(exStyle | WS_EX_NOPARENTNOTIFY, className, control_.Caption().c_str(),
                           ChildStyle(control_) | style, b.left, b.top, b.width, b.height,
                           context_.form, reinterpret_cast<HMENU>(NextId()),
                           context_.state.instance, parameter);
  }

  FormContext context_;
  ui::Control& control_;
  HWND hwnd_ = nullptr;

 private:
  TOOLINFOA ToolInfo() const {
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    // The text is asked for each time the tip shows, so a changed hint needs no update here.
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = context_.form;
    tool.uId = reinterpret_cast<UINT_PTR>(hwnd_);
    tool.lpszText = LPSTR_TEXTCALLBACKA;
    return tool;
  }
  static INT_PTR NextId() {
    static int next = kFirstControlId;
    return next++;
  }
};

ControlWindow* PeerOf(HWND hwnd) {
  return hwnd == nullptr ? nullptr : static_cast<ControlWindow*>(GetPropA(hwnd, kPeerProperty));
}

// A picture painted by the window itself: a bitmap resource as it is, or a JPEG resource
// decoded once. A missing or unreadable resource leaves the control empty.
class PictureWindow final : public ControlWindow {
 public:
  PictureWindow(const FormContext& context, ui::Picture& picture)
      : ControlWindow(context, picture), picture_(picture) {
    RegisterOnce<PictureWindow>(context.state.instance, kPictureClass, 0);
    Load();
    Adopt(CreateChild(kPictureClass, SS_NOTIFY, 0, this));
  }

  void Changed(ui::Property property) override {
    if (property == ui::Property::Picture) {
      Load();
      if (hwnd_ != nullptr) InvalidateRect(hwnd_, nullptr, TRUE);
      return;
    }
    ControlWindow::Changed(property);
  }

  ui::Application& App() const { return context_.app; }

  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
      case WM_ERASEBKGND: {
        RECT r;
        GetClientRect(hwnd_, &r);
        FillRect(reinterpret_cast<HDC>(wParam), &r, context_.background);
        return 1;
      }
      case WM_PAINT:
        Paint();
        return 0;
      case WM_SETCURSOR:
        SetCursor(
            LoadCursorA(nullptr, picture_.cursor == ui::Cursor::HandPoint ? IDC_HAND : IDC_ARROW));
        return TRUE;
      case WM_LBUTTONDOWN:
        SetCapture(hwnd_);
        pressed_ = true;
        return 0;
      case WM_LBUTTONUP: {
        if (!pressed_) return 0;
        pressed_ = false;
        ReleaseCapture();
        RECT r;
        GetClientRect(hwnd_, &r);
        const POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (PtInRect(&r, p)) context_.app.Dispatch([this] { picture_.Click(); });
        return 0;
      }
      case WM_CAPTURECHANGED:
        pressed_ = false;
        return 0;
      default:
        return DefWindowProcA(hwnd_, message, wParam, lParam);
    }
  }

 private:
  template <class T>
  friend LRESULT CALLBACK Trampoline(HWND, UINT, WPARAM, LPARAM);

  void Load() {
    bitmap_.reset();
    jpeg_.reset();
    std::optional<ui::Size> size;
    if (picture_.kind == ui::Picture::Kind::Bitmap) {
      bitmap_.reset(
          static_cast<HBITMAP>(LoadImageA(context_.state.instance, picture_.pictureResource.c_str(),
                                          IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
      BITMAP info{};
      if (bitmap_ && GetObjectA(bitmap_.get(), sizeof info, &info) != 0) {
        size = ui::Size{info.bmWidth, info.bmHeight};
      }
    } else {
      HRSRC found = FindResourceA(context_.state.instance, picture_.pictureResource.c_str(),
                                  MAKEINTRESOURCEA(10) /* RT_RCDATA */);
      HGLOBAL loaded = found ? LoadResource(context_.state.instance, found) : nullptr;
      const void* data = loaded ? LockResource(loaded) : nullptr;
      if (data != nullptr) {
        jpeg_ = DecodeJpeg(static_cast<const std::uint8_t*>(data),
                           SizeofResource(context_.state.instance, found));
        if (jpeg_) size = ui::Size{jpeg_->width, jpeg_->height};
      }
    }
    if (size && picture_.autoSize) {
      // The control takes the picture's size. Before the peer is attached this only sets the
      // bounds the window is then made with; later it also moves the window, through Changed.
      ui::Bounds b = picture_.GetBounds();
      b.width = size->width;
      b.height = size->height;
      picture_.SetBounds(b);
    }
  }

  void Paint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd_, &paint);
    if (bitmap_) {
      BITMAP info{};
      GetObjectA(bitmap_.get(), sizeof info, &info);
      MemoryDc source(dc, bitmap_.get());
      BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, source.get(), 0, 0, SRCCOPY);
    } else if (jpeg_) {
      BITMAPINFO header{};
      header.bmiHeader.biSize = sizeof header.bmiHeader;
      header.bmiHeader.biWidth = jpeg_->width;
      header.bmiHeader.biHeight = jpeg_->height;  // positive: rows bottom-up
      header.bmiHeader.biPlanes = 1;
      header.bmiHeader.biBitCount = 24;
      header.bmiHeader.biCompression = BI_RGB;
      SetDIBitsToDevice(
          dc, 0, 0, static_cast<DWORD>(jpeg_->width), static_cast<DWORD>(jpeg_->height), 0, 0, 0,
          static_cast<UINT>(jpeg_->height), jpeg_->pixels.data(), &header, DIB_RGB_COLORS);
    }
    EndPaint(hwnd_, &paint);
  }

  ui::Picture& picture_;
  Bitmap bitmap_;
  std::optional<DecodedPicture> jpeg_;
  bool pressed_ = false;
};

// Static text, on the form's own colour when transparent.
class LabelWindow final : public ControlWindow {
 public:
  LabelWindow(const FormContext& context, ui::Label& label, COLORREF formColour)
      : ControlWindow(context, label), label_(label), formColour_(formColour) {
    Adopt(CreateChild("STATIC", SS_LEFT | SS_NOTIFY, 0, nullptr));
  }
  HBRUSH ControlColour(HDC dc) override {
    SetTextColor(dc, ToColorRef(label_.fontColour));
    if (label_.transparent) {
      SetBkMode(dc, TRANSPARENT);
    } else {
      SetBkColor(dc, formColour_);
    }
    return context_.background;
  }

 private:
  ui::Label& label_;
  COLORREF formColour_;
};

// A framed area in a colour of its own.
class PanelWindow final : public ControlWindow {
 public:
  PanelWindow(const FormContext& context, ui::Panel& panel)
      : ControlWindow(context, panel),
        panel_(panel),
        brush_(CreateSolidBrush(ToColorRef(panel.colour))) {
    Adopt(CreateChild("STATIC",
                      SS_CENTER | SS_CENTERIMAGE | SS_NOTIFY | (panel.lowered ? SS_SUNKEN : 0),
                      panel.lowered ? 0 : WS_EX_WINDOWEDGE | WS_EX_DLGMODALFRAME, nullptr));
    // Panels lie under the controls placed on them.
    if (hwnd_ != nullptr)
      SetWindowPos(hwnd_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  HBRUSH ControlColour(HDC dc) override {
    SetBkColor(dc, ToColorRef(panel_.colour));
    return brush_.get();
  }
  void Changed(ui::Property property) override {
    if (property == ui::Property::Colour) {
      brush_.reset(CreateSolidBrush(ToColorRef(panel_.colour)));
      if (hwnd_ != nullptr) InvalidateRect(hwnd_, nullptr, TRUE);
      return;
    }
    ControlWindow::Changed(property);
  }

 private:
  ui::Panel& panel_;
  Brush brush_;
};

class ToolBarWindow;

// One button of a tool bar: the real button is the tool bar's, identified by its command id.
class ToolButtonPeer final : public ui::Peer {
 public:
  ToolButtonPeer(HWND toolBar, int id, ui::ToolButton& button)
      : toolBar_(toolBar), id_(id), button_(button) {}
  void Changed(ui::Property property) override {
    if (!IsWindow(toolBar_)) return;
    const auto id = static_cast<WPARAM>(id_);
    switch (property) {
      case ui::Property::Caption: {
        TBBUTTONINFOA info{};
        info.cbSize = sizeof info;
        info.dwMask = TBIF_TEXT;
        std::string text = button_.Caption();
        info.pszText = text.data();
        SendMessageA(toolBar_, TB_SETBUTTONINFOA, id, reinterpret_cast<LPARAM>(&info));
        break;
      }
      case ui::Property::Enabled:
        SendMessageA(toolBar_, TB_ENABLEBUTTON, id, MAKELONG(button_.Enabled() ? TRUE : FALSE, 0));
        break;
      case ui::Property::Visible:
        SendMessageA(toolBar_, TB_HIDEBUTTON, id, MAKELONG(button_.Visible() ? FALSE : TRUE, 0));
        break;
      case ui::Property::ImageIndex:
        SendMessageA(toolBar_, TB_CHANGEBITMAP, id, button_.ImageIndex());
        break;
      default:  // the hint is asked for each time the tip shows
        break;
    }
  }
  int id() const { return id_; }

 private:
  HWND toolBar_;
  int id_;
  ui::ToolButton& button_;
};

// The comctl32 tool bar along the bottom edge, with captions under 16 x 16 images.
class ToolBarWindow final : public ControlWindow {
 public:
  ToolBarWindow(const FormContext& context, ui::ToolBar& toolBar)
      : ControlWindow(context, toolBar),
        toolBar_(toolBar),
        brush_(CreateSolidBrush(ToColorRef(toolBar.colour))) {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    // The bar keeps to the bottom edge, but it is placed here rather than by comctl32: Wine's
    // auto-size makes it 4 pixels higher than its buttons, Windows' 2. The custom erase lets the
    // bar paint its own colour.
    const DWORD style = CCS_BOTTOM | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER |
                        TBSTYLE_TOOLTIPS | TBSTYLE_CUSTOMERASE | (toolBar.flat ? TBSTYLE_FLAT : 0) |
                        (toolBar.showCaptions ? 0 : TBSTYLE_LIST);
    HWND hwnd = CreateChild(TOOLBARCLASSNAMEA, style, 0, nullptr);
    if (hwnd == nullptr) return;
    SendMessageA(hwnd, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(context.font), FALSE);
    if (toolBar.images != nullptr) LoadImages(hwnd, *toolBar.images);
    std::vector<TBBUTTON> buttons;
    for (std::size_t i = 0; i < toolBar.buttons.size(); ++i) {
      const ui::ToolButton& b = *toolBar.buttons[i];
      TBBUTTON button{};
      button.iBitmap = b.ImageIndex() < 0 ? I_IMAGENONE : b.ImageIndex();
      button.idCommand = kFirstButtonId + static_cast<int>(i);
      button.fsState = static_cast<BYTE>((b.Enabled() ? TBSTATE_ENABLED : 0) |
                                         (b.Visible() ? 0 : TBSTATE_HIDDEN));
      button.fsStyle = BTNS_BUTTON;
      button.iString = reinterpret_cast<INT_PTR>(b.Caption().c_str());
      buttons.push_back(button);
    }
    SendMessageA(hwnd, TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    const ui::Size size = toolBar.buttonSize;
    // The width is pinned: the bar would otherwise widen every button to its longest caption.
    SendMessageA(hwnd, TB_SETBUTTONWIDTH, 0, MAKELONG(size.width, size.width));
    SendMessageA(hwnd, TB_SETBUTTONSIZE, 0, MAKELONG(size.width, size.height));
    tooltip_ = reinterpret_cast<HWND>(SendMessageA(hwnd, TB_GETTOOLTIPS, 0, 0));
    if (tooltip_ != nullptr) SetPropA(tooltip_, kPeerProperty, this);
    Adopt(hwnd);
    Autosize();
    for (std::size_t i = 0; i < toolBar.buttons.size(); ++i) {
      toolBar.buttons[i]->Attach(std::make_unique<ToolButtonPeer>(
          hwnd, kFirstButtonId + static_cast<int>(i), *toolBar.buttons[i]));
    }
  }
  ~ToolBarWindow() override {
    if (IsWindow(tooltip_)) RemovePropA(tooltip_, kPeerProperty);
  }

  HWND Tooltip() const { return tooltip_; }
  // Full width along the bottom edge of the form, two pixels higher than the buttons.
  void Autosize() const {
    if (hwnd_ == nullptr) return;
    RECT client;
    GetClientRect(context_.form, &client);
    const int height = toolBar_.buttonSize.height + 2;
    MoveWindow(hwnd_, 0, client.bottom - height, client.right, height, TRUE);
  }

  ui::ToolButton* ButtonOf(UINT_PTR id) const {
    if (id < static_cast<UINT_PTR>(kFirstButtonId)) return nullptr;
    const std::size_t index = id - static_cast<UINT_PTR>(kFirstButtonId);
    return index < toolBar_.buttons.size() ? toolBar_.buttons[index] : nullptr;
  }

  void Command(WPARAM wParam) override {
    ui::ToolButton* button = ButtonOf(LOWORD(wParam));
    if (button != nullptr && button->Enabled())
      context_.app.Dispatch([button] { button->Click(); });
  }

  bool Notify(const NMHDR& header, LRESULT& result) override {
    if (header.code != static_cast<UINT>(NM_CUSTOMDRAW)) return false;
    const auto& draw = reinterpret_cast<const NMCUSTOMDRAW&>(header);
    if (draw.dwDrawStage == CDDS_PREERASE) {
      RECT r;
      GetClientRect(hwnd_, &r);
      FillRect(draw.hdc, &r, brush_.get());
      result = CDRF_SKIPDEFAULT;
    } else {
      result = CDRF_DODEFAULT;
    }
    return true;
  }

  // Alt+letter: the button whose caption underlines that letter.
 private:
  void LoadImages(HWND hwnd, const ui::ImageList& images) {
    Bitmap strip(static_cast<HBITMAP>(
        LoadImageA(context_.state.instance, images.bitmapResource.c_str(), IMAGE_BITMAP, 0, 0, 0)));
    images_.reset(ImageList_Create(images.width, images.height, ILC_COLOR24 | ILC_MASK,
                                   std::max(images.count, 1), 0));
    if (!images_) return;
    if (strip) ImageList_AddMasked(images_.get(), strip.get(), ToColorRef(images.maskColour));
    SendMessageA(hwnd, TB_SETBITMAPSIZE, 0, MAKELONG(images.width, images.height));
    SendMessageA(hwnd, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_.get()));
  }

  ui::ToolBar& toolBar_;
  Brush brush_;
  ImageListHandle images_;
  HWND tooltip_ = nullptr;
};

// A system timer on the form's window; WM_TIMER reaches the form, which ticks the timer.
class TimerPeer final : public ui::Peer {
 public:
  TimerPeer(State& state, HWND form, ui::Timer& timer, UINT_PTR id)
      : state_(state), form_(form), timer_(timer), id_(id) {
    if (timer_.Enabled()) Start();
  }
  ~TimerPeer() override { Stop(); }
  TimerPeer(const TimerPeer&) = delete;
  TimerPeer& operator=(const TimerPeer&) = delete;

  void Changed(ui::Property property) override {
    if (property != ui::Property::Enabled && property != ui::Property::Interval) return;
    // Enabling starts a new period and a new interval takes effect at once, as a fresh
    // SetTimer with the same id does.
    Stop();
    if (timer_.Enabled()) Start();
  }
  UINT_PTR id() const { return id_; }
  ui::Timer& timer() const { return timer_; }

 private:
  void Start() {
    if (timer_.Interval() == 0) return;
    if (state_.SetTimer(form_, id_, timer_.Interval()) == 0) {
      throw Exception("Not enough timers available");
    }
    running_ = true;
  }
  void Stop() {
    if (running_ && IsWindow(form_)) KillTimer(form_, id_);
    running_ = false;
  }

  State& state_;
  HWND form_;
  ui::Timer& timer_;
  UINT_PTR id_;
  bool running_ = false;
};

// ---------------------------------------------------------------------------------------------
// The application window

class ApplicationWindow final : public ui::ApplicationPeer {
 public:
  ApplicationWindow(State& state, ui::Application& app) : state_(state), app_(app) {
    RegisterOnce<ApplicationWindow>(state.instance, kApplicationClass, 0);
    // A zero-sized window away from the screen: only its taskbar button is ever seen.
    CreateWindowExA(0, kApplicationClass, "", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                    -32000, -32000, 0, 0, nullptr, nullptr, state.instance, this);
    window_.reset(hwnd_);
    if (HICON icon = static_cast<HICON>(
            LoadImageA(state.instance, kMainIcon, IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED))) {
      SendMessageA(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    }
    state_.application = this;
  }
  ~ApplicationWindow() override {
    if (state_.application == this) state_.application = nullptr;
  }
  ApplicationWindow(const ApplicationWindow&) = delete;
  ApplicationWindow& operator=(const ApplicationWindow&) = delete;

  WindowHandle Handle() const override { return ToHandle(hwnd_); }
  HWND hwnd() const { return hwnd_; }
  ui::Application& App() const { return app_; }

  void SetTitle(const std::string& title) override { SetWindowTextA(hwnd_, title.c_str()); }
  void SetHints(bool showHint, std::optional<ui::Colour> colour) override {
    state_.showHints = showHint;
    state_.hintColour = colour;
    state_.ApplyHints();
  }
  bool ProcessMessage() override;
  void WaitMessage() override { ::WaitMessage(); }
  void PostQuit() override { PostQuitMessage(0); }
  bool IsMinimized() const override;
  void Restore() override;
  void ExitProcess() override { ::ExitProcess(0); }

  void ShowTaskbarButton(bool show) const {
    if (hwnd_ == nullptr || (IsWindowVisible(hwnd_) != FALSE) == show) return;
    ShowWindow(hwnd_, show ? SW_SHOWNOACTIVATE : SW_HIDE);
  }

  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  template <class T>
  friend LRESULT CALLBACK Trampoline(HWND, UINT, WPARAM, LPARAM);

  State& state_;
  ui::Application& app_;
  HWND hwnd_ = nullptr;
  Window window_;
};

// ---------------------------------------------------------------------------------------------
// Forms

class FormWindow final : public ui::FormPeer {
 public:
  FormWindow(State& state, ui::Form& form) : state_(state), form_(form) {
    RegisterOnce<FormWindow>(state.instance, kFormClass, CS_DBLCLKS);
    background_.reset(CreateSolidBrush(ToColorRef(form.colour)));
    font_.reset(CreateFontA(form.font.height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                            DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                            DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, form.font.name.c_str()));
    DWORD style = WS_CLIPCHILDREN;
    DWORD exStyle = 0;
    switch (form.border) {
      case ui::BorderStyle::None:
        style |= WS_POPUP;
        break;
      case ui::BorderStyle::ToolWindow:
        style |= WS_CAPTION | WS_SYSMENU | (form.minimiseBox ? WS_MINIMIZEBOX : 0);
        exStyle |= WS_EX_TOOLWINDOW;
        break;
      case ui::BorderStyle::Dialog:
        style |= WS_CAPTION | WS_SYSMENU | (form.minimiseBox ? WS_MINIMIZEBOX : 0);
        exStyle |= WS_EX_DLGMODALFRAME;
        break;
    }
    RECT frame{0, 0, form.clientSize.width, form.clientSize.height};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    int x = 0;
    int y = 0;
    if (form.centred) {
      x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
      y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    }
    CreateWindowExA(exStyle, kFormClass, form.Caption().c_str(), style, x, y, width, height,
                    state.ApplicationHwnd(), nullptr, state.instance, this);
    window_.reset(hwnd_);
    if (hwnd_ == nullptr) throw Exception("Error creating window");
    const std::string iconName = form.iconResource.empty() ? kMainIcon : form.iconResource;
    for (const auto& [which, metric] :
         {std::pair{ICON_BIG, SM_CXICON}, std::pair{ICON_SMALL, SM_CXSMICON}}) {
      const int side = GetSystemMetrics(metric);
      if (HICON icon = static_cast<HICON>(
              LoadImageA(state.instance, iconName.c_str(), IMAGE_ICON, side, side, LR_SHARED))) {
        SendMessageA(hwnd_, WM_SETICON, static_cast<WPARAM>(which), reinterpret_cast<LPARAM>(icon));
      }
    }
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&classes);
    tooltip_ =
        CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                        WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr, state.instance, nullptr);
    state_.forms.push_back(this);
  }
  ~FormWindow() override {
    Unregister();
    destroying_ = true;
  }
  FormWindow(const FormWindow&) = delete;
  FormWindow& operator=(const FormWindow&) = delete;

  FormContext Context() {
    return FormContext{state_, form_.app, hwnd_, tooltip_, font_.get(), background_.get()};
  }
  HWND hwnd() const { return hwnd_; }
  ui::Form& form() const { return form_; }
  ui::Application& App() const { return form_.app; }

  // FormPeer
  WindowHandle Handle() const override { return ToHandle(hwnd_); }
  void Changed(ui::Property property) override {
    if (property == ui::Property::Caption && hwnd_ != nullptr)
      SetWindowTextA(hwnd_, form_.Caption().c_str());
  }
  void Show(ui::WindowState state) override {
    if (hwnd_ == nullptr) return;
    const bool minimised = state == ui::WindowState::Minimized;
    ShowWindow(hwnd_, minimised                             ? SW_SHOWMINNOACTIVE
                      : state == ui::WindowState::Maximized ? SW_SHOWMAXIMIZED
                                                            : SW_SHOWNORMAL);
    SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | (minimised ? SWP_NOACTIVATE : 0));
    state_.UpdateTaskbarButton();
  }
  void Hide() override {
    if (hwnd_ != nullptr) ShowWindow(hwnd_, SW_HIDE);
    state_.UpdateTaskbarButton();
  }
  bool IsVisible() const override { return hwnd_ != nullptr && IsWindowVisible(hwnd_); }
  void Repaint() override {
    if (hwnd_ != nullptr) {
      RedrawWindow(hwnd_, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
  }
  void Close() override {
    if (hwnd_ != nullptr) PostMessageA(hwnd_, WM_CLOSE, 0, 0);
  }
  int RunModal() override;
  void EndModal() override {
    // Wakes a loop that waits for a message, so it sees the result at once.
    if (hwnd_ != nullptr) PostMessageA(hwnd_, WM_NULL, 0, 0);
  }
  void SetFocus() override {
    if (hwnd_ != nullptr) ::SetFocus(hwnd_);
  }
  void BringToFront() override {
    if (hwnd_ != nullptr) SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  }
  void Destroy() override {
    Unregister();
    window_.reset();
    hwnd_ = nullptr;
    state_.UpdateTaskbarButton();
  }

  void ApplyHints(bool show, std::optional<ui::Colour> colour) const {
    const COLORREF background = colour ? ToColorRef(*colour) : GetSysColor(COLOR_INFOBK);
    std::vector<HWND> tooltips{tooltip_};
    ForEachChild([&](ControlWindow& child) {
      if (auto* bar = dynamic_cast<ToolBarWindow*>(&child); bar && bar->Tooltip())
        tooltips.push_back(bar->Tooltip());
    });
    for (HWND tip : tooltips) {
      if (tip == nullptr) continue;
      SendMessageA(tip, TTM_ACTIVATE, show ? TRUE : FALSE, 0);
      SendMessageA(tip, TTM_SETTIPBKCOLOR, background, 0);
    }
  }

  // Called for a key press of this form or its children before the focused window sees it.
  void PreviewKey(const MSG& message) {
    form_.app.KeyDown(form_, static_cast<unsigned>(message.wParam), CurrentShift(),
                      GetActiveWindow() == hwnd_);
  }

  // Alt+letter: a tool bar button whose caption underlines the letter. Returns whether one did.
  bool Accelerator(char letter) const {
    if (hwnd_ == nullptr || !IsWindowVisible(hwnd_) || !IsWindowEnabled(hwnd_)) return false;
    return form_.app.AltKey(form_, letter);
  }

  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  template <class T>
  friend LRESULT CALLBACK Trampoline(HWND, UINT, WPARAM, LPARAM);

  template <class F>
  void ForEachChild(F&& visit) const {
    if (hwnd_ == nullptr) return;
    for (HWND child = GetWindow(hwnd_, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
      if (ControlWindow* peer = PeerOf(child)) visit(*peer);
    }
  }

  void Unregister() {
    auto& forms = state_.forms;
    forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
  }

  LRESULT Notify(const NMHDR& header);

  State& state_;
  ui::Form& form_;
  Brush background_;
  Font font_;
  HWND hwnd_ = nullptr;
  HWND tooltip_ = nullptr;  // owned by the form's window, destroyed with it
  bool modal_ = false;
  bool destroying_ = false;
  Window window_;  // last: the window goes before the font and brush it uses
};

LRESULT FormWindow::Notify(const NMHDR& header) {
  if (header.code == TTN_GETDISPINFOA || header.code == TTN_GETDISPINFOW) {
    const ui::Control* tool = nullptr;
    if (header.hwndFrom == tooltip_) {
      if (ControlWindow* peer = PeerOf(reinterpret_cast<HWND>(header.idFrom)))
        tool = &peer->control();
    } else if (auto* bar = dynamic_cast<ToolBarWindow*>(PeerOf(header.hwndFrom))) {
      tool = bar->ButtonOf(header.idFrom);
    }
    const std::string text = tool != nullptr && tool->showHint ? tool->Hint() : std::string();
    if (header.code == TTN_GETDISPINFOA) {
      auto& info = const_cast<NMTTDISPINFOA&>(reinterpret_cast<const NMTTDISPINFOA&>(header));
      lstrcpynA(info.szText, text.c_str(), static_cast<int>(sizeof info.szText));
      info.lpszText = info.szText;
      info.hinst = nullptr;
    } else {
      auto& info = const_cast<NMTTDISPINFOW&>(reinterpret_cast<const NMTTDISPINFOW&>(header));
      info.szText[0] = L'\0';
      MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, info.szText,
                          static_cast<int>(sizeof info.szText / sizeof info.szText[0]));
      info.szText[sizeof info.szText / sizeof info.szText[0] - 1] = L'\0';
      info.lpszText = info.szText;
      info.hinst = nullptr;
    }
    return 0;
  }
  LRESULT result = 0;
  if (ControlWindow* peer = PeerOf(header.hwndFrom); peer && peer->Notify(header, result))
    return result;
  return DefWindowProcA(hwnd_, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
}

LRESULT FormWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (destroying_ || message == WM_NCCREATE || message == WM_CREATE) {
    return DefWindowProcA(hwnd_, message, wParam, lParam);
  }
  // The program's message map comes first.
  ui::Message mapped{message, wParam, lParam, 0};
  bool handled = false;
  form_.app.Dispatch([&] { handled = form_.HandleMessage(mapped); });
  if (handled) return mapped.result;

  switch (message) {
    case WM_CLOSE: {
      form_.app.CloseRequested(form_, modal_);
      return 0;
    }
    case WM_ACTIVATEAPP:
      state_.ActivateApp(form_.app, wParam != FALSE);
      return 0;
    case WM_ERASEBKGND: {
      RECT r;
      GetClientRect(hwnd_, &r);
      FillRect(reinterpret_cast<HDC>(wParam), &r, background_.get());
      return 1;
    }
    case WM_CTLCOLORSTATIC:
      if (ControlWindow* peer = PeerOf(reinterpret_cast<HWND>(lParam))) {
        if (HBRUSH brush = peer->ControlColour(reinterpret_cast<HDC>(wParam))) {
          return reinterpret_cast<LRESULT>(brush);
        }
      }
      break;
    case WM_COMMAND:
      if (ControlWindow* peer = PeerOf(reinterpret_cast<HWND>(lParam))) {
        peer->Command(wParam);
        return 0;
      }
      break;
    case WM_NOTIFY:
      return Notify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_TIMER:
      for (ui::Timer* timer : form_.timers) {
        auto* peer = dynamic_cast<TimerPeer*>(timer->GetPeer());
        if (peer != nullptr && peer->id() == wParam) {
          form_.app.Dispatch([timer] { timer->Tick(); });
          return 0;
        }
      }
      return 0;
    case WM_SIZE:
      ForEachChild([](ControlWindow& child) {
        if (auto* bar = dynamic_cast<ToolBarWindow*>(&child)) bar->Autosize();
      });
      return 0;
    default:
      break;
  }
  return DefWindowProcA(hwnd_, message, wParam, lParam);
}

int FormWindow::RunModal() {
  // The program's other forms take no input while this one is up.
  std::vector<HWND> disabled;
  for (FormWindow* other : state_.forms) {
    if (other != this && other->hwnd_ != nullptr && IsWindowEnabled(other->hwnd_)) {
      EnableWindow(other->hwnd_, FALSE);
      disabled.push_back(other->hwnd_);
    }
  }
  const HWND previous = GetActiveWindow();
  struct Restore {
    FormWindow& self;
    std::vector<HWND>& windows;
    HWND active;
    ~Restore() {
      self.modal_ = false;
      for (HWND w : windows) {
        if (IsWindow(w)) EnableWindow(w, TRUE);
      }
      self.Hide();
      if (active != nullptr && IsWindow(active) && IsWindowVisible(active)) SetActiveWindow(active);
    }
  } restore{*this, disabled, previous};
  modal_ = true;
  Show(ui::WindowState::Normal);
  while (form_.modalResult == 0 && !form_.app.Terminated()) form_.app.HandleMessage();
  return form_.modalResult;
}

LRESULT ApplicationWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ACTIVATEAPP:
      state_.ActivateApp(app_, wParam != FALSE);
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) PostMessageA(hwnd_, kActivateMainForm, 0, 0);
      break;
    case kActivateMainForm:
      if (ui::Form* main = app_.MainForm(); main && main->Visible() && GetActiveWindow() == hwnd_) {
        HWND form = ToHwnd(main->Handle());
        if (IsWindowEnabled(form)) SetActiveWindow(form);
      }
      return 0;
    case WM_CLOSE:
      // Closing the taskbar button closes the main form, which decides.
      if (ui::Form* main = app_.MainForm()) main->Close();
      return 0;
    default:
      break;
  }
  return DefWindowProcA(hwnd_, message, wParam, lParam);
}

bool ApplicationWindow::ProcessMessage() {
  MSG message;
  if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) return false;
  if (message.message == WM_QUIT) {
    app_.Terminate();
    return true;
  }
  if (message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN) {
    if (FormWindow* form = state_.FormOf(message.hwnd)) form->PreviewKey(message);
  } else if (message.message == WM_SYSCHAR) {
    FormWindow* form = state_.FormOf(message.hwnd);
    if (form != nullptr && form->Accelerator(static_cast<char>(message.wParam))) return true;
  }
  TranslateMessage(&message);
  DispatchMessageA(&message);
  return true;
}

bool ApplicationWindow::IsMinimized() const {
  if (hwnd_ != nullptr && IsIconic(hwnd_)) return true;
  return std::any_of(state_.forms.begin(), state_.forms.end(),
                     [](const FormWindow* form) { return form->hwnd() && IsIconic(form->hwnd()); });
}

void ApplicationWindow::Restore() {
  if (hwnd_ != nullptr && IsIconic(hwnd_)) ShowWindow(hwnd_, SW_RESTORE);
  // A minimised form comes back normal and visible, also one hidden while minimised.
  for (FormWindow* form : state_.forms) {
    if (form->hwnd() != nullptr && IsIconic(form->hwnd())) ShowWindow(form->hwnd(), SW_RESTORE);
  }
  state_.UpdateTaskbarButton();
}

}  // namespace

HWND State::ApplicationHwnd() const { return application ? application->hwnd() : nullptr; }

FormWindow* State::FormOf(HWND hwnd) const {
  if (hwnd == nullptr) return nullptr;
  const HWND root = GetAncestor(hwnd, GA_ROOT);
  const auto found = std::find_if(forms.begin(), forms.end(),
                                  [root](const FormWindow* form) { return form->hwnd() == root; });
  return found == forms.end() ? nullptr : *found;
}

void State::UpdateTaskbarButton() const {
  if (application == nullptr) return;
  application->ShowTaskbarButton(application->App().AnyFormVisible());
}

void State::ApplyHints() const {
  for (const FormWindow* form : forms) form->ApplyHints(showHints, hintColour);
}

void State::ActivateApp(ui::Application& app, bool active) {
  if (active == applicationActive) return;
  applicationActive = active;
  if (active) app.Activated();
}

UINT_PTR State::SetTimer(HWND hwnd, UINT_PTR id, unsigned interval) {
  if (failNextSetTimer) {
    failNextSetTimer = false;
    return 0;
  }
  return ::SetTimer(hwnd, id, interval, nullptr);
}

Win32Backend::Win32Backend(HINSTANCE instance) : state_(std::make_unique<State>()) {
  state_->instance = instance;
}

Win32Backend::~Win32Backend() = default;

void Win32Backend::FailNextSetTimer() { state_->failNextSetTimer = true; }

std::unique_ptr<ui::ApplicationPeer> Win32Backend::CreateApplication(ui::Application& application) {
  return std::make_unique<ApplicationWindow>(*state_, application);
}

void Win32Backend::CreateWindows(ui::Form& form) {
  // Everything is made first and attached only when all of it worked: a failure (no timer
  // left) leaves no window behind.
  auto window = std::make_unique<FormWindow>(*state_, form);
  const FormContext context = window->Context();
  std::vector<std::pair<ui::Component*, std::unique_ptr<ui::Peer>>> peers;
  for (ui::Control* control : form.controls) {
    std::unique_ptr<ui::Peer> peer;
    if (auto* picture = dynamic_cast<ui::Picture*>(control)) {
      peer = std::make_unique<PictureWindow>(context, *picture);
    } else if (auto* label = dynamic_cast<ui::Label*>(control)) {
      peer = std::make_unique<LabelWindow>(context, *label, ToColorRef(form.colour));
    } else if (auto* panel = dynamic_cast<ui::Panel*>(control)) {
      peer = std::make_unique<PanelWindow>(context, *panel);
    } else if (auto* toolBar = dynamic_cast<ui::ToolBar*>(control)) {
      peer = std::make_unique<ToolBarWindow>(context, *toolBar);
    }
    if (peer) peers.emplace_back(control, std::move(peer));
  }
  UINT_PTR timerId = kFirstTimerId;
  for (ui::Timer* timer : form.timers) {
    peers.emplace_back(timer,
                       std::make_unique<TimerPeer>(*state_, window->hwnd(), *timer, timerId++));
  }
  window->ApplyHints(state_->showHints, state_->hintColour);
  for (auto& [component, peer] : peers) component->Attach(std::move(peer));
  form.Attach(std::move(window));
}

}  // namespace tolva::platform::win32
