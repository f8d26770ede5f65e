// The platform-neutral interfaces carry the Win32 numbers they pass on, written out by hand so
// that the simulated platform can use them too; a wrong one would pass every simulated test.
// Each is checked here against <windows.h>, in the build of the real program.
#include <windows.h>
#include <commctrl.h>
#include <mmsystem.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstddef>

#include "platform/dialogs.h"
#include "platform/help.h"
#include "platform/kernel.h"
#include "platform/shell.h"
#include "platform/sound.h"
#include "platform/system_parameters.h"
#include "platform/ui/controls.h"
#include "platform/windows.h"

namespace tolva::platform {

static_assert(MbOk == MB_OK);
static_assert(MbYesNoCancel == MB_YESNOCANCEL);
static_assert(MbYesNo == MB_YESNO);
static_assert(MbIconError == MB_ICONERROR);
static_assert(MbIconExclamation == MB_ICONEXCLAMATION && MbIconExclamation == MB_ICONWARNING);
static_assert(MbDefButton2 == MB_DEFBUTTON2);
static_assert(MbSystemModal == MB_SYSTEMMODAL);
static_assert(IdOk == IDOK);
static_assert(IdCancel == IDCANCEL);
static_assert(IdYes == IDYES);
static_assert(IdNo == IDNO);

static_assert(HelpContext == HELP_CONTEXT);
static_assert(HelpContents == HELP_CONTENTS);
static_assert(HelpCommand == HELP_COMMAND);

static_assert(ErrorAlreadyExists == ERROR_ALREADY_EXISTS);
static_assert(VerPlatformWin32s == VER_PLATFORM_WIN32s);
static_assert(VerPlatformWin32Windows == VER_PLATFORM_WIN32_WINDOWS);
static_assert(VerPlatformWin32Nt == VER_PLATFORM_WIN32_NT);

static_assert(SwShowNormal == SW_SHOWNORMAL);
static_assert(SwRestore == SW_RESTORE);
static_assert(ShardPathA == SHARD_PATHA);
static_assert(ErrorFileNotFound == ERROR_FILE_NOT_FOUND);
static_assert(ErrorPathNotFound == ERROR_PATH_NOT_FOUND);
static_assert(SeErrAccessDenied == SE_ERR_ACCESSDENIED);
static_assert(SeErrOom == SE_ERR_OOM);
static_assert(ErrorBadFormat == ERROR_BAD_FORMAT);
static_assert(SeErrShare == SE_ERR_SHARE);
static_assert(SeErrAssocIncomplete == SE_ERR_ASSOCINCOMPLETE);
static_assert(SeErrDdeTimeout == SE_ERR_DDETIMEOUT);
static_assert(SeErrDdeFail == SE_ERR_DDEFAIL);
static_assert(SeErrDdeBusy == SE_ERR_DDEBUSY);
static_assert(SeErrNoAssoc == SE_ERR_NOASSOC);
static_assert(SeErrDllNotFound == SE_ERR_DLLNOTFOUND);
static_assert(ShellExecuteLastError == SE_ERR_DLLNOTFOUND);  // the highest error code

static_assert(NimAdd == NIM_ADD);
static_assert(NimModify == NIM_MODIFY);
static_assert(NimDelete == NIM_DELETE);
static_assert(NifMessage == NIF_MESSAGE);
static_assert(NifIcon == NIF_ICON);
static_assert(NifTip == NIF_TIP);
static_assert(NOTIFYICONDATAA_V1_SIZE - offsetof(NOTIFYICONDATAA, szTip) == TrayTipCapacity);
#ifndef _WIN64
// The record's first form as the 32-bit program passes it.
static_assert(NOTIFYICONDATAA_V1_SIZE == TrayIconRecordSize);
static_assert(offsetof(NOTIFYICONDATAA, cbSize) == 0);
static_assert(offsetof(NOTIFYICONDATAA, hWnd) == 4);
static_assert(offsetof(NOTIFYICONDATAA, uID) == 8);
static_assert(offsetof(NOTIFYICONDATAA, uFlags) == 12);
static_assert(offsetof(NOTIFYICONDATAA, uCallbackMessage) == 16);
static_assert(offsetof(NOTIFYICONDATAA, hIcon) == 20);
static_assert(offsetof(NOTIFYICONDATAA, szTip) == 24);
#endif

#ifndef _WIN64
// The memory status record as the 32-bit program passes it: its length field says 32.
static_assert(sizeof(MEMORYSTATUS) == MemoryStatusSize);
static_assert(offsetof(MEMORYSTATUS, dwMemoryLoad) == 4);
static_assert(offsetof(MEMORYSTATUS, dwTotalPhys) == 8);
#endif

static_assert(SndAsync == SND_ASYNC);
static_assert(SndResource == SND_RESOURCE);

static_assert(SpiGetAnimation == SPI_GETANIMATION);
static_assert(SpiSetAnimation == SPI_SETANIMATION);
static_assert(SpiSetScreenSaverRunning == SPI_SETSCREENSAVERRUNNING);
static_assert(sizeof(AnimationInfo) == sizeof(ANIMATIONINFO));
static_assert(offsetof(AnimationInfo, iMinAnimate) == offsetof(ANIMATIONINFO, iMinAnimate));

static_assert(static_cast<int>(ShowCommand::Hide) == SW_HIDE);
static_assert(static_cast<int>(ShowCommand::ShowNormal) == SW_SHOWNORMAL);
static_assert(static_cast<int>(ShowCommand::ShowNoActivate) == SW_SHOWNA);
static_assert(static_cast<int>(ShowCommand::Restore) == SW_RESTORE);
static_assert(HotKeyfShift == HOTKEYF_SHIFT && HotKeyfControl == HOTKEYF_CONTROL);
static_assert(HotKeyfAlt == HOTKEYF_ALT && HotKeyfExt == HOTKEYF_EXT);
static_assert(ModAlt == MOD_ALT && ModControl == MOD_CONTROL && ModShift == MOD_SHIFT);
static_assert(ModWin == MOD_WIN && ModNoRepeat == MOD_NOREPEAT);
static_assert(WmHotKey == WM_HOTKEY);

static_assert(ui::WmClose == WM_CLOSE);
static_assert(ui::VkF1 == VK_F1);
static_assert(ui::VkReturn == VK_RETURN);
static_assert(ui::VkEscape == VK_ESCAPE);

}  // namespace tolva::platform
