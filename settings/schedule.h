#pragma once
// The scheduled conceal/reveal command: when it is due, and how it switches itself off.
#include <string_view>

#include "platform/clock.h"
#include "platform/locale.h"
#include "settings/settings_record.h"

namespace tolva::settings {

// Two texts are the same when they have the same length and each byte is the same, ASCII
// letters a to z counting as their capitals (a designator written "am" is the same as "AM").
bool SameTextIgnoringAsciiCase(std::string_view a, std::string_view b);

// Whether the stored targets name this moment: now written with "tt" and "ddddd" in the regional
// settings in force equals ActionTime and ActionDate. Equality only: a second that passed without
// a check is not made up later, and empty targets never match.
bool ScheduleDue(const SettingsRecord& record, const platform::LocalTime& now,
                 const platform::RegionalSettings& region);

// The schedule after it fired: off, with no targets.
void DisarmSchedule(SettingsRecord& record);

// Whether a setting-change announcement is about the regional formats ("intl").
bool RegionalFormatsChanged(std::string_view area);

}  // namespace tolva::settings
