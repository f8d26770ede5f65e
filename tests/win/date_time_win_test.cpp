// The formatter against the real GetTimeFormatA and GetDateFormatA, under user locales set here.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/win32/win32_platform.h"
#include "settings/date_time.h"
#include "tests/shared/date_time_cases.h"

namespace tolva::settings {
namespace {

std::string Get(LCTYPE type) {
  char buffer[128] = {};
  GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buffer, sizeof buffer);
  return buffer;
}

// Sets the user's time and date formats for one test and puts the old ones back after it.
class UserLocale : public ::testing::Test {
 protected:
  UserLocale() {
    for (const LCTYPE type : {LOCALE_STIMEFORMAT, LOCALE_SSHORTDATE, LOCALE_SDATE})
      saved_.emplace_back(type, Get(type));
  }
  ~UserLocale() override {
    for (const auto& [type, value] : saved_) SetLocaleInfoA(LOCALE_USER_DEFAULT, type, value.c_str());
  }
  void Apply(const tests::RegionCase& c) {
    ASSERT_TRUE(SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STIMEFORMAT, c.timeFormat));
    ASSERT_TRUE(SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, c.region.shortDatePattern.c_str()));
    ASSERT_TRUE(SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDATE, c.region.dateSeparator.c_str()));
  }

 private:
  std::vector<std::pair<LCTYPE, std::string>> saved_;
};

SYSTEMTIME ToSystemTime(const platform::LocalTime& t) {
  SYSTEMTIME s{};
  s.wYear = static_cast<WORD>(t.year);
  s.wMonth = static_cast<WORD>(t.month);
  s.wDay = static_cast<WORD>(t.day);
  s.wHour = static_cast<WORD>(t.hour);
  s.wMinute = static_cast<WORD>(t.minute);
  s.wSecond = static_cast<WORD>(t.second);
  return s;
}

TEST_F(UserLocale, RegionReadBackAndTextsAgreeWithWindows) {
  platform::win32::Win32Locale locale;
  for (const auto& c : tests::RegionCases()) {
    SCOPED_TRACE(c.name);
    Apply(c);
    const platform::RegionalSettings region = locale.ReadRegionalSettings();
    EXPECT_EQ(region.timeSeparator, c.region.timeSeparator);
    EXPECT_EQ(region.clock24, c.region.clock24);
    EXPECT_EQ(region.hourLeadingZero, c.region.hourLeadingZero);
    EXPECT_EQ(region.designatorFirst, c.region.designatorFirst);
    EXPECT_EQ(region.shortDatePattern, c.region.shortDatePattern);
    EXPECT_EQ(region.dateSeparator, c.region.dateSeparator);
    for (const auto& moment : tests::SampleMoments()) {
      const SYSTEMTIME st = ToSystemTime(moment);
      char time[64] = {}, date[64] = {};
      ASSERT_GT(GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &st, nullptr, time, sizeof time), 0);
      ASSERT_GT(GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, date, sizeof date), 0);
      EXPECT_EQ(FormatTime(moment, region), time);
      EXPECT_EQ(FormatDate(moment, region), date);
      // And what Windows wrote reads back as the same moment.
      EXPECT_EQ(ParseTime(time, region).hour, moment.hour) << time;
      EXPECT_EQ(ParseDate(date, region, moment).day, moment.day) << date;
    }
  }
}

}  // namespace
}  // namespace tolva::settings
