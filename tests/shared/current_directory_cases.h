#pragma once
// GetCurrentDirectoryA around the size the folder needs, the same on the simulated process and
// the real one: the folder is copied only when it fits with its terminator; otherwise the call
// answers the size it needs and leaves the buffer alone.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/process.h"

namespace tolva::tests {

inline void ExpectCurrentDirectoryCopiedOnlyWhenItFits(platform::Process& process,
                                                       const std::string& folder) {
  const auto length = static_cast<std::uint32_t>(folder.size());
  const struct {
    std::uint32_t capacity;
    bool fits;
  } cases[] = {{length + 50, true}, {length + 1, true}, {length, false}, {1, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(folder + ", capacity " + std::to_string(c.capacity));
    std::vector<char> buffer(c.capacity + 16, '#');
    const std::uint32_t result = process.GetCurrentDirectoryA(c.capacity, buffer.data());
    if (c.fits) {
      EXPECT_EQ(result, length);
      EXPECT_EQ(std::string(buffer.data()), folder);
      EXPECT_EQ(buffer[length + 1], '#');
    } else {
      EXPECT_EQ(result, length + 1);
      EXPECT_EQ(std::string(buffer.begin(), buffer.end()), std::string(buffer.size(), '#'));
    }
  }
  EXPECT_EQ(process.GetCurrentDirectoryA(0, nullptr), length + 1);
}

}  // namespace tolva::tests
