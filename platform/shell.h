#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

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

// Shell_NotifyIconA's operations.
inline constexpr unsigned NimAdd = 0;     // NIM_ADD
inline constexpr unsigned NimModify = 1;  // NIM_MODIFY
inline constexpr unsigned NimDelete = 2;  // NIM_DELETE

// Which fields of a TrayIconRecord the shell takes.
inline constexpr std::uint32_t NifMessage = 0x1;  // NIF_MESSAGE
inline constexpr std::uint32_t NifIcon = 0x2;     // NIF_ICON
inline constexpr std::uint32_t NifTip = 0x4;      // NIF_TIP

// The size of the record's first form, which every shell since Windows 95 accepts, as the 32-bit
// program writes it (NOTIFYICONDATAA_V1_SIZE there).
inline constexpr std::uint32_t TrayIconRecordSize = 88;
inline constexpr std::size_t TrayTipCapacity = 64;  // with its terminating NUL

// A notification-area icon, in the fields of the shell's first record form. The shell knows an
// icon by its window and id together.
struct TrayIconRecord {
  std::uint32_t size = TrayIconRecordSize;
  WindowHandle window = NullWindow;  // receives the callback message
  std::uint32_t id = 0;
  std::uint32_t flags = 0;
  std::uint32_t callbackMessage = 0;
  IconHandle icon = NullIcon;
  std::array<char, TrayTipCapacity> tip{};
};

// Writes text as the record's tip: at most 63 characters, then a NUL, so nothing ever lands past
// the 64 bytes whatever the text's length.
constexpr void SetTrayTip(TrayIconRecord& record, std::string_view text) {
  const std::size_t length = text.size() < TrayTipCapacity ? text.size() : TrayTipCapacity - 1;
  std::size_t i = 0;
  for (; i < length; ++i) record.tip[i] = text[i];
  for (; i < TrayTipCapacity; ++i) record.tip[i] = '\0';
}

// The tip as text, up to its NUL; a tip that fills all 64 bytes is read no further than them.
constexpr std::string_view TrayTipText(const TrayIconRecord& record) {
  std::size_t length = 0;
  while (length < TrayTipCapacity && record.tip[length] != '\0') ++length;
  return {record.tip.data(), length};
}

// The shell operations of shell32 that the program uses.
class Shell {
 public:
  virtual ~Shell() = default;
  // As the Win32 call: a value above 32 is success, 32 or less an error code.
  virtual std::intptr_t ShellExecuteA(WindowHandle owner, const char* verb, const char* file,
                                      const char* parameters, const char* directory,
                                      int showCommand) = 0;
  virtual void SHAddToRecentDocs(unsigned flags, const void* path) = 0;
  // Adds, changes or removes the notification-area icon the record names (NimAdd, NimModify,
  // NimDelete). Fails for an add of an icon already present and for a change or removal of one
  // that is not, as after the shell has restarted and forgotten the program's icon.
  virtual bool Shell_NotifyIconA(unsigned message, const TrayIconRecord& record) = 0;
};

}  // namespace tolva::platform
