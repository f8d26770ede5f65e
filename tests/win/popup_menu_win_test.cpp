// A pop-up menu on the real system: what a person sees of it as it opens at a point, and what
// their clicks and keys on it run.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/ui/application.h"
#include "platform/ui/menu.h"
#include "platform/win32/ui_backend.h"
#include "tests/win/real_windows.h"
#include "resources/resource_ids.h"
#include "tests/win/tolva_process.h"

namespace tolva::platform::win32 {
namespace {

using tests::Centre;
using tests::ClickAt;
using tests::PressKey;

// The pop-up menu window of this test's process while one is open.
HWND OpenMenuWindow() { return tests::OpenMenuOf(GetCurrentProcessId()); }

class MenuForm : public ui::Form {
 public:
  explicit MenuForm(ui::Application& application) : Form("MenuForm", application) {
    SetCaption("Tolva menu test form");
    clientSize = {200, 80};
    images.count = 11;
    images.bitmapResource = TOLVA_BITMAP_TOOLBAR;
    menu.images = &images;
    const struct {
      ui::MenuItem& item;
      const char* caption;
      int image;
    } layout[] = {{restore, "&Restore Tolva", 9}, {hide, "&Hide Windows", 0},
                  {n1, "-", -1},                  {options, "O&ptions", 6},
                  {help, "H&elp", 1},             {about, "&About", 2},
                  {home, "&Marrowby", 10},        {n2, "-", -1},
                  {exit, "E&xit", 3}};
    for (const auto& l : layout) {
      l.item.SetCaption(l.caption);
      l.item.SetImageIndex(l.image);
      l.item.OnClick = [this, &item = l.item] {
        ran.push_back(item.Name());
        ranWithMenuOpen = ranWithMenuOpen || OpenMenuWindow() != nullptr;
      };
      menu.items.push_back(&l.item);
    }
    menu.OnPopup = [this] { hide.SetCaption("&Show Windows"); };
    menus = {&menu};
  }
  HWND hwnd() const { return reinterpret_cast<HWND>(Handle()); }

  ui::ImageList images{"ImageList1"};
  ui::MenuItem restore{"RestoreTolva1"}, hide{"HideWindows1"}, n1{"N1"}, options{"Options1"},
      help{"Help1"}, about{"About1"}, home{"MarrowbyHomePage1"}, n2{"N2"}, exit{"Exit1"};
  ui::PopupMenu menu{"PopupMenu1", *this};
  std::vector<std::string> ran;
  bool ranWithMenuOpen = false;
};

// What the menu window showed while it was open.
struct Seen {
  RECT window{};
  std::vector<std::string> captions;
  std::vector<bool> separators, bitmaps;
  std::vector<RECT> items;  // on the screen
  int picturePixels = 0;
};

Seen Look(HWND popup) {
  Seen seen;
  GetWindowRect(popup, &seen.window);
  const auto menu = reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0));
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    char text[64] = "";
    GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_BITMAP;
    GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
    RECT r{};
    // Wine places a pop-up menu's items by the window given, not by the menu's own.
    GetMenuItemRect(popup, menu, static_cast<UINT>(i), &r);
    seen.captions.emplace_back(text);
    seen.separators.push_back((info.fType & MFT_SEPARATOR) != 0);
    seen.bitmaps.push_back(info.hbmpItem != nullptr);
    seen.items.push_back(r);
  }
  // The first item's picture at its left end, as the screen shows it: the pixels that are not
  // the item's background (the picture's outline and fill, but not its transparent part).
  const RECT first = seen.items.front();
  const HDC screen = GetDC(nullptr);
  const COLORREF background = GetPixel(screen, first.right - 3, (first.top + first.bottom) / 2);
  for (int y = first.top; y < first.bottom; ++y) {
    for (int x = first.left; x < first.left + 32; ++x) {  // before the caption
      seen.picturePixels += GetPixel(screen, x, y) != background ? 1 : 0;
    }
  }
  ReleaseDC(nullptr, screen);
  return seen;
}

class PopupMenuWinTest : public test_support::RealFormTest<MenuForm> {
 protected:
  PopupMenuWinTest() : RealFormTest("Tolva menu test application") {
    app.Initialize();
    MakeForm();
  }

  // Opens the menu at the point while the script works it from another thread, as a person
  // would; returns what the script saw of the open menu.
  Seen Open(POINT at, const std::function<void(const Seen&)>& act) {
    Seen seen;
    std::atomic<bool> opened{false};
    std::thread script([&] {
      HWND popup = nullptr;
      if (tests::WaitFor([&] { return (popup = OpenMenuWindow()) != nullptr; }, 5000)) {
        Sleep(300);  // painted
        seen = Look(popup);
        opened = seen.items.size() == 9;
        if (opened) act(seen);
      }
      // However the script went, the menu does not stay open.
      if (!tests::WaitFor([] { return OpenMenuWindow() == nullptr; }, 3000)) PressKey(VK_ESCAPE);
    });
    form->menu.Popup(at.x, at.y);
    script.join();
    EXPECT_TRUE(opened);
    return seen;
  }
};

TEST_F(PopupMenuWinTest, ARealMenuShowsItsItemsAtThePointAndRunsTheChosenOneOnceClosed) {
  const struct {
    const char* name;
    bool formShown;
    std::function<void(const Seen&)> act;
    std::vector<std::string> ran;
  } cases[] = {
      {"a click on an item", true, [](const Seen& s) { ClickAt(Centre(s.items[3])); },
       {"Options1"}},
      {"the right button, which the menu tracks", true,
       [](const Seen& s) { ClickAt(Centre(s.items[8]), true); }, {"Exit1"}},
      {"from a hidden form, as from the tray", false,
       [](const Seen& s) { ClickAt(Centre(s.items[1])); }, {"HideWindows1"}},
      {"a click on a separator chooses nothing", true,
       [](const Seen& s) {
         ClickAt(Centre(s.items[2]));
         Sleep(200);
         PressKey(VK_ESCAPE);
       },
       {}},
      {"Esc", true, [](const Seen&) { PressKey(VK_ESCAPE); }, {}},
      {"a click elsewhere", true,
       [](const Seen& s) { ClickAt({s.window.right + 40, s.window.bottom + 40}); }, {}},
  };
  const POINT at{300, 120};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    form->ran.clear();
    form->ranWithMenuOpen = false;
    if (c.formShown) form->Show(); else form->Hide();
    SetForegroundWindow(c.formShown ? form->hwnd() : reinterpret_cast<HWND>(app.Handle()));
    const Seen seen = Open(at, c.act);
    EXPECT_EQ(seen.window.left, at.x);
    EXPECT_EQ(seen.window.top, at.y);
    EXPECT_EQ(seen.captions,
              (std::vector<std::string>{"&Restore Tolva", "&Show Windows", "", "O&ptions", "H&elp",
                                        "&About", "&Marrowby", "", "E&xit"}));
    EXPECT_EQ(seen.separators,
              (std::vector<bool>{false, false, true, false, false, false, false, true, false}));
    EXPECT_EQ(seen.bitmaps,
              (std::vector<bool>{true, true, false, true, true, true, true, false, true}));
    // Drawn with its transparent part showing the menu: an arrow's outline and fill, not a
    // black square.
    EXPECT_GT(seen.picturePixels, 20);
    EXPECT_LT(seen.picturePixels, 200);  // of the 256 a square would have
    EXPECT_EQ(form->ran, c.ran);
    EXPECT_FALSE(form->ranWithMenuOpen);
    EXPECT_TRUE(exceptions.empty());
  }
}

}  // namespace
}  // namespace tolva::platform::win32
