#pragma once
#include <cstdint>

#include "platform/handle.h"

namespace tolva::platform {

// Show commands passed to ShellExecuteA.
inline constexpr int SwShowNormal = 1;  // SW_SHOWNORMAL
inline constexpr int SwRestore = 9;     // SW_RESTORE

// SHAddToRecentDocs with this flag and a null path empties the recent-documents list.
inline constexpr unsigned ShardPathA = 2;  // SHARD_PATHA

// The shell operations of shell32 that the program uses.
class Shell {
 public:
  virtual ~Shell() = default;
  // As the Win32 call: a value above 32 is success, 32 or less an error code.
  virtual std::intptr_t ShellExecuteA(WindowHandle owner, const char* verb, const char* file,
                                      const char* parameters, const char* directory,
                                      int showCommand) = 0;
  virtual void SHAddToRecentDocs(unsigned flags, const void* path) = 0;
};

}  // namespace tolva::platform
