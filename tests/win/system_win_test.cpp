// The minimise animation switch and the current directory, through the real calls.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

}  // namespace
}  // namespace tolva::platform::win32
