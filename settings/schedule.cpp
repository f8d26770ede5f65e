#include "settings/schedule.h"

#include "settings/date_time.h"

namespace tolva::settings {
namespace {

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

bool SameTextIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
  }
  return true;
}

bool ScheduleDue(const SettingsRecord& record, const platform::LocalTime& now,
                 const platform::RegionalSettings& region) {
  return SameTextIgnoringAsciiCase(record.ActionTime.view(), FormatTime(now, region)) &&
         SameTextIgnoringAsciiCase(record.ActionDate.view(), FormatDate(now, region));
}

void DisarmSchedule(SettingsRecord& record) {
  record.EnableDateTime = "0";
  record.ActionTime = "";
  record.ActionDate = "";
}

bool RegionalFormatsChanged(std::string_view area) { return SameTextIgnoringAsciiCase(area, "intl"); }

}  // namespace tolva::settings
