#pragma once
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>
#include <string_view>

namespace tolva::settings {

// A text buffer of a fixed capacity, terminator included, as the settings file's values are held.
// Whatever is assigned is cut to Capacity - 1 characters; nothing is ever written past the end.
template <std::size_t Capacity>
class FixedText {
  static_assert(Capacity >= 1);

 public:
  static constexpr std::size_t capacity = Capacity;

  FixedText() = default;
  explicit FixedText(std::string_view text) { assign(text); }

  void assign(std::string_view text) {
    const std::size_t count = std::min(text.size(), Capacity - 1);
    std::memcpy(buffer_.data(), text.data(), count);
    buffer_[count] = '\0';
  }
  FixedText& operator=(std::string_view text) {
    assign(text);
    return *this;
  }
  void clear() { buffer_.fill('\0'); }

  // The raw buffer, for a platform call that fills it; seal() must follow.
  char* data() { return buffer_.data(); }
  // Makes sure the buffer is terminated within its capacity, whatever a callee left in it.
  void seal() { buffer_[Capacity - 1] = '\0'; }

  const char* c_str() const { return buffer_.data(); }
  std::string_view view() const { return std::string_view(buffer_.data()); }
  bool empty() const { return buffer_[0] == '\0'; }

  friend bool operator==(const FixedText& a, std::string_view b) { return a.view() == b; }

 private:
  std::array<char, Capacity> buffer_{};
};

}  // namespace tolva::settings
