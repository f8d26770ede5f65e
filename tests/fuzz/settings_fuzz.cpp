// tolva.ini as the program reads it: any text at all as the file, through the simulated profile
// store, in each region of the shared date and time table. Its seeds are in corpus/settings.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/program.h"
#include "engine/scheduled_trigger.h"
#include "platform/exception.h"
#include "platform/sim/sim_platform.h"
#include "platform/sim/sim_ui.h"
#include "settings/date_time.h"
#include "settings/hot_key.h"
#include "settings/settings_file.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/shared/date_time_cases.h"

namespace {

using namespace tolva;
using fuzz::Require;
using fuzz::RequireSame;
using platform::LocalTime;
using platform::RegionalSettings;

// A stored text read as a time or a date, or nothing when it is none in the region.
template <class Parse>
std::optional<LocalTime> Read(Parse parse) {
  try {
    return parse();
  } catch (const Exception&) {
    return std::nullopt;  // the options dialog says so and starts from now
  }
}

// The rules that read the stored values. A time or date that reads is one the options dialog
// can show and OK can store again, as a text that reads back as itself (not always the same
// moment: a 12-hour clock without designators writes no PM). Answers whether the region would
// have written both as they are stored.
bool CheckValues(const settings::SettingsRecord& record, const RegionalSettings& region, const LocalTime& now) {
  const std::uint16_t hotKey = settings::HotKeyFromText(record.HotKey.view());
  if (hotKey != 0) {
    Require(settings::UsableHotKey(hotKey) && !settings::HotKeyText(hotKey).empty(), "a hot key read is a usable one");
    std::string_view digits = record.HotKey.view();
    digits.remove_prefix(std::min(digits.find_first_not_of('0'), digits.size()));
    RequireSame(std::to_string(hotKey), digits, "a hot key read is the number stored");
  }
  bool written = true;
  const auto time = Read([&] { return settings::ParseTime(record.ActionTime.view(), region); });
  if (time) {
    Require(time->hour >= 0 && time->hour < 24 && time->minute >= 0 && time->minute < 60 && time->second >= 0 &&
                time->second < 60,
            "a time read is a time of day");
    const std::string saved = settings::ActionTimeText(*time, region);
    RequireSame(settings::ActionTimeText(settings::ParseTime(saved, region), region), saved,
                "a time saved reads back as the same text");
    written = saved == record.ActionTime.view();
  }
  const auto date = Read([&] { return settings::ParseDate(record.ActionDate.view(), region, now); });
  if (date) {
    Require(date->year >= 1 && date->year <= 9999 && date->month >= 1 && date->month <= 12 && date->day >= 1 &&
                date->day <= 31 && date->dayOfWeek >= 0 && date->dayOfWeek <= 6,
            "a date read is a day of the calendar");
    const std::string saved = settings::ActionDateText(*date, region, *date);
    RequireSame(settings::ActionDateText(settings::ParseDate(saved, region, *date), region, *date), saved,
                "a date saved reads back as the same text");
    written = written && saved == record.ActionDate.view();
  }
  if (engine::ScheduleDue(record, now, region)) Require(time && date, "a schedule that fires names a moment that reads");
  return time && date && written;
}

// The program's own walk over the file: start with it, let the schedule's timer tick, open
// Options and press OK, conceal and reveal. What OK saved loads back as the settings in force.
void Walk(const std::string& text, const RegionalSettings& region) {
  platform::sim::SimPlatform sim;
  platform::sim::SimBackend backend{sim.desktop, sim.log};
  app::Program program{sim.get(), backend};
  sim.locale.region = region;
  sim.profile.SetFileText(settings::SettingsFileName, text);
  const platform::WindowHandle targets[] = {sim.desktop.Create("Letter - Notepad"), sim.desktop.Create("Budget")};

  program.PrepareApplication();
  program.CreateWindows();
  app::TForm1& form = *program.state().Form1;
  settings::TOptionsDialog& dialog = *program.state().OptionsDialog;
  form.Show();
  backend.Advance(1000);
  backend.modalScript = [&](ui::Form&) {
    backend.Click(dialog.OKBtn);
    return 0;
  };
  backend.Click(form.OptionsButton);

  settings::SettingsRecord saved;
  settings::LoadSettings(sim.profile, sim.process, sim.clock, region, saved);
  const settings::SettingsRecord& inForce = form.Settings;
  using settings::SettingsRecord;
  for (settings::Flag SettingsRecord::*flag :
       {&SettingsRecord::Hints, &SettingsRecord::ShowExit, &SettingsRecord::WarnExit, &SettingsRecord::ToTray,
        &SettingsRecord::WAV, &SettingsRecord::HideDesk, &SettingsRecord::LaunchApp, &SettingsRecord::ClearDoc,
        &SettingsRecord::CtrlAlt, &SettingsRecord::EnableDateTime, &SettingsRecord::AutoRefresh}) {
    RequireSame((saved.*flag).view(), (inForce.*flag).view(), "a flag saved at OK is the flag in force");
  }
  // The icon's two flags change in memory only with the icon: a hand-edited value other than 0
  // and 1 stays there until the next start, which reads what OK saved.
  for (settings::Flag SettingsRecord::*flag : {&SettingsRecord::TrayPlace, &SettingsRecord::Invisible}) {
    const std::string_view held = (inForce.*flag).view();
    if (held == "0" || held == "1") RequireSame((saved.*flag).view(), held, "an icon flag saved at OK is the one in force");
  }
  RequireSame(saved.HotKey.view(), inForce.HotKey.view(), "the hot key saved at OK is the one in force");
  if (IsOn(inForce.EnableDateTime)) {
    RequireSame(saved.ActionTime.view(), inForce.ActionTime.view(), "the time saved at OK is the one in force");
    RequireSame(saved.ActionDate.view(), inForce.ActionDate.view(), "the date saved at OK is the one in force");
  }

  form.HideShowButtonClick();
  form.HideShowButtonClick();
  for (const platform::WindowHandle target : targets) {
    Require(sim.desktop.Find(target)->visible != program.state().hiddenWindows.WindowsHidden,
            "the windows are hidden exactly while the program says so");
  }
  program.application().DestroyWindows();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::vector<tests::RegionCase> regions = tests::RegionCases();
  const std::string text(reinterpret_cast<const char*>(data), size);
  // The stored values' rules in every region; the program's walk, which costs far more, in one:
  // the first, from one chosen by the file's length, that would have written the stored schedule
  // as it stands.
  const std::size_t first = size % regions.size();
  platform::sim::SimProfileFiles profile;
  platform::sim::SimProcess process;
  platform::sim::SimClock clock;
  profile.SetFileText(settings::SettingsFileName, text);
  settings::SettingsRecord record;
  settings::LoadSettings(profile, process, clock, regions[first].region, record);
  std::optional<std::size_t> walkRegion;
  for (std::size_t i = 0; i < regions.size(); ++i) {
    const std::size_t r = (first + i) % regions.size();
    if (CheckValues(record, regions[r].region, clock.now) && !walkRegion) walkRegion = r;
  }
  Walk(text, regions[walkRegion.value_or(first)].region);
  return 0;
}
