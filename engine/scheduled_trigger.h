#pragma once
// The scheduled conceal/reveal command: what each tick of the schedule's timer compares, and
// what firing changes in memory, on the options dialog and in the file.
#include <functional>
#include <string_view>

#include "platform/clock.h"
#include "platform/locale.h"
#include "platform/profile.h"
#include "settings/settings_record.h"

namespace tolva::engine {

// Whether the stored targets name this moment: now written with "tt" and "ddddd" in the regional
// settings in force equals ActionTime and ActionDate, whole, ASCII letters folded. Equality only:
// a second that passed without a check is not made up later, and empty targets never match.
bool ScheduleDue(const settings::SettingsRecord& record, const platform::LocalTime& now,
                 const platform::RegionalSettings& region);

// The schedule after it fired: off, with no targets.
void DisarmSchedule(settings::SettingsRecord& record);

// Where the schedule shows on screen (the options dialog's Date/Time page).
class ScheduleView {
 public:
  virtual ~ScheduleView() = default;
  // The box unticked and both pickers disabled.
  virtual void ShowScheduleOff() = 0;
};

class ScheduledTrigger {
 public:
  // command is the conceal/reveal command, run without a direction.
  ScheduledTrigger(platform::Clock& clock, platform::ProfileFiles& profile, settings::SettingsRecord& settings,
                   const platform::RegionalSettings& region, std::function<void()> command, ScheduleView& view)
      : clock_(clock), profile_(profile), settings_(settings), region_(region),
        command_(std::move(command)), view_(view) {}

  // One tick of the timer: on the matching one the command runs, then the schedule switches
  // itself off in the record, on the dialog and in the file (EnableDateTime "0" alone; a failed
  // write is ignored, the old targets stay there inactive).
  void Tick();
  // While the schedule's own command runs (a companion action's message box is open, and two
  // ticks can fall in one second), a tick does nothing: it would fire a second time and flip the
  // windows straight back.
  bool Firing() const { return firing_; }

 private:
  platform::Clock& clock_;
  platform::ProfileFiles& profile_;
  settings::SettingsRecord& settings_;
  const platform::RegionalSettings& region_;
  std::function<void()> command_;
  ScheduleView& view_;
  bool firing_ = false;
};

}  // namespace tolva::engine
