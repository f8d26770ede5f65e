// The real private-profile functions run the same tables as the simulated store.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "platform/win32/win32_platform.h"
#include "settings/settings_file.h"
#include "tests/shared/profile_cases.h"

namespace tolva::platform::win32 {
namespace {

std::string WindowsPath(const std::string& name) {
  char folder[MAX_PATH] = {};
  GetWindowsDirectoryA(folder, sizeof folder);
  return std::string(folder) + "\\" + name;
}

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(Win32ProfileFiles, ReadCases) {
  Win32ProfileFiles profile;
  int n = 0;
  for (const auto& c : tests::ProfileReadCases()) {
    const std::string name = "tolva_read_case_" + std::to_string(n++) + ".ini";
    DeleteFileA(WindowsPath(name).c_str());
    if (c.file) WriteFile(WindowsPath(name), c.file);
    std::string buffer(c.capacity + 8, '#');
    profile.GetPrivateProfileStringA(c.section, c.key, c.defaultValue, buffer.data(), c.capacity, name.c_str());
    EXPECT_EQ(std::string(buffer.c_str()), c.expected) << c.name;
    EXPECT_EQ(buffer[c.capacity], '#') << c.name;
    DeleteFileA(WindowsPath(name).c_str());
  }
}

TEST(Win32ProfileFiles, WriteCases) {
  Win32ProfileFiles profile;
  int n = 0;
  for (const auto& c : tests::ProfileWriteCases()) {
    const std::string name = "tolva_write_case_" + std::to_string(n++) + ".ini";
    DeleteFileA(WindowsPath(name).c_str());
    if (c.initial) WriteFile(WindowsPath(name), c.initial);
    for (const auto& w : c.writes) EXPECT_TRUE(profile.WritePrivateProfileStringA(w.section, w.key, w.value, name.c_str()));
    EXPECT_EQ(tests::NonBlankLines(ReadFile(WindowsPath(name))), c.lines) << c.name;
    DeleteFileA(WindowsPath(name).c_str());
  }
}

// The program's own save and load, through the real functions, on tolva.ini in the Windows
// directory (whatever was there is put back afterwards).
TEST(Win32ProfileFiles, SettingsSaveAndLoadThroughTolvaIni) {
  const std::string path = WindowsPath("tolva.ini");
  const bool existed = GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
  const std::string old = existed ? ReadFile(path) : std::string();
  DeleteFileA(path.c_str());

  Win32Platform real;
  settings::OptionsDialogValues values;
  values.ToTrayBox = true;
  values.LaunchAppBox = true;
  values.LaunchAppEdit = "C:\\x.txt";
  settings::SaveSettings(real.get().profile, real.get().process, platform::RegionalSettings{}, values);
  const std::string text = ReadFile(path);
  EXPECT_NE(text.find("[Settings]"), std::string::npos);
  EXPECT_LT(text.find("[Actions]"), text.find("[Icon]"));
  EXPECT_NE(text.find("IniDir=C:\\"), std::string::npos);

  settings::SettingsRecord record;
  settings::LoadSettings(real.get().profile, real.get().process, real.get().clock,
                         real.get().locale.ReadRegionalSettings(), record);
  EXPECT_EQ(record.ToTray, "1");
  EXPECT_EQ(record.FileSpec, "C:\\x.txt");
  EXPECT_EQ(record.IniDir, "C:\\");
  EXPECT_EQ(record.EnableDateTime, "0");
  EXPECT_FALSE(record.ActionTime.empty());

  DeleteFileA(path.c_str());
  if (existed) WriteFile(path, old);
}

}  // namespace
}  // namespace tolva::platform::win32
