#include <gtest/gtest.h>

#include <climits>

#include "settings/settings_record.h"

namespace tolva::settings {
namespace {

TEST(FlagValue, ReadsLeadingDecimalNumber) {
  struct Case {
    const char* text;
    std::int32_t value;
  } const cases[] = {
      {"1", 1},       {"0", 0},         {"", 0},          {"y", 0},       {"10", 10},
      {"  7", 7},     {"\t3x", 3},      {"+4", 4},        {"-2", -2},     {"-", 0},
      {"+", 0},       {" - 1", 0},      {"12abc", 12},    {"2147483647", INT32_MAX},
      {"99999999999", INT32_MAX},        {"-99999999999", INT32_MIN},
  };
  for (const auto& c : cases) EXPECT_EQ(FlagValue(c.text), c.value) << '"' << c.text << '"';
}

TEST(FlagValue, FlagIsOnOnlyForOne) {
  EXPECT_TRUE(IsOn(Flag("1")));
  for (const char* text : {"0", "", "5", "-", "y"}) EXPECT_FALSE(IsOn(Flag(text))) << text;
  // A flag keeps one character: "10" loads as "1".
  EXPECT_TRUE(IsOn(Flag("10")));
}

}  // namespace
}  // namespace tolva::settings
