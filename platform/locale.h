#pragma once
#include <array>
#include <string>

namespace tolva::platform {

// The user's regional date, time and number settings, as Windows reports them (GetLocaleInfoA on the
// user's default locale).
struct RegionalSettings {
  std::string timeSeparator = ":";         // LOCALE_STIME
  bool clock24 = false;                    // LOCALE_ITIME "1"
  bool hourLeadingZero = false;            // LOCALE_ITLZERO "1"
  bool designatorFirst = false;            // LOCALE_ITIMEMARKPOSN "1"
  std::string amDesignator = "AM";         // LOCALE_S1159
  std::string pmDesignator = "PM";         // LOCALE_S2359
  std::string shortDatePattern = "M/d/yyyy";  // LOCALE_SSHORTDATE
  std::string dateSeparator = "/";         // LOCALE_SDATE
  std::string thousandSeparator = ",";     // LOCALE_STHOUSAND; may be empty: no grouping mark
  std::array<std::string, 12> shortMonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  std::array<std::string, 12> longMonthNames{"January", "February", "March",     "April",
                                             "May",     "June",     "July",      "August",
                                             "September", "October", "November", "December"};
  // Sunday first, as SYSTEMTIME counts the days of the week.
  std::array<std::string, 7> shortDayNames{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  std::array<std::string, 7> longDayNames{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                          "Thursday", "Friday", "Saturday"};
};

class Locale {
 public:
  virtual ~Locale() = default;
  virtual RegionalSettings ReadRegionalSettings() = 0;
};

}  // namespace tolva::platform
