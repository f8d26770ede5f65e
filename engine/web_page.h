#pragma once
// The maker's web pages, opened in the user's browser from the main window, the options dialog
// and the about box.
#include <string_view>

#include "platform/dialogs.h"
#include "platform/shell.h"

namespace tolva::engine {

// The maker's web site; the tray tip ends with its name, and the whole tip with its terminator
// must fit 64 bytes.
inline constexpr std::string_view MakerSiteName = "www.marrowby.com";
inline constexpr std::string_view ProductPageAddress = "http://www.marrowby.com/software/tolva.htm";
inline constexpr std::string_view MakerHomeAddress = "http://www.marrowby.com/";

inline constexpr std::string_view BrowserFailedText =
    "Unable to execute shell command.\r\n\r\nDo you have a default browser installed?";
inline constexpr std::string_view BrowserFailedTitle = "About Box Shell Command Failed";

// Opens the address with the shell, restored, owned by `owner`; a failure is reported in a
// warning box owned by the application window.
void OpenWebPage(platform::Shell& shell, platform::Dialogs& dialogs, platform::WindowHandle owner,
                 platform::WindowHandle applicationWindow, std::string_view address);

}  // namespace tolva::engine
