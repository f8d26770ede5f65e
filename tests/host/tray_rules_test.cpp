#include <gtest/gtest.h>

#include "app/tray_rules.h"
#include "settings/options/apply_options.h"

namespace tolva::app {
namespace {

using settings::TrayChange;
using Presence = TrayChange::Presence;
using Look = TrayChange::Look;

TEST(TrayRules, MouseActionsOnTheIcon) {
  struct Case {
    std::intptr_t message;
    TrayMouseAction action;
  } const cases[] = {
      {512, TrayMouseAction::None},     {513, TrayMouseAction::None},    {514, TrayMouseAction::HideShow},
      {515, TrayMouseAction::None},     {516, TrayMouseAction::None},    {517, TrayMouseAction::Menu},
      {518, TrayMouseAction::Restore},  {519, TrayMouseAction::None},    {0, TrayMouseAction::None},
  };
  for (const auto& c : cases) EXPECT_EQ(TrayMouseActionFor(c.message), c.action) << c.message;
  EXPECT_EQ(WmTrayIcon, 1144u);
}

// What OK does to the icon for each combination of the boxes and the stored values; a stored
// value other than 0 and 1 changes nothing.
TEST(TrayRules, ChangesAtOk) {
  struct Case {
    bool place, invisible;
    const char* trayPlace;
    const char* storedInvisible;
    Presence presence;
    Look look;
    bool withoutModify;
  } const cases[] = {
      {true, false, "1", "0", Presence::Keep, Look::Keep, false},
      {true, false, "0", "0", Presence::Add, Look::Keep, false},
      {false, false, "1", "0", Presence::Delete, Look::Keep, false},
      {false, false, "0", "0", Presence::Keep, Look::Keep, false},
      {true, true, "1", "0", Presence::Keep, Look::MakeInvisible, false},
      {true, false, "1", "1", Presence::Keep, Look::MakeVisible, false},
      {true, true, "0", "0", Presence::Add, Look::MakeInvisible, false},
      // Removed and made visible in one OK: the record takes the look, no modify is asked.
      {false, false, "1", "1", Presence::Delete, Look::MakeVisible, true},
      {false, false, "2", "2", Presence::Keep, Look::Keep, false},
      {true, true, "7", "5", Presence::Keep, Look::Keep, false},
      {true, true, "x", "0", Presence::Add, Look::MakeInvisible, false},  // no digits read as 0
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.trayPlace) + c.storedInvisible + (c.place ? " place" : "") +
                 (c.invisible ? " invisible" : ""));
    settings::SettingsRecord s;
    s.TrayPlace = c.trayPlace;
    s.Invisible = c.storedInvisible;
    const TrayChange change = TrayChangeAtOk(c.place, c.invisible, s);
    EXPECT_EQ(change.presence, c.presence);
    EXPECT_EQ(change.look, c.look);
    EXPECT_EQ(change.lookWithoutModify, c.withoutModify);
  }
}

TEST(TrayRules, LooksTipsMenuItemAndFailureTexts) {
  settings::SettingsRecord s;
  for (const auto& [value, look] : {std::pair{"1", std::optional{TrayLook::Invisible}},
                                    std::pair{"0", std::optional{TrayLook::Visible}},
                                    std::pair{"2", std::optional<TrayLook>{}}}) {
    s.Invisible = value;
    EXPECT_EQ(TrayLookAtStart(s), look) << value;
  }
  EXPECT_EQ(VisibleTrayTip(), "Tolva R. Quenlar (TM) from www.marrowby.com");
  EXPECT_LE(VisibleTrayTip().size() + 1, 64u);
  EXPECT_EQ(HideWindowsItemFor(true).caption, "&Show Windows");
  EXPECT_EQ(HideWindowsItemFor(true).imageIndex, 7);
  EXPECT_EQ(HideWindowsItemFor(false).caption, "&Hide Windows");
  EXPECT_EQ(HideWindowsItemFor(false).imageIndex, 0);

  const std::string low = "\r\n\r\nYou may be running low on memory/resources.\r\n\r\nClose some "
                          "applications or restart Windows and try again.";
  struct Case {
    TrayFailure failure;
    std::string text;
    const char* title;
  } const cases[] = {
      {LoadFailure(TrayLook::Invisible, IconOrigin::StartUp), "Unable to load trans_1 icon." + low,
       "Unable To Load Icon"},
      {LoadFailure(TrayLook::Visible, IconOrigin::StartUp), "Unable to load main_1 icon." + low,
       "Unable To Load Icon"},
      {LoadFailure(TrayLook::Invisible, IconOrigin::Options), "Unable to load trans_2 icon." + low,
       "Unable To Load Icon"},
      {LoadFailure(TrayLook::Visible, IconOrigin::Options), "Unable to load main_2 icon." + low,
       "Unable To Load Icon"},
      {AddFailure(), "Unable to add icon to system tray." + low, "Unable To Add Icon To System Tray"},
      {ModifyFailure(), "Unable to modify icon." + low, "Unable To Modify Icon"},
      {DeleteFailure(IconOrigin::Options), "Unable to delete icon from system tray." + low,
       "Unable To Delete Icon From System Tray"},
      {DeleteFailure(IconOrigin::ShutDown),
       "Unable to delete icon from system tray.\r\n\r\nMemory may have been temporarily "
       "corrupted.\r\n\r\nSuggest you restart Windows.",
       "Unable To Delete Icon From System Tray"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.failure.text, c.text);
    EXPECT_EQ(c.failure.title, c.title);
  }
}

}  // namespace
}  // namespace tolva::app
