#pragma once
// The notification area, the icon loader, the cursor and the registered messages as the tray
// icon's handling stands on them, the same on the simulated platform and under Wine. Each case
// starts with no icon of the test's window and leaves none.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/tray_rules.h"
#include "platform/icons.h"
#include "platform/shell.h"
#include "platform/windows.h"

namespace tolva::tests {

using platform::WindowHandle;

// What one side offers: the services, a hidden window of the test's own to own the icons, and a
// way to move the cursor as the user would.
class TestTray {
 public:
  virtual ~TestTray() = default;
  virtual platform::Shell& TrayShell() = 0;
  virtual platform::Icons& ModuleIcons() = 0;
  virtual platform::WindowManager& Windows() = 0;
  virtual WindowHandle IconWindow() = 0;
  virtual void MoveCursor(int x, int y) = 0;
};

inline constexpr std::uint32_t TrayCallbackMessage = app::WmTrayIcon;

// One Shell_NotifyIconA call with the icon of this id, the tip and the look's icon, and its answer.
struct Notify {
  unsigned message;
  std::uint32_t id;
  bool returns;
  std::string tip = "tolva tray test";
};

struct TrayCase {
  const char* name;
  std::vector<Notify> steps;
};

inline std::vector<TrayCase> TrayCases() {
  using platform::NimAdd, platform::NimModify, platform::NimDelete;
  constexpr std::uint32_t Id = app::TrayIconId;
  return {
      {"add, then delete", {{NimAdd, Id, true}, {NimDelete, Id, true}}},
      // The icon already present is refused, not duplicated: one delete removes it.
      {"add twice", {{NimAdd, Id, true}, {NimAdd, Id, false}, {NimDelete, Id, true},
                     {NimDelete, Id, false}}},
      {"modify a present icon",
       {{NimAdd, Id, true}, {NimModify, Id, true, ""}, {NimModify, Id, true, "back again"},
        {NimDelete, Id, true}}},
      // What the program meets after the shell has forgotten its icon.
      {"modify after delete", {{NimAdd, Id, true}, {NimDelete, Id, true}, {NimModify, Id, false}}},
      {"never added", {{NimModify, Id, false}, {NimDelete, Id, false}}},
      {"the id tells icons of one window apart",
       {{NimAdd, Id, true}, {NimAdd, Id + 1, true}, {NimDelete, Id, true}, {NimModify, Id, false},
        {NimModify, Id + 1, true}, {NimDelete, Id + 1, true}}},
      {"a tip longer than the record holds",
       {{NimAdd, Id, true, std::string(100, 'x')}, {NimModify, Id, true, std::string(63, 'y')},
        {NimDelete, Id, true}}},
  };
}

inline platform::TrayIconRecord TrayRecord(TestTray& tray, const Notify& step) {
  platform::TrayIconRecord record;
  record.window = tray.IconWindow();
  record.id = step.id;
  record.flags = platform::NifMessage | platform::NifIcon | platform::NifTip;
  record.callbackMessage = TrayCallbackMessage;
  record.icon = tray.ModuleIcons().LoadSmallIcon("MAINICON");
  platform::SetTrayTip(record, step.tip);
  return record;
}

inline void RunTrayCase(TestTray& tray, const TrayCase& c) {
  SCOPED_TRACE(c.name);
  for (std::size_t n = 0; n < c.steps.size(); ++n) {
    SCOPED_TRACE("step " + std::to_string(n + 1));
    const Notify& step = c.steps[n];
    EXPECT_EQ(tray.TrayShell().Shell_NotifyIconA(step.message, TrayRecord(tray, step)), step.returns);
  }
}

// The module's two icons are found by name, and a name it has not is not.
inline void CheckIconLoads(platform::Icons& icons) {
  const struct {
    const char* name;
    bool found;
  } loads[] = {{"MAINICON", true}, {"TRANSPARENT_ICON", true}, {"NO_SUCH_ICON", false}};
  for (const auto& load : loads) {
    SCOPED_TRACE(load.name);
    EXPECT_EQ(icons.LoadSmallIcon(load.name) != platform::NullIcon, load.found);
  }
}

inline void CheckCursorPositions(TestTray& tray) {
  const struct {
    int x, y;
  } points[] = {{0, 0}, {37, 411}, {640, 5}};
  for (const auto& point : points) {
    tray.MoveCursor(point.x, point.y);
    int x = -1, y = -1;
    ASSERT_TRUE(tray.Windows().GetCursorPos(x, y));
    EXPECT_EQ(x, point.x);
    EXPECT_EQ(y, point.y);
  }
}

// The shell's restart message keeps its number, whatever the case of its name; another name
// has its own.
inline void CheckRegisteredMessages(platform::WindowManager& windows) {
  const unsigned taskbarCreated = windows.RegisterWindowMessageA("TaskbarCreated");
  EXPECT_GE(taskbarCreated, 0xC000u);
  EXPECT_LE(taskbarCreated, 0xFFFFu);
  EXPECT_EQ(windows.RegisterWindowMessageA("TaskbarCreated"), taskbarCreated);
  EXPECT_EQ(windows.RegisterWindowMessageA("TASKBARCREATED"), taskbarCreated);
  const unsigned other = windows.RegisterWindowMessageA("Tolva tray test message");
  EXPECT_GE(other, 0xC000u);
  EXPECT_NE(other, taskbarCreated);
}

}  // namespace tolva::tests
