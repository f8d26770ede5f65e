#pragma once
// Opening the help file at a topic: by the context number of a window (F1), or by its context
// string, as the options dialog and the about box do.
#include <string>
#include <string_view>

#include "engine/help_names.h"
#include "platform/help.h"

namespace tolva::engine {

// F1 in a window: the help file's topic with that window's context number.
bool ShowHelpContext(platform::Help& help, platform::WindowHandle owner, int context);

// The help file's contents first, so the help engine is running with the file; only if that
// worked, the jump to the topic (the macro JumpID("", topic)). Returns whether both were made.
bool ShowHelpTopic(platform::Help& help, platform::WindowHandle owner, const std::string& helpFile,
                   std::string_view topic);

}  // namespace tolva::engine
