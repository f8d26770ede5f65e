#pragma once
#include <cstdint>

#include "platform/handle.h"

namespace tolva::platform {

// Show commands passed to ShellExecuteA.
inline constexpr int SwShowNormal = 1;  // SW_SHOWNORMAL
inline constexpr int SwRestore = 9;     // SW_RESTORE

// SHAddToRecentDocs with this flag and a null path empties the recent-documents list.
inline constexpr unsigned ShardPathA = 2;  // SHARD_PATHA

// ShellExecuteA's results: above ShellExecuteLastError is success, the rest are these codes.
inline constexpr std::intptr_t ShellExecuteLastError = 32;
inline constexpr std::intptr_t ErrorFileNotFound = 2;       // ERROR_FILE_NOT_FOUND
inline constexpr std::intptr_t ErrorPathNotFound = 3;       // ERROR_PATH_NOT_FOUND
inline constexpr std::intptr_t SeErrAccessDenied = 5;       // SE_ERR_ACCESSDENIED
inline constexpr std::intptr_t SeErrOom = 8;                // SE_ERR_OOM
inline constexpr std::intptr_t ErrorBadFormat = 11;         // ERROR_BAD_FORMAT
inline constexpr std::intptr_t SeErrShare = 26;             // SE_ERR_SHARE
inline constexpr std::intptr_t SeErrAssocIncomplete = 27;   // SE_ERR_ASSOCINCOMPLETE
inline constexpr std::intptr_t SeErrDdeTimeout = 28;        // SE_ERR_DDETIMEOUT
inline constexpr std::intptr_t SeErrDdeFail = 29;           // SE_ERR_DDEFAIL
inline constexpr std::intptr_t SeErrDdeBusy = 30;           // SE_ERR_DDEBUSY
inline constexpr std::intptr_t SeErrNoAssoc = 31;           // SE_ERR_NOASSOC
inline constexpr std::intptr_t SeErrDllNotFound = 32;       // SE_ERR_DLLNOTFOUND
constexpr bool ShellExecuteSucceeded(std::intptr_t result) { return result > ShellExecuteLastError; }

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
