#pragma once
#include <string>
#include <string_view>

#include "platform/dialogs.h"

namespace tolva::engine {

// A failure the user must know of: the warning beep, then a modal box with a warning icon and
// OK, owned by the application window. Returns the box's answer.
inline int ShowWarning(platform::Dialogs& dialogs, platform::WindowHandle owner, std::string_view text,
                       std::string_view title, unsigned style = platform::MbOk | platform::MbIconExclamation) {
  dialogs.MessageBeep(platform::MbIconExclamation);
  const std::string textCopy(text), titleCopy(title);  // the platform wants terminated texts
  return dialogs.MessageBoxA(owner, textCopy.c_str(), titleCopy.c_str(), style);
}

}  // namespace tolva::engine
