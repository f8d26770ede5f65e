#include <gtest/gtest.h>

#include <climits>

#include "settings/hot_key.h"
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

// The stored text as a hot key (Ctrl 0x200, Alt 0x400, Shift 0x100, an extended key 0x800), and
// the words for the number in it.
TEST(HotKey, ReadsOnlyAUsableCombinationAndNamesItAsTheControlShowsIt) {
  struct Case {
    const char* text;
    std::uint16_t reads;
    const char* words;  // none: the text is no number
  } const cases[] = {
      {"1608", 0x648, "Ctrl+Alt+H"}, {"01608", 0x648, "Ctrl+Alt+H"}, {"1864", 0x748, "Ctrl+Shift+Alt+H"},
      {"624", 0x270, "Ctrl+F1"}, {"1057", 0x421, "Alt+Page Up"}, {"1632", 0x660, "Ctrl+Alt+Num 0"},
      {"1722", 0x6BA, "Ctrl+Alt+;"}, {"3656", 0xE48, "Ctrl+Alt+H"}, {"72", 0, "H"}, {"328", 0, "Shift+H"},
      {"1536", 0, ""}, {"1552", 0, ""}, {"1568", 0, ""}, {"1672", 0, ""},  // none, Shift, Space, 0x88
      {"5704", 0, "Ctrl+Alt+H"}, {"0", 0, ""}, {"", 0, nullptr}, {"1608x", 0, nullptr},  // 0x1000
      {"+1608", 0, nullptr}, {"99999", 0, nullptr}, {"4294968904", 0, nullptr},
      // The ends of the key ranges; a number past 16 bits is none, not its low half (Ctrl+C).
      {"1584", 0x630, "Ctrl+Alt+0"}, {"1593", 0x639, "Ctrl+Alt+9"}, {"1601", 0x641, "Ctrl+Alt+A"},
      {"1626", 0x65A, "Ctrl+Alt+Z"}, {"1671", 0x687, "Ctrl+Alt+F24"}, {"66115", 0, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(HotKeyFromText(c.text), c.reads);
    if (c.words != nullptr) {
      EXPECT_EQ(HotKeyText(static_cast<std::uint16_t>(std::stoul(c.text))), c.words);
    }
  }
}

}  // namespace
}  // namespace tolva::settings
