#pragma once
// Private-profile files and what reading them gives, the same on the simulated store and on the
// real functions; and writes with the file they leave. Both sides run these tables, so a case
// that the real functions answer differently is a fault in the table and in the simulated store.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/profile.h"

namespace tolva::tests {

// A Windows path of exactly `length` characters (at least 20), like the ones FileSpec holds.
inline std::string PathOfLength(std::size_t length) {
  std::string path = "C:\\Users\\tolva\\";
  while (path.size() + 8 + 5 <= length) path += "notes01\\";
  path.append(length - 4 - path.size(), 'x');
  return path + ".txt";
}

// tolva.ini as the program leaves it, with a flag that a hand edit made two characters long, an
// empty value, and a second [Settings] further down (which the functions never look into).
inline std::string TolvaIniText() {
  return "[Settings]\r\nHints=1\r\nShowExit=10\r\nWarnExit=0\r\nToTray=\r\nWAV=1\r\n"
         "[Icon]\r\nTrayPlace=1\r\nInvisible=0\r\n"
         "[Actions]\r\nHideDesk=0\r\nLaunchApp=1\r\nFileSpec=" +
         PathOfLength(1099) +
         "\r\nIniDir=C:\\Users\\tolva\r\nClearDoc=0\r\nCtrlAlt=0\r\n"
         "[DateTime]\r\nEnableDateTime=1\r\nActionTime=9:07:09 PM\r\nActionDate=12/2/2026\r\n"
         "[Exclude]\r\nAutoRefresh=1\r\n"
         "[Settings]\r\nHints=0\r\nLate=1\r\n";
}

struct ProfileReadCase {
  const char* name;
  std::optional<std::string> file;  // none: the file does not exist
  const char* section;
  const char* key;
  const char* defaultValue;  // may be null
  std::uint32_t capacity;
  std::string expected;
  std::uint32_t count;  // what the call returns
};

inline std::vector<ProfileReadCase> ProfileReadCases() {
  const std::string ini = TolvaIniText();
  const std::string quoted = "[S]\r\nk=\"quoted\"\r\n";
  const char* const fileSpec = "World's_Greatest_Boss.txt";
  auto withFileSpec = [](std::size_t length) {
    return "[Actions]\r\nFileSpec=" + PathOfLength(length) + "\r\n";
  };
  return {
      // The program's own file and reads.
      {"first of two [Settings]", ini, "Settings", "Hints", "1", 2, "1", 1},
      {"flag 10 cut to one character", ini, "Settings", "ShowExit", "1", 2, "1", 1},
      {"flag", ini, "Settings", "WarnExit", "1", 2, "0", 1},
      {"empty value is not the default", ini, "Settings", "ToTray", "0", 2, "", 0},
      {"key only in the later [Settings]", ini, "Settings", "Late", "0", 2, "0", 1},
      {"Icon", ini, "Icon", "Invisible", "1", 2, "0", 1},
      {"path of 1099 fits 1100", ini, "Actions", "FileSpec", fileSpec, 1100,
       PathOfLength(1099), 1099},
      {"IniDir", ini, "Actions", "IniDir", "C:\\", 265, "C:\\Users\\tolva", 14},
      {"DateTime", ini, "DateTime", "ActionTime", "8:15:04 AM", 50, "9:07:09 PM", 10},
      {"Exclude", ini, "Exclude", "AutoRefresh", "0", 2, "1", 1},
      {"missing key", ini, "Exclude", "Other", "d", 2, "d", 1},
      {"missing section", ini, "Window", "Hints", "1", 2, "1", 1},
      {"missing file, flag", std::nullopt, "Settings", "Hints", "1", 2, "1", 1},
      {"missing file, FileSpec", std::nullopt, "Actions", "FileSpec", fileSpec, 1100,
       fileSpec, 25},
      {"path of 1100 cut to 1099", withFileSpec(1100), "Actions", "FileSpec", "", 1100,
       PathOfLength(1100).substr(0, 1099), 1099},
      {"path of 1500 cut to 1099", withFileSpec(1500), "Actions", "FileSpec", "", 1100,
       PathOfLength(1500).substr(0, 1099), 1099},

      // Names.
      {"letter case of names", "[settings]\r\nHINTS=0\r\n", "Settings", "Hints", "1", 2, "0", 1},
      {"blanks inside the brackets", "[ Settings ]\r\nHints=0\r\n", "Settings", "Hints", "1", 2,
       "0", 1},
      {"blanks around the asked names", "[Settings]\r\nHints=0\r\n", " Settings\t", "\tHints ",
       "1", 2, "0", 1},
      {"blanks before the bracket", "  \t[Settings]\r\nHints=0\r\n", "Settings", "Hints", "1", 2,
       "0", 1},
      {"header without ] is no header", "[Settings\r\nHints=0\r\n", "Settings", "Hints", "1", 2,
       "1", 1},
      {"header without ] is a valueless key", "[Settings\r\nHints=0\r\n", "", "[Settings", "d",
       9, "d", 1},
      {"keys before any header: nameless section", "Hints=0\r\n[Settings]\r\nWAV=1\r\n", "",
       "Hints", "1", 2, "0", 1},
      {"keys before any header are not in the next", "Hints=0\r\n[Settings]\r\nWAV=1\r\n",
       "Settings", "Hints", "1", 2, "1", 1},
      {"the last ] ends the name", "[A]B]\r\nk=1\r\n", "A]B", "k", "d", 9, "1", 1},
      {"a name ended early is another section", "[A]B]\r\nk=1\r\n", "A", "k", "d", 9, "d", 1},
      {"text after ] ignored", "[A] notes\r\nk=1\r\n", "A", "k", "d", 9, "1", 1},
      {"key with a blank inside", "[S]\r\nmy key = 1\r\n", "S", "my key", "d", 9, "1", 1},

      // Keys and values.
      {"first of two keys", "[S]\r\nk=1\r\nk=2\r\n", "S", "k", "d", 9, "1", 1},
      {"blanks and tabs around", "[S]\r\n \tk \t=\t v x \t\r\n", "S", "k", "d", 9, "v x", 3},
      {"line without = is no value", "[S]\r\nk\r\n", "S", "k", "d", 9, "d", 1},
      {"= in the value", "[S]\r\nk=a=b\r\n", "S", "k", "d", 9, "a=b", 3},
      {"; is an ordinary key", "[S]\r\n;C=1\r\n", "S", ";C", "d", 9, "1", 1},
      {"# is an ordinary key", "[S]\r\n#D=1\r\n", "S", "#D", "d", 9, "1", 1},
      {"=5 is the key \"\"", "[S]\r\n=5\r\n", "S", "", "d", 9, "5", 1},
      {"value cut", "[S]\r\nk=abcdef\r\n", "S", "k", "d", 4, "abc", 3},
      {"capacity 1", "[S]\r\nk=abc\r\n", "S", "k", "d", 1, "", 0},

      // Quotes.
      {"double quotes dropped", quoted, "S", "k", "d", 50, "quoted", 6},
      {"quotes, value just fits", quoted, "S", "k", "d", 8, "quoted", 6},
      {"quotes, cut by one", quoted, "S", "k", "d", 7, "quote", 5},
      {"quotes, cut short", quoted, "S", "k", "d", 4, "quo", 3},
      {"single quotes dropped", "[S]\r\nk='a b'\r\n", "S", "k", "d", 50, "a b", 3},
      {"quotes that do not match kept", "[S]\r\nk=\"a'\r\n", "S", "k", "d", 50, "\"a'", 3},
      {"opening quote alone kept", "[S]\r\nk=\"ab\r\n", "S", "k", "d", 50, "\"ab", 3},
      {"a lone quote kept", "[S]\r\nk=\"\r\n", "S", "k", "d", 50, "\"", 1},
      {"two quotes give nothing", "[S]\r\nk=\"\"\r\n", "S", "k", "d", 50, "", 0},
      {"quotes inside kept", "[S]\r\nk=a \"b\" c\r\n", "S", "k", "d", 50, "a \"b\" c", 7},

      // Lines.
      {"lone CR ends a line", "[S]\rk=1\rj=2\r", "S", "j", "d", 9, "2", 1},
      {"lone LF ends a line", "[S]\nk=1\nj=2\n", "S", "j", "d", 9, "2", 1},
      {"blank lines", "\r\n\r\n[S]\r\n\r\n   \r\nk=1\r\n\r\n", "S", "k", "d", 9, "1", 1},
      {"no line end at the end", "[S]\r\nk=1", "S", "k", "d", 9, "1", 1},
      {"UTF-8 mark skipped", "\xEF\xBB\xBF[S]\r\nk=1\r\n", "S", "k", "d", 9, "1", 1},

      // The default.
      {"default's trailing blanks dropped", "[S]\r\n", "S", "k", "  ab  ", 50, "  ab", 4},
      {"default's trailing blanks, no file", std::nullopt, "S", "k", "ab  ", 50, "ab", 2},
      {"default cut", "[S]\r\n", "S", "k", "abcdef", 4, "abc", 3},
      {"default cut, no file", std::nullopt, "S", "k", "abcdef", 4, "abc", 3},
      {"null default", "[S]\r\n", "S", "k", nullptr, 9, "", 0},
      {"null default, no file", std::nullopt, "S", "k", nullptr, 9, "", 0},
      {"default, capacity 1", std::nullopt, "S", "k", "1", 1, "", 0},
      {"default of a valueless key", "[S]\r\nk\r\n", "S", "k", "x", 9, "x", 1},
      {"default's trailing tab kept", "[S]\r\n", "S", "k", "ab\t", 9, "ab\t", 3},
      {"default of blanks only", "[S]\r\n", "S", "k", "   ", 9, " ", 1},
      {"default of blanks only, no file", std::nullopt, "S", "k", "   ", 9, " ", 1},
      {"default in quotes", "[S]\r\n", "S", "k", "'ab'", 9, "ab", 2},
      {"default in quotes, no file", std::nullopt, "S", "k", "'ab'", 9, "ab", 2},
      {"default in quotes, cut", "[S]\r\n", "S", "k", "\"abc\"", 4, "ab", 2},
  };
}

struct ProfileWrite {
  const char* section;
  const char* key;    // null: the whole section goes
  const char* value;  // null: the key goes
};

struct ProfileReadBack {
  const char* section;
  const char* key;
  std::string expected;  // read with capacity 1100 and the default "?"
};

struct ProfileWriteCase {
  const char* name;
  std::optional<std::string> initial;  // none: no file to start with
  std::vector<ProfileWrite> writes;
  // The file afterwards (none: there is none), byte for byte; its non-blank lines are compared
  // first, for a readable account of what differs.
  std::optional<std::string> expected;
  std::vector<ProfileReadBack> readBack;
};

inline std::vector<ProfileWriteCase> ProfileWriteCases() {
  // The writes hold pointers into this.
  static const std::string path = PathOfLength(1099);
  return {
      {"new file",
       std::nullopt,
       {{"Settings", "Hints", "1"}},
       "[Settings]\r\nHints=1\r\n",
       {{"Settings", "Hints", "1"}}},
      {"the program's save, new file",
       std::nullopt,
       {{"Settings", "Hints", "1"},
        {"Settings", "ShowExit", "1"},
        {"Settings", "WarnExit", "0"},
        {"Settings", "ToTray", "0"},
        {"Settings", "WAV", "1"},
        {"Actions", "HideDesk", "0"},
        {"Actions", "LaunchApp", "1"},
        {"Actions", "FileSpec", path.c_str()},
        {"Actions", "IniDir", "C:\\Users\\tolva"},
        {"Actions", "ClearDoc", "0"},
        {"Actions", "CtrlAlt", "0"},
        {"Icon", "TrayPlace", "1"},
        {"Icon", "Invisible", "0"},
        {"DateTime", "EnableDateTime", "1"},
        {"DateTime", "ActionTime", "9:07:09 PM"},
        {"DateTime", "ActionDate", "12/2/2026"},
        {"Exclude", "AutoRefresh", "1"}},
       "[Settings]\r\nHints=1\r\nShowExit=1\r\nWarnExit=0\r\nToTray=0\r\nWAV=1\r\n"
       "[Actions]\r\nHideDesk=0\r\nLaunchApp=1\r\nFileSpec=" +
           path +
           "\r\nIniDir=C:\\Users\\tolva\r\nClearDoc=0\r\nCtrlAlt=0\r\n"
           "[Icon]\r\nTrayPlace=1\r\nInvisible=0\r\n"
           "[DateTime]\r\nEnableDateTime=1\r\nActionTime=9:07:09 PM\r\nActionDate=12/2/2026\r\n"
           "[Exclude]\r\nAutoRefresh=1\r\n",
       {{"Actions", "FileSpec", path}, {"DateTime", "ActionTime", "9:07:09 PM"}}},
      {"the program's save over its old file",
       "[Settings]\r\nHints=0\r\nWAV=1\r\n[Icon]\r\nTrayPlace=0\r\n[Settings]\r\nToTray=1\r\n",
       {{"Settings", "Hints", "1"}, {"Settings", "ToTray", "0"}, {"Icon", "TrayPlace", "1"},
        {"Exclude", "AutoRefresh", "1"}},
       "[Settings]\r\nHints=1\r\nWAV=1\r\nToTray=0\r\n[Icon]\r\nTrayPlace=1\r\n"
       "[Settings]\r\nToTray=1\r\n[Exclude]\r\nAutoRefresh=1\r\n",
       {{"Settings", "ToTray", "0"}}},
      {"names matched regardless of case, stored names kept",
       "[settings]\r\nhints=1\r\n",
       {{"SETTINGS", "Hints", "0"}},
       "[settings]\r\nhints=0\r\n",
       {{"Settings", "HINTS", "0"}}},
      {"new key at the end of its section",
       "[A]\r\nx=1\r\n[B]\r\ny=2\r\n",
       {{"A", "z", "3"}},
       "[A]\r\nx=1\r\nz=3\r\n[B]\r\ny=2\r\n",
       {{"A", "z", "3"}}},
      {"new sections at the end in order",
       "[A]\r\nx=1\r\n",
       {{"C", "k", "1"}, {"B", "k", "2"}, {"A", "y", "3"}},
       "[A]\r\nx=1\r\ny=3\r\n[C]\r\nk=1\r\n[B]\r\nk=2\r\n",
       {}},
      {"new names and value lose leading blanks only",
       std::nullopt,
       {{" S\t", "\tk ", "  v x \t"}},
       "[S\t]\r\nk =v x \t\r\n",
       {{"S", "k", "v x"}}},
      {"trailing blanks of a new name",
       "[S]\r\nk=1\r\n",
       {{"T ", "j\t", "v "}},
       "[S]\r\nk=1\r\n[T ]\r\nj\t=v \r\n",
       {{"T", "j", "v"}}},
      {"blanks around names found in the file",
       "[S]\r\nk=1\r\n",
       {{" S ", " k ", " 2 "}},
       "[S]\r\nk=2 \r\n",
       {{"S", "k", "2"}}},
      {"value compared with letter case",
       "[S]\r\n\r\nk=ABC\r\n",
       {{"S", "k", "abc"}},
       "[S]\r\nk=abc\r\n",
       {}},
      {"the same value with its blanks leaves the file",
       "[s]\r\n\r\nK=1\r\n",
       {{"S", "k", " 1"}},
       "[s]\r\n\r\nK=1\r\n",
       {}},
      {"UTF-8 mark kept",
       "\xEF\xBB\xBF[S]\r\nk=1\r\n",
       {{"S", "k", "2"}},
       "\xEF\xBB\xBF[S]\r\nk=2\r\n",
       {{"S", "k", "2"}}},
      {"removing what is not there leaves the file",
       "[S]\r\n\r\nk=1\r\n",
       {{"S", "j", nullptr}, {"T", "k", nullptr}, {"T", nullptr, nullptr}},
       "[S]\r\n\r\nk=1\r\n",
       {}},
      {"removing the first of two sections",
       "[S]\r\nk=1\r\n[S]\r\nk=2\r\n",
       {{"S", nullptr, nullptr}},
       "[S]\r\nk=2\r\n",
       {{"S", "k", "2"}}},
      {"empty value",
       "[S]\r\nk=1\r\n",
       {{"S", "k", ""}, {"S", "j", ""}},
       "[S]\r\nk=\r\nj=\r\n",
       {{"S", "k", ""}, {"S", "j", ""}}},
      {"blank lines dropped, comments kept",
       "; tolva\r\n\r\n[S]\r\n\r\n; the flag\r\nk=1\r\n\r\n\r\n[T]\r\n\r\n",
       {{"S", "k", "0"}},
       "; tolva\r\n[S]\r\n; the flag\r\nk=0\r\n[T]\r\n",
       {}},
      {"keys before the first header stay there",
       "a=1\r\n[S]\r\nk=1\r\n",
       {{"S", "j", "2"}},
       "a=1\r\n[S]\r\nk=1\r\nj=2\r\n",
       {{"", "a", "1"}}},
      {"the first of two sections and keys written",
       "[S]\r\nk=1\r\nk=2\r\n[S]\r\nj=1\r\n",
       {{"S", "k", "3"}, {"S", "j", "4"}},
       "[S]\r\nk=3\r\nk=2\r\nj=4\r\n[S]\r\nj=1\r\n",
       {{"S", "j", "4"}}},
      {"a valueless key gets its value in place",
       "[S]\r\nk\r\nj=1\r\n",
       {{"S", "k", "5"}},
       "[S]\r\nk=5\r\nj=1\r\n",
       {{"S", "k", "5"}}},
      {"a header without ] stays a line",
       "[X\r\n[S]\r\nk=1\r\n",
       {{"S", "k", "2"}},
       "[X\r\n[S]\r\nk=2\r\n",
       {}},
      {"lone CRs become line pairs",
       "[S]\rk=1\rj=2\r",
       {{"S", "k", "3"}},
       "[S]\r\nk=3\r\nj=2\r\n",
       {{"S", "j", "2"}}},
      {"blanks in a stored header",
       "[ S ]\r\nk = 1\r\n",
       {{"S", "k", "2"}},
       "[S]\r\nk=2\r\n",
       {{"S", "k", "2"}}},
      {"the same value again leaves the file",
       "[S]\r\n\r\nk = 1\r\n",
       {{"S", "k", "1"}},
       "[S]\r\n\r\nk = 1\r\n",
       {}},
      {"a key removed",
       "[S]\r\nk=1\r\nj=2\r\n",
       {{"S", "k", nullptr}},
       "[S]\r\nj=2\r\n",
       {{"S", "k", "?"}}},
      {"a section removed",
       "[S]\r\nk=1\r\n[T]\r\nj=2\r\n",
       {{"S", nullptr, nullptr}},
       "[T]\r\nj=2\r\n",
       {{"S", "k", "?"}}},
      {"removing from no file makes none",
       std::nullopt,
       {{"S", "k", nullptr}, {"S", nullptr, nullptr}},
       std::nullopt,
       {}},
  };
}

// The lines of a file's text with their line ends, and the lines that are empty or all blanks,
// left out.
inline std::vector<std::string> NonBlankLines(std::string_view text) {
  std::vector<std::string> lines;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find_first_of("\r\n"), text.size());
    const std::string_view line = text.substr(0, end);
    if (line.find_first_not_of(" \t") != std::string_view::npos) lines.emplace_back(line);
    text.remove_prefix(std::min(end + 1, text.size()));
  }
  return lines;
}

// One read through either implementation, into a buffer with a guard zone after its capacity.
struct ProfileReadResult {
  std::string text;          // up to the terminator
  std::uint32_t count = 0;   // the call's return value
  bool terminated = false;   // a terminator within the capacity
  bool guardIntact = false;  // nothing written past the capacity
};

inline ProfileReadResult ReadProfile(platform::ProfileFiles& profile, const char* section,
                                     const char* key, const char* defaultValue,
                                     std::uint32_t capacity, const char* fileName) {
  constexpr std::size_t guard = 32;
  constexpr char fill = '\x7f';
  std::vector<char> buffer(capacity + guard, fill);
  ProfileReadResult result;
  result.count =
      profile.GetPrivateProfileStringA(section, key, defaultValue, buffer.data(), capacity, fileName);
  const auto end = buffer.begin() + capacity;
  const auto terminator = std::find(buffer.begin(), end, '\0');
  result.terminated = terminator != end;
  result.text.assign(buffer.begin(), terminator);
  result.guardIntact = std::all_of(end, buffer.end(), [](char c) { return c == fill; });
  return result;
}

}  // namespace tolva::tests
