#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tolva::engine {

// GetWindowTextA is given a buffer of this size, so a title holds at most 199 characters; the
// listing pass and the conceal pass cut titles alike and their comparisons agree.
inline constexpr std::size_t WindowTitleCapacity = 200;

// The windows the user has chosen to leave alone: titles read by the listing pass, each with
// the user's tick. Held for the run only, never saved. Sorted by title as the Exclude tab's
// sorted check list shows it; duplicate titles stay separate entries.
class ExcludeList {
 public:
  struct Entry {
    std::string title;
    bool checked = false;
  };

  // Adds an unchecked entry in its sorted place (letter case ignored; after any equal titles).
  // Returns its index.
  std::size_t Add(std::string_view title);
  void Clear() { entries_.clear(); }
  void SetChecked(std::size_t index, bool checked) { entries_.at(index).checked = checked; }

  std::size_t size() const { return entries_.size(); }
  bool empty() const { return entries_.empty(); }
  const Entry& operator[](std::size_t index) const { return entries_.at(index); }
  const std::vector<Entry>& entries() const { return entries_; }

  // True when a ticked entry's title equals the title exactly (byte for byte, letter case
  // included); an equal entry without a tick decides nothing.
  bool Excludes(std::string_view title) const;

 private:
  std::vector<Entry> entries_;
};

// The order of the sorted list: bytes compared with ASCII letters folded to lower case.
bool TitleLess(std::string_view a, std::string_view b);

}  // namespace tolva::engine
