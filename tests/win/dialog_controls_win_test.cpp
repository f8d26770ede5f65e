// The dialogs' controls on real windows: controls inside tab pages, group boxes and panels, the
// tab control under real clicks, and the dialog form's frame, position, focus and keys.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/application.h"
#include "platform/ui/dialog_controls.h"
#include "platform/win32/gdi.h"
#include "platform/win32/ui_backend.h"
#include "tests/win/real_windows.h"
#include "tests/win/screen_picture.h"
#include "tests/win/tolva_process.h"

namespace tolva::platform::win32 {
namespace {

using tests::Centre;
using tests::ClickAt;
using tests::PressKey;
using tests::ScreenPixel;

constexpr COLORREF kSilver = RGB(192, 192, 192);
constexpr COLORREF kBlue = RGB(0, 0, 255);

// A form laid out as the options dialog is: tab pages, each with a group box holding a label;
// the first group box also holds a panel with a label on it.
class DialogForm : public ui::Form {
 public:
  explicit DialogForm(ui::Application& application) : Form("DialogForm", application) {
    SetCaption("Tolva dialog test form");
    clientSize = {392, 251};
    systemMenu = false;
    centredWhenShown = true;
    tabs.SetBounds({12, 53, 280, 188});
    tabs.OnChange = [this] { changes.push_back(tabs.ActivePageIndex()); };
    controls = {&tabs};
    for (std::size_t i = 0; i < pages.size(); ++i) {
      pages[i].SetCaption("Page " + std::to_string(i + 1));
      tabs.AddPage(pages[i]);
      groups[i].parent = &pages[i];
      groups[i].SetBounds({16, 3 + static_cast<int>(i) * 10, 240, 81});
      groups[i].SetCaption(" Group ");
      groups[i].captionColour = {0, 0, 255};
      labels[i].parent = &groups[i];
      labels[i].SetBounds({10, 17, 150, 17});
      labels[i].SetCaption("Label in group");
      controls.insert(controls.end(), {&pages[i], &groups[i], &labels[i]});
    }
    panel.parent = &groups[0];
    panel.SetBounds({10, 40, 120, 30});
    panel.singleLine = true;
    panel.colour = {0, 0, 255};
    panelLabel.parent = &panel;
    panelLabel.SetBounds({4, 5, 0, 0});
    panelLabel.autoSize = true;
    panelLabel.SetCaption("Click me");
    panelLabel.OnClick = [this] { ++panelLabelClicks; };
    panelLabel.cursor = ui::Cursor::HandPoint;
    bevel.SetBounds({300, 10, 38, 16});
    ok.isDefault = true;
    ok.OnClick = [this] { clicked.push_back("ok"); };
    cancel.isCancel = true;
    cancel.OnClick = [this] { clicked.push_back("cancel"); };
    controls.insert(controls.end(), {&panel, &panelLabel, &bevel, &ok, &cancel});
    firstFocus = &tabs;
  }

  ui::TabControl tabs{"Tabs"};
  std::array<ui::TabSheet, 3> pages{ui::TabSheet{"Page1"}, ui::TabSheet{"Page2"},
                                    ui::TabSheet{"Page3"}};
  std::array<ui::GroupBox, 3> groups{ui::GroupBox{"Group1"}, ui::GroupBox{"Group2"},
                                     ui::GroupBox{"Group3"}};
  std::array<ui::Label, 3> labels{ui::Label{"Label1"}, ui::Label{"Label2"}, ui::Label{"Label3"}};
  ui::Panel panel{"Panel1"};
  ui::Label panelLabel{"PanelLabel"};
  ui::Bevel bevel{"Bevel1"};
  // Enter and Esc pick these by the form's rule, whether or not they have windows of their own.
  ui::Button ok{"OKBtn"}, cancel{"CancelBtn"};

  std::vector<int> changes;
  int panelLabelClicks = 0;
  std::vector<std::string> clicked;
};

class DialogControlsWinTest : public test_support::RealFormTest<DialogForm> {
 protected:
  DialogControlsWinTest() : RealFormTest("Tolva dialog test application") { MakeForm(); }

  HWND hwnd() const { return test_support::HwndOf(*form); }
};

// The child window that carries the text.
HWND ChildWithText(HWND parent, const std::string& text) {
  return FindWindowExA(parent, nullptr, nullptr, text.c_str());
}

RECT RectIn(HWND window, HWND parent) {
  RECT r;
  GetWindowRect(window, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

TEST_F(DialogControlsWinTest, ControlsAreMadeInsideTheirContainersAtTheirOwnPlaces) {
  ShowActive();
  const HWND tabs = FindWindowExA(hwnd(), nullptr, WC_TABCONTROLA, nullptr);
  ASSERT_NE(tabs, nullptr);
  RECT display;
  GetClientRect(tabs, &display);
  SendMessageA(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
  EXPECT_EQ(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_TRUE(GetWindowLongA(tabs, GWL_STYLE) & TCS_HOTTRACK);

  const HWND page1 = test_support::NthChild(tabs, 0);
  const HWND group1 = ChildWithText(page1, " Group ");
  const HWND panel = FindWindowExA(group1, nullptr, "STATIC", "");
  const HWND panelLabel = ChildWithText(panel, "Click me");
  ASSERT_NE(panelLabel, nullptr);
  const struct {
    const char* name;
    HWND window, parent;
    RECT expected;
  } cases[] = {
      {"tab control on the form", tabs, hwnd(), {12, 53, 292, 241}},
      {"page over the display area", page1, tabs, display},
      {"group box on a page", group1, page1, {16, 3, 256, 84}},
      {"label in a group box", ChildWithText(group1, "Label in group"), group1, {10, 17, 160, 34}},
      {"panel in a group box", panel, group1, {10, 40, 130, 70}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_NE(c.window, nullptr);
    EXPECT_EQ(GetParent(c.window), c.parent);
    const RECT r = RectIn(c.window, c.parent);
    EXPECT_EQ(r.left, c.expected.left);
    EXPECT_EQ(r.top, c.expected.top);
    EXPECT_EQ(r.right, c.expected.right);
    EXPECT_EQ(r.bottom, c.expected.bottom);
  }
  // A self-sizing label takes its text's size, at its own left and top.
  const RECT text = RectIn(panelLabel, panel);
  EXPECT_EQ(text.left, 4);
  EXPECT_EQ(text.top, 5);
  EXPECT_EQ(form->panelLabel.GetBounds().width, text.right - text.left);
  EXPECT_GT(text.right - text.left, 20);
  EXPECT_GT(text.bottom - text.top, 8);
  // The single-line panel has a plain border, no bevelled edge.
  EXPECT_TRUE(GetWindowLongA(panel, GWL_STYLE) & WS_BORDER);
  EXPECT_FALSE(GetWindowLongA(panel, GWL_EXSTYLE) & (WS_EX_STATICEDGE | WS_EX_DLGMODALFRAME));

  // Pages and the tab strip in the form's silver; a group box caption in its own blue.
  EXPECT_EQ(ScreenPixel(page1, {2, 200 - 60}), kSilver);
  EXPECT_EQ(ScreenPixel(tabs, {270, 4}), kSilver);
  bool blueCaption = false;
  for (int y = 0; y < 12 && !blueCaption; ++y) {
    for (int x = 6; x < 60 && !blueCaption; ++x) blueCaption = ScreenPixel(group1, {x, y}) == kBlue;
  }
  EXPECT_TRUE(blueCaption);
}

TEST_F(DialogControlsWinTest, TabChosenByTheUserRunsOnChangeAndCodeShowsAPageSilently) {
  ShowActive();
  const HWND tabs = FindWindowExA(hwnd(), nullptr, WC_TABCONTROLA, nullptr);
  const auto shown = [&] {
    std::vector<bool> visible;
    for (std::size_t i = 0; i < 3; ++i)
      visible.push_back(IsWindowVisible(test_support::NthChild(tabs, i)) != FALSE);
    return visible;
  };
  EXPECT_EQ(shown(), (std::vector<bool>{true, false, false}));
  EXPECT_FALSE(form->labels[2].Usable());

  RECT tab;
  SendMessageA(tabs, TCM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&tab));
  MapWindowPoints(tabs, nullptr, reinterpret_cast<POINT*>(&tab), 2);
  ClickAt(Centre(tab));
  EXPECT_TRUE(PumpUntil([&] { return !form->changes.empty(); }));
  Pump(100);
  EXPECT_EQ(form->changes, std::vector<int>{2});
  EXPECT_EQ(shown(), (std::vector<bool>{false, false, true}));
  EXPECT_TRUE(form->labels[2].Usable());

  form->tabs.SetActivePageIndex(1);
  Pump(50);
  EXPECT_EQ(form->changes, std::vector<int>{2});
  EXPECT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(shown(), (std::vector<bool>{false, true, false}));
}

TEST_F(DialogControlsWinTest, ClickOnAControlDeepInContainersReachesIt) {
  ShowActive();
  const HWND tabs = FindWindowExA(hwnd(), nullptr, WC_TABCONTROLA, nullptr);
  const HWND group1 = ChildWithText(test_support::NthChild(tabs, 0), " Group ");
  const HWND panel = FindWindowExA(group1, nullptr, "STATIC", "");
  RECT r;
  GetWindowRect(ChildWithText(panel, "Click me"), &r);
  ClickAt(Centre(r));
  EXPECT_TRUE(PumpUntil([&] { return form->panelLabelClicks > 0; }));
  Pump(50);
  EXPECT_EQ(form->panelLabelClicks, 1);
  // The label asks for the hand, the panel around it does not; the label stands on the panel's
  // colour, not the form's.
  EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_HAND));
  RECT p;
  GetWindowRect(panel, &p);
  SetCursorPos(p.right - 5, p.bottom - 5);
  Pump(100);
  EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_ARROW));
  const WindowDc screen(nullptr);
  EXPECT_EQ(GetPixel(screen.get(), r.right - 1, r.top), kBlue);
}

TEST_F(DialogControlsWinTest, DialogFrameCentringFocusAndItsKeys) {
  EXPECT_FALSE(GetWindowLongA(hwnd(), GWL_STYLE) & WS_SYSMENU);
  EXPECT_TRUE(GetWindowLongA(hwnd(), GWL_STYLE) & WS_CAPTION);
  ShowActive();
  const auto centred = [&] {
    RECT r;
    GetWindowRect(hwnd(), &r);
    return std::abs((r.left + r.right) / 2 - GetSystemMetrics(SM_CXSCREEN) / 2) <= 1 &&
           std::abs((r.top + r.bottom) / 2 - GetSystemMetrics(SM_CYSCREEN) / 2) <= 1;
  };
  const HWND tabs = FindWindowExA(hwnd(), nullptr, WC_TABCONTROLA, nullptr);
  EXPECT_TRUE(centred());
  EXPECT_EQ(GetFocus(), tabs);
  SetFocus(hwnd());
  form->Show();
  EXPECT_EQ(GetFocus(), tabs);

  // Enter and Esc click the usable default and cancel buttons; without them the keys do nothing.
  const struct {
    const char* name;
    bool okEnabled, cancelVisible;
    std::vector<std::string> clicked;
  } cases[] = {
      {"both buttons", true, true, {"ok", "cancel"}},
      {"disabled default, hidden cancel", false, false, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    form->clicked.clear();
    form->ok.SetEnabled(c.okEnabled);
    form->cancel.SetVisible(c.cancelVisible);
    SetForegroundWindow(hwnd());
    for (WORD key : {WORD{VK_RETURN}, WORD{VK_ESCAPE}}) {
      PressKey(key);
      Pump(150);
    }
    EXPECT_EQ(form->clicked, c.clicked);
  }

  // Moved, hidden and shown again: back in the middle.
  SetWindowPos(hwnd(), nullptr, 5, 5, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  EXPECT_FALSE(centred());
  form->Hide();
  ShowActive();
  EXPECT_TRUE(centred());
}

}  // namespace
}  // namespace tolva::platform::win32
