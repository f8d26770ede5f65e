#pragma once
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "platform/profile.h"

namespace tolva::platform::sim {

// Private-profile files held in memory as their text, read and written with the rules of the real
// functions: sections and keys found regardless of letter case, white space around names and
// values dropped, matching quotes around a value dropped, only the first of two equal sections or
// keys seen, a line without "=" not a value, a value cut to capacity - 1, a missing file, section
// or key giving the default (trailing blanks of the default dropped).
class SimProfileFiles final : public ProfileFiles {
 public:
  void SetFileText(std::string_view fileName, std::string text);
  std::optional<std::string> FileText(std::string_view fileName) const;
  void RemoveFile(std::string_view fileName);

  // Makes every write fail, as on a read-only Windows directory.
  bool failWrites = false;
  std::string windowsDirectory = "C:\\WINDOWS";

  std::uint32_t GetPrivateProfileStringA(const char* section, const char* key,
                                         const char* defaultValue, char* buffer,
                                         std::uint32_t capacity, const char* fileName) override;
  bool WritePrivateProfileStringA(const char* section, const char* key, const char* value,
                                  const char* fileName) override;
  std::uint32_t GetWindowsDirectoryA(char* buffer, std::uint32_t capacity) override;

 private:
  std::map<std::string, std::string> files_;  // by upper-cased name
};

}  // namespace tolva::platform::sim
