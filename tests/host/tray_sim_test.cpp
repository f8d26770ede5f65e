// The simulated notification area, icon loader, cursor and registered messages: the table the
// real ones also answer, and the switches and record keeping the program's tests stand on.
#include <gtest/gtest.h>

#include <string>

#include "platform/sim/sim_platform.h"
#include "tests/shared/tray_cases.h"

namespace tolva::platform::sim {
namespace {

class SimTestTray final : public tests::TestTray {
 public:
  SimTestTray() : window_(sim_.desktop.Create("tolva tray test", false)) {}
  Shell& TrayShell() override { return sim_.shell; }
  Icons& ModuleIcons() override { return sim_.icons; }
  WindowManager& Windows() override { return sim_.desktop; }
  WindowHandle IconWindow() override { return window_; }
  void MoveCursor(int x, int y) override {
    sim_.desktop.cursorX = x;
    sim_.desktop.cursorY = y;
  }
  SimPlatform& sim() { return sim_; }

 private:
  SimPlatform sim_;
  WindowHandle window_;
};

TEST(SimTray, AnswersAsTheRealServices) {
  for (const auto& c : tests::TrayCases()) {
    SimTestTray tray;
    tests::RunTrayCase(tray, c);
    EXPECT_TRUE(tray.sim().shell.trayIcons.empty());
  }
  SimTestTray tray;
  tests::CheckIconLoads(tray.ModuleIcons());
  tests::CheckCursorPositions(tray);
  tests::CheckRegisteredMessages(tray.Windows());
}

// Whatever the text and whatever the record held before, the tip ends within its 64 bytes and
// nothing of the old tip is left behind it.
TEST(SimTray, TipIsCutToFitItsRecord) {
  const struct {
    std::size_t length;
    std::size_t kept;
  } tips[] = {{0, 0}, {5, 5}, {63, 63}, {64, 63}, {200, 63}};
  for (const auto& t : tips) {
    SCOPED_TRACE(t.length);
    TrayIconRecord record;
    record.tip.fill('#');
    SetTrayTip(record, std::string(t.length, 'a'));
    EXPECT_EQ(TrayTipText(record), std::string(t.kept, 'a'));
    for (std::size_t i = t.kept; i < TrayTipCapacity; ++i) EXPECT_EQ(record.tip[i], '\0') << i;
  }
  // A record whose 64 bytes hold no NUL is read no further than them.
  TrayIconRecord unterminated;
  unterminated.tip.fill('z');
  EXPECT_EQ(TrayTipText(unterminated), std::string(64, 'z'));
}

TEST(SimTray, EachSwitchRefusesOneCall) {
  const struct {
    const char* name;
    bool SimShell::*fail;
    unsigned message;
    bool presentBefore;
  } switches[] = {
      {"add", &SimShell::failNextTrayAdd, NimAdd, false},
      {"modify", &SimShell::failNextTrayModify, NimModify, true},
      {"delete", &SimShell::failNextTrayDelete, NimDelete, true},
  };
  for (const auto& s : switches) {
    SCOPED_TRACE(s.name);
    SimPlatform sim;
    TrayIconRecord record;
    record.window = sim.desktop.Create("owner", false);
    record.id = app::TrayIconId;
    if (s.presentBefore) {
      ASSERT_TRUE(sim.shell.Shell_NotifyIconA(NimAdd, record));
    }
    sim.shell.*s.fail = true;
    EXPECT_FALSE(sim.shell.Shell_NotifyIconA(s.message, record));
    EXPECT_EQ(sim.shell.trayIcons.size(), s.presentBefore ? 1u : 0u);
    EXPECT_TRUE(sim.shell.Shell_NotifyIconA(s.message, record));
  }
  SimPlatform sim;
  sim.icons.failNextLoad = true;
  EXPECT_EQ(sim.icons.LoadSmallIcon("MAINICON"), NullIcon);
  EXPECT_NE(sim.icons.LoadSmallIcon("MAINICON"), NullIcon);
  sim.desktop.cursorX = 7;
  sim.desktop.failCursorPos = true;
  int x = 1, y = 2;
  EXPECT_FALSE(sim.desktop.GetCursorPos(x, y));
  EXPECT_EQ(x, 1);
  EXPECT_EQ(y, 2);
}

// A modify takes only the fields its flags name; the last record is kept, refused or not; a
// restarted shell knows no icon, so the program's next modify fails until it adds again.
TEST(SimTray, KeepsWhatTheShellWasToldAndForgetsItAtARestart) {
  SimPlatform sim;
  TrayIconRecord record;
  record.window = sim.desktop.Create("owner", false);
  record.id = app::TrayIconId;
  record.flags = NifMessage | NifIcon | NifTip;
  record.callbackMessage = tests::TrayCallbackMessage;
  record.icon = sim.icons.LoadSmallIcon("MAINICON");
  SetTrayTip(record, "visible");
  ASSERT_TRUE(sim.shell.Shell_NotifyIconA(NimAdd, record));

  TrayIconRecord tipOnly = record;
  tipOnly.flags = NifTip;
  tipOnly.icon = sim.icons.LoadSmallIcon("TRANSPARENT_ICON");
  SetTrayTip(tipOnly, "");
  ASSERT_TRUE(sim.shell.Shell_NotifyIconA(NimModify, tipOnly));
  const auto& icon = sim.shell.trayIcons.at({record.window, app::TrayIconId});
  EXPECT_EQ(icon.icon, record.icon);
  EXPECT_EQ(icon.tip, "");
  EXPECT_EQ(icon.callbackMessage, tests::TrayCallbackMessage);

  sim.shell.RestartShell();
  EXPECT_FALSE(sim.shell.Shell_NotifyIconA(NimModify, record));
  EXPECT_EQ(sim.shell.lastTrayMessage, NimModify);
  ASSERT_TRUE(sim.shell.lastTrayRecord.has_value());
  EXPECT_EQ(TrayTipText(*sim.shell.lastTrayRecord), "visible");
  EXPECT_TRUE(sim.shell.Shell_NotifyIconA(NimAdd, record));
  EXPECT_EQ(sim.log.WithPrefix("Shell_NotifyIconA").size(), 4u);
  const std::string add = "Shell_NotifyIconA " + std::to_string(NimAdd) + " ";
  EXPECT_EQ(sim.log.WithPrefix(add).back(),
            add + HexText(record.window) + " " + std::to_string(app::TrayIconId) + " " +
                HexText(NifMessage | NifIcon | NifTip) + " 0x3010 \"visible\"");
}

}  // namespace
}  // namespace tolva::platform::sim
