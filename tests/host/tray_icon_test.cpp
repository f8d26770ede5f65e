// The notification icon of the main window over the simulated shell.
#include <gtest/gtest.h>

#include "app_fixture.h"
#include "settings/options/options_dialog.h"

namespace tolva::app::testing {
namespace {

class TrayIconTest : public ::testing::Test, public MainWindowRig {
 protected:
  bool IconThere() const {
    return p.sim.shell.trayIcons.count({state_const().Form1->Handle(), TrayIconId}) == 1;
  }
  const platform::sim::SimShell::TrayIcon& Icon() const {
    return p.sim.shell.trayIcons.at({state_const().Form1->Handle(), TrayIconId});
  }
  const ProgramState& state_const() const { return const_cast<TrayIconTest*>(this)->state(); }
  void Mouse(std::intptr_t message) { p.backend.SendMessage(Form1(), WmTrayIcon, TrayIconId, message); }
  settings::TOptionsDialog& Dialog() { return *state().OptionsDialog; }
};

// At start the icon is there for TrayPlace 1 only, in the look Invisible names; the Tray button
// goes with it.
TEST_F(TrayIconTest, StartUpLookAndPresence) {
  struct Case {
    const char* trayPlace;
    const char* invisible;
    bool there;
    platform::IconHandle icon;
    const char* tip;
  } const cases[] = {
      {"1", "0", true, 0x3010, "Tolva R. Quenlar (TM) from www.marrowby.com"},
      {"1", "1", true, 0x3020, ""},
      {"1", "2", true, 0, ""},
      {"0", "0", false, 0, ""},
      {"2", "0", false, 0, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.trayPlace) + c.invisible);
    TrayIconTest::MainWindowRig t;
    t.Create(std::string("[Icon]\nTrayPlace=") + c.trayPlace + "\nInvisible=" + c.invisible + "\n");
    const auto& icons = t.p.sim.shell.trayIcons;
    const auto found = icons.find({t.Form1().Handle(), 1009});  // the id the shell knows it by
    ASSERT_EQ(found != icons.end(), c.there);
    EXPECT_EQ(t.Form1().HideTolvaButton.Enabled(), c.there);
    EXPECT_EQ(t.Form1().TrayIconRecord.flags, platform::NifMessage | platform::NifIcon | platform::NifTip);
    EXPECT_EQ(t.Form1().TrayIconRecord.callbackMessage, WmTrayIcon);
    EXPECT_EQ(t.Form1().TrayIconRecord.size, platform::TrayIconRecordSize);
    if (c.there) {
      EXPECT_EQ(found->second.icon, c.icon);
      EXPECT_EQ(found->second.tip, c.tip);
      EXPECT_EQ(found->second.callbackMessage, WmTrayIcon);
    }
    // The icon goes with the program.
    t.p.program.application().DestroyWindows();
    EXPECT_TRUE(t.p.sim.shell.trayIcons.empty());
  }
}

// Each mouse action on the icon, and the menu it opens.
TEST_F(TrayIconTest, MouseActionsAndTheMenu) {
  Create("[Settings]\nWAV=0\n");
  const auto targets = Targets(2);
  int shown = 0;
  for (const std::intptr_t message : {512, 513, 515, 516}) Mouse(message);
  EXPECT_TRUE(Visible(targets[0]));
  EXPECT_TRUE(p.backend.menusShown.empty());

  Mouse(WmLButtonUp);  // conceal
  EXPECT_FALSE(Visible(targets[0]));
  p.sim.desktop.cursorX = 700;
  p.sim.desktop.cursorY = 500;
  p.backend.menuScript = [&](const ui::PopupMenu&) -> std::optional<std::size_t> {
    ++shown;
    return 1;  // Show Windows
  };
  Mouse(WmRButtonUp);
  ASSERT_EQ(p.backend.menusShown.size(), 1u);
  const auto& menu = p.backend.menusShown[0];
  EXPECT_EQ(menu.x, 700);
  EXPECT_EQ(menu.y, 500);
  EXPECT_EQ(menu.captions, (std::vector<std::string>{"&Restore Tolva", "&Show Windows", "-", "O&ptions",
                                                     "H&elp", "&About", "&Marrowby", "-", "E&xit"}));
  EXPECT_EQ(menu.images, (std::vector<int>{9, 7, -1, 6, 1, 2, 10, -1, 3}));
  EXPECT_TRUE(Visible(targets[0]));  // the item revealed
  // The main window is brought to the front just before its menu opens.
  const auto& calls = p.sim.log.calls;
  const auto opened = std::find(calls.begin(), calls.end(), "TrackPopupMenu PopupMenu1");
  ASSERT_NE(opened, calls.end());
  EXPECT_EQ(*(opened - 1), "SetForegroundWindow " + platform::sim::HexText(Form1().Handle()));

  // A right double click restores and swallows exactly the next menu.
  Form1().Hide();
  Mouse(WmRButtonDblClk);
  EXPECT_TRUE(Form1().Visible());
  Mouse(WmRButtonUp);
  EXPECT_EQ(p.backend.menusShown.size(), 1u);
  p.backend.menuScript = nullptr;
  Mouse(WmRButtonUp);
  ASSERT_EQ(p.backend.menusShown.size(), 2u);
  EXPECT_EQ(p.backend.menusShown[1].captions[1], "&Hide Windows");
  EXPECT_EQ(p.backend.menusShown[1].images[1], 0);

  // A cursor that cannot be read: the main window instead of the menu.
  Form1().Hide();
  p.sim.desktop.failCursorPos = true;
  Mouse(WmRButtonUp);
  EXPECT_TRUE(Form1().Visible());
  EXPECT_EQ(p.backend.menusShown.size(), 2u);
  EXPECT_EQ(shown, 1);
}

// To the tray and back: the option that would remove the icon is off while the window is away.
TEST_F(TrayIconTest, ToTheTrayAndBack) {
  Create("[Settings]\nWAV=0\n");
  p.backend.Click(Form1().HideTolvaButton);
  EXPECT_FALSE(Form1().Visible());
  EXPECT_FALSE(p.backend.ApplicationWindowVisible());  // no taskbar button
  EXPECT_FALSE(Dialog().PlaceOnTrayBox.Enabled());
  Form1().RestoreTolvaClick();
  EXPECT_TRUE(Form1().Visible());
  EXPECT_TRUE(p.backend.ApplicationWindowVisible());
  EXPECT_TRUE(Dialog().PlaceOnTrayBox.Enabled());
  EXPECT_EQ(p.sim.desktop.Focus(), Form1().Handle());
}

// ToTray: at the first activation the window goes to the tray, with an icon added in memory
// only when there was none; later activations change nothing.
TEST_F(TrayIconTest, StartInTheTray) {
  for (const char* trayPlace : {"1", "0"}) {
    SCOPED_TRACE(trayPlace);
    TrayIconTest::MainWindowRig t;
    const std::string ini = std::string("[Settings]\nToTray=1\n[Icon]\nTrayPlace=") + trayPlace + "\n";
    t.Create(ini);
    t.p.sim.log.Clear();
    t.p.backend.Activate();
    EXPECT_FALSE(t.Form1().Visible());
    EXPECT_FALSE(t.state().OptionsDialog->PlaceOnTrayBox.Enabled());
    EXPECT_TRUE(t.state().OptionsDialog->PlaceOnTrayBox.Checked() || std::string(trayPlace) == "1");
    EXPECT_TRUE(t.Form1().HideTolvaButton.Enabled());
    EXPECT_EQ(t.Form1().Settings.TrayPlace, "1");
    EXPECT_EQ(t.p.Calls("Shell_NotifyIconA").size(), std::string(trayPlace) == "0" ? 1u : 0u);
    EXPECT_EQ(t.p.sim.profile.FileText("tolva.ini").value_or(""), ini);  // the file untouched
    t.Form1().RestoreTolvaClick();
    t.p.backend.Activate();
    EXPECT_TRUE(t.Form1().Visible());
  }
}

// Every failure of an icon operation warns with its own text and asks the program to end;
// windows still concealed are shown first.
TEST_F(TrayIconTest, FailuresWarnRevealAndEnd) {
  struct Case {
    const char* name;
    const char* ini;
    std::function<void(MainWindowRig&)> fail;
    std::function<void(MainWindowRig&)> act;
    const char* title;
  };
  const auto options = [](std::function<void(settings::TOptionsDialog&)> work) {
    return [work](MainWindowRig& t) {
      t.p.backend.modalScript = [&t, work](ui::Form&) {
        work(*t.state().OptionsDialog);
        t.p.backend.Click(t.state().OptionsDialog->OKBtn);
        return 0;
      };
      t.p.backend.Click(t.Form1().OptionsButton);
    };
  };
  const Case cases[] = {
      {"add at OK", "[Icon]\nTrayPlace=0\n", [](auto& t) { t.p.sim.shell.failNextTrayAdd = true; },
       options([](auto& d) { d.PageControl1.PageChosen(2); d.PlaceOnTrayBox.Click(); }),
       "Unable To Add Icon To System Tray"},
      {"delete at OK", "[Icon]\nTrayPlace=1\n", [](auto& t) { t.p.sim.shell.failNextTrayDelete = true; },
       options([](auto& d) { d.PlaceOnTrayBox.Click(); }), "Unable To Delete Icon From System Tray"},
      {"modify at OK", "[Icon]\nTrayPlace=1\nInvisible=0\n",
       [](auto& t) { t.p.sim.shell.failNextTrayModify = true; },
       options([](auto& d) { d.MakeInvisibleBox.Click(); }), "Unable To Modify Icon"},
      {"load at OK", "[Icon]\nTrayPlace=1\nInvisible=0\n", [](auto& t) { t.p.sim.icons.failNextLoad = true; },
       options([](auto& d) { d.MakeInvisibleBox.Click(); }), "Unable To Load Icon"},
      {"delete at the end", "[Icon]\nTrayPlace=1\n", [](auto& t) { t.p.sim.shell.failNextTrayDelete = true; },
       [](auto& t) { t.p.program.application().DestroyWindowOf(t.Form1()); },
       "Unable To Delete Icon From System Tray"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    MainWindowRig t;
    t.Create(std::string("[Settings]\nWAV=0\nShowExit=0\n") + c.ini);
    const auto targets = t.Targets(2);
    t.Form1().HideShowButtonClick();
    c.fail(t);
    c.act(t);
    ASSERT_FALSE(t.p.sim.dialogs.boxes.empty());
    EXPECT_EQ(t.p.sim.dialogs.boxes[0].caption, c.title);
    EXPECT_TRUE(t.p.program.application().Terminated());
    for (auto w : targets) EXPECT_TRUE(t.Visible(w)) << "left hidden";
  }
  // At start: the load's text names where it came from, and a refused add still leaves the
  // Tray button on, the shell may show the icon all the same.
  MainWindowRig t;
  t.p.sim.icons.failNextLoad = true;
  t.p.sim.shell.failNextTrayAdd = true;
  t.Create("[Icon]\nTrayPlace=1\nInvisible=1\n");
  ASSERT_EQ(t.p.sim.dialogs.boxes.size(), 2u);
  EXPECT_EQ(t.p.sim.dialogs.boxes[0].text.rfind("Unable to load trans_1 icon.", 0), 0u);
  EXPECT_EQ(t.p.sim.dialogs.boxes[1].caption, "Unable To Add Icon To System Tray");
  EXPECT_TRUE(t.Form1().HideTolvaButton.Enabled());
  EXPECT_TRUE(t.p.program.application().Terminated());
}

// OK changes the icon as the boxes say; removed and made visible in one OK asks no modify of an
// icon that has gone.
TEST_F(TrayIconTest, OkSwitchesTheIcon) {
  Create("[Settings]\nWAV=0\n[Icon]\nTrayPlace=1\nInvisible=1\n");
  const auto ok = [&](std::function<void(settings::TOptionsDialog&)> work) {
    p.backend.modalScript = [&, work](ui::Form&) {
      work(Dialog());
      p.backend.Click(Dialog().OKBtn);
      return 0;
    };
    p.backend.Click(Form1().OptionsButton);
  };
  p.sim.log.Clear();
  ok([](auto& d) { d.PlaceOnTrayBox.Click(); });  // also unticks the invisible look
  ASSERT_EQ(p.Calls("Shell_NotifyIconA").size(), 1u);  // the delete, and no modify after it
  const std::string deleted = "Shell_NotifyIconA " + std::to_string(platform::NimDelete) + " ";
  EXPECT_EQ(p.Calls("Shell_NotifyIconA")[0].rfind(deleted, 0), 0u);
  EXPECT_FALSE(IconThere());
  EXPECT_TRUE(p.sim.dialogs.boxes.empty());
  EXPECT_FALSE(p.program.application().Terminated());
  EXPECT_EQ(Form1().Settings.TrayPlace, "0");
  EXPECT_EQ(Form1().Settings.Invisible, "0");
  EXPECT_FALSE(Form1().HideTolvaButton.Enabled());
  EXPECT_EQ(platform::TrayTipText(Form1().TrayIconRecord), "Tolva R. Quenlar (TM) from www.marrowby.com");

  ok([](auto& d) { d.PlaceOnTrayBox.Click(); });
  ASSERT_TRUE(IconThere());
  EXPECT_EQ(Icon().tip, "Tolva R. Quenlar (TM) from www.marrowby.com");  // the visible look
  EXPECT_TRUE(Form1().HideTolvaButton.Enabled());
  ok([](auto& d) { d.MakeInvisibleBox.Click(); });
  EXPECT_EQ(Icon().tip, "");
  EXPECT_EQ(Icon().icon, 0x3020u);
  EXPECT_EQ(Form1().Settings.Invisible, "1");

  // The shell starts again: the icon comes back in its look of now.
  p.sim.shell.RestartShell();
  const unsigned taskbarCreated = p.sim.desktop.RegisterWindowMessageA("TaskbarCreated");
  p.backend.SendMessage(Form1(), taskbarCreated);
  ASSERT_TRUE(IconThere());
  EXPECT_EQ(Icon().icon, 0x3020u);

  // A stored TrayPlace the program never writes: the ticked box adds no icon, and the Tray
  // button goes off, as no icon of the program's own would bring the window back.
  Form1().Settings.TrayPlace = "7";
  p.sim.log.Clear();
  ok([](auto& d) { d.PlaceOnTrayBox.Click(); });
  EXPECT_TRUE(Dialog().PlaceOnTrayBox.Checked());
  EXPECT_TRUE(p.Calls("Shell_NotifyIconA").empty());
  EXPECT_EQ(Form1().Settings.TrayPlace, "7");
  EXPECT_FALSE(Form1().HideTolvaButton.Enabled());
}

}  // namespace
}  // namespace tolva::app::testing
