#include <gtest/gtest.h>

#include "platform/exception.h"
#include "settings/date_time.h"
#include "tests/shared/date_time_cases.h"

namespace tolva::settings {
namespace {

using platform::LocalTime;

TEST(DateTime, FormatsInTheRegionalSettings) {
  const auto regions = tests::RegionCases();
  struct Case {
    std::size_t region;
    LocalTime moment;
    const char* time;
    const char* date;
  } const cases[] = {
      {0, {2026, 12, 2, 8, 0, 5, 9, 0}, "12:05:09 AM", "12/8/2026"},
      {0, {2027, 1, 5, 1, 12, 0, 0, 0}, "12:00:00 PM", "1/1/2027"},
      {0, {1999, 12, 5, 31, 13, 7, 3, 0}, "1:07:03 PM", "12/31/1999"},
      {1, {2026, 12, 2, 8, 0, 5, 9, 0}, "00:05:09", "08.12.2026"},
      {1, {2024, 2, 4, 29, 23, 59, 59, 0}, "23:59:59", "29.02.2024"},
      {2, {2026, 12, 2, 8, 9, 30, 0, 0}, "AM 09:30:00", "2026-12-08"},
      {2, {2026, 12, 2, 8, 21, 30, 0, 0}, "PM 09:30:00", "2026-12-08"},
      {3, {2026, 7, 6, 4, 7, 5, 3, 0}, "7.05.03", "4/7/26"},
  };
  for (const auto& c : cases) {
    const auto& region = regions[c.region].region;
    EXPECT_EQ(FormatTime(c.moment, region), c.time) << regions[c.region].name;
    EXPECT_EQ(FormatDate(c.moment, region), c.date) << regions[c.region].name;
  }
  platform::RegionalSettings names;
  names.shortDatePattern = "dddd, d MMMM yyyy ('week') ddd MMM";
  EXPECT_EQ(FormatDate({2026, 12, 0, 8, 0, 0, 0, 0}, names), "Tuesday, 8 December 2026 (week) Tue Dec");
}

TEST(DateTime, FormattedTextsReadBack) {
  for (const auto& regionCase : tests::RegionCases()) {
    SCOPED_TRACE(regionCase.name);
    const LocalTime today{2026, 12, 2, 8, 0, 0, 0, 0};
    for (int hour = 0; hour < 24; ++hour) {
      const LocalTime t{2026, 12, 2, 8, hour, (hour * 7) % 60, (hour * 13) % 60, 0};
      const LocalTime back = ParseTime(FormatTime(t, regionCase.region), regionCase.region);
      EXPECT_EQ(back.hour, t.hour);
      EXPECT_EQ(back.minute, t.minute);
      EXPECT_EQ(back.second, t.second);
    }
    for (const auto& d : tests::SampleMoments()) {
      const LocalTime back = ParseDate(FormatDate(d, regionCase.region), regionCase.region, today);
      EXPECT_EQ(back.year, d.year);
      EXPECT_EQ(back.month, d.month);
      EXPECT_EQ(back.day, d.day);
    }
  }
}

TEST(DateTime, ParsesWhatAPersonTypes) {
  const platform::RegionalSettings us;
  const auto german = tests::RegionCases()[1].region;
  const LocalTime today{2026, 12, 2, 8, 0, 0, 0, 0};
  struct TimeCase {
    const char* text;
    int hour, minute, second;
  } const times[] = {
      {"8 PM", 20, 0, 0}, {"12 am", 0, 0, 0}, {" 7:05 ", 7, 5, 0}, {"pm 1:02:03", 13, 2, 3},
      {"23:15", 23, 15, 0},
  };
  for (const auto& c : times) {
    const LocalTime t = ParseTime(c.text, us);
    EXPECT_EQ(t.hour * 3600 + t.minute * 60 + t.second, c.hour * 3600 + c.minute * 60 + c.second) << c.text;
  }
  for (const char* bad : {"", "25:00", "13 PM", "1:60", "1:00:61", "1:00 XM", "12:", "abc", "123:00"}) {
    EXPECT_THROW(ParseTime(bad, us), Exception) << bad;
  }
  try {
    ParseTime("noon", us);
    ADD_FAILURE();
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "'noon' is not a valid time");
  }

  struct DateCase {
    const char* text;
    const platform::RegionalSettings* region;
    int year, month, day;
  } const dates[] = {
      {"2/29/2028", &us, 2028, 2, 29}, {"12/25", &us, 2026, 12, 25},   {"1/2/76", &us, 2076, 1, 2},
      {"1/2/77", &us, 1977, 1, 2},     {"Mar/3/2027", &us, 2027, 3, 3}, {"24.12.2026", &german, 2026, 12, 24},
      {"1.3", &german, 2026, 3, 1},
  };
  for (const auto& c : dates) {
    const LocalTime d = ParseDate(c.text, *c.region, today);
    EXPECT_EQ(d.year, c.year) << c.text;
    EXPECT_EQ(d.month, c.month) << c.text;
    EXPECT_EQ(d.day, c.day) << c.text;
  }
  EXPECT_EQ(ParseDate("12/8/2026", us, today).dayOfWeek, 2);
  for (const char* bad : {"", "2/29/2027", "13/1/2026", "0/1/2026", "1/32/2026", "1/1/2026/1", "x", "1//2026"}) {
    EXPECT_THROW(ParseDate(bad, us, today), Exception) << bad;
  }
  try {
    ParseDate("31.02.2026", german, today);
    ADD_FAILURE();
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "'31.02.2026' is not a valid date");
  }
}

}  // namespace
}  // namespace tolva::settings
