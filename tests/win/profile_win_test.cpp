// The real private-profile functions run the same tables as the simulated store, on files put
// into the Windows directory byte for byte and named to the functions without a folder.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "files.h"
#include "platform/win32/win32_platform.h"
#include "settings/settings_file.h"
#include "tests/shared/profile_cases.h"

namespace tolva::platform::win32 {
namespace {

std::string InWindowsFolder(const std::string& name) { return tests::WindowsDirectory() + "\\" + name; }

using tests::Exists;
using tests::FileBytes;
using tests::PutFile;

// Case N's file, removed again however the case ends.
class CaseFile {
 public:
  explicit CaseFile(std::size_t n)
      : name_("tolva_case_" + std::to_string(n) + ".ini"), path_(InWindowsFolder(name_)) {
    DeleteFileA(path_.c_str());
  }
  ~CaseFile() { DeleteFileA(path_.c_str()); }
  CaseFile(const CaseFile&) = delete;
  CaseFile& operator=(const CaseFile&) = delete;
  const char* name() const { return name_.c_str(); }
  const std::string& path() const { return path_; }

 private:
  std::string name_;
  std::string path_;
};

TEST(Win32ProfileFiles, ReadsAsTheTable) {
  ASSERT_FALSE(tests::WindowsDirectory().empty());
  Win32ProfileFiles profile;
  const auto cases = tests::ProfileReadCases();
  for (std::size_t n = 0; n < cases.size(); ++n) {
    const auto& c = cases[n];
    SCOPED_TRACE(c.name);
    const CaseFile file(n);
    if (c.file) {
      ASSERT_TRUE(PutFile(file.path(), *c.file));
    }
    const auto result =
        tests::ReadProfile(profile, c.section, c.key, c.defaultValue, c.capacity, file.name());
    ASSERT_TRUE(result.terminated);
    EXPECT_TRUE(result.guardIntact) << "written past the buffer";
    EXPECT_EQ(result.text, c.expected);
    EXPECT_EQ(result.count, c.count);
  }
}

TEST(Win32ProfileFiles, WritesAsTheTable) {
  ASSERT_FALSE(tests::WindowsDirectory().empty());
  Win32ProfileFiles profile;
  const auto reads = tests::ProfileReadCases().size();
  const auto cases = tests::ProfileWriteCases();
  for (std::size_t n = 0; n < cases.size(); ++n) {
    const auto& c = cases[n];
    SCOPED_TRACE(c.name);
    const CaseFile file(reads + n);
    if (c.initial) {
      ASSERT_TRUE(PutFile(file.path(), *c.initial));
    }
    for (const auto& w : c.writes)
      EXPECT_TRUE(profile.WritePrivateProfileStringA(w.section, w.key, w.value, file.name()));
    const auto text = FileBytes(file.path());
    ASSERT_EQ(text.has_value(), c.expected.has_value());
    if (!text) continue;
    EXPECT_EQ(tests::NonBlankLines(*text), tests::NonBlankLines(*c.expected));
    EXPECT_EQ(*text, *c.expected);
    for (const auto& r : c.readBack) {
      const auto result = tests::ReadProfile(profile, r.section, r.key, "?", 1100, file.name());
      EXPECT_EQ(result.text, r.expected) << r.section << "/" << r.key;
    }
  }
}

TEST(Win32ProfileFiles, FileNamesIgnoreLetterCase) {
  Win32ProfileFiles profile;
  const CaseFile file(999);
  ASSERT_TRUE(profile.WritePrivateProfileStringA("Settings", "Hints", "0", "TOLVA_CASE_999.INI"));
  EXPECT_EQ(tests::ReadProfile(profile, "Settings", "Hints", "1", 2, file.name()).text, "0");
  EXPECT_EQ(FileBytes(file.path()), "[Settings]\r\nHints=0\r\n");
}

// Puts aside a tolva.ini that is already in the Windows directory and brings it back afterwards.
class TolvaIniSetAside {
 public:
  TolvaIniSetAside() : path_(InWindowsFolder("tolva.ini")), saved_(FileBytes(path_)) {
    DeleteFileA(path_.c_str());
  }
  ~TolvaIniSetAside() {
    DeleteFileA(path_.c_str());
    if (saved_) PutFile(path_, *saved_);
  }
  TolvaIniSetAside(const TolvaIniSetAside&) = delete;
  TolvaIniSetAside& operator=(const TolvaIniSetAside&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  std::optional<std::string> saved_;
};

// The program names its file "tolva.ini" and nothing more; the file must land in the Windows
// directory whatever the current directory is, and the program's own save and load must agree.
TEST(Win32ProfileFiles, TolvaIniByItsBareNameLivesInTheWindowsDirectory) {
  const TolvaIniSetAside aside;
  char current[MAX_PATH] = {};
  ASSERT_GT(GetCurrentDirectoryA(sizeof current, current), 0u);
  const std::string inCurrent = std::string(current) + "\\tolva.ini";
  ASSERT_NE(inCurrent, aside.path()) << "run from a folder other than the Windows directory";
  const bool alreadyInCurrent = Exists(inCurrent);

  Win32ProfileFiles profile;
  ASSERT_TRUE(profile.WritePrivateProfileStringA("Settings", "Hints", "0", "tolva.ini"));
  ASSERT_TRUE(profile.WritePrivateProfileStringA("Icon", "TrayPlace", "1", "tolva.ini"));
  EXPECT_EQ(FileBytes(aside.path()), "[Settings]\r\nHints=0\r\n[Icon]\r\nTrayPlace=1\r\n");
  EXPECT_EQ(Exists(inCurrent), alreadyInCurrent);
  EXPECT_EQ(tests::ReadProfile(profile, "Settings", "Hints", "1", 2, "tolva.ini").text, "0");

  Win32Platform real;
  settings::OptionsDialogValues values;
  values.ToTrayBox = true;
  values.LaunchAppBox = true;
  values.LaunchAppEdit = "C:\\x.txt";
  EXPECT_TRUE(settings::SaveSettings(real.get().profile, real.get().process, platform::RegionalSettings{},
                                     values));
  settings::SettingsRecord record;
  settings::LoadSettings(real.get().profile, real.get().process, real.get().clock,
                         real.get().locale.ReadRegionalSettings(), record);
  EXPECT_EQ(record.Hints, "1");
  EXPECT_EQ(record.ToTray, "1");
  EXPECT_EQ(record.TrayPlace, "1");
  EXPECT_EQ(record.FileSpec, "C:\\x.txt");
  EXPECT_EQ(record.IniDir, "C:\\");
  EXPECT_EQ(record.EnableDateTime, "0");
  const auto text = FileBytes(aside.path());
  ASSERT_TRUE(text.has_value());
  EXPECT_LT(text->find("[Settings]"), text->find("[Icon]"));
  EXPECT_LT(text->find("[Icon]"), text->find("[Actions]"));
}

}  // namespace
}  // namespace tolva::platform::win32
