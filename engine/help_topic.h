#pragma once
// Opening a topic of the help file by its context string, as the options dialog and the about
// box do.
#include <string>
#include <string_view>

#include "platform/help.h"

namespace tolva::engine {

// The help file's contents first, so the help engine is running with the file; only if that
// worked, the jump to the topic (the macro JumpID("", topic)). Returns whether both were made.
bool ShowHelpTopic(platform::Help& help, platform::WindowHandle owner, const std::string& helpFile,
                   std::string_view topic);

}  // namespace tolva::engine
