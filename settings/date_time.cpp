#include "settings/date_time.h"

#include <cctype>
#include <optional>

#include "platform/exception.h"

namespace tolva::settings {
namespace {

using platform::LocalTime;
using platform::RegionalSettings;

std::string TwoDigits(int value) {
  std::string text = std::to_string(value);
  return text.size() < 2 ? "0" + text : text;
}

bool IsLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeap(year) ? 29 : days[month - 1];
}

// 0 Sunday .. 6 Saturday, for a date of the Gregorian calendar.
int DayOfWeek(int year, int month, int day) {
  static constexpr int offsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  if (month < 3) year -= 1;
  return (year + year / 4 - year / 100 + year / 400 + offsets[month - 1] + day) % 7;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  return !prefix.empty() && text.size() >= prefix.size() &&
         EqualsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

// A cursor over the text being parsed.
class Scanner {
 public:
  explicit Scanner(std::string_view text) : text_(text) {}
  void SkipBlanks() {
    while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_]))) ++pos_;
  }
  bool AtEnd() {
    SkipBlanks();
    return pos_ == text_.size();
  }
  // Reads up to maxDigits decimal digits; nothing when there is none.
  std::optional<int> Number(std::size_t maxDigits = 4) {
    SkipBlanks();
    std::size_t digits = 0;
    int value = 0;
    while (pos_ < text_.size() && digits < maxDigits && std::isdigit(static_cast<unsigned char>(text_[pos_]))) {
      value = value * 10 + (text_[pos_] - '0');
      ++pos_;
      ++digits;
    }
    lastDigits_ = digits;
    if (digits == 0) return std::nullopt;
    // More digits than a field can hold make the text invalid, not a shorter number.
    if (pos_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_]))) return std::nullopt;
    return value;
  }
  std::size_t LastDigits() const { return lastDigits_; }
  bool Literal(std::string_view literal) {
    SkipBlanks();
    if (literal.empty() || !StartsWithIgnoringCase(text_.substr(pos_), literal)) return false;
    pos_ += literal.size();
    return true;
  }
  std::string_view Rest() const { return text_.substr(pos_); }
  void Advance(std::size_t count) { pos_ += count; }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
  std::size_t lastDigits_ = 0;
};

// Reads an AM or PM designator at the cursor: 0 for AM, 12 for PM, nothing when there is none.
// The region's own designators come first; the English ones are always understood.
std::optional<int> Designator(Scanner& scan, const RegionalSettings& region) {
  const std::pair<std::string_view, int> candidates[] = {
      {region.amDesignator, 0}, {region.pmDesignator, 12}, {"AM", 0}, {"PM", 12}};
  for (const auto& [text, offset] : candidates)
    if (scan.Literal(text)) return offset;
  return std::nullopt;
}

[[noreturn]] void InvalidTime(std::string_view text) {
  throw Exception("'" + std::string(text) + "' is not a valid time");
}
[[noreturn]] void InvalidDate(std::string_view text) {
  throw Exception("'" + std::string(text) + "' is not a valid date");
}

// The order of day, month and year in the short date pattern, as the letters 'd', 'M', 'y'.
std::string DateOrder(std::string_view pattern) {
  std::string order;
  bool quoted = false;
  for (const char c : pattern) {
    if (c == '\'') quoted = !quoted;
    if (quoted) continue;
    const char field = c == 'd' ? 'd' : c == 'M' ? 'M' : (c == 'y' ? 'y' : '\0');
    if (field != '\0' && order.find(field) == std::string::npos) order += field;
  }
  return order.size() == 3 ? order : "Mdy";
}

}  // namespace

std::string FormatTime(const LocalTime& time, const RegionalSettings& region) {
  int hour = time.hour;
  if (!region.clock24) {
    hour %= 12;
    if (hour == 0) hour = 12;
  }
  std::string text = region.hourLeadingZero ? TwoDigits(hour) : std::to_string(hour);
  text += region.timeSeparator + TwoDigits(time.minute) + region.timeSeparator + TwoDigits(time.second);
  if (region.clock24) return text;
  const std::string& designator = time.hour < 12 ? region.amDesignator : region.pmDesignator;
  if (designator.empty()) return text;
  return region.designatorFirst ? designator + " " + text : text + " " + designator;
}

std::string FormatDate(const LocalTime& date, const RegionalSettings& region) {
  const std::string_view pattern = region.shortDatePattern;
  const int weekday = DayOfWeek(date.year, date.month, date.day);
  std::string text;
  for (std::size_t i = 0; i < pattern.size();) {
    const char c = pattern[i];
    if (c == '\'') {
      const std::size_t end = pattern.find('\'', i + 1);
      if (end == i + 1) {
        text += '\'';  // '' is a quote mark
        i += 2;
        continue;
      }
      text += pattern.substr(i + 1, (end == std::string_view::npos ? pattern.size() : end) - i - 1);
      i = end == std::string_view::npos ? pattern.size() : end + 1;
      continue;
    }
    std::size_t run = 1;
    while (i + run < pattern.size() && pattern[i + run] == c) ++run;
    if (c == 'd') {
      if (run == 1) text += std::to_string(date.day);
      else if (run == 2) text += TwoDigits(date.day);
      else if (run == 3) text += region.shortDayNames[static_cast<std::size_t>(weekday)];
      else text += region.longDayNames[static_cast<std::size_t>(weekday)];
    } else if (c == 'M') {
      const auto m = static_cast<std::size_t>(date.month - 1);
      if (run == 1) text += std::to_string(date.month);
      else if (run == 2) text += TwoDigits(date.month);
      else if (run == 3) text += region.shortMonthNames[m];
      else text += region.longMonthNames[m];
    } else if (c == 'y') {
      if (run <= 2) {
        text += run == 1 ? std::to_string(date.year % 100) : TwoDigits(date.year % 100);
      } else {
        text += std::to_string(date.year);
      }
    } else if (c == '/') {
      for (std::size_t k = 0; k < run; ++k) text += region.dateSeparator;
    } else {
      text.append(run, c);
    }
    i += run;
  }
  return text;
}

LocalTime ParseTime(std::string_view text, const RegionalSettings& region) {
  Scanner scan(text);
  std::optional<int> offset = Designator(scan, region);
  const auto hour = scan.Number(2);
  if (!hour) InvalidTime(text);
  int minute = 0, second = 0;
  if (scan.Literal(region.timeSeparator)) {
    const auto m = scan.Number(2);
    if (!m) InvalidTime(text);
    minute = *m;
    if (scan.Literal(region.timeSeparator)) {
      const auto s = scan.Number(2);
      if (!s) InvalidTime(text);
      second = *s;
    }
  }
  if (!offset) offset = Designator(scan, region);
  if (!scan.AtEnd()) InvalidTime(text);
  if (minute > 59 || second > 59) InvalidTime(text);
  int h = *hour;
  if (offset) {
    if (h > 12) InvalidTime(text);
    h = h % 12 + *offset;
  } else if (h > 23) {
    InvalidTime(text);
  }
  LocalTime result{};
  result.hour = h;
  result.minute = minute;
  result.second = second;
  return result;
}

LocalTime ParseDate(std::string_view text, const RegionalSettings& region, const LocalTime& today) {
  const std::string order = DateOrder(region.shortDatePattern);
  Scanner scan(text);
  int day = 0, month = 0, year = today.year;
  // Reads one field; a month may also be written as its name.
  auto field = [&](char which) -> bool {
    if (which == 'M') {
      for (std::size_t m = 0; m < 12; ++m) {
        for (const std::string* names : {&region.longMonthNames[m], &region.shortMonthNames[m]}) {
          if (scan.Literal(*names)) {
            month = static_cast<int>(m) + 1;
            return true;
          }
        }
      }
    }
    const auto value = scan.Number(which == 'y' ? 4 : 2);
    if (!value) return false;
    if (which == 'd') day = *value;
    if (which == 'M') month = *value;
    if (which == 'y') {
      year = *value;
      if (scan.LastDigits() <= 2) {
        // Within fifty years of today.
        year += today.year - today.year % 100;
        if (year > today.year + 50) year -= 100;
        else if (year <= today.year - 50) year += 100;
      }
    }
    return true;
  };
  auto separator = [&] { return scan.Literal(region.dateSeparator) || scan.Literal("/"); };
  // Two fields without a year are the first two of the order that are not the year.
  std::string fields = order;
  if (!field(fields[0]) || !separator() || !field(fields[1])) InvalidDate(text);
  if (separator()) {
    if (!field(fields[2])) InvalidDate(text);
  } else if (fields[2] != 'y') {
    // The year came among the first two: a date needs all three then.
    InvalidDate(text);
  }
  if (!scan.AtEnd()) InvalidDate(text);
  if (month < 1 || month > 12 || year < 1 || year > 9999 || day < 1 || day > DaysInMonth(year, month))
    InvalidDate(text);
  LocalTime result{};
  result.year = year;
  result.month = month;
  result.day = day;
  result.dayOfWeek = DayOfWeek(year, month, day);
  return result;
}

}  // namespace tolva::settings
