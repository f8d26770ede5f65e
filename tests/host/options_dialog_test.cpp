// The options dialog and the options command over the simulated platform.
#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "app_fixture.h"
#include "settings/options/options_dialog.h"
#include "tests/host/sim_calls.h"

namespace tolva::app::testing {
namespace {

using platform::IdCancel;
using platform::IdNo;
using platform::IdOk;
using platform::IdYes;
using settings::TOptionsDialog;
using tests::CtrlAltDelCall;

// The main window with the dialog, opened as the user opens it.
class OptionsRig : public MainWindowRig {
 public:
  TOptionsDialog& Dialog() { return *state().OptionsDialog; }
  // Opens Options from the tool bar; `work` acts in the open dialog, as the user would.
  void Open(const std::function<void(TOptionsDialog&)>& work, bool ok) {
    p.backend.modalScript = [&, ok](ui::Form&) {
      if (work) work(Dialog());
      p.backend.Click(ok ? static_cast<ui::Control&>(Dialog().OKBtn) : Dialog().CancelBtn);
      return 0;
    };
    p.backend.Click(Form1().OptionsButton);
  }
  std::string File() const { return p.sim.profile.FileText("tolva.ini").value_or("<none>"); }
};

class OptionsTest : public ::testing::Test, public OptionsRig {};

// Each rule that one control's change makes for others, worked as the user works them.
TEST_F(OptionsTest, EnablingRules) {
  struct Case {
    const char* name;
    std::function<void(TOptionsDialog&)> before, act, check;
    int answer = IdOk;  // to a question, if one comes
    std::size_t boxes = 0;
  };
  const platform::LocalTime now = p.sim.clock.now;
  const Case cases[] = {
      {"reveal option greys the warning", {}, [](auto& d) { d.ShowExitBox.Click(); },
       [](auto& d) { EXPECT_FALSE(d.WarnExitBox.Checked()); EXPECT_FALSE(d.WarnExitBox.Enabled()); }},
      {"no reveal option brings the warning back, unasked",
       [](auto& d) { d.ShowExitBox.SetChecked(true); }, [](auto& d) { d.ShowExitBox.Click(); },
       [](auto& d) { EXPECT_TRUE(d.WarnExitBox.Checked()); EXPECT_TRUE(d.WarnExitBox.Enabled()); }},
      {"no warning at all: Yes", [](auto& d) { d.WarnExitBox.SetChecked(true); },
       [](auto& d) { d.WarnExitBox.Click(); }, [](auto& d) { EXPECT_FALSE(d.WarnExitBox.Checked()); },
       IdYes, 1},
      {"no warning at all: No", [](auto& d) { d.WarnExitBox.SetChecked(true); },
       [](auto& d) { d.WarnExitBox.Click(); }, [](auto& d) { EXPECT_TRUE(d.WarnExitBox.Checked()); },
       IdNo, 1},
      {"no warning at all: Cancel", [](auto& d) { d.WarnExitBox.SetChecked(true); },
       [](auto& d) { d.WarnExitBox.Click(); }, [](auto& d) { EXPECT_TRUE(d.WarnExitBox.Checked()); },
       IdCancel, 1},
      {"no icon: no invisible icon",
       [](auto& d) { d.PlaceOnTrayBox.SetChecked(true); d.MakeInvisibleBox.SetChecked(true); },
       [](auto& d) { d.PlaceOnTrayBox.Click(); },
       [](auto& d) { EXPECT_FALSE(d.MakeInvisibleBox.Checked()); EXPECT_FALSE(d.MakeInvisibleBox.Enabled()); }},
      {"icon again: invisible may be chosen, not chosen", {}, [](auto& d) { d.PlaceOnTrayBox.Click(); },
       [](auto& d) { EXPECT_FALSE(d.MakeInvisibleBox.Checked()); EXPECT_TRUE(d.MakeInvisibleBox.Enabled()); }},
      {"no launch greys the path and keeps it",
       [](auto& d) { d.LaunchAppBox.SetChecked(true); d.LaunchAppEdit.SetText("C:\\a.txt"); },
       [](auto& d) { d.LaunchAppBox.Click(); },
       [](auto& d) {
         EXPECT_FALSE(d.LaunchAppEdit.Enabled());
         EXPECT_FALSE(d.LaunchAppButton.Enabled());
         EXPECT_EQ(d.LaunchAppEdit.Text(), "C:\\a.txt");
       }},
      {"schedule on: pickers from now",
       [](auto& d) { d.TimePicker.SetValue(platform::LocalTime{2020, 1, 3, 1, 1, 1, 1, 0}); },
       [](auto& d) { d.EnableDateTimeCheckBox.Click(); },
       [now](auto& d) {
         EXPECT_TRUE(d.TimePicker.Enabled() && d.DatePicker.Enabled());
         EXPECT_EQ(d.TimePicker.Value(), now);
         EXPECT_EQ(d.DatePicker.Value(), now);
       }},
      {"schedule off keeps the values",
       [](auto& d) { d.EnableDateTimeCheckBox.SetChecked(true); d.TimePicker.SetValue({}); },
       [](auto& d) { d.EnableDateTimeCheckBox.Click(); },
       [](auto& d) {
         EXPECT_FALSE(d.TimePicker.Enabled() || d.DatePicker.Enabled());
         EXPECT_EQ(d.TimePicker.Value(), platform::LocalTime{});
       }},
      {"a box set to the state it has runs nothing",
       [](auto& d) { d.WarnExitBox.SetChecked(false); },
       [](auto& d) { d.WarnExitBox.SetChecked(false); d.ShowExitBox.SetChecked(false); },
       [](auto& d) { EXPECT_TRUE(d.WarnExitBox.Enabled()); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    MainWindowRig t;
    t.Create();
    TOptionsDialog& d = *t.state().OptionsDialog;
    if (c.before) c.before(d);
    t.p.sim.dialogs.boxes.clear();
    t.p.sim.dialogs.answers = {c.answer};
    c.act(d);
    c.check(d);
    ASSERT_EQ(t.p.sim.dialogs.boxes.size(), c.boxes);
    if (c.boxes == 1) {
      const auto& box = t.p.sim.dialogs.boxes[0];
      EXPECT_EQ(box.text,
                "Are you SURE you don't want ANY warning?\r\n\r\nWhen you exit Tolva and/or "
                "Windows, you\r\nwill NOT be warned about hidden windows!");
      EXPECT_EQ(box.caption, "Tolva R. Quenlar (TM)");
      EXPECT_EQ(box.type, 0x1133u);
    }
  }
}

// The preset ticks a box exactly for a stored 1; every other value leaves it unticked.
TEST_F(OptionsTest, PresetsFollowTheStoredValues) {
  for (const std::string v : {"0", "1", "2"}) {
    SCOPED_TRACE(v);
    OptionsRig t;
    t.Create("[Settings]\nHints=" + v + "\nShowExit=1\nToTray=" + v + "\nWAV=" + v +
             "\n[Icon]\nTrayPlace=" + v + "\nInvisible=" + v + "\n[Actions]\nHideDesk=" + v +
             "\nLaunchApp=" + v + "\nClearDoc=" + v + "\nCtrlAlt=" + v + "\nFileSpec=C:\\x\\a.txt\nIniDir=C:\\x\\" +
             "\n[DateTime]\nEnableDateTime=" + v + "\nActionTime=1:02:03 PM\nActionDate=2/3/2027" +
             "\n[Exclude]\nAutoRefresh=" + v + "\n");
    const bool on = v == "1";
    t.Open([&](TOptionsDialog& d) {
      for (const ui::CheckBox* box : {&d.EnableHintsBox, &d.ToTrayBox, &d.PlayWavBox, &d.PlaceOnTrayBox,
                                      &d.MakeInvisibleBox, &d.HideDesktopBox, &d.LaunchAppBox,
                                      &d.ClearDocBox, &d.CtrlAltDelBox, &d.EnableDateTimeCheckBox,
                                      &d.AutoRefreshCheckBox}) {
        EXPECT_EQ(box->Checked(), on) << box->Name();
      }
      EXPECT_EQ(d.MakeInvisibleBox.Enabled(), on);
      EXPECT_EQ(d.LaunchAppEdit.Enabled(), on);
      EXPECT_EQ(d.LaunchAppButton.Enabled(), on);
      EXPECT_EQ(d.TimePicker.Enabled(), on);
      EXPECT_EQ(d.LaunchAppEdit.Text(), "C:\\x\\a.txt");
      EXPECT_EQ(d.LaunchAppEdit.Hint(), "C:\\x\\a.txt");
      EXPECT_EQ(d.OpenDialog1.initialDir, "C:\\x");
      if (on) {
        EXPECT_EQ(d.TimePicker.Value().hour, 13);
        EXPECT_EQ(d.DatePicker.Value().month, 2);
      }
    }, false);
    EXPECT_TRUE(t.p.sim.dialogs.boxes.empty());
  }
}

// Leaving both exit options off is confirmed, also when the preset is what leaves them off:
// the question then comes before the dialog shows.
TEST_F(OptionsTest, NoWarningIsConfirmedAlsoFromThePreset) {
  struct Case {
    int answer;
    bool warnAfter;
  };
  for (const Case c : {Case{IdYes, false}, Case{IdNo, true}, Case{IdCancel, true}}) {
    SCOPED_TRACE(c.answer);
    OptionsRig t;
    t.Create("[Settings]\nShowExit=0\nWarnExit=0\n");
    // The user ticks the reveal option and cancels; the stored values stay off.
    t.Open([](TOptionsDialog& d) { d.ShowExitBox.Click(); }, false);
    ASSERT_TRUE(t.p.sim.dialogs.boxes.empty());
    t.p.sim.dialogs.answers = {c.answer};
    bool warnWhenShown = !c.warnAfter;
    t.Open([&](TOptionsDialog& d) { warnWhenShown = d.WarnExitBox.Checked(); }, false);
    ASSERT_EQ(t.p.sim.dialogs.boxes.size(), 1u);
    const auto& calls = t.p.sim.log.calls;
    EXPECT_LT(std::find(calls.begin(), calls.end(), "MessageBoxA 0x1133 \"Tolva R. Quenlar (TM)\""),
              std::find(calls.rbegin(), calls.rend(), "ShowModal OptionsDialog").base());
    EXPECT_EQ(warnWhenShown, c.warnAfter);
  }
}

// Before the dialog shows, Ctrl+Alt+Del is brought in line with the stored setting, on Win32s
// and the Windows 95 family only.
TEST_F(OptionsTest, CtrlAltDelFollowsTheStoredSettingBeforeTheDialogShows) {
  struct Case {
    std::uint32_t platformId;
    const char* ctrlAlt;
    bool concealed;
    std::vector<std::string> calls;
  };
  const Case cases[] = {
      {platform::VerPlatformWin32s, "1", true, {CtrlAltDelCall(true)}},
      {platform::VerPlatformWin32Windows, "1", true, {CtrlAltDelCall(true)}},
      {platform::VerPlatformWin32Windows, "1", false, {CtrlAltDelCall(false)}},
      {platform::VerPlatformWin32Windows, "0", true, {CtrlAltDelCall(false)}},
      {platform::VerPlatformWin32Nt, "1", true, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.platformId) + c.ctrlAlt + (c.concealed ? " concealed" : ""));
    OptionsRig t;
    t.p.sim.kernel.version.platformId = c.platformId;
    t.Create(std::string("[Settings]\nWAV=0\n[Actions]\nCtrlAlt=") + c.ctrlAlt + "\n");
    if (c.concealed) t.Form1().HideShowButtonClick();
    t.p.sim.log.Clear();
    t.Open([](TOptionsDialog& d) { d.CtrlAltDelBox.Click(); }, true);  // the box does not count
    EXPECT_EQ(t.p.Calls(tests::CtrlAltDelCalls), c.calls);
  }
}

// OK saves the file and puts every choice into effect at once; Cancel applies nothing and the
// controls keep the user's changes until the next opening presets them again.
TEST_F(OptionsTest, OkAppliesEverythingAndCancelNothing) {
  Create("[Settings]\nWAV=0\n[DateTime]\nEnableDateTime=0\n");
  p.sim.profile.RemoveFile("tolva.ini");  // the first save makes it
  p.sim.process.currentDirectory = "D:\\Work";
  const auto choose = [](TOptionsDialog& d) {
    d.EnableHintsBox.Click();  // off
    d.PlayWavBox.Click();      // on
    d.LaunchAppBox.Click();
    d.LaunchAppEdit.SetText("C:\\Docs\\" + std::string(1200, 'n'));
    d.EnableDateTimeCheckBox.Click();
    d.TimePicker.ValueChosen({2027, 3, 1, 4, 14, 5, 6, 0});
    d.DatePicker.ValueChosen({2027, 3, 1, 4, 0, 0, 0, 0});
  };
  const settings::SettingsRecord before = Form1().Settings;
  Open(choose, false);
  EXPECT_EQ(File(), "<none>");
  EXPECT_EQ(Form1().Settings.WAV, before.WAV.view());
  EXPECT_EQ(Form1().Settings.FileSpec, before.FileSpec.view());
  EXPECT_TRUE(p.backend.hintsShown);
  EXPECT_FALSE(Form1().ActionTimer.Enabled());
  EXPECT_TRUE(Dialog().PlayWavBox.Checked());  // kept until the next opening

  Open(choose, true);
  const auto& s = Form1().Settings;
  EXPECT_EQ(s.Hints, "0");
  EXPECT_FALSE(p.backend.hintsShown);
  EXPECT_EQ(s.WAV, "1");
  EXPECT_EQ(s.LaunchApp, "1");
  EXPECT_EQ(s.FileSpec.view(), "C:\\Docs\\" + std::string(1091, 'n'));  // cut to its capacity
  EXPECT_EQ(s.IniDir, "C:\\Docs");
  EXPECT_EQ(s.EnableDateTime, "1");
  EXPECT_EQ(s.ActionTime, "2:05:06 PM");
  EXPECT_EQ(s.ActionDate, "3/4/2027");
  EXPECT_TRUE(Form1().ActionTimer.Enabled());
  EXPECT_TRUE(Form1().HideTolvaButton.Enabled());  // the icon is there to come back by
  EXPECT_EQ(File(), "[Settings]\r\nHints=0\r\nShowExit=1\r\nWarnExit=0\r\nToTray=0\r\nWAV=1\r\n"
                    "[Actions]\r\nHideDesk=0\r\nLaunchApp=1\r\nFileSpec=C:\\Docs\\" +
                        std::string(1200, 'n') +
                        "\r\nIniDir=C:\\Docs\r\nClearDoc=0\r\nCtrlAlt=0\r\n"
                        "[Icon]\r\nTrayPlace=1\r\nInvisible=0\r\n"
                        "[DateTime]\r\nEnableDateTime=1\r\nActionTime=2:05:06 PM\r\nActionDate=3/4/2027\r\n"
                        "[Exclude]\r\nAutoRefresh=1\r\n[HotKey]\r\nKey=0\r\n");

  // An empty path at OK: no file, and the folder is the current directory; the schedule off
  // empties its texts and stops the timer.
  Open([](TOptionsDialog& d) {
    d.LaunchAppEdit.SetText("");
    d.EnableDateTimeCheckBox.Click();
    d.EnableHintsBox.Click();
  }, true);
  EXPECT_EQ(s.FileSpec, "");
  EXPECT_EQ(s.IniDir, "D:\\Work");
  EXPECT_EQ(s.ActionTime, "");
  EXPECT_FALSE(Form1().ActionTimer.Enabled());
  EXPECT_EQ(p.backend.hintColour, (ui::Colour{0, 255, 0}));

  // A file that refuses the save: one warning, and the options still apply, in memory only.
  p.sim.profile.failWrites = true;
  p.sim.profile.windowsDirectory = "C:\\WINNT";
  Open([](TOptionsDialog& d) { d.PlayWavBox.Click(); }, true);
  EXPECT_EQ(s.WAV, "0");
  ASSERT_EQ(p.sim.dialogs.boxes.size(), 1u);
  const auto& box = p.sim.dialogs.boxes[0];
  EXPECT_EQ(box.text, "Your settings could not be saved in tolva.ini in C:\\WINNT.\r\n\r\n"
                      "The changes you made hold until Tolva R. Quenlar ends.");
  EXPECT_EQ(box.caption, settings::SettingsNotSavedTitle);
  EXPECT_EQ(box.type, platform::MbOk | platform::MbIconExclamation);
  EXPECT_EQ(box.owner, p.program.application().Handle());
  EXPECT_EQ(p.Calls("MessageBeep").size(), 1u);
}

// The stored hot key is registered as the main window is made (without MOD_NOREPEAT where the
// system refuses it), with Ctrl and Alt each as stored, and given up as it goes. OK with the
// combination unchanged leaves it registered as it is; OK refuses one without Ctrl or Alt and
// stays open on its page; one another program holds is saved, in place of the old one, with a
// warning.
TEST_F(OptionsTest, TheHotKeyIsRegisteredRefusedOrSavedWithAWarningAndGivenUp) {
  constexpr unsigned CtrlAlt = platform::ModControl | platform::ModAlt;
  const std::string ini = "[Settings]\nWAV=0\n[HotKey]\nKey=1608\n";
  p.sim.desktop.refuseNoRepeat = true;
  p.sim.desktop.HoldHotKey(CtrlAlt, 'J');
  Create(ini);
  EXPECT_EQ(p.Calls("RegisterHotKey").size(), 2u);
  Open([](TOptionsDialog&) {}, true);
  EXPECT_EQ(p.Calls("RegisterHotKey").size(), 2u);
  const std::string before = File();
  Open([&](TOptionsDialog& d) {
    EXPECT_EQ(d.HotKeyControl.Value(), 0x648);
    d.HotKeyControl.ValueChosen(0x148);  // Shift+H
    p.backend.Click(d.OKBtn);
    EXPECT_EQ(d.modalResult, 0) << "closed";
    EXPECT_EQ(d.PageControl1.ActivePageIndex(), settings::HotKeyPageIndex);
    EXPECT_EQ(File(), before) << "saved";
    d.HotKeyControl.ValueChosen(0x64A);  // Ctrl+Alt+J
  }, true);
  EXPECT_NE(File().find("\nKey=1610\r\n"), std::string::npos) << File();
  EXPECT_FALSE(p.backend.PressHotKey(CtrlAlt, 'H')) << "the old one kept";
  std::vector<std::string> warnings;
  for (const auto& box : p.sim.dialogs.boxes) warnings.push_back(box.caption + ": " + box.text.substr(0, 21));
  EXPECT_EQ(warnings, (std::vector<std::string>{"Invalid Hot Key: A hot key is Ctrl or ",
                                                "Hot Key In Use: Ctrl+Alt+J is in use "}));
  OptionsRig ending;
  ending.Create(ini);
  ending.p.program.application().DestroyWindows();
  EXPECT_EQ(ending.p.Calls("UnregisterHotKey").size(), 1u);
  for (const auto& [stored, modifiers, key] : {std::tuple{"624", platform::ModControl, 0x70u},  // Ctrl+F1
                                                std::tuple{"1057", platform::ModAlt, 0x21u}}) {   // Alt+Page Up
    OptionsRig one;
    one.Create(std::string("[HotKey]\nKey=") + stored + "\n");
    EXPECT_TRUE(one.p.backend.PressHotKey(modifiers, key)) << stored;
  }
}

// The Exclude page: ticks take effect at once, survive Cancel and OK, and go with a refresh;
// a page change to it refreshes only with Auto ticked, and opening on it refreshes nothing.
TEST_F(OptionsTest, ExcludeTicksAndRefreshes) {
  Create("[Settings]\nWAV=0\n[Exclude]\nAutoRefresh=1\n");
  const auto targets = Targets(3);
  Open([&](TOptionsDialog& d) {
    p.backend.Click(d.WindowListBox);  // not reachable on the Settings page: nothing
    d.PageControl1.PageChosen(settings::ExcludePageIndex);
    EXPECT_EQ(d.NoOfWindowsLabel.Caption(), "3");
    EXPECT_EQ(platform::sim::ShownRows(d.WindowListBox),
              (std::vector<std::string>{"[ ] Target 1", "[ ] Target 2", "[ ] Target 3"}));
    d.WindowListBox.ItemToggled(0);
    EXPECT_EQ(platform::sim::ShownRows(d.WindowListBox).at(0), "[x] Target 1");
  }, false);
  Form1().HideShowButtonClick();
  EXPECT_TRUE(Visible(targets[0]));
  EXPECT_FALSE(Visible(targets[1]) || Visible(targets[2]));
  Form1().HideShowButtonClick();

  Targets(1, "Later");
  Open([](TOptionsDialog& d) {
    EXPECT_EQ(d.PageControl1.ActivePageIndex(), settings::ExcludePageIndex);
    EXPECT_EQ(d.NoOfWindowsLabel.Caption(), "3");  // reopened on the page: no refresh
    EXPECT_TRUE(d.WindowListBox.items->Checked(0));
  }, true);
  EXPECT_TRUE(state().excludeList[0].checked);

  Open([](TOptionsDialog& d) {
    d.AutoRefreshCheckBox.Click();  // off
    d.PageControl1.PageChosen(0);
    d.PageControl1.PageChosen(settings::ExcludePageIndex);
    EXPECT_TRUE(d.WindowListBox.items->Checked(0));
    d.RefreshButton.Click();
    EXPECT_EQ(d.NoOfWindowsLabel.Caption(), "4");
    EXPECT_EQ(platform::sim::ShownRows(d.WindowListBox),
              (std::vector<std::string>{"[ ] Later 1", "[ ] Target 1", "[ ] Target 2",
                                        "[ ] Target 3"}));
  }, false);
}

// A stored time or date that no longer reads in today's regional format is reported, and the
// dialog still opens, its pickers at now, so that the schedule can be set again or turned off.
TEST_F(OptionsTest, AStoredScheduleThatNoLongerReadsStillOpensTheDialog) {
  struct Case {
    const char* time;
    const char* date;
    std::vector<std::string> errors;
    bool timeIsNow, dateIsNow;
    // Read at a first opening; unreadable at the next, after the time separator changed.
    bool atALaterOpening = false;
  };
  const Case cases[] = {
      {"13.05.00", "2/3/2027", {"'13.05.00' is not a valid time."}, true, false},
      {"", "2/3/2027", {"'' is not a valid time."}, true, false},
      {"1:00:00 AM", "2027-02-03", {"'2027-02-03' is not a valid date."}, false, true},
      {"1:00:00 AM", "2/3/2027", {"'1:00:00 AM' is not a valid time."}, true, false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.time);
    OptionsRig t;
    t.Create(std::string("[DateTime]\nEnableDateTime=1\nActionTime=") + c.time + "\nActionDate=" +
             c.date + "\n");
    if (c.atALaterOpening) {
      t.Open(nullptr, false);
      t.p.sim.locale.region.timeSeparator = ".";
      t.p.backend.SettingChanged("intl");
    }
    bool shown = false;
    t.Open([&](TOptionsDialog& d) {
      shown = true;
      EXPECT_EQ(d.TimePicker.Value() == t.p.sim.clock.now, c.timeIsNow);
      EXPECT_EQ(d.DatePicker.Value() == t.p.sim.clock.now, c.dateIsNow);
      EXPECT_TRUE(d.EnableDateTimeCheckBox.Checked());
    }, false);
    EXPECT_TRUE(shown);
    std::vector<std::string> texts;
    for (const auto& box : t.p.sim.dialogs.boxes) texts.push_back(box.text);
    EXPECT_EQ(texts, c.errors);
  }
}

// Help, the web links, the file chooser, and a second Options request while the dialog is open.
TEST_F(OptionsTest, HelpLinksChooserAndASecondRequest) {
  Create("[Actions]\nLaunchApp=1\nFileSpec=C:\\old.txt\nIniDir=C:\\\n");
  p.sim.shell.results["http://www.marrowby.com/"] = platform::ErrorFileNotFound;
  int chooserRuns = 0;
  p.sim.fileDialogs.script = [&](platform::OpenFileRequest& request) {
    if (++chooserRuns == 1) return false;  // cancelled
    request.fileName = "D:\\Games\\play.exe";
    request.filterIndex = 3;  // the user chose another file type
    return true;
  };
  Open([&](TOptionsDialog& d) {
    d.ShowExitBox.Click();
    Form1().OptionsButtonClick();  // ignored: the user's change stays
    EXPECT_FALSE(d.ShowExitBox.Checked());
    p.backend.PressKey(d, ui::VkF1, {});
    d.HelpBtn.Click();
    d.Image1.Click();
    d.MarrowbyImage.Click();
    d.PageControl1.PageChosen(1);
    p.backend.Click(d.LaunchAppButton);
    EXPECT_EQ(d.LaunchAppEdit.Text(), "C:\\old.txt");
    p.backend.Click(d.LaunchAppButton);
    EXPECT_EQ(d.LaunchAppEdit.Text(), "D:\\Games\\play.exe");
    EXPECT_EQ(d.LaunchAppEdit.Hint(), "D:\\Games\\play.exe");
    p.backend.Click(d.LaunchAppButton);
  }, true);
  EXPECT_EQ(p.Calls("ShowModal"), (std::vector<std::string>{"ShowModal OptionsDialog"}));
  EXPECT_EQ(p.Calls("WinHelpA"),
            (std::vector<std::string>{tests::HelpCall(platform::HelpContext, 1010),
                                      tests::HelpCall(platform::HelpContents, 0),
                                      "WinHelpA tolva.hlp " + std::to_string(platform::HelpCommand) +
                                          " JumpID(\"\",\"Options_Dialog\")"}));
  ASSERT_EQ(p.sim.shell.executed.size(), 2u);
  EXPECT_EQ(p.sim.shell.executed[0].file, "http://www.marrowby.com/software/tolva.htm");
  EXPECT_EQ(p.sim.shell.executed[0].owner, Dialog().Handle());
  EXPECT_EQ(p.sim.shell.executed[1].file, "http://www.marrowby.com/");
  ASSERT_EQ(p.sim.dialogs.boxes.size(), 1u);
  EXPECT_EQ(p.sim.dialogs.boxes[0].caption, "About Box Shell Command Failed");
  ASSERT_EQ(p.sim.fileDialogs.requests.size(), 3u);
  EXPECT_EQ(p.sim.fileDialogs.requests[2].filterIndex, 1) << "opens on All Files again";
  const auto& request = p.sim.fileDialogs.requests[0];
  EXPECT_EQ(request.title, "Choose Your Launch Application...");
  EXPECT_EQ(request.owner, Dialog().Handle());
  EXPECT_EQ(request.fileName, "C:\\old.txt");
  EXPECT_EQ(request.initialDir, "C:\\");
  EXPECT_EQ(request.filterIndex, 1);
  ASSERT_EQ(request.filters.size(), 14u);
  EXPECT_EQ(request.filters[5].patterns, "*.mpeg;*.mpg");
  EXPECT_EQ(request.filters[13].description, "Video Clip (*.avi)");
  EXPECT_TRUE(request.hideReadOnly && request.pathMustExist && request.fileMustExist && request.resizable);
  // After OK the chooser starts in the chosen file's folder.
  EXPECT_EQ(Form1().Settings.IniDir, "D:\\Games");

  // A help engine that cannot start: no jump.
  p.sim.help.fail = true;
  p.sim.log.Clear();
  Dialog().HelpBtnClick();
  EXPECT_EQ(p.Calls("WinHelpA").size(), 1u);
}

}  // namespace
}  // namespace tolva::app::testing
