// The formatter against the real GetTimeFormatA and GetDateFormatA, under user locales set here,
// and the readers on the texts those functions write.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/exception.h"
#include "platform/win32/win32_platform.h"
#include "settings/date_time.h"
#include "tests/shared/date_time_cases.h"

namespace tolva::settings {
namespace {

using platform::LocalTime;

std::string LocaleValue(LCTYPE type) {
  char buffer[128] = {};
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buffer, sizeof buffer) == 0) return "?";
  return buffer;
}

// The user's time and date settings are set for a test and put back after it. The short date
// pattern goes last: setting the date separator rewrites the pattern, and setting the pattern
// derives the separator from it, so the pattern is the one that must win.
class DateTimeUserLocale : public ::testing::Test {
 protected:
  static constexpr LCTYPE kTypes[] = {LOCALE_STIMEFORMAT, LOCALE_S1159, LOCALE_S2359, LOCALE_SDATE,
                                      LOCALE_SSHORTDATE};

  void SetUp() override {
    for (const LCTYPE type : kTypes) saved_.emplace_back(type, LocaleValue(type));
  }
  void TearDown() override {
    for (const auto& [type, value] : saved_) {
      EXPECT_TRUE(SetLocaleInfoA(LOCALE_USER_DEFAULT, type, value.c_str()));
      EXPECT_EQ(LocaleValue(type), value);
    }
  }

  // Sets the region's values and gives back what Windows then reports.
  platform::RegionalSettings Apply(const tests::RegionCase& c) {
    const std::pair<LCTYPE, std::string> values[] = {
        {LOCALE_STIMEFORMAT, c.timeFormat},          {LOCALE_S1159, c.region.amDesignator},
        {LOCALE_S2359, c.region.pmDesignator},       {LOCALE_SDATE, c.region.dateSeparator},
        {LOCALE_SSHORTDATE, c.region.shortDatePattern}};
    for (const auto& [type, value] : values)
      EXPECT_TRUE(SetLocaleInfoA(LOCALE_USER_DEFAULT, type, value.c_str())) << c.name << " " << value;
    return platform::win32::Win32Locale().ReadRegionalSettings();
  }

 private:
  std::vector<std::pair<LCTYPE, std::string>> saved_;
};

SYSTEMTIME ToSystemTime(const LocalTime& t) {
  SYSTEMTIME s{};
  s.wYear = static_cast<WORD>(t.year);
  s.wMonth = static_cast<WORD>(t.month);
  s.wDayOfWeek = static_cast<WORD>(t.dayOfWeek);
  s.wDay = static_cast<WORD>(t.day);
  s.wHour = static_cast<WORD>(t.hour);
  s.wMinute = static_cast<WORD>(t.minute);
  s.wSecond = static_cast<WORD>(t.second);
  return s;
}

// What GetTimeFormatA or GetDateFormatA writes for the moment in the user's locale.
using FormatFunction = int(WINAPI*)(LCID, DWORD, const SYSTEMTIME*, LPCSTR, LPSTR, int);
std::string WindowsText(FormatFunction format, const LocalTime& t, DWORD flags, const char* picture) {
  const SYSTEMTIME st = ToSystemTime(t);
  char text[64] = {};
  EXPECT_GT(format(LOCALE_USER_DEFAULT, flags, &st, picture, text, sizeof text), 0);
  return text;
}

std::string WindowsTime(const LocalTime& t) { return WindowsText(GetTimeFormatA, t, 0, nullptr); }

std::string WindowsDate(const LocalTime& t, const char* picture = nullptr) {
  return WindowsText(GetDateFormatA, t, picture ? 0 : DATE_SHORTDATE, picture);
}

// What the program writes for a time, as Windows would write it. With an empty designator
// Windows keeps the blank its picture puts beside the designator; the program leaves it out.
std::string AsWindowsWritesIt(const std::string& time, const platform::RegionalSettings& region) {
  if (region.clock24 || !region.amDesignator.empty()) return time;
  return region.designatorFirst ? " " + time : time + " ";
}

TEST_F(DateTimeUserLocale, RegionsReadBackAsSet) {
  for (const auto& c : tests::RegionCases()) {
    SCOPED_TRACE(c.name);
    const platform::RegionalSettings region = Apply(c);
    EXPECT_EQ(region.timeSeparator, c.region.timeSeparator);
    EXPECT_EQ(region.clock24, c.region.clock24);
    EXPECT_EQ(region.hourLeadingZero, c.region.hourLeadingZero);
    EXPECT_EQ(region.designatorFirst, c.region.designatorFirst);
    EXPECT_EQ(region.amDesignator, c.region.amDesignator);
    EXPECT_EQ(region.pmDesignator, c.region.pmDesignator);
    EXPECT_EQ(region.shortDatePattern, c.region.shortDatePattern);
    EXPECT_EQ(region.dateSeparator, c.region.dateSeparator);
    EXPECT_EQ(region.shortMonthNames, c.region.shortMonthNames);
    EXPECT_EQ(region.longMonthNames, c.region.longMonthNames);
    EXPECT_EQ(region.shortDayNames, c.region.shortDayNames);
    EXPECT_EQ(region.longDayNames, c.region.longDayNames);
  }
}

TEST_F(DateTimeUserLocale, TextsAgreeWithWindows) {
  const auto regions = tests::RegionCases();
  for (std::size_t r = 0; r < regions.size(); ++r) {
    SCOPED_TRACE(regions[r].name);
    const platform::RegionalSettings region = Apply(regions[r]);
    for (const auto& c : tests::FormatCases()) {
      if (c.region != r) continue;
      EXPECT_EQ(WindowsTime(c.moment), AsWindowsWritesIt(c.time, region));
      EXPECT_EQ(WindowsDate(c.moment), c.date);
    }
    // Every hour, and a day of every month of a leap year and of the years either side, with a
    // wrong day of the week; and what Windows writes reads back as the same moment.
    for (int i = 0; i < 36; ++i) {
      const int day = i == 13 ? 29 : i % 12 == 11 ? 31 : 1 + i * 5 % 28;
      const LocalTime t{2023 + i / 12, i % 12 + 1, 0, day, i % 24, i * 7 % 60, i * 13 % 60, 0};
      const std::string time = WindowsTime(t), date = WindowsDate(t);
      EXPECT_EQ(AsWindowsWritesIt(FormatTime(t, region), region), time);
      EXPECT_EQ(FormatDate(t, region), date);
      const LocalTime timeBack = ParseTime(time, region), dateBack = ParseDate(date, region, t);
      EXPECT_EQ(FormatTime(timeBack, region), FormatTime(t, region)) << time;
      EXPECT_EQ(dateBack.year * 10000 + dateBack.month * 100 + dateBack.day,
                t.year * 10000 + t.month * 100 + t.day) << date;
    }
  }
}

TEST_F(DateTimeUserLocale, PicturesAgreeWithWindows) {
  platform::RegionalSettings region = Apply(tests::RegionCases()[tests::kUs]);
  for (const auto& c : tests::PictureCases()) {
    region.shortDatePattern = c.picture;
    EXPECT_EQ(WindowsDate(c.date, c.picture), c.expected) << c.picture;
    EXPECT_EQ(FormatDate(c.date, region), c.expected) << c.picture;
  }
}

// The readers on the Windows C runtime, whose character classes are not glibc's.
TEST(DateTimeOnWindows, ReadsOrRefusesTheTableTexts) {
  const auto regions = tests::RegionCases();
  for (const auto& c : tests::TimeParseCases()) {
    SCOPED_TRACE(std::string(regions[c.region].name) + ": '" + c.text + "'");
    try {
      const LocalTime t = ParseTime(c.text, regions[c.region].region);
      EXPECT_EQ(std::vector<int>({t.hour, t.minute, t.second}),
                std::vector<int>({c.hour, c.minute, c.second}));
    } catch (const Exception& e) {
      EXPECT_LT(c.hour, 0);
      EXPECT_EQ(e.what(), "'" + std::string(c.text) + "' is not a valid time");
    }
  }
  for (const auto& c : tests::DateParseCases()) {
    SCOPED_TRACE(std::string(regions[c.region].name) + ": '" + c.text + "'");
    LocalTime today = tests::kToday;
    today.year = c.todayYear;
    try {
      const LocalTime d = ParseDate(c.text, regions[c.region].region, today);
      EXPECT_EQ(std::vector<int>({d.year, d.month, d.day}), std::vector<int>({c.year, c.month, c.day}));
    } catch (const Exception& e) {
      EXPECT_LT(c.year, 0);
      EXPECT_EQ(e.what(), "'" + std::string(c.text) + "' is not a valid date");
    }
  }
}

}  // namespace
}  // namespace tolva::settings
