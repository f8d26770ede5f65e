#pragma once
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace tolva::platform::sim {

// One record of the calls made into the simulated platform, shared by its parts, so that a test
// can check the order of operations across areas (animation, drawing lock, window pass).
struct CallLog {
  std::vector<std::string> calls;
  void Add(std::string call) { calls.push_back(std::move(call)); }
  void Clear() { calls.clear(); }
  // The calls of one kind ("ShowWindow", "PlaySoundA", ...) in the order they were made.
  std::vector<std::string> WithPrefix(const std::string& prefix) const {
    std::vector<std::string> out;
    for (const auto& call : calls)
      if (call.rfind(prefix, 0) == 0) out.push_back(call);
    return out;
  }
};

// A handle or flag value as the log writes it.
inline std::string HexText(std::uintptr_t value) {
  char text[24];
  std::snprintf(text, sizeof text, "%#llx", static_cast<unsigned long long>(value));
  return text;
}

}  // namespace tolva::platform::sim
