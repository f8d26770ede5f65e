// The real tolva.exe on screens of 96, 144 and 192 dots per inch, as the prefix's LogPixels sets
// them: every window the layout's size scaled, every caption whole in its control, the tabs in
// one row, the notification icon at the system's small-icon size.
#include <gtest/gtest.h>

#include <cstring>
#include <iterator>
#include <string>

#include "options_process.h"
#include "platform/ui/scaling.h"
#include "platform/win32/gdi.h"
#include "tolva_process.h"

namespace tolva::tests {
namespace {

using platform::win32::Font;
using platform::win32::Selection;
using platform::win32::WindowDc;

// The screen's scale of the programs started while it lives (Wine reads it as a program starts),
// and 96 again at its end.
class ScreenScale {
 public:
  explicit ScreenScale(DWORD dpi) { Set(dpi); }
  ~ScreenScale() { Set(ui::LayoutDpi); }
  ScreenScale(const ScreenScale&) = delete;
  ScreenScale& operator=(const ScreenScale&) = delete;

 private:
  static void Set(DWORD dpi) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
    RegCloseKey(key);
  }
};

ui::Size ClientSize(HWND window) {
  RECT r{};
  GetClientRect(window, &r);
  return {r.right, r.bottom};
}

// The program's font at that scale, as the program makes it.
Font FormFont(const ui::Scaling& scaling) {
  return Font(CreateFontA(scaling.FontHeight(8), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                          OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                          "MS Sans Serif"));
}

struct Fit {
  HWND root;
  const ui::Scaling& scaling;
  HFONT font;
};

// Every visible caption under the root fits its control in the font: one line across the client
// width, or a label that wraps within its client area; a check box's text beside its box.
BOOL CALLBACK ExpectCaptionFits(HWND control, LPARAM context) {
  const Fit& fit = *reinterpret_cast<const Fit*>(context);
  const std::string text = WindowText(control), kind = ClassOf(control);
  if (text.empty() || !IsWindowVisible(control) || (kind != "Button" && kind != "Static")) return TRUE;
  const ui::Size client = ClientSize(control);
  const LONG style = GetWindowLongA(control, GWL_STYLE);
  const bool wraps = kind == "Static" && (style & SS_TYPEMASK) == SS_LEFT;
  const bool checkBox = kind == "Button" && ((style & BS_TYPEMASK) == BS_CHECKBOX || (style & BS_TYPEMASK) == BS_AUTOCHECKBOX);
  const WindowDc screen(nullptr);
  const Selection font(screen.get(), fit.font);
  RECT r{0, 0, wraps ? client.width : 0, 0};
  DrawTextA(screen.get(), text.c_str(), -1, &r, DT_CALCRECT | (wraps ? DT_WORDBREAK : DT_SINGLELINE));
  SIZE extent{};
  GetTextExtentPoint32A(screen.get(), text.c_str(), static_cast<int>(text.size()), &extent);
  // The box and the gap after it, as the system draws a check box at this scale.
  const int box = checkBox ? fit.scaling.ToScreen(13 + 3) : 0;
  SCOPED_TRACE(text);
  if (wraps) {
    EXPECT_LE(r.bottom, client.height) << "wrapped to " << r.right << " x " << r.bottom;
  } else {
    EXPECT_LE(extent.cx + box, client.width) << "client " << client.width << " x " << client.height;
    EXPECT_LE(extent.cy, client.height);
  }
  return TRUE;
}

void ExpectCaptionsFit(HWND root, const ui::Scaling& scaling) {
  const Font font = FormFont(scaling);
  const Fit fit{root, scaling, font.get()};
  EnumChildWindows(root, ExpectCaptionFits, reinterpret_cast<LPARAM>(&fit));
}

// The tabs in one row without scroll arrows, each caption within its tab.
void ExpectTabsFit(HWND dialog, const ui::Scaling& scaling) {
  const HWND tabs = Child(dialog, "SysTabControl32");
  ASSERT_NE(tabs, nullptr);
  const HWND arrows = FindWindowExA(tabs, nullptr, "msctls_updown32", nullptr);
  EXPECT_TRUE(arrows == nullptr || !IsWindowVisible(arrows)) << "the tabs scroll behind arrows";
  EXPECT_EQ(SendMessageA(tabs, TCM_GETROWCOUNT, 0, 0), 1);
  const Font font = FormFont(scaling);
  const WindowDc screen(nullptr);
  const Selection selected(screen.get(), font.get());
  const char* captions[] = {"Settings", "Actions", "Icon", "Date/Time", "Exclude", "Hot Key"};
  for (int i = 0; i < static_cast<int>(std::size(captions)); ++i) {
    RECT item{};
    ASSERT_NE(AnswerThroughMemory(tabs, TCM_GETITEMRECT, false, static_cast<WPARAM>(i), item), 0);
    SIZE extent{};
    GetTextExtentPoint32A(screen.get(), captions[i], static_cast<int>(std::strlen(captions[i])), &extent);
    EXPECT_LE(extent.cx, item.right - item.left) << captions[i];
  }
}

TEST(ScreenScaleEndToEnd, EveryWindowIsItsLayoutScaledWithEveryCaptionWhole) {
  for (const int dpi : {96, 144, 192}) {
    SCOPED_TRACE(std::to_string(dpi) + " dots per inch");
    const ScreenScale scale(static_cast<DWORD>(dpi));
    const ui::Scaling scaling(dpi);
    WriteSettingsFile("[Settings]\r\nHints=0\r\nShowExit=1\r\nWarnExit=0\r\nToTray=0\r\nWAV=0\r\n[Icon]\r\nTrayPlace=0\r\n");
    TolvaProcess tolva;
    ASSERT_TRUE(tolva.WaitForMainWindow());
    EXPECT_EQ(ClientSize(tolva.MainWindow()), scaling.ToScreen(ui::Size{294, 127}));
    Sleep(300);  // a window just mapped may not take input yet

    const HWND dialog = OpenOptionsDialog(tolva);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ClientSize(dialog), scaling.ToScreen(ui::Size{392, 251}));
    ExpectTabsFit(dialog, scaling);
    for (int page = 0; page <= HotKeyPage; ++page) {
      SCOPED_TRACE("page " + std::to_string(page));
      ChooseOptionsPage(dialog, page);
      ExpectCaptionsFit(dialog, scaling);
    }
    CloseOptionsWith(dialog, "Cancel");

    ASSERT_TRUE(tolva.ClickToolButton(AboutButton));
    const HWND about = tolva.WaitForAboutBox();
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(ClientSize(about), scaling.ToScreen(ui::Size{320, 313}));
    ExpectCaptionsFit(about, scaling);
    ClickCentre(Child(about, "Button", "OK"));
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(about); }));

    // The notification icon's image, loaded as the program loads it, in a program started at
    // this scale: the tests' own, asked for that one check.
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    STARTUPINFOA startup{};
    ChildProcess icons(std::string("\"") + self + "\" --gtest_filter=ResourcesWin.IconsLoadAtEverySizeWithTheirMasks",
                       startup);
    EXPECT_EQ(icons.WaitForExitCode(60000), 0u) << "the icons at this scale";

    ASSERT_TRUE(tolva.ClickToolButton(ExitButton));
    EXPECT_TRUE(tolva.WaitForExit());
  }
}

}  // namespace
}  // namespace tolva::tests
