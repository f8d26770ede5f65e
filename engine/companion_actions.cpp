#include "engine/companion_actions.h"

#include <array>
#include <string>

#include "engine/warning.h"

namespace tolva::engine {
namespace {

constexpr std::array<ShellExecuteMessage, 13> Messages{{
    {0, "The operating system is out of memory or resources. Close some applications and try again.",
     "Out of Memory/Resources"},
    {platform::ErrorFileNotFound, "The specified file was not found.", "File Not Found"},
    {platform::ErrorPathNotFound, "The specified path was not found.", "Path Not Found"},
    {platform::SeErrAccessDenied, "The operating system denied access to the specified file.", "Access Denied"},
    {platform::SeErrOom, "There was not enough memory to complete the operation.", "Not Enough Memory"},
    // ERROR_BAD_FORMAT: an executable that Windows cannot load.
    {platform::ErrorBadFormat, "The specified file is not a valid program.\r\n\r\nIt may be damaged or made for another "
         "kind of computer.",
     "Invalid Program"},
    {platform::SeErrShare, "A sharing violation has occurred.", "Sharing Violation"},
    {platform::SeErrAssocIncomplete, "The filename association is incomplete or invalid.", "Association Error"},
    {platform::SeErrDdeTimeout, "The DDE transaction could not be completed because the request timed out.", "DDE Time Out"},
    {platform::SeErrDdeFail, "The DDE transaction failed.", "DDE Fail"},
    {platform::SeErrDdeBusy, "The DDE transaction could not be completed because other DDE transactions were being "
         "processed.",
     "DDE Busy"},
    {platform::SeErrNoAssoc, "There is no application associated with the given filename extension.", "Association Error"},
    {platform::SeErrDllNotFound, "The specified dynamic-link library was not found.", "DLL Not Found"},
}};

constexpr ShellExecuteMessage OtherFailure{
    -1, "Default: Unable to execute shell command. Suggest you restart Windows",
    "Shell Command Execution Failed"};

}  // namespace

std::span<const ShellExecuteMessage> ShellExecuteMessages() { return Messages; }

ShellExecuteMessage ShellExecuteMessageFor(std::intptr_t code) {
  for (const auto& message : Messages)
    if (message.code == code) return message;
  return {code, OtherFailure.text, OtherFailure.title};
}

void PlatformCompanionActions::PlayCycleSound(CycleSound sound) {
  sound_.PlaySoundA(static_cast<int>(sound), platform::SndResource | platform::SndAsync);
}

void PlatformCompanionActions::ClearRecentDocuments() {
  shell_.SHAddToRecentDocs(platform::ShardPathA, nullptr);
}

void PlatformCompanionActions::ApplyCtrlAltDelSuppression(bool suppress) {
  if (!CtrlAltDelApplies(version_.platformId)) return;
  // A screen saver declared running makes the Windows 95 family ignore Ctrl+Alt+Del.
  if (systemParameters_.SystemParametersInfoA(platform::SpiSetScreenSaverRunning, suppress ? 1 : 0,
                                              nullptr, 0)) {
    return;
  }
  if (suppress) {
    ShowWarning(dialogs_, owner_, SuppressFailedText, SuppressFailedTitle);
  } else {
    ShowWarning(dialogs_, owner_, RestoreFailedText, RestoreFailedTitle);
  }
}

void PlatformCompanionActions::LaunchChosenFile() {
  // An empty directory: a relative file name is found from the program's current directory.
  const std::string file(settings_.FileSpec.view());
  const std::intptr_t result =
      shell_.ShellExecuteA(platform::NullWindow, "open", file.c_str(), "", "", platform::SwShowNormal);
  if (!platform::ShellExecuteSucceeded(result)) ShowShellExecuteError(result);
}

void PlatformCompanionActions::ShowShellExecuteError(std::intptr_t code) {
  const ShellExecuteMessage message = ShellExecuteMessageFor(code);
  ShowWarning(dialogs_, owner_, message.text, message.title);
}

}  // namespace tolva::engine
