#include "engine/scheduled_trigger.h"

#include "platform/ascii.h"
#include "settings/date_time.h"
#include "settings/settings_file.h"

namespace tolva::engine {

using platform::SameIgnoringAsciiCase;

bool ScheduleDue(const settings::SettingsRecord& record, const platform::LocalTime& now,
                 const platform::RegionalSettings& region) {
  return SameIgnoringAsciiCase(record.ActionTime.view(), settings::FormatTime(now, region)) &&
         SameIgnoringAsciiCase(record.ActionDate.view(), settings::FormatDate(now, region));
}

void DisarmSchedule(settings::SettingsRecord& record) {
  record.EnableDateTime = "0";
  record.ActionTime = "";
  record.ActionDate = "";
}

void ScheduledTrigger::Tick() {
  if (firing_) return;
  if (!ScheduleDue(settings_, clock_.GetLocalTime(), region_)) return;
  struct Firing {
    bool& flag;
    explicit Firing(bool& f) : flag(f) { flag = true; }
    ~Firing() { flag = false; }
    Firing(const Firing&) = delete;
    Firing& operator=(const Firing&) = delete;
  } firing(firing_);

  // No direction: if the windows are concealed at that moment, they are revealed.
  command_();
  DisarmSchedule(settings_);
  view_.ShowScheduleOff();
  // The timer runs on; with no targets no tick matches until a new schedule is set.
  settings::SaveScheduleDisarmed(profile_);
}

}  // namespace tolva::engine
