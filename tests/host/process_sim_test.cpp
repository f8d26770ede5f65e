// The simulated GetCurrentDirectoryA, with the capacities its real counterpart is tested with.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sim/sim_platform.h"
#include "tests/shared/current_directory_cases.h"

namespace tolva::platform::sim {
namespace {

TEST(SimProcess, CurrentDirectoryCopiedOnlyWhenItFits) {
  SimProcess process;
  for (const std::string& folder : {std::string("C:\\windows"), std::string("C:\\")}) {
    process.currentDirectory = folder;
    tests::ExpectCurrentDirectoryCopiedOnlyWhenItFits(process, folder);
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
