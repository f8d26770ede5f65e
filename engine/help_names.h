#pragma once
// The names of the help files and of their pages: the program asks for them, and the help
// generator (resources/generator) writes them.
#include <string>
#include <string_view>

namespace tolva::engine {

// The program's help files, named without a folder: the WinHelp file, and the HTML Help file
// that Windows Vista and later open instead.
inline constexpr const char* HelpFileName = "tolva.hlp";
inline constexpr const char* HtmlHelpFileName = "tolva.chm";

// The page of the HTML Help file that holds the topic of this context string.
inline std::string HtmlHelpPage(std::string_view context) { return std::string(context) + ".htm"; }

}  // namespace tolva::engine
