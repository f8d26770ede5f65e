// The minimise animation switch, the current directory, the memory status and the thousands
// separator, through the real calls.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/about_box.h"
#include "platform/system_parameters.h"
#include "platform/win32/win32_platform.h"
#include "tests/shared/current_directory_cases.h"

namespace tolva::platform::win32 {
namespace {

bool RunningOnWine() {
  const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

bool GetAnimation(SystemParameters& parameters, AnimationInfo& info) {
  info.cbSize = sizeof info;
  return parameters.SystemParametersInfoA(SpiGetAnimation, sizeof info, &info, 0);
}

bool SetAnimation(SystemParameters& parameters, bool on) {
  AnimationInfo info;
  info.iMinAnimate = on ? 1 : 0;
  return parameters.SystemParametersInfoA(SpiSetAnimation, sizeof info, &info, 0);
}

// Puts the user's animation setting back however the test ends.
class AnimationKept {
 public:
  explicit AnimationKept(SystemParameters& parameters) : parameters_(parameters) {
    known_ = GetAnimation(parameters_, original_);
  }
  ~AnimationKept() {
    if (known_) SetAnimation(parameters_, original_.iMinAnimate != 0);
  }
  AnimationKept(const AnimationKept&) = delete;
  AnimationKept& operator=(const AnimationKept&) = delete;
  bool known() const { return known_; }

 private:
  SystemParameters& parameters_;
  AnimationInfo original_;
  bool known_ = false;
};

// Flags 0, as the cycle calls it: the change is neither saved nor broadcast.
TEST(Win32SystemParameters, AnimationOffAndOnRoundTrip) {
  Win32SystemParameters parameters;
  const AnimationKept kept(parameters);
  ASSERT_TRUE(kept.known());

  AnimationInfo info;
  ASSERT_TRUE(SetAnimation(parameters, false));
  info.iMinAnimate = 7;
  ASSERT_TRUE(GetAnimation(parameters, info));
  EXPECT_EQ(info.iMinAnimate, 0);

  ASSERT_TRUE(SetAnimation(parameters, true));
  info.iMinAnimate = 7;
  ASSERT_TRUE(GetAnimation(parameters, info));
  if (RunningOnWine()) {
    // Wine keeps no minimise animation: the change is accepted and the query says "off".
    EXPECT_EQ(info.iMinAnimate, 0);
  } else {
    EXPECT_NE(info.iMinAnimate, 0);
  }
}

// A record of the wrong size is refused and left as it was.
TEST(Win32SystemParameters, AnimationQueryWithAWrongRecordSizeFails) {
  Win32SystemParameters parameters;
  for (const std::uint32_t size : {0u, 4u, 16u}) {
    AnimationInfo info;
    info.cbSize = size;
    info.iMinAnimate = 7;
    EXPECT_FALSE(parameters.SystemParametersInfoA(SpiGetAnimation, sizeof info, &info, 0)) << size;
    EXPECT_EQ(info.iMinAnimate, 7) << size;
    EXPECT_EQ(info.cbSize, size);
  }
}

// Sets the current directory for one test and puts the old one back after it.
class CurrentDirectoryKept {
 public:
  CurrentDirectoryKept() {
    char folder[MAX_PATH] = {};
    const DWORD length = ::GetCurrentDirectoryA(sizeof folder, folder);
    if (length > 0 && length < sizeof folder) saved_.assign(folder, length);
  }
  ~CurrentDirectoryKept() {
    if (!saved_.empty()) SetCurrentDirectoryA(saved_.c_str());
  }
  CurrentDirectoryKept(const CurrentDirectoryKept&) = delete;
  CurrentDirectoryKept& operator=(const CurrentDirectoryKept&) = delete;
  bool known() const { return !saved_.empty(); }

 private:
  std::string saved_;
};

// The same capacities as the simulated process's test, around the size the folder needs.
TEST(Win32Process, CurrentDirectoryCopiedOnlyWhenItFits) {
  const CurrentDirectoryKept kept;
  ASSERT_TRUE(kept.known());
  char windows[MAX_PATH] = {};
  const UINT windowsLength = GetWindowsDirectoryA(windows, sizeof windows);
  ASSERT_TRUE(windowsLength > 3 && windowsLength < sizeof windows);

  Win32Process process;
  for (const std::string& folder : {std::string(windows, windowsLength), std::string("C:\\")}) {
    ASSERT_TRUE(SetCurrentDirectoryA(folder.c_str())) << folder;
    tests::ExpectCurrentDirectoryCopiedOnlyWhenItFits(process, folder);
  }
}

// Wine's own HTML Help engine, which this process finds in the system folder, is known for it
// (the stand-in of the Windows 10 walk, a DLL of its own, is not).
TEST(Win32Help, WinesOwnHtmlHelpIsKnownForIt) { EXPECT_TRUE(Win32Help().HtmlHelpBuiltIntoWine()); }

// The figures as the system itself reports them to this program, the total read as a 32-bit
// program reads it.
TEST(Win32Kernel, MemoryStatusAsTheSystemReportsIt) {
  MemoryStatus status;
  status.length = MemoryStatusSize;
  Win32Kernel().GlobalMemoryStatus(status);
  MEMORYSTATUS real{};
  real.dwLength = sizeof real;
  ::GlobalMemoryStatus(&real);
  EXPECT_EQ(status.totalPhys, std::min<unsigned long long>(real.dwTotalPhys, 0xFFFFFFFFull));
  EXPECT_GT(status.totalPhys, 0u);
  EXPECT_LE(status.memoryLoad, 100u);
  EXPECT_LE(std::abs(static_cast<int>(status.memoryLoad) - static_cast<int>(real.dwMemoryLoad)), 2);
}

// The separator the user sets is the one read, and the kilobytes come out grouped as Windows
// groups a whole number with it (with the leading zero: no memory reads "0 KB", not " KB").
TEST(Win32Locale, ThousandsSeparatorGroupsAsWindowsDoes) {
  char saved[8] = {};
  ASSERT_GT(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, saved, sizeof saved), 0);
  for (const char* separator : {",", ".", "'", " "}) {
    SCOPED_TRACE(std::string("separator '") + separator + "'");
    ASSERT_TRUE(SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, separator));
    const RegionalSettings region = Win32Locale().ReadRegionalSettings();
    EXPECT_EQ(region.thousandSeparator, separator);
    for (const std::uint32_t bytes : {0u, 1023u, 999u * 1024u, 1000u * 1024u, 536'350'720u, 0xFFFFFFFFu}) {
      const std::string digits = std::to_string(bytes >> 10);
      char decimal[] = ".";
      std::string grouping = region.thousandSeparator;
      NUMBERFMTA format{0, 1, 3, decimal, grouping.data(), 1};
      char windows[64] = {};
      ASSERT_GT(GetNumberFormatA(LOCALE_USER_DEFAULT, 0, digits.c_str(), &format, windows, sizeof windows), 0);
      EXPECT_EQ(app::PhysicalMemoryText(bytes, region.thousandSeparator), std::string(windows) + " KB");
    }
  }
  EXPECT_TRUE(SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, saved));
}

}  // namespace
}  // namespace tolva::platform::win32
