// The control layer on real windows: what a person sees of a form and its controls, and what
// real clicks, keys, timers and close requests do to the program's objects.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "app/main_form.h"
#include "app/program_state.h"
#include "app/splash_form.h"
#include "platform/exception.h"
#include "platform/ui/application.h"
#include "platform/win32/gdi.h"
#include "platform/win32/ui_backend.h"
#include "platform/win32/window_procedure.h"
#include "platform/win32/win32_platform.h"
#include "resources/resource_ids.h"
#include "tests/win/real_windows.h"
#include "tests/win/screen_picture.h"
#include "tests/win/tolva_process.h"

namespace tolva::platform::win32 {
namespace {

using tests::ClickAt;
using tests::PressKey;
using tests::ScreenPixel;
using tests::WindowText;

class RecordingDialogs final : public Dialogs {
 public:
  struct Box {
    std::string text, caption;
    unsigned type;
  };
  bool MessageBeep(unsigned) override { return true; }
  int MessageBoxA(WindowHandle, const char* text, const char* caption, unsigned type) override {
    if (failBoxes) throw std::bad_alloc();
    boxes.push_back({text, caption, type});
    return IdOk;
  }
  std::vector<Box> boxes;
  bool failBoxes = false;  // as when no memory is left for a box
};

struct Key {
  unsigned key;
  ui::KeyShift shift;
};

class TestForm : public ui::Form {
 public:
  explicit TestForm(ui::Application& application) : Form("TestForm", application) {
    SetCaption("Tolva backend test form");
    border = ui::BorderStyle::ToolWindow;
    minimiseBox = true;
    clientSize = {294, 127};
    colour = {0, 0, 255};
    keyPreview = true;
    picture.pictureResource = TOLVA_BITMAP_TOLVA;
    picture.SetBounds({25, 8, 32, 32});
    picture.SetHint("Picture hint");
    picture.cursor = ui::Cursor::HandPoint;
    label.SetCaption("Label text");
    label.SetBounds({60, 50, 120, 16});
    images.count = 11;
    images.bitmapResource = TOLVA_BITMAP_TOOLBAR;
    toolBar.images = &images;
    toolBar.colour = {163, 190, 220};
    toolBar.buttons = {&hide, &options, &exit};
    const struct {
      ui::ToolButton& button;
      const char* caption;
      const char* hint;
      int image;
    } buttons[] = {{hide, "&Hide", "Hide windows", 0},
                   {options, "&Options", "Set options", 6},
                   {exit, "E&xit", "Exit", 3}};
    for (const auto& b : buttons) {
      b.button.SetCaption(b.caption);
      b.button.SetHint(b.hint);
      b.button.SetImageIndex(b.image);
      b.button.OnClick = [this, &button = b.button] { clicked.push_back(&button); };
    }
    timer.SetEnabled(false);
    timer.SetInterval(30);
    timer.OnTimer = [this] {
      ++ticks;
      if (onTick) onTick();
    };
    controls = {&picture, &label, &toolBar};
    timers = {&timer};
    OnKeyDown = [this](unsigned key, ui::KeyShift shift) { keys.push_back({key, shift}); };
    OnClose = [this](ui::CloseAction& action) {
      ++closes;
      action = closeAction;
    };
  }

  HWND hwnd() const { return test_support::HwndOf(*this); }
  HWND ChildAt(std::size_t index) const { return test_support::NthChild(hwnd(), index); }
  HWND ToolBarHwnd() const { return FindWindowExA(hwnd(), nullptr, TOOLBARCLASSNAMEA, nullptr); }

  ui::Picture picture{"Picture1"};
  ui::Label label{"Label1"};
  ui::ImageList images{"ImageList1"};
  ui::ToolButton hide{"HideButton"}, options{"OptionsButton"}, exit{"ExitButton"};
  ui::ToolBar toolBar{"ToolBar1"};
  ui::Timer timer{"Timer1"};

  std::vector<ui::ToolButton*> clicked;
  std::vector<Key> keys;
  int ticks = 0;
  std::function<void()> onTick;
  int closes = 0;
  ui::CloseAction closeAction = ui::CloseAction::Hide;
  std::function<bool(ui::Message&)> onMessage;

  bool HandleMessage(ui::Message& message) override { return onMessage && onMessage(message); }
};

constexpr int kFirstButton = 1000;  // the command id of a tool bar's first button

// The system's timers, of which the next one can be made to fail as it does when the system
// has none left; every window a timer was started or stopped on is noted.
class TestTimers final : public Timers {
 public:
  bool Start(HWND window, UINT_PTR id, UINT milliseconds) override {
    windows.push_back(window);
    if (std::exchange(failNext, false)) return false;
    return system_.Start(window, id, milliseconds);
  }
  void Stop(HWND window, UINT_PTR id) override {
    windows.push_back(window);
    system_.Stop(window, id);
  }
  bool failNext = false;
  std::vector<HWND> windows;

 private:
  SystemTimers system_;
};

// The test's timers come before the backend that runs on them.
struct WithTestTimers {
  TestTimers timers;
};

class Win32BackendTest : protected WithTestTimers,
                         public test_support::RealFormTest<TestForm, RecordingDialogs> {
 protected:
  Win32BackendTest() : RealFormTest("Tolva backend test application", &timers) {}

  static void ClickButton(HWND toolBar, int index) {
    RECT r{};
    SendMessageA(toolBar, TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    MapWindowPoints(toolBar, nullptr, reinterpret_cast<POINT*>(&r), 2);
    ClickAt(tests::Centre(r));
  }
};

BOOL CALLBACK CollectTooltips(HWND hwnd, LPARAM context) {
  if (lstrcmpiA(tests::ClassOf(hwnd).c_str(), TOOLTIPS_CLASSA) == 0) {
    reinterpret_cast<std::vector<HWND>*>(context)->push_back(hwnd);
  }
  return TRUE;
}

// The colour a window paints its background with, which shows where no control covers it.
COLORREF ErasedColour(HWND window) {
  const WindowDc screen(nullptr);
  const MemoryDc dc(screen.get());
  const Bitmap pixel(CreateCompatibleBitmap(screen.get(), 1, 1));
  const Selection selected(dc.get(), pixel.get());
  SendMessageA(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.get()), 0);
  return GetPixel(dc.get(), 0, 0);
}

// The real windows of the program's own forms among them.
TEST_F(Win32BackendTest, FormWindowHasTheLookOfItsForm) {
  Win32Platform system;
  const Platform& real = system.get();
  Platform quiet{real.windows, real.systemParameters, real.profile, real.process, real.locale,
                 real.clock,   dialogs,               real.fileDialogs, real.shell, real.sound,
                 real.help,    real.kernel,           real.icons,       real.files};
  app::ProgramState state;
  using Make = std::function<std::unique_ptr<ui::Form>(ui::Application&)>;
  const auto testForm = [](ui::BorderStyle border, bool minimiseBox) -> Make {
    return [=](ui::Application& application) -> std::unique_ptr<ui::Form> {
      auto made = std::make_unique<TestForm>(application);
      made->border = border;
      made->minimiseBox = minimiseBox;
      made->clientSize = {200 + static_cast<int>(border) * 10, 90};
      return made;
    };
  };
  constexpr DWORD kFrame = WS_CAPTION | WS_BORDER | WS_DLGFRAME | WS_THICKFRAME | WS_SYSMENU;
  constexpr COLORREF kBlue = RGB(0, 0, 255);
  const struct {
    const char* name;
    Make make;
    DWORD styleOn, styleOff, exOn, exOff;
    COLORREF background;
    std::vector<std::pair<POINT, COLORREF>> seen;  // client points on the screen
  } cases[] = {
      {"tool window", testForm(ui::BorderStyle::ToolWindow, true),
       WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, WS_THICKFRAME, WS_EX_TOOLWINDOW, 0, kBlue, {}},
      {"tool window without minimise box", testForm(ui::BorderStyle::ToolWindow, false),
       WS_CAPTION | WS_SYSMENU, WS_MINIMIZEBOX | WS_THICKFRAME, WS_EX_TOOLWINDOW, 0, kBlue, {}},
      {"dialog", testForm(ui::BorderStyle::Dialog, false), WS_CAPTION | WS_SYSMENU,
       WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME, WS_EX_DLGMODALFRAME, 0, kBlue, {}},
      {"no border", testForm(ui::BorderStyle::None, false), WS_POPUP, kFrame, 0,
       WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW, kBlue, {}},
      {"splash",
       [](ui::Application& application) -> std::unique_ptr<ui::Form> {
         return std::make_unique<app::TSplashFormReg>(application);
       },
       WS_POPUP, kFrame, 0, WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW, RGB(255, 128, 0), {}},
      {"main window",
       [&](ui::Application& application) -> std::unique_ptr<ui::Form> {
         return std::make_unique<app::TForm1>(application, quiet, state);
       },
       WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, WS_THICKFRAME | WS_MAXIMIZEBOX, WS_EX_TOOLWINDOW,
       0, kBlue,
       // Beside the pictures, and in a flat button of the tool bar along the bottom.
       {{{5, 50}, kBlue}, {{4, 93}, RGB(163, 190, 220)}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ui::Application application(backend, dialogs);
    application.SetTitle("Look test");
    application.Initialize();
    const std::unique_ptr<ui::Form> other = c.make(application);
    application.CreateWindowOf(*other);
    const HWND hwnd = reinterpret_cast<HWND>(other->Handle());
    ASSERT_NE(hwnd, nullptr);
    const auto style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_EXSTYLE));
    EXPECT_EQ(style & c.styleOn, c.styleOn);
    EXPECT_EQ(style & c.styleOff, 0);
    EXPECT_EQ(exStyle & c.exOn, c.exOn);
    EXPECT_EQ(exStyle & c.exOff, 0);
    EXPECT_EQ(exStyle & WS_EX_APPWINDOW, 0) << "forms have no taskbar button of their own";
    EXPECT_EQ(GetWindow(hwnd, GW_OWNER), reinterpret_cast<HWND>(application.Handle()));
    EXPECT_EQ(WindowText(hwnd), other->Caption());
    RECT client{};
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right, other->clientSize.width);
    EXPECT_EQ(client.bottom, other->clientSize.height);
    RECT frame{};
    GetWindowRect(hwnd, &frame);
    EXPECT_LE(std::abs((frame.left + frame.right) / 2 - GetSystemMetrics(SM_CXSCREEN) / 2), 1);
    EXPECT_LE(std::abs((frame.top + frame.bottom) / 2 - GetSystemMetrics(SM_CYSCREEN) / 2), 1);
    EXPECT_EQ(ErasedColour(hwnd), c.background);
    if (!c.seen.empty()) {
      SetCursorPos(0, 0);  // no button is hot under the mouse
      other->Show();
      Activate(hwnd);
      other->Repaint();
      for (const auto& [point, colour] : c.seen) {
        EXPECT_EQ(ScreenPixel(hwnd, point), colour) << point.x << "," << point.y;
      }
    }
    other->SetCaption("Renamed");
    EXPECT_EQ(WindowText(hwnd), "Renamed");
    application.DestroyWindows();
  }
}

TEST_F(Win32BackendTest, PictureTakesTheSizeOfItsResourceAndAnswersClicks) {
  const struct {
    ui::Picture::Kind kind;
    const char* resource;
    ui::Size expected;  // {10, 10}: the size it was given, nothing loaded
  } cases[] = {
      {ui::Picture::Kind::Bitmap, TOLVA_BITMAP_TOLVA, {32, 32}},
      {ui::Picture::Kind::Bitmap, TOLVA_BITMAP_TOLVA_NAME, {209, 30}},
      {ui::Picture::Kind::Jpeg, TOLVA_JPEG_SPLASH, {480, 320}},
      {ui::Picture::Kind::Bitmap, "NO_SUCH_BITMAP", {10, 10}},
      {ui::Picture::Kind::Jpeg, "NO_SUCH_JPEG", {10, 10}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.resource);
    ui::Application application(backend, dialogs);
    auto f = std::make_unique<TestForm>(application);
    f->clientSize = {500, 400};
    f->picture.kind = c.kind;
    f->picture.pictureResource = c.resource;
    f->picture.autoSize = true;
    f->picture.SetBounds({5, 6, 10, 10});
    int clicks = 0;
    f->picture.OnClick = [&] { ++clicks; };
    application.CreateWindowOf(*f);
    f->Show();
    const HWND picture = f->ChildAt(0);
    ASSERT_NE(picture, nullptr);
    RECT r{};
    GetWindowRect(picture, &r);
    MapWindowPoints(nullptr, f->hwnd(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 5);
    EXPECT_EQ(r.top, 6);
    EXPECT_EQ(r.right - r.left, c.expected.width);
    EXPECT_EQ(r.bottom - r.top, c.expected.height);
    EXPECT_EQ(f->picture.GetBounds(), (ui::Bounds{5, 6, c.expected.width, c.expected.height}));
    f->Repaint();  // painting a picture that is not there must not fail
    SetForegroundWindow(f->hwnd());
    POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ClientToScreen(f->hwnd(), &centre);
    ClickAt(centre);
    test_support::PumpUntil(application, [&] { return clicks > 0; });
    EXPECT_EQ(clicks, 1);
    // The hand cursor over a picture that asks for it.
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_HAND));
    application.DestroyWindows();
  }
}

TEST_F(Win32BackendTest, ToolBarShowsItsButtonsAlongTheBottomEdge) {
  TestForm& f = MakeForm();
  f.Show();
  const HWND bar = f.ToolBarHwnd();
  ASSERT_NE(bar, nullptr);
  ASSERT_EQ(SendMessageA(bar, TB_BUTTONCOUNT, 0, 0), 3);
  const struct {
    const char* caption;
    int image;
    int left;
  } expected[] = {{"&Hide", 0, 0}, {"&Options", 6, 49}, {"E&xit", 3, 98}};
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    char text[64] = "";
    SendMessageA(bar, TB_GETBUTTONTEXTA, kFirstButton + i, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, expected[i].caption);
    EXPECT_EQ(SendMessageA(bar, TB_GETBITMAP, kFirstButton + i, 0), expected[i].image);
    RECT r{};
    SendMessageA(bar, TB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(r.left, expected[i].left);
    EXPECT_EQ(r.right - r.left, 49);
    EXPECT_EQ(r.bottom - r.top, 36);
    EXPECT_GE(r.top, 0);
    EXPECT_LE(r.bottom, 38) << "inside the bar";
  }
  EXPECT_EQ(LOWORD(SendMessageA(bar, TB_GETBUTTONSIZE, 0, 0)), 49);
  EXPECT_EQ(HIWORD(SendMessageA(bar, TB_GETBUTTONSIZE, 0, 0)), 36);
  RECT client{}, barRect{};
  GetClientRect(f.hwnd(), &client);
  GetWindowRect(bar, &barRect);
  MapWindowPoints(nullptr, f.hwnd(), reinterpret_cast<POINT*>(&barRect), 2);
  EXPECT_EQ(barRect.bottom, client.bottom);
  EXPECT_EQ(barRect.left, 0);
  EXPECT_EQ(barRect.right, client.right);
  EXPECT_EQ(barRect.bottom - barRect.top, 38);
  EXPECT_NE(GetWindowLongA(bar, GWL_STYLE) & TBSTYLE_FLAT, 0);
  const auto images = reinterpret_cast<HIMAGELIST>(SendMessageA(bar, TB_GETIMAGELIST, 0, 0));
  ASSERT_NE(images, nullptr);
  int width = 0, height = 0;
  ImageList_GetIconSize(images, &width, &height);
  EXPECT_EQ(width, 16);
  EXPECT_EQ(height, 16);
  // The strip gives as many images as it is wide; without the program's resources, none.
  const bool stripThere = FindResourceA(GetModuleHandleA(nullptr), TOLVA_BITMAP_TOOLBAR,
                                        RT_BITMAP) != nullptr;
  EXPECT_EQ(ImageList_GetImageCount(images), stripThere ? 11 : 0);
}

TEST_F(Win32BackendTest, RealClicksRunTheHandlersOfEnabledButtonsOnly) {
  TestForm& f = MakeForm();
  f.Show();
  Activate(f.hwnd());
  const HWND bar = f.ToolBarHwnd();
  const struct {
    int index;
    bool enabled;
    ui::ToolButton* expected;
  } cases[] = {{0, true, &f.hide}, {1, false, nullptr}, {1, true, &f.options}, {2, true, &f.exit}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.index);
    ui::ToolButton& button = *f.toolBar.buttons[static_cast<std::size_t>(c.index)];
    button.SetEnabled(c.enabled);
    EXPECT_EQ(SendMessageA(bar, TB_ISBUTTONENABLED, kFirstButton + c.index, 0) != 0, c.enabled);
    f.clicked.clear();
    ClickButton(bar, c.index);
    if (c.expected != nullptr) {
      ASSERT_TRUE(PumpUntil([&] { return !f.clicked.empty(); }));
      EXPECT_EQ(f.clicked, std::vector<ui::ToolButton*>{c.expected});
    } else {
      Pump(300);
      EXPECT_TRUE(f.clicked.empty());
    }
  }
}

TEST_F(Win32BackendTest, ChangedButtonStateShowsOnTheRealButton) {
  TestForm& f = MakeForm();
  const HWND bar = f.ToolBarHwnd();
  f.hide.SetCaption("&Show");
  f.hide.SetImageIndex(7);
  f.exit.SetEnabled(false);
  f.options.SetVisible(false);
  const struct {
    int id;
    const char* caption;
    int image;
    bool enabled, hidden;
  } expected[] = {{kFirstButton, "&Show", 7, true, false},
                  {kFirstButton + 1, "&Options", 6, true, true},
                  {kFirstButton + 2, "E&xit", 3, false, false}};
  for (const auto& e : expected) {
    SCOPED_TRACE(e.caption);
    char text[64] = "";
    SendMessageA(bar, TB_GETBUTTONTEXTA, static_cast<WPARAM>(e.id), reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, e.caption);
    EXPECT_EQ(SendMessageA(bar, TB_GETBITMAP, static_cast<WPARAM>(e.id), 0), e.image);
    EXPECT_EQ(SendMessageA(bar, TB_ISBUTTONENABLED, static_cast<WPARAM>(e.id), 0) != 0, e.enabled);
    EXPECT_EQ(SendMessageA(bar, TB_ISBUTTONHIDDEN, static_cast<WPARAM>(e.id), 0) != 0, e.hidden);
  }
  // The button keeps its pinned size with a new caption.
  RECT r{};
  SendMessageA(bar, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
  EXPECT_EQ(r.right - r.left, 49);
}

TEST_F(Win32BackendTest, AltAcceleratorRunsTheButtonWhoseLetterIsUnderlined) {
  TestForm& f = MakeForm();
  f.Show();
  Activate(f.hwnd());
  PressKey('X', {VK_MENU});
  ASSERT_TRUE(PumpUntil([&] { return !f.clicked.empty(); }));
  EXPECT_EQ(f.clicked, std::vector<ui::ToolButton*>{&f.exit});
  f.exit.SetEnabled(false);
  f.clicked.clear();
  PressKey('X', {VK_MENU});
  Pump(300);
  EXPECT_TRUE(f.clicked.empty());
}

TEST_F(Win32BackendTest, TimerTicksThroughTheMessageLoopWhileEnabled) {
  TestForm& f = MakeForm();
  Pump(100);
  EXPECT_EQ(f.ticks, 0) << "created disabled";
  f.timer.SetEnabled(true);
  ASSERT_TRUE(PumpUntil([&] { return f.ticks >= 3; }));
  f.timer.SetEnabled(false);
  const int stopped = f.ticks;
  Pump(200);
  EXPECT_EQ(f.ticks, stopped);
  // A long interval set while running replaces the short one at once.
  f.timer.SetEnabled(true);
  f.timer.SetInterval(5000);
  const int before = f.ticks;
  Pump(300);
  EXPECT_EQ(f.ticks, before);
}

TEST_F(Win32BackendTest, ExceptionFromAClickReachesTheApplicationAndTheProgramGoesOn) {
  TestForm& f = MakeForm();
  f.Show();
  Activate(f.hwnd());
  f.hide.OnClick = [] { throw Exception("Click failed"); };
  ClickButton(f.ToolBarHwnd(), 0);
  ASSERT_TRUE(PumpUntil([&] { return !exceptions.empty(); }));
  EXPECT_EQ(exceptions, std::vector<std::string>{"Click failed"});
  ClickButton(f.ToolBarHwnd(), 1);
  ASSERT_TRUE(PumpUntil([&] { return !f.clicked.empty(); }));
  EXPECT_EQ(f.clicked, std::vector<ui::ToolButton*>{&f.options});
  EXPECT_TRUE(f.Visible());
  EXPECT_FALSE(app.Terminated());
}

// Whatever a message's handling lets through, and whatever its report throws in turn, stays in
// the window procedure: an exception cannot unwind through user32, the process would end.
TEST_F(Win32BackendTest, NothingThrownWhileHandlingAMessageLeavesTheWindowProcedure) {
  constexpr UINT kFailing = WM_APP + 7;
  const struct {
    const char* name;
    std::function<void()> raise;
    bool reportFails;  // the exception handler, then the error box, as with no memory left
    std::vector<std::string> reported;
  } cases[] = {
      {"not a standard exception", [] { throw 42; }, false, {"Unknown error"}},
      {"the report fails too", [] { throw std::runtime_error("Handler failed"); }, true, {}},
  };
  TestForm& f = MakeForm();
  const auto record = app.OnException;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    exceptions.clear();
    dialogs.failBoxes = c.reportFails;
    if (c.reportFails) app.OnException = [](const std::exception&) { throw std::bad_alloc(); };
    f.onMessage = [&](ui::Message& message) {
      if (message.id == kFailing) c.raise();
      return false;
    };
    EXPECT_EQ(SendMessageA(f.hwnd(), kFailing, 0, 0), 0);
    EXPECT_EQ(exceptions, c.reported);
    dialogs.failBoxes = false;
    app.OnException = record;
    // The window goes on answering.
    const int closes = f.closes;
    SendMessageA(f.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(f.closes, closes + 1);
  }
}

// Once a form's window has gone, the peers of its controls never use the handles of the
// windows that went with it, whatever then happens to the controls: the system may give those
// handles to other windows. A call with a handle that names no window fails with
// ERROR_INVALID_WINDOW_HANDLE, so no step here may leave that error behind.
TEST_F(Win32BackendTest, ControlsOfAGoneWindowLeaveItsHandlesAlone) {
  // The panel is no member of the form, and outlives it.
  std::optional<ui::Panel> panel(std::in_place, "Panel1");
  panel->SetBounds({200, 10, 60, 30});
  holder = std::make_unique<TestForm>(app);
  form = holder.get();
  TestForm& f = *form;
  f.controls.push_back(&*panel);
  app.CreateWindowOf(f);
  f.timer.SetEnabled(true);
  f.Show();
  const HWND oldForm = f.hwnd();
  app.DestroyWindowOf(f);
  timers.windows.clear();
  const struct {
    const char* name;
    std::function<void()> step;
    bool oldHandleUsed;
  } steps[] = {
      {"the check itself: a question about the old handle", [&] { IsWindow(oldForm); }, true},
      {"label", [&] {
         f.label.SetCaption("New text");
         f.label.SetBounds({1, 2, 3, 4});
         f.label.SetVisible(false);
         f.label.SetEnabled(false);
       }, false},
      {"picture", [&] {
         f.picture.SetBounds({1, 2, 3, 4});
         f.picture.SetVisible(false);
       }, false},
      {"panel", [&] { panel->SetCaption("Panel"); }, false},
      {"tool bar and buttons", [&] {
         f.toolBar.SetEnabled(false);
         f.hide.SetCaption("&Show");
         f.hide.SetImageIndex(7);
         f.options.SetVisible(false);
         f.exit.SetEnabled(false);
       }, false},
      {"timer", [&] {
         f.timer.SetInterval(50);
         f.timer.SetEnabled(false);
         f.timer.SetEnabled(true);
       }, false},
      {"hints", [&] {
         app.SetHintColour({0, 255, 0});
         app.SetShowHint(false);
       }, false},
      {"the form and its controls go", [&] {
         holder.reset();
         form = nullptr;
       }, false},
      {"the panel goes after them", [&] { panel.reset(); }, false},
  };
  for (const auto& s : steps) {
    SCOPED_TRACE(s.name);
    SetLastError(ERROR_SUCCESS);
    s.step();
    EXPECT_EQ(GetLastError() == ERROR_INVALID_WINDOW_HANDLE, s.oldHandleUsed);
  }
  EXPECT_TRUE(timers.windows.empty()) << "a timer started or stopped on a window that has gone";
}

TEST_F(Win32BackendTest, TimerOrClassThatCannotBeHadFailsTheCreationAndLeavesNoWindow) {
  timers.failNext = true;
  holder = std::make_unique<TestForm>(app);
  holder->SetCaption("Tolva no timer form");
  holder->timer.SetEnabled(true);
  try {
    app.CreateWindowOf(*holder);
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "Not enough timers available");
  }
  EXPECT_EQ(holder->Handle(), NullWindow);
  EXPECT_EQ(FindWindowA(nullptr, "Tolva no timer form"), nullptr);
  // Enabling a timer later fails the same way, in the code that enables it.
  holder->timer.SetEnabled(false);
  app.CreateWindowOf(*holder);
  timers.failNext = true;
  EXPECT_THROW(holder->timer.SetEnabled(true), Exception);

  // A class that cannot be registered (a name longer than the 255 characters Windows keeps)
  // fails with its name, rather than leaving every later window of it uncreated and unsaid.
  const std::string tooLong(256, 'x');
  try {
    platform::win32::RegisterWindowClass(GetModuleHandleA(nullptr), tooLong.c_str(), 0);
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.what(), ui::WindowClassFailedText + tooLong);
  }
}

TEST_F(Win32BackendTest, ModalFormRunsUntilEndModalWithTheOtherFormsDisabled) {
  TestForm& main = MakeForm();
  main.Show();
  auto dialog = std::make_unique<TestForm>(app);
  dialog->SetCaption("Tolva modal dialog");
  app.CreateWindowOf(*dialog);
  bool mainDisabledMeanwhile = false, dialogVisibleMeanwhile = false;
  dialog->onTick = [&] {
    if (dialog->ticks < 2) return;
    mainDisabledMeanwhile = !IsWindowEnabled(main.hwnd());
    dialogVisibleMeanwhile = dialog->Visible();
    dialog->EndModal(1);
  };
  dialog->timer.SetEnabled(true);
  EXPECT_EQ(dialog->ShowModal(), 1);
  EXPECT_TRUE(mainDisabledMeanwhile);
  EXPECT_TRUE(dialogVisibleMeanwhile);
  EXPECT_TRUE(IsWindowEnabled(main.hwnd()));
  EXPECT_FALSE(dialog->Visible());

  // A close request on a modal form cancels it.
  dialog->onTick = [&] { PostMessageA(dialog->hwnd(), WM_CLOSE, 0, 0); };
  EXPECT_EQ(dialog->ShowModal(), IdCancel);
  dialog->timer.SetEnabled(false);

  dialog->Show();
  try {
    dialog->ShowModal();
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "Cannot make a visible window modal");
  }
  app.DestroyWindowOf(*dialog);
}

TEST_F(Win32BackendTest, CloseRequestAsksTheCloseHandler) {
  const struct {
    bool main;
    ui::CloseAction action;
    bool visibleAfter, terminated;
  } cases[] = {
      {true, ui::CloseAction::None, true, false},
      {false, ui::CloseAction::None, true, false},
      {false, ui::CloseAction::Hide, false, false},
      {true, ui::CloseAction::Free, true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.main << " " << static_cast<int>(c.action));
    ui::Application application(backend, dialogs);
    std::unique_ptr<TestForm> mainForm, otherForm;
    TestForm *mainRef = nullptr, *otherRef = nullptr;
    application.CreateForm(mainForm, mainRef);
    application.CreateForm(otherForm, otherRef);
    TestForm& target = c.main ? *mainForm : *otherForm;
    target.closeAction = c.action;
    target.Show();
    SendMessageA(target.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(target.closes, 1);
    EXPECT_EQ(target.Visible(), c.visibleAfter);
    EXPECT_EQ(application.Terminated(), c.terminated);
    application.DestroyWindows();
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
  }
}

TEST_F(Win32BackendTest, KeyPreviewSeesKeysBeforeTheFocusedToolBar) {
  TestForm& f = MakeForm();
  f.Show();
  Activate(f.hwnd());
  SetFocus(f.ToolBarHwnd());
  ASSERT_EQ(GetFocus(), f.ToolBarHwnd());
  const struct {
    std::vector<WORD> modifiers;  // held while K is pressed
    bool shift, alt, ctrl;
  } cases[] = {
      {{VK_CONTROL, VK_MENU, VK_SHIFT}, true, true, true},
      {{VK_CONTROL, VK_SHIFT}, true, false, true},
      {{VK_CONTROL, VK_MENU}, false, true, true},
      {{}, false, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.modifiers.size());
    f.keys.clear();
    PressKey('K', c.modifiers);
    ASSERT_TRUE(PumpUntil([&] {
      return std::any_of(f.keys.begin(), f.keys.end(), [](const Key& k) { return k.key == 'K'; });
    }));
    const auto k =
        std::find_if(f.keys.begin(), f.keys.end(), [](const Key& key) { return key.key == 'K'; });
    EXPECT_EQ(k->shift.shift, c.shift);
    EXPECT_EQ(k->shift.alt, c.alt);
    EXPECT_EQ(k->shift.ctrl, c.ctrl);
    EXPECT_EQ(GetFocus(), f.ToolBarHwnd());
    Pump(50);
  }
  f.keyPreview = false;
  f.keys.clear();
  PressKey('K');
  Pump(200);
  EXPECT_TRUE(f.keys.empty());
}

TEST_F(Win32BackendTest, ApplicationWindowCarriesTheTitleAndTheTaskbarButton) {
  app.Initialize();
  const HWND appWindow = reinterpret_cast<HWND>(app.Handle());
  ASSERT_NE(appWindow, nullptr);
  EXPECT_EQ(WindowText(appWindow), "Tolva backend test application");
  EXPECT_EQ(FindWindowA(nullptr, "Tolva backend test application"), appWindow);
  app.SetTitle("");
  EXPECT_EQ(WindowText(appWindow), "");
  EXPECT_EQ(FindWindowA(nullptr, "Tolva backend test application"), nullptr);

  TestForm& first = MakeForm();
  auto second = std::make_unique<TestForm>(app);
  app.CreateWindowOf(*second);
  const struct {
    std::function<void()> step;
    bool taskbarButton;
  } steps[] = {
      {[] {}, false},
      {[&] { first.Show(); }, true},
      {[&] { second->Show(); }, true},
      {[&] { first.Hide(); }, true},
      {[&] { second->Hide(); }, false},
      {[&] { second->Show(ui::WindowState::Minimized); }, true},
      {[&] { app.DestroyWindowOf(*second); }, false},
  };
  for (std::size_t i = 0; i < std::size(steps); ++i) {
    SCOPED_TRACE(i);
    steps[i].step();
    EXPECT_EQ(IsWindowVisible(appWindow) != FALSE, steps[i].taskbarButton);
  }
}

TEST_F(Win32BackendTest, ProgramBecomingActiveIsReportedOnce) {
  int activations = 0;
  app.OnActivate = [&] { ++activations; };
  TestForm& first = MakeForm();
  auto second = std::make_unique<TestForm>(app);
  app.CreateWindowOf(*second);
  first.Show();
  second->Show();
  // Every top-level window of the program hears WM_ACTIVATEAPP; moving between them is no
  // activation of the program.
  for (HWND hwnd : {first.hwnd(), second->hwnd(), first.hwnd()}) Activate(hwnd);
  EXPECT_EQ(GetForegroundWindow(), first.hwnd());
  EXPECT_EQ(activations, 1);
}

// A setting change broadcast to every top-level window reaches the application with the area it
// names, none when it names none, also while no form is shown.
TEST_F(Win32BackendTest, SettingChangeBroadcastsReachTheApplicationWithTheirArea) {
  std::vector<std::string> areas;
  app.OnSettingChange = [&](const std::string& area) { areas.push_back(area); };
  MakeForm();
  // As the regional settings' control panel announces a change: from another thread, in
  // Unicode, to every window. (Wine 8 hands a window of the sending thread itself a broken
  // pointer for this message when it is sent in ANSI; the program never sends it.)
  static const wchar_t intl[] = L"intl";
  std::atomic<bool> sent = false;
  std::thread sender([&] {
    for (LPARAM area : {reinterpret_cast<LPARAM>(intl), LPARAM{0}}) {
      DWORD_PTR answer = 0;
      SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0, area, SMTO_ABORTIFHUNG, 3000, &answer);
    }
    sent = true;
  });
  PumpUntil([&] { return sent.load(); });
  sender.join();
  EXPECT_EQ(areas, (std::vector<std::string>{"intl", ""}));
}

TEST_F(Win32BackendTest, MinimisedFormComesBackWithRestore) {
  TestForm& f = MakeForm();
  f.Show(ui::WindowState::Minimized);
  EXPECT_TRUE(IsIconic(f.hwnd()));
  EXPECT_TRUE(app.IsMinimized());
  // Also when it was hidden while minimised.
  f.Hide();
  app.Restore();
  EXPECT_FALSE(app.IsMinimized());
  EXPECT_TRUE(f.Visible());
  EXPECT_FALSE(IsIconic(f.hwnd()));
}

TEST_F(Win32BackendTest, HintSwitchAndColourReachEveryTooltip) {
  TestForm& f = MakeForm();
  const HWND barTip = reinterpret_cast<HWND>(SendMessageA(f.ToolBarHwnd(), TB_GETTOOLTIPS, 0, 0));
  ASSERT_NE(barTip, nullptr);
  EXPECT_EQ(static_cast<COLORREF>(SendMessageA(barTip, TTM_GETTIPBKCOLOR, 0, 0)),
            GetSysColor(COLOR_INFOBK));
  app.SetHintColour({0, 255, 0});
  EXPECT_EQ(static_cast<COLORREF>(SendMessageA(barTip, TTM_GETTIPBKCOLOR, 0, 0)), RGB(0, 255, 0));
  std::vector<HWND> tips;
  EnumThreadWindows(GetCurrentThreadId(), CollectTooltips, reinterpret_cast<LPARAM>(&tips));
  ASSERT_EQ(tips.size(), 2u) << "the form's and the tool bar's";
  for (HWND tip : tips) {
    EXPECT_EQ(static_cast<COLORREF>(SendMessageA(tip, TTM_GETTIPBKCOLOR, 0, 0)), RGB(0, 255, 0));
  }
  const HWND formTip = tips[0] == barTip ? tips[1] : tips[0];
  EXPECT_EQ(SendMessageA(formTip, TTM_GETTOOLCOUNT, 0, 0), 3) << "the picture, label and tool bar";

  // What a person sees: the picture's tip comes up under the mouse while hints are on.
  f.Show();
  Activate(f.hwnd());
  POINT over{40, 24};
  ClientToScreen(f.hwnd(), &over);
  const auto hover = [&] {
    SetCursorPos(over.x + 40, over.y + 40);
    Pump(100);
    SetCursorPos(over.x, over.y);
    INPUT move{};
    move.type = INPUT_MOUSE;
    move.mi.dwFlags = MOUSEEVENTF_MOVE;
    SendInput(1, &move, sizeof move);
  };
  hover();
  EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(formTip) != FALSE; }));
  char text[80] = "";
  TTTOOLINFOA tool{};
  tool.cbSize = sizeof tool;
  tool.lpszText = text;
  SendMessageA(formTip, TTM_GETCURRENTTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  EXPECT_EQ(reinterpret_cast<HWND>(tool.uId), f.ChildAt(0));
  app.SetShowHint(false);
  hover();
  Pump(1500);
  EXPECT_FALSE(IsWindowVisible(formTip));
}

}  // namespace
}  // namespace tolva::platform::win32
