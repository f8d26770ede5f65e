#include "engine/exclude_list.h"

#include <algorithm>

namespace tolva::engine {
namespace {

unsigned char Folded(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte + ('a' - 'A')) : byte;
}

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
