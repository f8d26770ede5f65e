#include "engine/web_page.h"

#include <string>

#include "engine/warning.h"

namespace tolva::engine {

void OpenWebPage(platform::Shell& shell, platform::Dialogs& dialogs, platform::WindowHandle owner,
                 platform::WindowHandle applicationWindow, std::string_view address) {
  const std::string file(address);
  const std::intptr_t result =
      shell.ShellExecuteA(owner, "open", file.c_str(), nullptr, nullptr, platform::SwRestore);
  if (!platform::ShellExecuteSucceeded(result)) {
    ShowWarning(dialogs, applicationWindow, BrowserFailedText, BrowserFailedTitle);
  }
}

}  // namespace tolva::engine
