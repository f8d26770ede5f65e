#pragma once
#include <string>
#include <vector>

namespace tolva::platform::sim {

// One record of the calls made into the simulated platform, shared by its parts, so that a test
// can check the order of operations across areas (animation, drawing lock, window pass).
struct CallLog {
  std::vector<std::string> calls;
  void Add(std::string call) { calls.push_back(std::move(call)); }
  void Clear() { calls.clear(); }
};

}  // namespace tolva::platform::sim
