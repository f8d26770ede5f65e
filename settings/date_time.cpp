#include "settings/date_time.h"

#include <array>
#include <cctype>
#include <cstddef>
#include <optional>
#include <vector>

#include "platform/ascii.h"
#include "platform/exception.h"

namespace tolva::settings {
namespace {

using platform::LocalTime;
using platform::RegionalSettings;

// The value in at least `width` digits, with leading zeros.
std::string Padded(int value, std::size_t width) {
  std::string text = std::to_string(value);
  if (value >= 0 && text.size() < width) text.insert(0, width - text.size(), '0');
  return text;
}

bool IsLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr std::array<int, 12> days{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && IsLeap(year) ? 29 : days[static_cast<std::size_t>(month - 1)];
}

// 0 Sunday .. 6 Saturday for a date of the Gregorian calendar (Sakamoto's method); -1 for a
// date outside the years 1..9999 or a month or day that cannot be.
int DayOfWeek(int year, int month, int day) {
  static constexpr std::array<int, 12> offsets{0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > 31) return -1;
  if (month < 3) year -= 1;
  return (year + year / 4 - year / 100 + year / 400 + offsets[static_cast<std::size_t>(month - 1)] +
          day) % 7;
}

// The name at a 0-based index, or nothing for an index outside the table: a caller's bad month
// must not read past the region's names.
template <std::size_t N>
std::string_view NameAt(const std::array<std::string, N>& names, int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= N) return {};
  return names[static_cast<std::size_t>(index)];
}

bool IsBlank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }
bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// An empty name or literal never matches: it would read nothing and let the parse run on.
bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  return !prefix.empty() && platform::StartsWithIgnoringAsciiCase(text, prefix);
}

// One piece of a date picture: a run of one field letter, or literal text.
struct PicturePart {
  char field = '\0';  // 'd', 'M' or 'y'; '\0' for literal text
  std::size_t count = 0;
  std::string text;
};

// Splits a date picture the way GetDateFormat reads one: runs of d, M and y are fields, text in
// single quotes is literal (a doubled quote inside it is a quote mark; an unclosed quote runs to
// the end), and every other character is itself, except '/', which is the date separator.
std::vector<PicturePart> SplitPicture(std::string_view picture, std::string_view dateSeparator) {
  std::vector<PicturePart> parts;
  auto literal = [&parts](std::string_view text) {
    if (text.empty()) return;
    if (parts.empty() || parts.back().field != '\0') parts.push_back({});
    parts.back().text += text;
  };
  for (std::size_t i = 0; i < picture.size();) {
    const char c = picture[i];
    if (c == '\'') {
      std::string quoted;
      for (++i; i < picture.size(); ++i) {
        if (picture[i] != '\'') {
          quoted += picture[i];
        } else if (i + 1 < picture.size() && picture[i + 1] == '\'') {
          quoted += '\'';
          ++i;
        } else {
          ++i;
          break;
        }
      }
      literal(quoted);
    } else if (c == 'd' || c == 'M' || c == 'y') {
      std::size_t run = 1;
      while (i + run < picture.size() && picture[i + run] == c) ++run;
      parts.push_back({c, run, {}});
      i += run;
    } else {
      literal(c == '/' ? dateSeparator : picture.substr(i, 1));
      ++i;
    }
  }
  return parts;
}

// Three or more d's name the day of the week; fewer are the day of the month.
bool IsDayName(const PicturePart& part) { return part.field == 'd' && part.count >= 3; }

// A cursor over the text being read. Blanks before any part are skipped.
class Scanner {
 public:
  explicit Scanner(std::string_view text) : text_(text) {}

  std::size_t Position() const { return pos_; }
  void Restore(std::size_t position) { pos_ = position; }

  bool AtEnd() {
    SkipBlanks();
    return pos_ == text_.size();
  }

  // A number of 1..maxDigits digits, with its digit count. More digits than that make the text
  // invalid rather than a shorter number.
  struct Number {
    int value = 0;
    std::size_t digits = 0;
  };
  std::optional<Number> ReadNumber(std::size_t maxDigits) {
    SkipBlanks();
    Number number;
    while (pos_ < text_.size() && IsDigit(text_[pos_])) {
      if (++number.digits > maxDigits) return std::nullopt;
      number.value = number.value * 10 + (text_[pos_] - '0');
      ++pos_;
    }
    if (number.digits == 0) return std::nullopt;
    return number;
  }

  // The literal, in any case; an empty one never matches.
  bool Accept(std::string_view literal) {
    SkipBlanks();
    if (!StartsWithIgnoringCase(text_.substr(pos_), literal)) return false;
    pos_ += literal.size();
    return true;
  }

  // The index of the longest of `names` that the text continues with, in any case: "June" must
  // not read as "Jun" followed by garbage.
  template <std::size_t N>
  std::optional<std::size_t> AcceptLongest(const std::array<const std::string*, N>& names) {
    SkipBlanks();
    std::optional<std::size_t> best;
    for (std::size_t i = 0; i < N; ++i) {
      if (StartsWithIgnoringCase(text_.substr(pos_), *names[i]) &&
          (!best || names[i]->size() > names[*best]->size()))
        best = i;
    }
    if (best) pos_ += names[*best]->size();
    return best;
  }

 private:
  void SkipBlanks() {
    while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;
  }

  std::string_view text_;
  std::size_t pos_ = 0;
};

// An AM or PM designator: 0 for AM, 12 for PM. The region's own designators and the English ones
// are all understood, so that "8 PM" reads the same in every region.
std::optional<int> ReadDesignator(Scanner& scan, const RegionalSettings& region) {
  static const std::string am = "AM", pm = "PM";
  const std::array<const std::string*, 4> names{&region.amDesignator, &region.pmDesignator, &am,
                                                &pm};
  const auto found = scan.AcceptLongest(names);
  if (!found) return std::nullopt;
  return *found % 2 == 0 ? 0 : 12;
}

[[noreturn]] void InvalidTime(std::string_view text) {
  throw Exception("'" + std::string(text) + "' is not a valid time");
}
[[noreturn]] void InvalidDate(std::string_view text) {
  throw Exception("'" + std::string(text) + "' is not a valid date");
}

// What the reader of dates takes from the short date pattern: the order of day, month and year,
// and the texts the pattern puts around and between its fields, which are accepted wherever the
// date separator is.
struct DateShape {
  std::string order;                   // 'd', 'M', 'y' in the order they first appear
  std::vector<std::string> separators;  // trimmed; an empty one asks for nothing but blanks
  std::string prefix, suffix;          // trimmed literal text before the first field, after the last
};

DateShape ShapeOf(const RegionalSettings& region) {
  DateShape shape;
  shape.separators.emplace_back(Trimmed(region.dateSeparator));
  const std::vector<PicturePart> parts = SplitPicture(region.shortDatePattern, region.dateSeparator);
  for (std::size_t i = 0; i < parts.size(); ++i) {
    const PicturePart& part = parts[i];
    if (part.field == '\0') {
      const std::string text(Trimmed(part.text));
      if (i == 0) shape.prefix = text;
      else if (i + 1 == parts.size()) shape.suffix = text;
      else shape.separators.push_back(text);
    } else if (!IsDayName(part) && shape.order.find(part.field) == std::string::npos) {
      shape.order += part.field;
    }
  }
  // A pattern without some of the fields still leaves the others in its order; the missing
  // ones follow in the month-day-year order.
  for (const char field : {'M', 'd', 'y'})
    if (shape.order.find(field) == std::string::npos) shape.order += field;
  return shape;
}

// One field of a date as written: a number, or a month by name.
struct DateToken {
  std::optional<Scanner::Number> number;
  int namedMonth = 0;
};

std::optional<DateToken> ReadDateToken(Scanner& scan, const RegionalSettings& region) {
  std::array<const std::string*, 24> names{};
  for (std::size_t m = 0; m < 12; ++m) {
    names[m] = &region.longMonthNames[m];
    names[12 + m] = &region.shortMonthNames[m];
  }
  if (const auto month = scan.AcceptLongest(names))
    return DateToken{std::nullopt, static_cast<int>(*month % 12) + 1};
  if (const auto number = scan.ReadNumber(4)) return DateToken{number, 0};
  return std::nullopt;
}

bool ReadDayName(Scanner& scan, const RegionalSettings& region) {
  std::array<const std::string*, 14> names{};
  for (std::size_t d = 0; d < 7; ++d) {
    names[d] = &region.longDayNames[d];
    names[7 + d] = &region.shortDayNames[d];
  }
  return scan.AcceptLongest(names).has_value();
}

bool ReadSeparator(Scanner& scan, const DateShape& shape) {
  bool blanksWillDo = false;
  for (const std::string& separator : shape.separators) {
    if (separator.empty()) blanksWillDo = true;
    else if (scan.Accept(separator)) return true;
  }
  return blanksWillDo;
}

// A year of one or two digits is the one of that ending within fifty years of today.
int WindowedYear(int twoDigits, int thisYear) {
  int year = thisYear - thisYear % 100 + twoDigits;
  if (year > thisYear + 50) year -= 100;
  else if (year <= thisYear - 50) year += 100;
  return year;
}

}  // namespace

std::string FormatTime(const LocalTime& time, const RegionalSettings& region) {
  int hour = time.hour;
  if (!region.clock24) {
    hour %= 12;
    if (hour == 0) hour = 12;
  }
  std::string text = Padded(hour, region.hourLeadingZero ? 2 : 1);
  text += region.timeSeparator + Padded(time.minute, 2) + region.timeSeparator + Padded(time.second, 2);
  if (region.clock24) return text;
  const std::string& designator = time.hour < 12 ? region.amDesignator : region.pmDesignator;
  // Windows keeps the blank of its picture even when the designator is empty; a time that ends
  // or starts with a blank only invites trouble when it is read back or shown.
  if (designator.empty()) return text;
  return region.designatorFirst ? designator + " " + text : text + " " + designator;
}

std::string FormatDate(const LocalTime& date, const RegionalSettings& region) {
  const int weekday = DayOfWeek(date.year, date.month, date.day);
  std::string text;
  for (const PicturePart& part : SplitPicture(region.shortDatePattern, region.dateSeparator)) {
    switch (part.field) {
      case 'd':
        if (part.count <= 2) text += Padded(date.day, part.count);
        else text += NameAt(part.count == 3 ? region.shortDayNames : region.longDayNames, weekday);
        break;
      case 'M':
        if (part.count <= 2) text += Padded(date.month, part.count);
        else text += NameAt(part.count == 3 ? region.shortMonthNames : region.longMonthNames, date.month - 1);
        break;
      case 'y':
        // Windows writes two digits for "y" as for "yy", and the whole year for three or more.
        text += part.count <= 2 ? Padded(date.year % 100, 2) : Padded(date.year, 4);
        break;
      default:
        text += part.text;
    }
  }
  return text;
}

LocalTime ParseTime(std::string_view text, const RegionalSettings& region) {
  Scanner scan(text);
  std::optional<int> offset = ReadDesignator(scan, region);
  const auto hour = scan.ReadNumber(2);
  if (!hour) InvalidTime(text);
  int minute = 0, second = 0;
  if (!region.timeSeparator.empty() && scan.Accept(region.timeSeparator)) {
    const auto minutes = scan.ReadNumber(2);
    if (!minutes) InvalidTime(text);
    minute = minutes->value;
    if (scan.Accept(region.timeSeparator)) {
      const auto seconds = scan.ReadNumber(2);
      if (!seconds) InvalidTime(text);
      second = seconds->value;
    }
  }
  if (!offset) offset = ReadDesignator(scan, region);
  if (!scan.AtEnd() || minute > 59 || second > 59) InvalidTime(text);
  int h = hour->value;
  if (offset) {
    if (h > 12) InvalidTime(text);
    h = h % 12 + *offset;  // 12 AM is midnight, 12 PM noon
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
  const DateShape shape = ShapeOf(region);
  Scanner scan(text);
  if (!shape.prefix.empty()) scan.Accept(shape.prefix);
  // A day name, as some short date patterns carry one, says nothing the date does not.
  if (ReadDayName(scan, region)) ReadSeparator(scan, shape);

  std::vector<DateToken> tokens;
  for (int i = 0; i < 2; ++i) {
    if (i > 0 && !ReadSeparator(scan, shape)) InvalidDate(text);
    const auto token = ReadDateToken(scan, region);
    if (!token) InvalidDate(text);
    tokens.push_back(*token);
  }
  const std::size_t afterTwo = scan.Position();
  if (ReadSeparator(scan, shape)) {
    if (const auto token = ReadDateToken(scan, region)) tokens.push_back(*token);
  }
  if (tokens.size() == 2) scan.Restore(afterTwo);

  const std::size_t afterFields = scan.Position();
  ReadSeparator(scan, shape);
  if (!ReadDayName(scan, region)) scan.Restore(afterFields);
  if (!shape.suffix.empty()) scan.Accept(shape.suffix);
  if (!scan.AtEnd()) InvalidDate(text);

  // Two fields are the day and month in the pattern's order, in this year.
  std::string order = shape.order;
  if (tokens.size() == 2) order.erase(order.find('y'), 1);
  int day = 0, month = 0, year = today.year;
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    const DateToken& token = tokens[i];
    if (token.namedMonth != 0) {
      if (order[i] != 'M') InvalidDate(text);
      month = token.namedMonth;
      continue;
    }
    const Scanner::Number number = *token.number;
    if (order[i] == 'y') {
      year = number.digits <= 2 ? WindowedYear(number.value, today.year) : number.value;
      continue;
    }
    if (number.digits > 2) InvalidDate(text);
    (order[i] == 'd' ? day : month) = number.value;
  }
  if (year < 1 || year > 9999 || day < 1 || day > DaysInMonth(year, month)) InvalidDate(text);

  LocalTime result{};
  result.year = year;
  result.month = month;
  result.day = day;
  result.dayOfWeek = DayOfWeek(year, month, day);
  return result;
}

bool RegionalFormatsChanged(std::string_view area) { return platform::SameIgnoringAsciiCase(area, "intl"); }

}  // namespace tolva::settings
