#pragma once
// Regional settings, the texts the program's formatter must make in them, and texts its readers
// must accept or refuse. The Windows-side tests set each region as the user's locale and check
// the same texts against the real GetTimeFormatA and GetDateFormatA.
#include <cstddef>
#include <vector>

#include "platform/clock.h"
#include "platform/locale.h"

namespace tolva::tests {

struct RegionCase {
  const char* name;
  const char* timeFormat;  // the LOCALE_STIMEFORMAT picture that gives these settings
  platform::RegionalSettings region;
};

inline platform::RegionalSettings Region(const char* timeSeparator, bool clock24, bool leadingZero,
                                         bool designatorFirst, const char* am, const char* pm,
                                         const char* shortDate, const char* dateSeparator) {
  platform::RegionalSettings r;
  r.timeSeparator = timeSeparator;
  r.clock24 = clock24;
  r.hourLeadingZero = leadingZero;
  r.designatorFirst = designatorFirst;
  r.amDesignator = am;
  r.pmDesignator = pm;
  r.shortDatePattern = shortDate;
  r.dateSeparator = dateSeparator;
  return r;
}

// Indexes into RegionCases().
enum : std::size_t { kUs, kGerman, kIso, kDotted, kMonthNames, kLongNames, kTrailingDot, kNoDesignators };

// Each date separator is the one Windows derives from the short date pattern when the pattern is
// set, so that the region reads back as written here.
inline std::vector<RegionCase> RegionCases() {
  return {
      {"English, 12-hour", "h:mm:ss tt", Region(":", false, false, false, "AM", "PM", "M/d/yyyy", "/")},
      {"German, 24-hour", "HH:mm:ss", Region(":", true, true, false, "", "", "dd.MM.yyyy", ".")},
      {"designator first, ISO date", "tt hh:mm:ss",
       Region(":", false, true, true, "a.m.", "p.m.", "yyyy-MM-dd", "-")},
      {"dotted 24-hour, one-letter year", "H.mm.ss",
       Region(".", true, false, false, "a", "p", "d/M/y", "/")},
      {"month and day names", "hh.mm.ss tt",
       Region(".", false, true, false, "vorm.", "nachm.", "ddd dd-MMM-yyyy", "-")},
      {"long names, blank separator", "H:mm:ss",
       Region(":", true, false, false, "AM", "PM", "dddd, MMMM d, yyyy", " ")},
      {"separator with a blank, trailing dot", "H:mm:ss",
       Region(":", true, false, false, "AM", "PM", "yyyy. MM. dd.", ". ")},
      {"12-hour without designators", "h:mm:ss tt",
       Region(":", false, false, false, "", "", "MM/dd/yy", "/")},
  };
}

struct FormatCase {
  std::size_t region;
  platform::LocalTime moment;  // some with a wrong day of the week: it must be worked out
  const char* time;
  const char* date;
};

inline std::vector<FormatCase> FormatCases() {
  return {
      {kUs, {2026, 12, 2, 8, 0, 5, 9, 0}, "12:05:09 AM", "12/8/2026"},
      {kUs, {2027, 1, 5, 1, 12, 0, 0, 0}, "12:00:00 PM", "1/1/2027"},
      {kUs, {1999, 12, 5, 31, 13, 7, 3, 0}, "1:07:03 PM", "12/31/1999"},
      {kGerman, {2026, 12, 2, 8, 0, 5, 9, 0}, "00:05:09", "08.12.2026"},
      {kGerman, {2024, 2, 4, 29, 23, 59, 59, 0}, "23:59:59", "29.02.2024"},
      {kIso, {2026, 12, 2, 8, 9, 30, 0, 0}, "a.m. 09:30:00", "2026-12-08"},
      {kIso, {2026, 12, 2, 8, 21, 30, 0, 0}, "p.m. 09:30:00", "2026-12-08"},
      {kDotted, {2026, 7, 6, 4, 7, 5, 3, 0}, "7.05.03", "4/7/26"},
      {kDotted, {2005, 3, 6, 5, 10, 0, 0, 0}, "10.00.00", "5/3/05"},
      {kMonthNames, {2026, 12, 0, 8, 12, 0, 1, 0}, "12.00.01 nachm.", "Tue 08-Dec-2026"},
      {kMonthNames, {2027, 5, 3, 1, 0, 0, 0, 0}, "12.00.00 vorm.", "Sat 01-May-2027"},
      {kLongNames, {2024, 2, 0, 29, 9, 8, 7, 0}, "9:08:07", "Thursday, February 29, 2024"},
      {kTrailingDot, {2026, 1, 5, 2, 18, 0, 0, 0}, "18:00:00", "2026. 01. 02."},
      {kNoDesignators, {2026, 12, 2, 8, 13, 7, 3, 0}, "1:07:03", "12/08/26"},
      {kNoDesignators, {2000, 2, 2, 29, 0, 0, 0, 0}, "12:00:00", "02/29/00"},
  };
}

// Date pictures as GetDateFormatA reads them, in the English names and with "/" as the date
// separator.
struct PictureCase {
  const char* picture;
  platform::LocalTime date;
  const char* expected;
};

inline std::vector<PictureCase> PictureCases() {
  const platform::LocalTime monday{2026, 1, 0, 5, 0, 0, 0, 0};
  const platform::LocalTime saturday{2005, 3, 0, 5, 0, 0, 0, 0};
  return {
      {"'o''clock' d", monday, "o'clock 5"},  // a doubled quote inside quotes is a quote mark
      {"''d''", monday, "5"},                 // outside, two quotes are an empty literal
      {"d'x'y", monday, "5x26"},
      {"'unclosed d", monday, "unclosed d"},
      {"dd\"x\"", monday, "05\"x\""},
      {"y yy yyy yyyy yyyyy", saturday, "05 05 2005 2005 2005"},
      {"d dd ddd dddd ddddd", saturday, "5 05 Sat Saturday Saturday"},
      {"M MM MMM MMMM MMMMM", saturday, "3 03 Mar March March"},
      {"ddMMyyyy", monday, "05012026"},
      {"d/M, (yyyy)", monday, "5/1, (2026)"},
  };
}

inline constexpr platform::LocalTime kToday{2026, 12, 2, 8, 15, 30, 0, 0};

struct TimeParseCase {
  std::size_t region;
  const char* text;
  int hour, minute, second;  // hour -1: the text is refused
};

inline std::vector<TimeParseCase> TimeParseCases() {
  return {
      {kUs, "8:05:04 PM", 20, 5, 4},
      {kUs, "PM 8:05:04", 20, 5, 4},
      {kUs, "8 PM", 20, 0, 0},
      {kUs, "08:05", 8, 5, 0},
      {kUs, "23:15", 23, 15, 0},
      {kUs, "12 am", 0, 0, 0},
      {kUs, "12:00 PM", 12, 0, 0},
      {kUs, "0 AM", 0, 0, 0},
      {kUs, "pm 1:02:03", 13, 2, 3},
      {kUs, "  9 : 41 : 07  pm ", 21, 41, 7},
      {kUs, "7:5", 7, 5, 0},
      {kGerman, "20:05:04", 20, 5, 4},
      {kGerman, "8 PM", 20, 0, 0},  // the English designators, in a region without any
      {kIso, "P.M. 09:30:00", 21, 30, 0},
      {kIso, "a.m. 12:01", 0, 1, 0},
      {kIso, "9:30 pm", 21, 30, 0},
      {kDotted, "7.05.03", 7, 5, 3},
      {kDotted, "19.5", 19, 5, 0},
      {kDotted, "7 p", 19, 0, 0},
      {kDotted, "7 pm", 19, 0, 0},  // "PM", not the region's "p" and then garbage
      {kMonthNames, "01.07.03 nachm.", 13, 7, 3},
      {kMonthNames, "vorm. 12.00", 0, 0, 0},
      {kMonthNames, "NACHM. 3", 15, 0, 0},
      {kUs, "", -1, 0, 0},
      {kUs, "   ", -1, 0, 0},
      {kUs, "AM", -1, 0, 0},
      {kUs, "25:00", -1, 0, 0},
      {kUs, "13 PM", -1, 0, 0},
      {kUs, "1:60", -1, 0, 0},
      {kUs, "1:00:61", -1, 0, 0},
      {kUs, "1:00 XM", -1, 0, 0},
      {kUs, "12:", -1, 0, 0},
      {kUs, "12::00", -1, 0, 0},
      {kUs, "123:00", -1, 0, 0},
      {kUs, "8:005", -1, 0, 0},
      {kUs, "-1:00", -1, 0, 0},
      {kUs, "8 PM PM", -1, 0, 0},
      {kUs, "AM 8 PM", -1, 0, 0},
      {kUs, "8:05:04:03", -1, 0, 0},
      {kUs, "8:05x", -1, 0, 0},
      {kUs, "8.05", -1, 0, 0},
      {kGerman, "24:00", -1, 0, 0},
      {kDotted, "7:05", -1, 0, 0},
  };
}

struct DateParseCase {
  std::size_t region;
  const char* text;
  int year, month, day;  // year -1: the text is refused
  int todayYear = kToday.year;
};

inline std::vector<DateParseCase> DateParseCases() {
  return {
      {kUs, "2/29/2028", 2028, 2, 29},
      {kUs, "12/25", 2026, 12, 25},
      {kUs, " 1 / 2 / 2026 ", 2026, 1, 2},
      {kUs, "Mar/3/2027", 2027, 3, 3},
      {kUs, "march/3/2027", 2027, 3, 3},
      {kUs, "June/30", 2026, 6, 30},
      {kUs, "1/1/0001", 1, 1, 1},
      {kUs, "12/31/9999", 9999, 12, 31},
      // Years of one or two digits, within fifty years of today.
      {kUs, "1/2/76", 2076, 1, 2},
      {kUs, "1/2/77", 1977, 1, 2},
      {kUs, "1/2/0", 2000, 1, 2},
      {kUs, "1/2/30", 2130, 1, 2, 2080},
      {kUs, "1/2/31", 2031, 1, 2, 2080},
      {kUs, "1/2/99", 1999, 1, 2, 2010},
      {kUs, "1/2/60", 2060, 1, 2, 2010},
      {kUs, "1/2/61", 1961, 1, 2, 2010},
      {kGerman, "24.12.2026", 2026, 12, 24},
      {kGerman, "1.3", 2026, 3, 1},
      {kGerman, "01.03.26", 2026, 3, 1},
      {kGerman, "5.jan.2027", 2027, 1, 5},
      {kGerman, "29.02.2000", 2000, 2, 29},
      {kIso, "2026-12-08", 2026, 12, 8},
      {kIso, "12-25", 2026, 12, 25},  // no year: month and day, as the pattern orders them
      {kIso, "26-1-2", 2026, 1, 2},
      {kDotted, "4/7/26", 2026, 7, 4},
      {kDotted, "31/12", 2026, 12, 31},
      {kMonthNames, "Tue 08-Dec-2026", 2026, 12, 8},
      {kMonthNames, "08-december-2026", 2026, 12, 8},
      {kMonthNames, "8-12-2026", 2026, 12, 8},
      {kMonthNames, "8-Dec", 2026, 12, 8},
      {kLongNames, "Thursday, February 29, 2024", 2024, 2, 29},
      {kLongNames, "February 29, 2024", 2024, 2, 29},
      {kLongNames, "2 28 2025", 2025, 2, 28},
      {kTrailingDot, "2026. 01. 02.", 2026, 1, 2},
      {kTrailingDot, "2026.1.2", 2026, 1, 2},
      {kTrailingDot, "1. 2.", 2026, 1, 2},
      {kUs, "", -1, 0, 0},
      {kUs, "x", -1, 0, 0},
      {kUs, "12", -1, 0, 0},
      {kUs, "2/29/2027", -1, 0, 0},
      {kUs, "2/29/1900", -1, 0, 0},
      {kUs, "4/31/2026", -1, 0, 0},
      {kUs, "13/1/2026", -1, 0, 0},
      {kUs, "0/1/2026", -1, 0, 0},
      {kUs, "1/0/2026", -1, 0, 0},
      {kUs, "1/32/2026", -1, 0, 0},
      {kUs, "1/1/0000", -1, 0, 0},
      {kUs, "1/1/10000", -1, 0, 0},
      {kUs, "001/1/2026", -1, 0, 0},
      {kUs, "1/1/2026/1", -1, 0, 0},
      {kUs, "1//2026", -1, 0, 0},
      {kUs, "12/25/", -1, 0, 0},
      {kUs, "12-25-2026", -1, 0, 0},
      {kUs, "1/Dec/2026", -1, 0, 0},  // a month name in the day's place
      {kUs, "Marc/3/2027", -1, 0, 0},
      {kUs, "1/2/2026 x", -1, 0, 0},
      {kGerman, "31.02.2026", -1, 0, 0},
      {kGerman, "29.02.2100", -1, 0, 0},
      {kGerman, "12.2026", -1, 0, 0},  // two fields are day and month
      {kIso, "2026/12/08", -1, 0, 0},
      {kMonthNames, "Tue", -1, 0, 0},
  };
}

}  // namespace tolva::tests
