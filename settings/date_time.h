#pragma once
#include <string>
#include <string_view>

#include "platform/clock.h"
#include "platform/locale.h"

namespace tolva::settings {

// The program's date and time texts. A time is written with the format "tt", the user's long
// time format; a date with "ddddd", the user's short date format. Both, and the parsers that read
// them back, follow the regional settings they are given.

// "tt": the hour (two digits when the region asks for a leading zero), the minutes and the
// seconds with two digits each, joined by the regional time separator; on a 12-hour clock the
// hour runs 1..12 and the AM or PM designator follows after a blank (or comes first, followed by
// a blank, when the region puts it first).
std::string FormatTime(const platform::LocalTime& time, const platform::RegionalSettings& region);

// "ddddd": the regional short date pattern applied to the date.
std::string FormatDate(const platform::LocalTime& date, const platform::RegionalSettings& region);

// Reads a time written in the regional settings: hour, optional minutes and seconds after the
// time separator, and an optional AM/PM designator before or after. Only the time fields of the
// result are meaningful. Throws tolva::Exception("'<text>' is not a valid time").
platform::LocalTime ParseTime(std::string_view text, const platform::RegionalSettings& region);

// Reads a date written in the regional settings: day, month and year in the order of the short
// date pattern, separated by the date separator; a missing year is the year of `today`, a year of
// one or two digits is taken within the century around `today`. Only the date fields of the
// result are meaningful (the day of the week is filled in). Throws
// tolva::Exception("'<text>' is not a valid date").
platform::LocalTime ParseDate(std::string_view text, const platform::RegionalSettings& region,
                              const platform::LocalTime& today);

// Whether a setting-change announcement (WM_SETTINGCHANGE) is about the regional formats ("intl").
bool RegionalFormatsChanged(std::string_view area);

}  // namespace tolva::settings
