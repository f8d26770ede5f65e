#pragma once
// Private-profile files and what reading them gives, the same on the simulated store and on the
// real functions; and writes with the file they leave (compared line by line, blank lines aside).
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

namespace tolva::tests {

struct ProfileReadCase {
  const char* name;
  const char* file;  // nullptr: no file
  const char* section;
  const char* key;
  const char* defaultValue;
  std::uint32_t capacity;
  const char* expected;
};

inline const std::vector<ProfileReadCase>& ProfileReadCases() {
  static const std::vector<ProfileReadCase> cases = {
      {"no file", nullptr, "Settings", "Hints", "1", 2, "1"},
      {"plain", "[Settings]\r\nHints=0\r\n", "Settings", "Hints", "1", 2, "0"},
      {"letter case of names", "[settings]\r\nHINTS=0\r\n", "Settings", "Hints", "1", 2, "0"},
      {"flag cut to one character", "[Settings]\r\nHints=10\r\n", "Settings", "Hints", "1", 2, "1"},
      {"present empty value", "[Actions]\r\nFileSpec=\r\n", "Actions", "FileSpec", "x.txt", 1100, ""},
      {"missing key", "[Actions]\r\nOther=1\r\n", "Actions", "FileSpec", "x.txt", 1100, "x.txt"},
      {"missing section", "[Icon]\r\nHints=0\r\n", "Settings", "Hints", "1", 2, "1"},
      {"blanks around", "[ Settings ]\r\n  Hints \t=  0 \r\n", "Settings", "Hints", "1", 2, "0"},
      {"bare newlines", "[Settings]\nWAV=0\n", "Settings", "WAV", "1", 2, "0"},
      {"first of two keys", "[Settings]\r\nWAV=0\r\nWAV=1\r\n", "Settings", "WAV", "1", 2, "0"},
      {"line without equals", "[Settings]\r\nWAV\r\n", "Settings", "WAV", "1", 2, "1"},
      {"quotes dropped", "[Actions]\r\nFileSpec=\"C:\\a b.txt\"\r\n", "Actions", "FileSpec", "", 1100,
       "C:\\a b.txt"},
      {"unclosed header", "[Settings\r\nHints=0\r\n", "Settings", "Hints", "1", 2, "1"},
      {"semicolon key", "[Settings]\r\n;Hints=0\r\n", "Settings", "Hints", "1", 2, "1"},
      {"long value cut", "[DateTime]\r\nActionTime=0123456789\r\n", "DateTime", "ActionTime", "", 5, "0123"},
      {"default cut", nullptr, "DateTime", "ActionTime", "9:07:09 PM", 5, "9:07"},
      {"default's trailing blanks", nullptr, "Actions", "FileSpec", "x  ", 50, "x"},
  };
  return cases;
}

struct ProfileWrite {
  const char* section;
  const char* key;
  const char* value;
};

struct ProfileWriteCase {
  const char* name;
  const char* initial;  // nullptr: no file
  std::vector<ProfileWrite> writes;
  std::vector<std::string> lines;  // the file's non-blank lines afterwards
};

inline const std::vector<ProfileWriteCase>& ProfileWriteCases() {
  static const std::vector<ProfileWriteCase> cases = {
      {"new file, sections in order of writing",
       nullptr,
       {{"Settings", "Hints", "1"}, {"Actions", "HideDesk", "0"}, {"Settings", "WAV", "0"}},
       {"[Settings]", "Hints=1", "WAV=0", "[Actions]", "HideDesk=0"}},
      {"replace keeps the stored key name",
       "[settings]\r\nhints=1\r\n; kept\r\n",
       {{"Settings", "Hints", "0"}, {"DateTime", "EnableDateTime", "0"}},
       {"[settings]", "hints=0", "; kept", "[DateTime]", "EnableDateTime=0"}},
  };
  return cases;
}

inline std::vector<std::string> NonBlankLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  std::istringstream in(text);
  while (std::getline(in, line)) {
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
    if (!line.empty()) lines.push_back(line);
  }
  return lines;
}

}  // namespace tolva::tests
