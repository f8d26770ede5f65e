#include <gtest/gtest.h>

#include "platform/sim/sim_profile.h"
#include "tests/shared/profile_cases.h"

namespace tolva::platform::sim {
namespace {

TEST(SimProfileFiles, ReadsAsTheRealFunctions) {
  for (const auto& c : tests::ProfileReadCases()) {
    SimProfileFiles profile;
    if (c.file) profile.SetFileText("case.ini", c.file);
    std::string buffer(c.capacity + 8, '#');
    profile.GetPrivateProfileStringA(c.section, c.key, c.defaultValue, buffer.data(), c.capacity, "case.ini");
    EXPECT_EQ(std::string(buffer.c_str()), c.expected) << c.name;
    EXPECT_EQ(buffer[c.capacity], '#') << c.name << ": written past the buffer";
  }
}

TEST(SimProfileFiles, WritesAsTheRealFunctions) {
  for (const auto& c : tests::ProfileWriteCases()) {
    SimProfileFiles profile;
    if (c.initial) profile.SetFileText("case.ini", c.initial);
    for (const auto& w : c.writes) EXPECT_TRUE(profile.WritePrivateProfileStringA(w.section, w.key, w.value, "case.ini"));
    EXPECT_EQ(tests::NonBlankLines(profile.FileText("case.ini").value_or("")), c.lines) << c.name;
  }
}

TEST(SimProfileFiles, FailingWritesLeaveTheFileAlone) {
  SimProfileFiles profile;
  profile.SetFileText("tolva.ini", "[Settings]\r\nHints=1\r\n");
  profile.failWrites = true;
  EXPECT_FALSE(profile.WritePrivateProfileStringA("Settings", "Hints", "0", "tolva.ini"));
  EXPECT_EQ(profile.FileText("TOLVA.INI"), "[Settings]\r\nHints=1\r\n");
}

}  // namespace
}  // namespace tolva::platform::sim
