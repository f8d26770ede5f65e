// A pop-up menu as the program sees it: what opens, and what runs once it has closed.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/sim/sim_platform.h"
#include "platform/sim/sim_ui.h"
#include "platform/ui/application.h"
#include "platform/ui/menu.h"

namespace tolva::ui {
namespace {

class MenuForm : public Form {
 public:
  explicit MenuForm(Application& application) : Form("MenuForm", application) {
    const struct {
      MenuItem& item;
      const char* caption;
      int image;
    } layout[] = {{restore, "&Restore Tolva", 9}, {hide, "&Hide Windows", 0},
                  {separator, "-", -1},           {exit, "E&xit", 3}};
    for (const auto& l : layout) {
      l.item.SetCaption(l.caption);
      l.item.SetImageIndex(l.image);
      l.item.OnClick = [this, &item = l.item] {
        events.push_back(item.Name());
        if (&item == &exit && exitFails) throw std::runtime_error("Exit failed");
      };
      menu.items.push_back(&l.item);
    }
    menu.images = &images;
    menu.OnPopup = [this] {
      events.push_back("popup");
      hide.SetCaption(concealed ? "&Show Windows" : "&Hide Windows");
      hide.SetImageIndex(concealed ? 7 : 0);
    };
    menus = {&menu};
  }
  ImageList images{"ImageList1"};
  MenuItem restore{"RestoreTolva1"}, hide{"HideWindows1"}, separator{"N1"}, exit{"Exit1"};
  PopupMenu menu{"PopupMenu1", *this};
  bool concealed = false, exitFails = false;
  std::vector<std::string> events;
};

TEST(PopupMenu, OpensAsOnPopupLeftItAndRunsTheChosenItemOnceClosed) {
  platform::sim::SimPlatform sim;
  platform::sim::SimBackend backend{sim.desktop, sim.log};
  Application app(backend, sim.dialogs);
  std::vector<std::string> reported;
  app.OnException = [&](const std::exception& e) { reported.emplace_back(e.what()); };
  std::unique_ptr<MenuForm> holder;
  MenuForm* form = nullptr;
  app.CreateForm(holder, form);
  const std::vector<std::string> hideCaptions{"&Restore Tolva", "&Hide Windows", "-", "E&xit"};
  const std::vector<std::string> showCaptions{"&Restore Tolva", "&Show Windows", "-", "E&xit"};
  const struct {
    const char* name;
    bool concealed, exitFails;
    std::optional<std::size_t> choice;
    std::vector<std::string> captions;
    int hideImage;
    std::vector<std::string> events;  // "open" is the menu on the screen
    std::vector<std::string> reported;
  } cases[] = {
      {"an item chosen", false, false, 0, hideCaptions, 0, {"popup", "open", "RestoreTolva1"}, {}},
      {"OnPopup changes an item before it shows", true, false, 1, showCaptions, 7,
       {"popup", "open", "HideWindows1"}, {}},
      {"closed with nothing chosen", false, false, std::nullopt, hideCaptions, 0, {"popup", "open"},
       {}},
      {"a separator cannot be chosen", false, false, 2, hideCaptions, 0, {"popup", "open"}, {}},
      {"no such item", false, false, 4, hideCaptions, 0, {"popup", "open"}, {}},
      {"a failing handler is reported", false, true, 3, hideCaptions, 0, {"popup", "open", "Exit1"},
       {"Exit failed"}},
      {"and the program goes on", false, false, 3, hideCaptions, 0, {"popup", "open", "Exit1"}, {}},
  };
  int x = 10;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    form->events.clear();
    reported.clear();
    form->concealed = c.concealed;
    form->exitFails = c.exitFails;
    backend.menuScript = [&](const PopupMenu& menu) {
      EXPECT_EQ(&menu, &form->menu);
      form->events.push_back("open");
      return c.choice;
    };
    form->menu.Popup(x, 700);
    ASSERT_FALSE(backend.menusShown.empty());
    const auto& shown = backend.menusShown.back();
    EXPECT_EQ(shown.menu, "PopupMenu1");
    EXPECT_EQ(shown.x, x);
    EXPECT_EQ(shown.y, 700);
    EXPECT_EQ(shown.captions, c.captions);
    EXPECT_EQ(shown.images, (std::vector<int>{9, c.hideImage, -1, 3}));
    EXPECT_EQ(form->events, c.events);
    EXPECT_EQ(reported, c.reported);
    x += 10;
  }
  EXPECT_EQ(backend.menusShown.size(), std::size(cases));
}

TEST(PopupMenu, OpensNothingBeforeItsFormHasAWindow) {
  platform::sim::SimPlatform sim;
  platform::sim::SimBackend backend{sim.desktop, sim.log};
  Application app(backend, sim.dialogs);
  MenuForm form(app);
  backend.menuScript = [](const PopupMenu&) { return std::optional<std::size_t>{0}; };
  form.menu.Popup(0, 0);
  EXPECT_TRUE(backend.menusShown.empty());
  EXPECT_TRUE(form.events.empty());
}

}  // namespace
}  // namespace tolva::ui
