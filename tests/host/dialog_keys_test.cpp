// Which button Enter and Esc click in a dialog, and what the user can reach on tab pages, the
// same rules as on real windows.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/sim/sim_platform.h"
#include "platform/sim/sim_ui.h"
#include "platform/ui/application.h"
#include "platform/ui/dialog_controls.h"

namespace tolva::ui {
namespace {

class KeysForm : public Form {
 public:
  explicit KeysForm(Application& application) : Form("KeysForm", application) {
    tabs.AddPage(first);
    tabs.AddPage(second);
    pageDefault.parent = &second;
    pageDefault.isDefault = true;
    ok.isDefault = true;
    cancel.isCancel = true;
    for (Button* button : {&pageDefault, &ok, &cancel}) {
      button->OnClick = [this, button] { clicked.push_back(button->Name()); };
    }
    controls = {&tabs, &first, &second, &pageDefault, &ok, &cancel};
  }
  TabControl tabs{"Tabs"};
  TabSheet first{"First"}, second{"Second"};
  Button pageDefault{"PageDefault"}, ok{"OK"}, cancel{"Cancel"};
  std::vector<std::string> clicked;
};

TEST(DialogKeys, EnterAndEscClickTheFirstReachableDefaultAndCancelButtons) {
  platform::sim::SimPlatform sim;
  platform::sim::SimBackend backend{sim.desktop, sim.log};
  Application app(backend, sim.dialogs);
  std::unique_ptr<KeysForm> holder;
  KeysForm* form = nullptr;
  app.CreateForm(holder, form);
  form->Show();
  const struct {
    const char* name;
    int page;
    bool okEnabled, cancelVisible;
    unsigned key;
    std::vector<std::string> clicked;
  } cases[] = {
      {"Enter: the default on a hidden page is passed over", 0, true, true, VkReturn, {"OK"}},
      {"Enter: the default on the active page first", 1, true, true, VkReturn, {"PageDefault"}},
      {"Esc: the cancel button", 0, true, true, VkEscape, {"Cancel"}},
      {"Enter: no reachable default", 0, false, true, VkReturn, {}},
      {"Esc: no reachable cancel button", 0, true, false, VkEscape, {}},
      {"another key clicks nothing", 0, true, true, VkF1, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    form->clicked.clear();
    form->tabs.SetActivePageIndex(c.page);
    form->ok.SetEnabled(c.okEnabled);
    form->cancel.SetVisible(c.cancelVisible);
    EXPECT_EQ(backend.PressDialogKey(*form, c.key), !c.clicked.empty());
    EXPECT_EQ(form->clicked, c.clicked);
    // A click reaches a button only on the active page.
    form->clicked.clear();
    backend.Click(form->pageDefault);
    EXPECT_EQ(form->clicked.size(), c.page == 1 ? 1u : 0u);
  }
}

}  // namespace
}  // namespace tolva::ui
