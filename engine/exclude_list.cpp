#include "engine/exclude_list.h"

#include <algorithm>

#include "platform/ascii.h"

namespace tolva::engine {
namespace {

// Compared as unsigned bytes, so titles with letters above 127 sort after the ASCII ones.
unsigned char Folded(char c) { return static_cast<unsigned char>(platform::AsciiLower(c)); }

}  // namespace

bool TitleLess(std::string_view a, std::string_view b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char x, char y) { return Folded(x) < Folded(y); });
}

std::size_t ExcludeList::Add(std::string_view title) {
  const auto place = std::upper_bound(
      entries_.begin(), entries_.end(), title,
      [](std::string_view t, const Entry& entry) { return TitleLess(t, entry.title); });
  const auto index = static_cast<std::size_t>(place - entries_.begin());
  entries_.insert(place, Entry{std::string(title), false});
  return index;
}

bool ExcludeList::Excludes(std::string_view title) const {
  return std::any_of(entries_.begin(), entries_.end(),
                     [&](const Entry& entry) { return entry.checked && entry.title == title; });
}

}  // namespace tolva::engine
