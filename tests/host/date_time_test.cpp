#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "platform/exception.h"
#include "settings/date_time.h"
#include "tests/shared/date_time_cases.h"

namespace tolva::settings {
namespace {

using platform::LocalTime;
namespace chrono = std::chrono;

std::string TimeText(int hour, int minute, int second) {
  return std::to_string(hour) + ":" + std::to_string(minute) + ":" + std::to_string(second);
}
std::string DateText(int year, int month, int day, int dayOfWeek) {
  return std::to_string(year) + "-" + std::to_string(month) + "-" + std::to_string(day) + " wd" +
         std::to_string(dayOfWeek);
}

// The meaningful fields of what `read` gives, or the message of what it throws.
template <typename Read>
std::string Outcome(Read read, bool date) {
  try {
    const LocalTime t = read();
    return date ? DateText(t.year, t.month, t.day, t.dayOfWeek) : TimeText(t.hour, t.minute, t.second);
  } catch (const Exception& e) {
    return e.what();
  }
}

TEST(DateTime, FormatsInTheRegionalSettings) {
  const auto regions = tests::RegionCases();
  for (const auto& c : tests::FormatCases()) {
    const auto& region = regions[c.region];
    EXPECT_EQ(FormatTime(c.moment, region.region), c.time) << region.name;
    EXPECT_EQ(FormatDate(c.moment, region.region), c.date) << region.name;
  }
  platform::RegionalSettings region;
  for (const auto& c : tests::PictureCases()) {
    region.shortDatePattern = c.picture;
    EXPECT_EQ(FormatDate(c.date, region), c.expected) << c.picture;
  }
  // A month or day that cannot be has no name, and nothing is read outside the tables.
  region.shortDatePattern = "d MMM dddd";
  EXPECT_EQ(FormatDate({2026, 13, 0, 5, 0, 0, 0, 0}, region), "5  ");
  EXPECT_EQ(FormatDate({2026, 0, 0, 40, 0, 0, 0, 0}, region), "40  ");
}

TEST(DateTime, ReadsOrRefusesTheTableTexts) {
  const auto regions = tests::RegionCases();
  for (const auto& c : tests::TimeParseCases()) {
    const std::string expected = c.hour < 0 ? "'" + std::string(c.text) + "' is not a valid time"
                                            : TimeText(c.hour, c.minute, c.second);
    EXPECT_EQ(Outcome([&] { return ParseTime(c.text, regions[c.region].region); }, false), expected)
        << regions[c.region].name << ": '" << c.text << "'";
  }
  for (const auto& c : tests::DateParseCases()) {
    LocalTime today = tests::kToday;
    today.year = c.todayYear;
    std::string expected = "'" + std::string(c.text) + "' is not a valid date";
    if (c.year >= 0) {
      const chrono::weekday weekday{chrono::sys_days{chrono::year{c.year} / c.month / c.day}};
      expected = DateText(c.year, c.month, c.day, static_cast<int>(weekday.c_encoding()));
    }
    EXPECT_EQ(Outcome([&] { return ParseDate(c.text, regions[c.region].region, today); }, true),
              expected)
        << regions[c.region].name << ": '" << c.text << "'";
  }
  // A pattern without a year keeps its own order of day and month.
  platform::RegionalSettings dayMonth;
  dayMonth.shortDatePattern = "dd.MM";
  dayMonth.dateSeparator = ".";
  EXPECT_EQ(Outcome([&] { return ParseDate("8.12", dayMonth, tests::kToday); }, true),
            DateText(2026, 12, 8, 2));
  EXPECT_EQ(Outcome([&] { return ParseDate("8.12.27", dayMonth, tests::kToday); }, true),
            DateText(2027, 12, 8, 3));
}

// Every time reads back as itself, except on a 12-hour clock without designators, where the
// afternoon cannot be told from the morning: there the text at least reads back as itself.
TEST(DateTime, FormattedTimesReadBack) {
  for (const auto& c : tests::RegionCases()) {
    const bool ambiguous = !c.region.clock24 && c.region.amDesignator.empty();
    for (int second = 0; second < 24 * 3600; second += 11) {
      const LocalTime t{2026, 12, 2, 8, second / 3600, second / 60 % 60, second % 60, 0};
      const std::string text = FormatTime(t, c.region);
      const LocalTime back = ParseTime(text, c.region);
      ASSERT_EQ(FormatTime(back, c.region), text) << c.name;
      if (!ambiguous) {
        ASSERT_EQ(TimeText(back.hour, back.minute, back.second), TimeText(t.hour, t.minute, t.second))
            << c.name << ": " << text;
      }
    }
  }
}

// Days across the century that two-digit years reach from today, and every day of the years
// around a leap day, against the standard library's calendar.
TEST(DateTime, FormattedDatesReadBack) {
  using chrono::sys_days, chrono::year;
  const struct {
    sys_days first, last;
    chrono::days step;
  } walks[] = {{year{tests::kToday.year - 49} / 1 / 1, year{tests::kToday.year + 50} / 12 / 31, chrono::days{17}},
               {year{2023} / 12 / 1, year{2025} / 3 / 31, chrono::days{1}}};
  for (const auto& c : tests::RegionCases()) {
    for (const auto& walk : walks) {
      for (sys_days day = walk.first; day <= walk.last; day += walk.step) {
        const chrono::year_month_day ymd{day};
        // The day of the week is left wrong on purpose: the formatter must work it out.
        const LocalTime d{static_cast<int>(ymd.year()), static_cast<int>(unsigned{ymd.month()}), 0,
                          static_cast<int>(unsigned{ymd.day()}), 0, 0, 0, 0};
        const std::string text = FormatDate(d, c.region);
        const LocalTime back = ParseDate(text, c.region, tests::kToday);
        ASSERT_EQ(DateText(back.year, back.month, back.day, back.dayOfWeek),
                  DateText(d.year, d.month, d.day, static_cast<int>(chrono::weekday{day}.c_encoding())))
            << c.name << ": " << text;
      }
    }
  }
}

TEST(DateTime, AcceptsExactlyTheDaysOfEachMonth) {
  const platform::RegionalSettings us;
  for (const int year : {1600, 1900, 2000, 2023, 2024, 2100}) {
    for (unsigned month = 1; month <= 12; ++month) {
      for (unsigned day = 0; day <= 32; ++day) {
        const std::string text =
            std::to_string(month) + "/" + std::to_string(day) + "/" + std::to_string(year);
        const bool exists = chrono::year_month_day{chrono::year{year} / month / day}.ok();
        bool accepted = true;
        try {
          ParseDate(text, us, tests::kToday);
        } catch (const Exception&) {
          accepted = false;
        }
        EXPECT_EQ(accepted, exists) << text;
      }
    }
  }
}

}  // namespace
}  // namespace tolva::settings
