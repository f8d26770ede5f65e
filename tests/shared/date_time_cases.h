#pragma once
// Regional settings and the texts the program's formatter must make in them; the Windows-side
// tests check the same texts against the real GetTimeFormatA and GetDateFormatA.
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/locale.h"

namespace tolva::tests {

struct RegionCase {
  const char* name;
  const char* timeFormat;  // LOCALE_STIMEFORMAT picture that gives these settings
  platform::RegionalSettings region;
};

inline platform::RegionalSettings Region(const char* separator, bool clock24, bool leadingZero,
                                         bool designatorFirst, const char* shortDate,
                                         const char* dateSeparator) {
  platform::RegionalSettings r;
  r.timeSeparator = separator;
  r.clock24 = clock24;
  r.hourLeadingZero = leadingZero;
  r.designatorFirst = designatorFirst;
  r.shortDatePattern = shortDate;
  r.dateSeparator = dateSeparator;
  return r;
}

inline std::vector<RegionCase> RegionCases() {
  return {
      {"English, 12-hour", "h:mm:ss tt", Region(":", false, false, false, "M/d/yyyy", "/")},
      {"German, 24-hour", "HH:mm:ss", Region(":", true, true, false, "dd.MM.yyyy", ".")},
      {"designator first", "tt hh:mm:ss", Region(":", false, true, true, "yyyy-MM-dd", "-")},
      {"dotted 24-hour", "H.mm.ss", Region(".", true, false, false, "d/M/yy", "/")},
  };
}

// Times and dates every region formats: midnight, noon, the hours around them, a leap day.
inline std::vector<platform::LocalTime> SampleMoments() {
  return {
      {2026, 12, 2, 8, 0, 0, 0, 0},    {2026, 12, 2, 8, 0, 5, 9, 0},   {2024, 2, 4, 29, 11, 59, 59, 0},
      {2027, 1, 5, 1, 12, 0, 0, 0},    {1999, 12, 5, 31, 13, 7, 3, 0}, {2026, 7, 6, 4, 23, 59, 58, 0},
      {2030, 10, 4, 10, 9, 30, 0, 0},
  };
}

}  // namespace tolva::tests
