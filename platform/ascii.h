#pragma once
// The program's one fold of letters. Windows compares the names and texts the program relies on
// (profile sections and keys, registered message names, designators, accelerators, titles) with
// only the ASCII letters a to z folded; a byte above 127 is another letter in every code page
// and stays as it is, whatever the C library's locale says.
#include <string>
#include <string_view>

namespace tolva::platform {

constexpr char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
constexpr char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Same length, and each byte the same once folded.
constexpr bool SameIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
  }
  return true;
}

constexpr bool StartsWithIgnoringAsciiCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && SameIgnoringAsciiCase(text.substr(0, prefix.size()), prefix);
}

inline std::string AsciiUpperText(std::string_view text) {
  std::string folded(text);
  for (char& c : folded) c = AsciiUpper(c);
  return folded;
}

}  // namespace tolva::platform
