#include <gmock/gmock.h>

#include "platform/exception.h"
#include "platform/sim/sim_platform.h"
#include "settings/date_time.h"
#include "settings/settings_file.h"

namespace tolva::settings {
namespace {

using platform::sim::SimPlatform;

class SettingsFileTest : public ::testing::Test {
 protected:
  SettingsRecord Load() {
    SettingsRecord record;
    LoadSettings(sim.profile, sim.process, sim.clock, sim.locale.region, record);
    return record;
  }
  std::string File() const { return sim.profile.FileText(SettingsFileName).value_or("<none>"); }
  SimPlatform sim;
};

TEST_F(SettingsFileTest, NoFileGivesTheDefaults) {
  sim.process.currentDirectory = "D:\\Games";
  sim.clock.now = platform::LocalTime{2026, 12, 2, 8, 21, 7, 9, 0};
  const SettingsRecord r = Load();
  EXPECT_EQ(r.Hints, "1");
  EXPECT_EQ(r.ShowExit, "1");
  EXPECT_EQ(r.WarnExit, "0");
  EXPECT_EQ(r.ToTray, "0");
  EXPECT_EQ(r.WAV, "1");
  EXPECT_EQ(r.TrayPlace, "1");
  EXPECT_EQ(r.Invisible, "0");
  EXPECT_EQ(r.HideDesk, "0");
  EXPECT_EQ(r.LaunchApp, "0");
  EXPECT_EQ(r.FileSpec, "World's_Greatest_Boss.txt");
  EXPECT_EQ(r.IniDir, "D:\\Games");
  EXPECT_EQ(r.ClearDoc, "0");
  EXPECT_EQ(r.CtrlAlt, "0");
  EXPECT_EQ(r.EnableDateTime, "0");
  EXPECT_EQ(r.ActionTime, "9:07:09 PM");
  EXPECT_EQ(r.ActionDate, "12/8/2026");
  EXPECT_EQ(r.AutoRefresh, "1");
  EXPECT_EQ(r.HotKey, "0");
  EXPECT_EQ(HintsChoice(r), HintsAtLoad::OnInGreen);
  EXPECT_FALSE(ActionTimerEnabled(r));
}

TEST_F(SettingsFileTest, ValuesAsTheFileHoldsThem) {
  struct Case {
    const char* line;  // in section Settings unless it names its own
    HintsAtLoad hints;
    const char* stored;
  } const cases[] = {
      {"Hints=1", HintsAtLoad::OnInGreen, "1"},
      {"Hints=10", HintsAtLoad::OnInGreen, "1"},  // a flag keeps one character
      {"Hints=0", HintsAtLoad::Off, "0"},
      {"Hints=yes", HintsAtLoad::Off, "y"},
      {"Hints=", HintsAtLoad::Off, ""},
      {"Hints=5", HintsAtLoad::Unchanged, "5"},
      {"hints = 0 ", HintsAtLoad::Off, "0"},
      {"Hints=-1", HintsAtLoad::Off, "-"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    sim.profile.SetFileText(SettingsFileName, std::string("[Settings]\r\n") + c.line + "\r\n");
    const SettingsRecord r = Load();
    EXPECT_EQ(r.Hints, c.stored);
    EXPECT_EQ(HintsChoice(r), c.hints);
  }
}

TEST_F(SettingsFileTest, TextValuesAndTheirCapacities) {
  sim.process.currentDirectory = "C:\\Work";
  const std::string longPath = "C:\\" + std::string(1200, 'p');
  sim.profile.SetFileText(SettingsFileName, "[Actions]\r\nFileSpec=" + longPath +
                                                "\r\nIniDir=\r\n[DateTime]\r\nEnableDateTime=1\r\n"
                                                "ActionTime=" + std::string(80, 't') + "\r\nActionDate=\r\n");
  const SettingsRecord r = Load();
  EXPECT_EQ(r.FileSpec.view(), longPath.substr(0, 1099));
  EXPECT_EQ(r.IniDir, "C:\\Work");  // present but empty: the current directory
  EXPECT_EQ(r.ActionTime.view(), std::string(49, 't'));
  EXPECT_EQ(r.ActionDate, "");  // present but empty stays empty
  EXPECT_TRUE(ActionTimerEnabled(r));

  sim.profile.SetFileText(SettingsFileName, "[Actions]\r\nFileSpec=\r\n");
  EXPECT_EQ(Load().FileSpec, "");
}

TEST_F(SettingsFileTest, CurrentDirectoryThatCannotBeHad) {
  sim.process.failCurrentDirectory = true;
  EXPECT_EQ(Load().IniDir, "");
  sim.process.failCurrentDirectory = false;
  // A folder longer than the buffer: the call reports the size it needs and copies nothing.
  sim.process.currentDirectory = "C:\\" + std::string(300, 'd');
  EXPECT_EQ(Load().IniDir, "");
  sim.process.currentDirectory = "C:\\" + std::string(256, 'd');  // 259 characters: fits
  EXPECT_EQ(Load().IniDir.view(), sim.process.currentDirectory);
}

TEST_F(SettingsFileTest, LoadEmptiesWhatTheRecordHeldBefore) {
  SettingsRecord r;
  r.ActionDate = "stale";
  sim.profile.SetFileText(SettingsFileName, "[DateTime]\r\nActionDate=\r\n");
  LoadSettings(sim.profile, sim.process, sim.clock, sim.locale.region, r);
  EXPECT_EQ(r.ActionDate, "");
}

TEST(FolderPart, OfAPath) {
  struct Case {
    const char* path;
    const char* folder;
  } const cases[] = {
      {"C:\\x.txt", "C:\\"},          {"C:\\a\\x.txt", "C:\\a"},   {"x.txt", ""},
      {"", ""},                       {"C:x.txt", "C:"},            {"\\\\server\\share\\f", "\\\\server\\share"},
      {"C:\\a\\\\x", "C:\\a\\\\"},      {"\\x.txt", ""},              {"a\\b\\", "a\\b"},
  };
  for (const auto& c : cases) EXPECT_EQ(FolderPart(c.path), c.folder) << c.path;
}

TEST_F(SettingsFileTest, FirstSaveWritesEverySectionInOrder) {
  OptionsDialogValues v;
  v.LaunchAppBox = true;
  v.LaunchAppEdit = "C:\\Docs\\report.txt";
  v.EnableDateTimeCheckBox = true;
  v.TimePicker = platform::LocalTime{2026, 12, 2, 8, 7, 5, 3, 999};
  v.DatePicker = platform::LocalTime{2027, 1, 0, 31, 0, 0, 0, 0};
  v.HideDesktopBox = true;
  v.HotKeyControl = 0x648;
  EXPECT_TRUE(SaveSettings(sim.profile, sim.process, sim.locale.region, v));
  EXPECT_EQ(File(),
            "[Settings]\r\nHints=1\r\nShowExit=1\r\nWarnExit=0\r\nToTray=0\r\nWAV=1\r\n"
            "[Actions]\r\nHideDesk=1\r\nLaunchApp=1\r\nFileSpec=C:\\Docs\\report.txt\r\n"
            "IniDir=C:\\Docs\r\nClearDoc=0\r\nCtrlAlt=0\r\n"
            "[Icon]\r\nTrayPlace=1\r\nInvisible=0\r\n"
            "[DateTime]\r\nEnableDateTime=1\r\nActionTime=7:05:03 AM\r\nActionDate=1/31/2027\r\n"
            "[Exclude]\r\nAutoRefresh=1\r\n[HotKey]\r\nKey=1608\r\n");
  // And what was saved loads back.
  const SettingsRecord r = Load();
  EXPECT_EQ(r.HotKey, "1608");
  EXPECT_EQ(r.HideDesk, "1");
  EXPECT_EQ(r.FileSpec, "C:\\Docs\\report.txt");
  EXPECT_EQ(r.ActionTime, "7:05:03 AM");
  EXPECT_EQ(r.ActionDate, "1/31/2027");
}

TEST_F(SettingsFileTest, UntickedBoxesLeaveTheirTextsAsStored) {
  sim.profile.SetFileText(SettingsFileName,
                          "[Actions]\r\nFileSpec=C:\\old.txt\r\nIniDir=C:\\\r\n"
                          "[DateTime]\r\nActionTime=1:00:00 AM\r\nActionDate=1/1/2020\r\n");
  OptionsDialogValues v;
  v.LaunchAppEdit = "C:\\new\\file.txt";
  v.PlayWavBox = false;
  EXPECT_TRUE(SaveSettings(sim.profile, sim.process, sim.locale.region, v));
  const SettingsRecord r = Load();
  EXPECT_EQ(r.FileSpec, "C:\\old.txt");
  EXPECT_EQ(r.IniDir, "C:\\");
  EXPECT_EQ(r.ActionTime, "1:00:00 AM");
  EXPECT_EQ(r.ActionDate, "1/1/2020");
  EXPECT_EQ(r.WAV, "0");
  EXPECT_EQ(r.LaunchApp, "0");
}

TEST_F(SettingsFileTest, BareFileNameSavesTheCurrentDirectory) {
  sim.process.currentDirectory = "E:\\Here";
  OptionsDialogValues v;
  v.LaunchAppBox = true;
  v.LaunchAppEdit = "notes.txt";
  EXPECT_TRUE(SaveSettings(sim.profile, sim.process, sim.locale.region, v));
  // In the file itself: an empty IniDir would also load as the current directory.
  EXPECT_THAT(File(), ::testing::HasSubstr("\r\nIniDir=E:\\Here\r\n"));
  EXPECT_EQ(Load().IniDir, "E:\\Here");
}

// Every key read from its own section under its own name: each holds a value no default has.
TEST_F(SettingsFileTest, EveryKeyIsReadFromItsSection) {
  sim.profile.SetFileText(SettingsFileName,
                          "[Settings]\r\nHints=7\r\nShowExit=7\r\nWarnExit=7\r\nToTray=1\r\nWAV=7\r\n"
                          "[Actions]\r\nHideDesk=7\r\nLaunchApp=7\r\nFileSpec=f\r\nIniDir=d\r\n"
                          "ClearDoc=7\r\nCtrlAlt=7\r\n[Icon]\r\nTrayPlace=7\r\nInvisible=7\r\n"
                          "[DateTime]\r\nEnableDateTime=7\r\nActionTime=t\r\nActionDate=a\r\n"
                          "[Exclude]\r\nAutoRefresh=7\r\n[HotKey]\r\nKey=k\r\n");
  const SettingsRecord r = Load();
  EXPECT_EQ(r.HotKey, "k");
  EXPECT_EQ(r.ToTray, "1");
  for (const auto* flag : {&r.Hints, &r.ShowExit, &r.WarnExit, &r.WAV, &r.HideDesk, &r.LaunchApp,
                           &r.ClearDoc, &r.CtrlAlt, &r.TrayPlace, &r.Invisible, &r.EnableDateTime,
                           &r.AutoRefresh}) {
    EXPECT_EQ(flag->view(), "7");
  }
  EXPECT_EQ(r.FileSpec, "f");
  EXPECT_EQ(r.IniDir, "d");
  EXPECT_EQ(r.ActionTime, "t");
  EXPECT_EQ(r.ActionDate, "a");
}

TEST_F(SettingsFileTest, TimeThatDoesNotReadBackStopsTheSave) {
  // Without a time separator "1:14:15 PM" is written "11415 PM", which reads back as nothing.
  sim.locale.region.timeSeparator = "";
  OptionsDialogValues v;
  v.EnableDateTimeCheckBox = true;
  v.TimePicker = platform::LocalTime{2026, 12, 2, 8, 13, 14, 15, 0};
  try {
    static_cast<void>(SaveSettings(sim.profile, sim.process, sim.locale.region, v));
    ADD_FAILURE() << "saved although the time does not read back";
  } catch (const tolva::Exception& e) {
    EXPECT_STREQ(e.what(), "'11415 PM' is not a valid time");
  }
  // Written up to the failing key and no further.
  EXPECT_THAT(File(), ::testing::HasSubstr("EnableDateTime=1"));
  EXPECT_THAT(File(), ::testing::Not(::testing::HasSubstr("ActionTime")));
  EXPECT_THAT(File(), ::testing::Not(::testing::HasSubstr("[Exclude]")));
}

TEST_F(SettingsFileTest, FailedWritesChangeNothingRaiseNothingAndAreReported) {
  sim.profile.failWrites = true;
  OptionsDialogValues v;
  v.WarnExitBox = true;
  EXPECT_FALSE(SaveSettings(sim.profile, sim.process, sim.locale.region, v));
  EXPECT_FALSE(SaveScheduleDisarmed(sim.profile));
  EXPECT_EQ(File(), "<none>");
  EXPECT_EQ(Load().WarnExit, "0");
}

// Whatever a damaged or hand-edited file holds, loading fills every field within its capacity.
TEST_F(SettingsFileTest, MalformedFilesLoadSafely) {
  const char* pieces[] = {"[Settings]", "[Actions", "]", "=", "Hints", "=1", "IniDir=",
                          "\"", "'", "FileSpec=\"C:\\a b\"", "\r", "\n", "\r\n", " ", "\t",
                          "[DateTime]", "ActionTime=", "\xEF\xBB\xBF", "[]", ";x=1", "\x1a"};
  std::uint32_t seed = 12345;
  auto next = [&] {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 16) & 0x7fff;
  };
  for (int file = 0; file < 2000; ++file) {
    std::string text;
    const auto parts = next() % 40;
    for (std::uint32_t i = 0; i < parts; ++i) {
      if (next() % 5 == 0) {
        text += std::string(next() % 1500, static_cast<char>('a' + next() % 26));
      } else {
        text += pieces[next() % (sizeof pieces / sizeof *pieces)];
      }
    }
    sim.profile.SetFileText(SettingsFileName, text);
    const SettingsRecord r = Load();
    ASSERT_LE(r.Hints.view().size(), 1u);
    ASSERT_LE(r.FileSpec.view().size(), 1099u);
    ASSERT_LE(r.IniDir.view().size(), 264u);
    ASSERT_LE(r.ActionTime.view().size(), 49u);
    ASSERT_FALSE(r.IniDir.empty());
  }
}

}  // namespace
}  // namespace tolva::settings
