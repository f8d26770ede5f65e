// The scheduled conceal/reveal command over the simulated clock and desktop.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app_fixture.h"
#include "settings/options/options_dialog.h"
#include "tests/host/sim_calls.h"

namespace tolva::app::testing {
namespace {

// The simulated clock stands at 3:04:05 PM on 12/8/2026 in the default regional formats.
std::string Armed(const std::string& time, const std::string& date = "12/8/2026",
                  const std::string& extra = "") {
  return "[Settings]\nWAV=0\n[DateTime]\nEnableDateTime=1\nActionTime=" + time + "\nActionDate=" + date +
         "\n" + extra;
}

class ScheduleRig : public MainWindowRig {
 public:
  // One tick of the timer with the clock at that second of 3:04 PM.
  void TickAt(int second) {
    p.sim.clock.now.second = second;
    p.backend.Advance(1000);
  }
  std::string File() const { return p.sim.profile.FileText("tolva.ini").value_or("<none>"); }
};

// The command runs on the one tick whose texts equal the targets, whole, letters a-z folded.
TEST(Schedule, FiresOnceOnATickInsideTheMatchingSecond) {
  struct Case {
    const char* name;
    std::string ini;
    std::vector<int> seconds;  // the ticks
    bool concealedBefore;
    bool fires;
    const char* pm = "PM";  // the regional designator
    bool fileRefusesWrites = false;
  };
  const Case cases[] = {
      {"a tick inside the second", Armed("3:04:06 PM"), {5, 6, 7, 8}, false, true},
      {"the second missed", Armed("3:04:06 PM"), {5, 7, 8}, false, false},
      {"a target in the past", Armed("3:04:01 PM"), {5, 6, 7}, false, false},
      {"the designator in lower case", Armed("3:04:06 pm"), {6}, false, true},
      {"a letter fewer", Armed("3:04:06 P"), {6}, false, false},
      {"another day", Armed("3:04:06 PM", "12/9/2026"), {6}, false, false},
      {"concealed at the moment", Armed("3:04:06 PM"), {6}, true, true},
      {"z folds to Z", Armed("3:04:06 Z"), {6}, false, true, "z"},
      {"[ is not {", Armed("3:04:06 ["), {6}, false, false, "{"},
      // The switch-off the file refused is not said: the schedule is off in memory regardless.
      {"the file refuses the write", Armed("3:04:06 PM"), {6}, false, true, "PM", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ScheduleRig t;
    t.p.sim.locale.region.pmDesignator = c.pm;
    t.Create(c.ini);
    t.p.sim.profile.failWrites = c.fileRefusesWrites;
    const auto targets = t.Targets(2);
    if (c.concealedBefore) t.p.backend.Click(t.Form1().HideShowButton);
    ASSERT_TRUE(t.Form1().ActionTimer.Enabled());
    const std::size_t passesBefore = t.p.Calls(tests::PassCall).size();
    for (int second : c.seconds) t.TickAt(second);

    EXPECT_EQ(t.p.Calls(tests::PassCall).size() - passesBefore, c.fires ? 1u : 0u);
    const bool concealedAfter = c.concealedBefore != c.fires;
    EXPECT_EQ(t.state().hiddenWindows.WindowsHidden, concealedAfter);
    for (auto w : targets) EXPECT_EQ(t.Visible(w), !concealedAfter);
    EXPECT_EQ(t.Form1().Settings.EnableDateTime, c.fires ? "0" : "1");
    EXPECT_TRUE(t.Form1().ActionTimer.Enabled());  // it runs on after firing
    EXPECT_TRUE(t.p.sim.dialogs.boxes.empty());
  }
}

// Fired: off in memory, in the dialog and in the file, where the old targets stay; a restart
// does not fire them again.
TEST(Schedule, FiringDisarmsTheRecordTheDialogAndTheFile) {
  ScheduleRig t;
  t.Create(Armed("3:04:06 PM"));
  t.Targets(2);
  settings::TOptionsDialog& d = *t.state().OptionsDialog;
  d.EnableDateTimeCheckBox.SetChecked(true);
  d.DatePicker.SetEnabled(true);
  d.TimePicker.SetEnabled(true);
  t.TickAt(6);

  const settings::SettingsRecord& s = t.Form1().Settings;
  EXPECT_EQ(s.EnableDateTime, "0");
  EXPECT_EQ(s.ActionTime, "");
  EXPECT_EQ(s.ActionDate, "");
  EXPECT_FALSE(d.EnableDateTimeCheckBox.Checked());
  EXPECT_FALSE(d.DatePicker.Enabled());
  EXPECT_FALSE(d.TimePicker.Enabled());
  EXPECT_EQ(t.File(), "[Settings]\r\nWAV=0\r\n[DateTime]\r\nEnableDateTime=0\r\n"
                      "ActionTime=3:04:06 PM\r\nActionDate=12/8/2026\r\n");
  // The file is written after the command: the windows went first.
  EXPECT_TRUE(t.state().hiddenWindows.WindowsHidden);

  ScheduleRig restarted;
  restarted.Create(t.File());
  restarted.Targets(2);
  EXPECT_FALSE(restarted.Form1().ActionTimer.Enabled());
  restarted.TickAt(6);
  EXPECT_FALSE(restarted.state().hiddenWindows.WindowsHidden);
}

// A tick that comes while the schedule's own command still runs (here the launch's failure box
// is open, the clock still in the matching second) does nothing: the windows stay concealed.
TEST(Schedule, ATickDuringItsOwnFiringDoesNotFireAgain) {
  ScheduleRig t;
  t.Create(Armed("3:04:06 PM", "12/8/2026", "[Actions]\nLaunchApp=1\nFileSpec=missing.txt\n"));
  const auto targets = t.Targets(2);
  t.p.sim.shell.results["missing.txt"] = platform::ErrorFileNotFound;
  int boxes = 0;
  t.p.sim.dialogs.whileOpen = [&](const platform::sim::SimDialogs::Box& box) {
    if (box.caption != "File Not Found") return;
    ++boxes;
    t.p.backend.Advance(1000);
    t.p.backend.Advance(1000);
  };
  t.TickAt(6);
  EXPECT_EQ(boxes, 1);
  EXPECT_EQ(t.p.Calls(tests::PassCall).size(), 1u);
  EXPECT_TRUE(t.state().hiddenWindows.WindowsHidden);
  for (auto w : targets) EXPECT_FALSE(t.Visible(w));
  EXPECT_EQ(t.Form1().Settings.EnableDateTime, "0");
}

// The texts are compared in the formats in force: a change Windows announces for "intl" is read
// again, one for another area is not.
TEST(Schedule, ARegionalFormatChangeWhileArmed) {
  struct Case {
    const char* name;
    const char* area;
    bool clock24;
    const char* pm;
    bool fires;
  };
  const Case cases[] = {
      {"24-hour clock announced", "intl", true, "PM", false},
      {"designator in lower case announced", "intl", false, "pm", true},
      {"24-hour clock, another area", "Environment", true, "PM", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ScheduleRig t;
    t.Create(Armed("3:04:06 PM"));
    t.Targets(1);
    t.p.sim.locale.region.clock24 = c.clock24;
    t.p.sim.locale.region.pmDesignator = c.pm;
    t.p.backend.SettingChanged(c.area);
    t.TickAt(6);
    EXPECT_EQ(t.state().hiddenWindows.WindowsHidden, c.fires);
  }
}

}  // namespace
}  // namespace tolva::app::testing
