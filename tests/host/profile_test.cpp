// The simulated private-profile store against the tables the real functions also run.
#include <gtest/gtest.h>

#include <string>

#include "platform/sim/sim_profile.h"
#include "tests/shared/profile_cases.h"

namespace tolva::platform::sim {
namespace {

constexpr const char* kFile = "tolva_case.ini";

TEST(SimProfileFiles, ReadsAsTheRealFunctions) {
  for (const auto& c : tests::ProfileReadCases()) {
    SCOPED_TRACE(c.name);
    SimProfileFiles profile;
    if (c.file) profile.SetFileText(kFile, *c.file);
    const auto result = tests::ReadProfile(profile, c.section, c.key, c.defaultValue, c.capacity, kFile);
    ASSERT_TRUE(result.terminated);
    EXPECT_TRUE(result.guardIntact) << "written past the buffer";
    EXPECT_EQ(result.text, c.expected);
    EXPECT_EQ(result.count, c.count);
  }
}

TEST(SimProfileFiles, WritesAsTheRealFunctions) {
  for (const auto& c : tests::ProfileWriteCases()) {
    SCOPED_TRACE(c.name);
    SimProfileFiles profile;
    if (c.initial) profile.SetFileText(kFile, *c.initial);
    for (const auto& w : c.writes)
      EXPECT_TRUE(profile.WritePrivateProfileStringA(w.section, w.key, w.value, kFile));
    const auto text = profile.FileText(kFile);
    ASSERT_EQ(text.has_value(), c.expected.has_value());
    if (!text) continue;
    EXPECT_EQ(tests::NonBlankLines(*text), tests::NonBlankLines(*c.expected));
    EXPECT_EQ(*text, *c.expected);
    for (const auto& r : c.readBack) {
      const auto result = tests::ReadProfile(profile, r.section, r.key, "?", 1100, kFile);
      EXPECT_EQ(result.text, r.expected) << r.section << "/" << r.key;
    }
  }
}

TEST(SimProfileFiles, FileNamesIgnoreLetterCase) {
  SimProfileFiles profile;
  ASSERT_TRUE(profile.WritePrivateProfileStringA("Settings", "Hints", "0", "Tolva.INI"));
  EXPECT_EQ(tests::ReadProfile(profile, "Settings", "Hints", "1", 2, "tolva.ini").text, "0");
  EXPECT_EQ(profile.FileText("TOLVA.ini"), "[Settings]\r\nHints=0\r\n");
}

// A read-only Windows directory: nothing is written, and the caller hears of it.
TEST(SimProfileFiles, FailingWritesLeaveFilesAlone) {
  SimProfileFiles profile;
  const std::string text = "[Settings]\r\n\r\nHints=1\r\n";
  profile.SetFileText("tolva.ini", text);
  profile.failWrites = true;
  EXPECT_FALSE(profile.WritePrivateProfileStringA("Settings", "Hints", "0", "tolva.ini"));
  EXPECT_FALSE(profile.WritePrivateProfileStringA("Icon", "TrayPlace", "1", "tolva.ini"));
  EXPECT_FALSE(profile.WritePrivateProfileStringA("Settings", "Hints", nullptr, "tolva.ini"));
  EXPECT_FALSE(profile.WritePrivateProfileStringA("Settings", "Hints", "0", "other.ini"));
  EXPECT_EQ(profile.FileText("tolva.ini"), text);
  EXPECT_EQ(profile.FileText("other.ini"), std::nullopt);
  EXPECT_EQ(tests::ReadProfile(profile, "Settings", "Hints", "0", 2, "tolva.ini").text, "1");

  profile.failWrites = false;
  EXPECT_TRUE(profile.WritePrivateProfileStringA("Settings", "Hints", "0", "tolva.ini"));
  EXPECT_EQ(profile.FileText("tolva.ini"), "[Settings]\r\nHints=0\r\n");
}

TEST(SimProfileFiles, RemovedFileGivesDefaults) {
  SimProfileFiles profile;
  profile.SetFileText("tolva.ini", tests::TolvaIniText());
  ASSERT_EQ(tests::ReadProfile(profile, "Icon", "Invisible", "1", 2, "tolva.ini").text, "0");
  profile.RemoveFile("TOLVA.INI");
  EXPECT_EQ(profile.FileText("tolva.ini"), std::nullopt);
  const auto result = tests::ReadProfile(profile, "Icon", "Invisible", "1", 2, "tolva.ini");
  EXPECT_EQ(result.text, "1");
  EXPECT_EQ(result.count, 1u);
}

}  // namespace
}  // namespace tolva::platform::sim
