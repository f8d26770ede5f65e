// The dialogs' controls on real windows: their state as the real controls show it, real clicks
// and keys against the rules of the controls, their colours on the screen, and the standard
// file chooser worked from a script.
#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/ui/application.h"
#include "platform/ui/dialog_controls.h"
#include "platform/win32/gdi.h"
#include "platform/win32/scaled_bitmap.h"
#include "platform/win32/ui_backend.h"
#include "tests/win/real_windows.h"
#include "platform/win32/win32_platform.h"
#include "resources/resource_ids.h"
#include "tests/win/tolva_process.h"

namespace tolva::platform::win32 {
namespace {

using tests::ClassOf;
using tests::ClickAt;
using tests::PressKey;
using tests::WindowText;

class Items final : public ui::CheckList {
 public:
  std::size_t Count() const override { return entries.size(); }
  std::string Text(std::size_t index) const override { return entries.at(index).first; }
  bool Checked(std::size_t index) const override { return entries.at(index).second; }
  void SetChecked(std::size_t index, bool checked) override { entries.at(index).second = checked; }
  std::vector<std::pair<std::string, bool>> entries;
};

constexpr COLORREF kYellow = RGB(255, 255, 0), kListColour = RGB(233, 201, 22),
                   kBlue = RGB(0, 0, 255), kLime = RGB(0, 255, 0);

class DialogForm : public ui::Form {
 public:
  explicit DialogForm(ui::Application& application) : Form("DialogForm", application) {
    SetCaption("Tolva dialog controls test form");
    clientSize = {400, 300};
    checkBox.SetCaption("Show Hidden Windows On Exit");
    checkBox.SetBounds({10, 10, 200, 17});
    checkBox.OnClick = [this] { ++checkBoxClicks; };
    okButton.SetCaption("OK");
    okButton.isDefault = true;
    okButton.SetBounds({300, 10, 75, 25});
    okButton.OnClick = [this] { ++okClicks; };
    colouredButton.SetCaption("Coloured");
    colouredButton.captionColour = {0, 0, 255};
    colouredButton.SetBounds({300, 40, 75, 25});
    launchButton.SetCaption("Choose Launch Application");
    launchButton.glyphResource = TOLVA_BITMAP_LAUNCH_APP;
    launchButton.disabledGlyphResource = TOLVA_BITMAP_LAUNCH_APP_DISABLED;
    launchButton.captionColour = {0, 0, 255};
    launchButton.SetBounds({10, 60, 240, 28});
    launchButton.OnClick = [this] { ++launchClicks; };
    edit.readOnly = true;
    edit.colour = {255, 255, 0};
    edit.SetBounds({10, 32, 240, 21});
    items.entries = {{"Alpha", false}, {"Beta", true}, {"Gamma", false}};
    list.items = &items;
    list.colour = {233, 201, 22};
    list.SetBounds({10, 95, 255, 121});
    list.OnClickCheck = [this](std::size_t index) { toggled.push_back(index); };
    timePicker.colour = datePicker.colour = {0, 255, 0};
    timePicker.SetBounds({280, 100, 105, 21});
    datePicker.calendar = {{0, 0, 255}, {0, 0, 255}, {0, 0, 0}, {255, 255, 0}, {192, 192, 192}};
    datePicker.SetBounds({10, 225, 225, 21});
    hotKey.SetBounds({280, 130, 110, 21});
    controls = {&checkBox, &okButton, &colouredButton, &launchButton, &edit,
                &list,     &timePicker, &datePicker, &hotKey};
  }

  HWND hwnd() const { return reinterpret_cast<HWND>(Handle()); }
  // The window of a control, found at its place on the form.
  HWND WindowOf(const ui::Control& control) const {
    const ui::Bounds& b = control.GetBounds();
    return ChildWindowFromPointEx(hwnd(), {b.left + 2, b.top + 2}, CWP_SKIPINVISIBLE);
  }

  ui::CheckBox checkBox{"ShowExitBox"};
  ui::Button okButton{"OKBtn"}, colouredButton{"ColouredBtn"}, launchButton{"LaunchAppButton"};
  ui::Edit edit{"LaunchAppEdit"};
  Items items;
  ui::CheckListBox list{"WindowListBox"};
  ui::DateTimePicker timePicker{"TimePicker", ui::DateTimePicker::Kind::Time};
  ui::DateTimePicker datePicker{"DatePicker", ui::DateTimePicker::Kind::Date};
  ui::HotKey hotKey{"HotKeyControl"};

  int checkBoxClicks = 0, okClicks = 0, launchClicks = 0;
  std::vector<std::size_t> toggled;
};

// The pixels of a window as the screen shows them, top-down, as COLORREF values.
struct Capture {
  int width = 0, height = 0;
  std::vector<COLORREF> pixels;
  COLORREF At(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
  int Count(COLORREF colour) const {
    return static_cast<int>(std::count(pixels.begin(), pixels.end(), colour));
  }
};

Capture Pixels(HBITMAP bitmap) {
  const ui::Pixels pixels = platform::win32::PixelsOf(bitmap);
  Capture capture{pixels.width, pixels.height, {}};
  // ui::Pixels are 0x00RRGGBB; COLORREF is red in its low byte.
  for (const std::uint32_t p : pixels.data) capture.pixels.push_back(RGB(p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF));
  return capture;
}

Capture ScreenCapture(HWND window) {
  RECT r{};
  GetClientRect(window, &r);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  const HDC screen = GetDC(nullptr);
  const MemoryDc dc(screen);
  const Bitmap bitmap(CreateCompatibleBitmap(screen, r.right, r.bottom));
  {
    const Selection selected(dc.get(), bitmap.get());
    BitBlt(dc.get(), 0, 0, r.right, r.bottom, screen, origin.x, origin.y, SRCCOPY);
  }
  ReleaseDC(nullptr, screen);
  return Pixels(bitmap.get());
}

Capture ResourcePixels(const char* name) {
  const Bitmap bitmap(static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), name,
                                                      IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  return Pixels(bitmap.get());
}

// Whether the picture shows somewhere in the capture, its magenta pixels see-through.
bool Shows(const Capture& screen, const Capture& picture) {
  constexpr COLORREF kClear = RGB(255, 0, 255);
  for (int y = 0; y + picture.height <= screen.height; ++y) {
    for (int x = 0; x + picture.width <= screen.width; ++x) {
      bool same = true;
      for (int j = 0; j < picture.height && same; ++j) {
        for (int i = 0; i < picture.width && same; ++i) {
          const COLORREF p = picture.At(i, j);
          same = p == kClear || screen.At(x + i, y + j) == p;
        }
      }
      if (same) return true;
    }
  }
  return false;
}

POINT ScreenPoint(HWND window, POINT client) {
  ClientToScreen(window, &client);
  return client;
}

class DialogControlsTest : public test_support::RealFormTest<DialogForm> {
 protected:
  DialogControlsTest() { MakeForm(); }
};

LONG StyleOf(HWND window) { return GetWindowLongA(window, GWL_STYLE); }

TEST_F(DialogControlsTest, EachKindIsTheRealControlWithItsStyles) {
  DialogForm& f = *form;
  constexpr LONG kButtonType = BS_TYPEMASK;
  const struct {
    const char* name;
    const ui::Control& control;
    const char* windowClass;
    LONG mask, type;  // the style bits under the mask
    LONG on, off;
  } cases[] = {
      {"check box", f.checkBox, "Button", kButtonType, BS_CHECKBOX, WS_TABSTOP, 0},
      {"default button", f.okButton, "Button", kButtonType, BS_DEFPUSHBUTTON, WS_TABSTOP, 0},
      {"coloured caption", f.colouredButton, "Button", kButtonType, BS_OWNERDRAW, 0, 0},
      {"picture", f.launchButton, "Button", kButtonType, BS_OWNERDRAW, 0, 0},
      {"read-only edit", f.edit, "Edit", 0, 0, ES_READONLY | ES_AUTOHSCROLL, ES_MULTILINE},
      // Its scroll bar (and the style bit with it) comes only when the items need it.
      {"check list", f.list, "ListBox", 0, 0, LBS_OWNERDRAWFIXED | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
       LBS_HASSTRINGS | WS_VSCROLL},
      {"time", f.timePicker, DATETIMEPICK_CLASSA, DTS_TIMEFORMAT | DTS_LONGDATEFORMAT,
       DTS_TIMEFORMAT, DTS_UPDOWN, DTS_APPCANPARSE},
      {"date", f.datePicker, DATETIMEPICK_CLASSA, DTS_TIMEFORMAT | DTS_LONGDATEFORMAT,
       DTS_LONGDATEFORMAT, 0, DTS_APPCANPARSE | DTS_UPDOWN},
      {"hot key", f.hotKey, HOTKEY_CLASSA, 0, 0, WS_TABSTOP, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const HWND window = f.WindowOf(c.control);
    ASSERT_NE(window, nullptr);
    EXPECT_STRCASEEQ(ClassOf(window).c_str(), c.windowClass);
    const LONG style = StyleOf(window);
    EXPECT_EQ(style & c.mask, c.type);
    EXPECT_EQ(style & c.on, c.on);
    EXPECT_EQ(style & c.off, 0);
    EXPECT_EQ(GetParent(window), f.hwnd());
  }
  // Without a default button the form's first push button is a plain one.
  f.okButton.isDefault = false;
  app.DestroyWindowOf(f);
  app.CreateWindowOf(f);
  EXPECT_EQ(StyleOf(f.WindowOf(f.okButton)) & kButtonType, BS_PUSHBUTTON);
}

SYSTEMTIME PickerTime(HWND picker) {
  SYSTEMTIME t{};
  EXPECT_EQ(SendMessageA(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&t)), GDT_VALID);
  return t;
}

TEST_F(DialogControlsTest, StateSetByCodeShowsOnTheRealControls) {
  DialogForm& f = *form;
  const HWND check = f.WindowOf(f.checkBox), edit = f.WindowOf(f.edit), list = f.WindowOf(f.list);
  const HWND time = f.WindowOf(f.timePicker), date = f.WindowOf(f.datePicker);
  EXPECT_EQ(WindowText(check), "Show Hidden Windows On Exit");
  EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0), 13);
  const struct {
    const char* name;
    std::function<void()> step;
    std::function<void()> check;
  } steps[] = {
      {"tick", [&] { f.checkBox.SetChecked(true); },
       [&] { EXPECT_EQ(SendMessageA(check, BM_GETCHECK, 0, 0), BST_CHECKED); }},
      {"untick", [&] { f.checkBox.SetChecked(false); },
       [&] { EXPECT_EQ(SendMessageA(check, BM_GETCHECK, 0, 0), BST_UNCHECKED); }},
      {"edit text", [&] { f.edit.SetText("C:\\Tools\\launch.exe"); },
       [&] { EXPECT_EQ(WindowText(edit), "C:\\Tools\\launch.exe"); }},
      {"edit disabled", [&] { f.edit.SetEnabled(false); },
       [&] { EXPECT_FALSE(IsWindowEnabled(edit)); }},
      {"select an item, then more items", [&] {
         SendMessageA(list, LB_SETCURSEL, 1, 0);
         f.items.entries.emplace_back("Delta", false);
         f.list.ItemsChanged();
       }, [&] {
         EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 4);
         EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 1);
       }},
      {"fewer items than the selected one", [&] {
         f.items.entries.resize(1);
         f.list.ItemsChanged();
       }, [&] {
         EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 1);
         EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), LB_ERR);
       }},
      {"time", [&] { f.timePicker.SetValue({2024, 2, 4, 29, 13, 45, 30, 0}); }, [&] {
         const SYSTEMTIME t = PickerTime(time);
         EXPECT_EQ(t.wHour, 13);
         EXPECT_EQ(t.wMinute, 45);
         EXPECT_EQ(t.wSecond, 30);
       }},
      {"date", [&] { f.datePicker.SetValue({2024, 2, 4, 29, 0, 0, 0, 0}); }, [&] {
         const SYSTEMTIME t = PickerTime(date);
         EXPECT_EQ(t.wYear, 2024);
         EXPECT_EQ(t.wMonth, 2);
         EXPECT_EQ(t.wDay, 29);
       }},
      {"hot key", [&] { f.hotKey.SetValue(0x648); },
       [&] { EXPECT_EQ(SendMessageA(f.WindowOf(f.hotKey), HKM_GETHOTKEY, 0, 0), 0x648); }},
  };
  for (const auto& s : steps) {
    SCOPED_TRACE(s.name);
    s.step();
    s.check();
  }
  EXPECT_EQ(f.checkBoxClicks, 2) << "each change by code runs the handler once";
  const struct {
    int part;
    COLORREF colour;
  } calendar[] = {{MCSC_BACKGROUND, kBlue}, {MCSC_TITLEBK, kBlue}, {MCSC_TEXT, RGB(0, 0, 0)},
                  {MCSC_MONTHBK, kYellow}, {MCSC_TRAILINGTEXT, RGB(192, 192, 192)}};
  for (const auto& c : calendar) {
    SCOPED_TRACE(c.part);
    EXPECT_EQ(static_cast<COLORREF>(SendMessageA(date, DTM_GETMCCOLOR, c.part, 0)), c.colour);
  }
}

TEST_F(DialogControlsTest, RealClicksAndKeysRunTheHandlersAsTheControlsSay) {
  DialogForm& f = *form;
  ShowActive();
  const HWND check = f.WindowOf(f.checkBox), list = f.WindowOf(f.list);
  const auto centre = [&](const ui::Control& control) {
    RECT r{};
    const HWND window = f.WindowOf(control);
    GetClientRect(window, &r);
    return ScreenPoint(window, {r.right / 2, r.bottom / 2});
  };
  // Items are 13 pixels high: the middle of item i, on its box or on its text.
  const auto onBox = [&](int item) { return ScreenPoint(list, {8, 13 * item + 6}); };
  const auto onText = [&](int item) { return ScreenPoint(list, {80, 13 * item + 6}); };
  const auto state = [&] {
    std::string ticks;
    for (const auto& entry : f.items.entries) ticks += entry.second ? 'x' : '-';
    return std::to_string(f.checkBoxClicks) + (f.checkBox.Checked() ? "x " : "- ") +
           std::to_string(f.okClicks) + " " + std::to_string(f.launchClicks) + " " + ticks;
  };
  const struct {
    const char* name;
    std::function<void()> act;
    std::string after;  // check box clicks and tick, OK clicks, launch clicks, the list's ticks
  } steps[] = {
      {"click the check box", [&] { ClickAt(centre(f.checkBox)); }, "1x 0 0 -x-"},
      {"click it again", [&] { ClickAt(centre(f.checkBox)); }, "2- 0 0 -x-"},
      {"set by code to its state", [&] { f.checkBox.SetChecked(false); }, "2- 0 0 -x-"},
      {"space bar on the focused box", [&] { PressKey(VK_SPACE); }, "3x 0 0 -x-"},
      {"click the default button", [&] { ClickAt(centre(f.okButton)); }, "3x 1 0 -x-"},
      {"click the picture button", [&] { ClickAt(centre(f.launchButton)); }, "3x 1 1 -x-"},
      {"click it while disabled", [&] {
         f.launchButton.SetEnabled(false);
         ClickAt(centre(f.launchButton));
       }, "3x 1 1 -x-"},
      {"click an item's box", [&] { ClickAt(onBox(0)); }, "3x 1 1 xx-"},
      {"click the box of a ticked item", [&] { ClickAt(onBox(1)); }, "3x 1 1 x--"},
      {"click an item's text", [&] { ClickAt(onText(2)); }, "3x 1 1 x--"},
      {"space bar on the selected item", [&] { PressKey(VK_SPACE); }, "3x 1 1 x-x"},
      {"double click an item's text", [&] {
         ClickAt(onText(0));
         ClickAt(onText(0));
       }, "3x 1 1 --x"},
      {"click below the last item", [&] { ClickAt(ScreenPoint(list, {8, 13 * 5 + 6})); },
       "3x 1 1 --x"},
  };
  for (const auto& s : steps) {
    SCOPED_TRACE(s.name);
    s.act();
    PumpUntil([&] { return state() == s.after; }, 1000);
    Pump(100);  // nothing more comes
    EXPECT_EQ(state(), s.after);
  }
  EXPECT_EQ(f.toggled, (std::vector<std::size_t>{0, 1, 2, 0}));
  EXPECT_EQ(SendMessageA(check, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 0) << "the selection stays as items redraw";
  EXPECT_TRUE(exceptions.empty());
}

TEST_F(DialogControlsTest, UserChangingAPickerOrTheHotKeyGivesItsControlTheNewValue) {
  DialogForm& f = *form;
  f.timePicker.SetValue({2024, 2, 4, 29, 13, 45, 30, 0});
  ShowActive();
  // A click on the hour chooses that field; the up arrow key raises it.
  const HWND picker = f.WindowOf(f.timePicker);
  RECT r{};
  GetClientRect(picker, &r);
  ClickAt(ScreenPoint(picker, {6, r.bottom / 2}));
  Pump(100);
  PressKey(VK_UP);
  ASSERT_TRUE(PumpUntil([&] { return !(f.timePicker.Value().hour == 13 &&
                                       f.timePicker.Value().minute == 45 &&
                                       f.timePicker.Value().second == 30); }));
  const SYSTEMTIME shown = PickerTime(f.WindowOf(f.timePicker));
  EXPECT_EQ(f.timePicker.Value().hour, shown.wHour);
  EXPECT_EQ(f.timePicker.Value().minute, shown.wMinute);
  EXPECT_EQ(f.timePicker.Value().second, shown.wSecond);
  EXPECT_EQ(f.timePicker.Value().day, 29) << "the date part is kept";
  // The keys pressed in the hot key field are its value.
  ClickAt(ScreenPoint(f.WindowOf(f.hotKey), {6, 6}));
  PressKey('J', {VK_CONTROL, VK_SHIFT});
  EXPECT_TRUE(PumpUntil([&] { return f.hotKey.Value() == 0x34A; })) << f.hotKey.Value();
}

TEST_F(DialogControlsTest, ColoursShowOnTheScreen) {
  DialogForm& f = *form;
  f.items.entries[0].second = true;
  f.list.ItemsChanged();
  ShowActive();
  SetFocus(f.WindowOf(f.okButton));  // no focus rectangle or highlight on what is measured
  Pump(100);
  const Capture edit = ScreenCapture(f.WindowOf(f.edit));
  EXPECT_EQ(edit.At(edit.width - 3, edit.height / 2), kYellow);
  const Capture list = ScreenCapture(f.WindowOf(f.list));
  EXPECT_EQ(list.At(150, 6), kListColour) << "an item";
  EXPECT_EQ(list.At(50, 13 * 3 + 20), kListColour) << "below the items";
  EXPECT_GT(list.Count(RGB(0, 0, 0)), 20) << "the texts and the tick";
  const Capture coloured = ScreenCapture(f.WindowOf(f.colouredButton));
  EXPECT_GT(coloured.Count(kBlue), 10) << "the caption";
  EXPECT_EQ(coloured.At(coloured.width / 2, 3), GetSysColor(COLOR_BTNFACE));
  // The picture, drawn see-through, and its greyed look while the button is disabled.
  const Capture glyph = ResourcePixels(TOLVA_BITMAP_LAUNCH_APP);
  const Capture greyed = ResourcePixels(TOLVA_BITMAP_LAUNCH_APP_DISABLED);
  ASSERT_EQ(glyph.width, 16);
  for (bool enabled : {true, false}) {
    SCOPED_TRACE(enabled);
    f.launchButton.SetEnabled(enabled);
    form->Repaint();
    const Capture button = ScreenCapture(f.WindowOf(f.launchButton));
    EXPECT_EQ(Shows(button, glyph), enabled);
    EXPECT_EQ(Shows(button, greyed), !enabled);
    EXPECT_EQ(button.Count(RGB(255, 0, 255)), 0);
  }
  // The pickers' fields ask their parent for the brush with WM_CTLCOLOREDIT: the lime fills
  // all of a field but its text and its arrows.
  for (const ui::DateTimePicker* picker : {&f.timePicker, &f.datePicker}) {
    SCOPED_TRACE(picker->Name());
    const Capture field = ScreenCapture(f.WindowOf(*picker));
    EXPECT_GT(field.Count(kLime), field.width * field.height * 2 / 3);
  }
}

// The file chooser as the user works it: a script on another thread finds it by its title,
// reads its file type, and types a file name and presses Open, or cancels.
BOOL CALLBACK FindChooser(HWND window, LPARAM context) {
  auto& found = *reinterpret_cast<std::pair<std::string, HWND>*>(context);
  if (ClassOf(window) == "#32770" && IsWindowVisible(window)) {
    found.first = WindowText(window);
    found.second = window;
    return FALSE;
  }
  return TRUE;
}

TEST(FileChooser, ChoosingAFileGivesItsPathAndCancellingLeavesTheRequest) {
  char folder[MAX_PATH] = "";
  GetTempPathA(sizeof folder, folder);
  const std::string existing = std::string(folder) + "tolva_chooser_test.txt";
  std::ofstream(existing) << "x";
  const std::vector<FileFilter> filters = {
      {"All Files (*.*)", "*.*"}, {"Text Files (*.txt)", "*.txt"}, {"Wave Sound (*.wav)", "*.wav"}};
  const struct {
    int filterIndex;
    const char* typeShown;
    bool open;
  } cases[] = {{1, "All Files (*.*)", true}, {2, "Text Files (*.txt)", true},
               {1, "All Files (*.*)", false}};
  const DWORD thread = GetCurrentThreadId();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typeShown);
    ui::OpenDialog chooser;
    chooser.title = "Choose Your Launch Application...";
    chooser.filters = filters;
    chooser.filterIndex = c.filterIndex;
    chooser.fileName = "proposed.txt";
    chooser.hideReadOnly = chooser.pathMustExist = chooser.fileMustExist = chooser.resizable = true;
    std::string title, typeShown;
    std::atomic<bool> answered{false};
    std::thread script([&] {
      std::pair<std::string, HWND> found{"", nullptr};
      tests::WaitFor([&] {
        EnumThreadWindows(thread, FindChooser, reinterpret_cast<LPARAM>(&found));
        return found.second != nullptr;
      });
      const HWND dialog = found.second;
      if (dialog == nullptr) return;
      title = found.first;
      Sleep(200);  // the dialog fills its controls once it shows
      typeShown = WindowText(tests::ChooserTypeBox(dialog));
      if (c.open) {
        tests::ChooseFile(dialog, existing);
      } else {
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
      }
      answered = true;
    });
    Win32FileDialogs dialogs;
    const bool chosen = chooser.Execute(dialogs, NullWindow);
    script.join();
    ASSERT_TRUE(answered);
    EXPECT_EQ(title, "Choose Your Launch Application...");
    EXPECT_EQ(typeShown, c.typeShown);
    EXPECT_EQ(chosen, c.open);
    EXPECT_EQ(chooser.filterIndex, c.filterIndex);
    if (c.open) {
      EXPECT_EQ(lstrcmpiA(chooser.fileName.c_str(), existing.c_str()), 0) << chooser.fileName;
    } else {
      EXPECT_EQ(chooser.fileName, "proposed.txt");
    }
  }
  DeleteFileA(existing.c_str());
}

}  // namespace
}  // namespace tolva::platform::win32
