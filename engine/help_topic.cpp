#include "engine/help_topic.h"

namespace tolva::engine {

bool ShowHelpTopic(platform::Help& help, platform::WindowHandle owner, const std::string& helpFile,
                   std::string_view topic) {
  if (!help.WinHelpA(owner, helpFile.c_str(), platform::HelpContents, 0)) return false;
  const std::string jump = "JumpID(\"\",\"" + std::string(topic) + "\")";
  return help.WinHelpA(owner, helpFile.c_str(), platform::HelpCommand,
                       reinterpret_cast<std::uintptr_t>(jump.c_str()));
}

}  // namespace tolva::engine
