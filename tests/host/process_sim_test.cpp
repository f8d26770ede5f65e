// The simulated GetCurrentDirectoryA, with the capacities its real counterpart is tested with.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sim/sim_platform.h"

namespace tolva::platform::sim {
namespace {

TEST(SimProcess, CurrentDirectoryCopiedOnlyWhenItFits) {
  SimProcess process;
  for (const std::string& folder : {std::string("C:\\windows"), std::string("C:\\")}) {
    process.currentDirectory = folder;
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
}

TEST(SimProcess, FailureGivesZeroAndLeavesTheBuffer) {
  SimProcess process;
  process.failCurrentDirectory = true;
  char buffer[8] = {'#', '#', '#', '#', '#', '#', '#', '#'};
  EXPECT_EQ(process.GetCurrentDirectoryA(sizeof buffer, buffer), 0u);
  EXPECT_EQ(std::string(buffer, sizeof buffer), std::string(sizeof buffer, '#'));
}

}  // namespace
}  // namespace tolva::platform::sim
