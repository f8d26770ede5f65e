#include "settings/settings_record.h"

#include <limits>

namespace tolva::settings {

std::int32_t FlagValue(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  // Accumulated as a negative number, so that the most negative value fits; an overlong number
  // saturates instead of overflowing.
  std::int64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 - (text[i] - '0');
    if (value < std::numeric_limits<std::int32_t>::min()) {
      value = std::numeric_limits<std::int32_t>::min();
      if (!negative) return std::numeric_limits<std::int32_t>::max();
    }
  }
  if (!negative) value = -value;
  if (value > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(value);
}

}  // namespace tolva::settings
