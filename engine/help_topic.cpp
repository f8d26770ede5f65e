#include "engine/help_topic.h"

namespace tolva::engine {

bool ShowHelpContext(platform::Help& help, platform::WindowHandle owner, int context) {
  return help.WinHelpA(owner, HelpFileName, platform::HelpContext, static_cast<std::uintptr_t>(context));
}

bool ShowHelpTopic(platform::Help& help, platform::WindowHandle owner, const std::string& helpFile,
                   std::string_view topic) {
  if (!help.WinHelpA(owner, helpFile.c_str(), platform::HelpContents, 0)) return false;
  const std::string jump = "JumpID(\"\",\"" + std::string(topic) + "\")";
  return help.WinHelpA(owner, helpFile.c_str(), platform::HelpCommand,
                       reinterpret_cast<std::uintptr_t>(jump.c_str()));
}

}  // namespace tolva::engine
