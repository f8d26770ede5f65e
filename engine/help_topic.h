#pragma once
// Opening help: at its contents, by the context number of a window (F1), or by a topic's
// context string, as the options dialog and the about box do. From Windows Vista on, where
// WinHelp is no longer part of Windows, each first asks HTML Help to open tolva.chm from the
// program's own folder; where HTML Help is missing, is Wine's own or opens no window, and before
// Vista, the WinHelp calls follow as they always were, so that a system with a WinHelp viewer
// (Microsoft's separate one, or Wine's) still shows tolva.hlp.
#include <string>
#include <string_view>

#include "engine/help_names.h"
#include "platform/platform.h"

namespace tolva::engine {

// Whether HTML Help is the help engine to try first on this Windows: the NT family from 6.0
// (Vista) on. A version that could not be read (platform id 0) is not.
bool HtmlHelpFirst(const platform::VersionRecord& version);

// The HTML Help file in the program's own folder, or its bare name where the program's path
// cannot be read whole.
std::string HtmlHelpFilePath(platform::Process& process);

// The help file's contents (the tool bar's and the icon menu's Help).
bool ShowHelpContents(platform::Platform& platform, platform::WindowHandle owner);

// F1 in a window: the help file's topic with that window's context number.
bool ShowHelpContext(platform::Platform& platform, platform::WindowHandle owner, int context);

// The topic of that context string. With WinHelp: the contents first, so the help engine is
// running with the file, and only if that worked the jump to the topic (the macro
// JumpID("", topic)). Returns whether the topic was asked for.
bool ShowHelpTopic(platform::Platform& platform, platform::WindowHandle owner, const std::string& helpFile,
                   std::string_view topic);

}  // namespace tolva::engine
