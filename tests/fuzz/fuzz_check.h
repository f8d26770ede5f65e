#pragma once
// What a fuzz target does when a rule it checks does not hold: says which, and stops, so that
// libFuzzer keeps the input that broke it.
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace tolva::fuzz {

inline void Require(bool holds, const char* rule) {
  if (holds) return;
  std::fprintf(stderr, "rule broken: %s\n", rule);
  std::abort();
}

inline void RequireSame(std::string_view a, std::string_view b, const char* rule) {
  if (a == b) return;
  std::fprintf(stderr, "\"%.*s\" and \"%.*s\" differ\n", static_cast<int>(a.size()), a.data(),
               static_cast<int>(b.size()), b.data());
  Require(false, rule);
}

}  // namespace tolva::fuzz
