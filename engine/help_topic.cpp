#include "engine/help_topic.h"

#include <array>
#include <cstdint>

namespace tolva::engine {
namespace {

// HTML Help first where it is the system's help engine: whether it opened a window. Wine's own
// engine is passed over: it opens its viewer on the file even where Wine has no HTML engine to
// show the pages with (measured on Wine 8.0: an empty window, returned as opened), while Wine's
// WinHelp viewer shows tolva.hlp.
bool OpenedByHtmlHelp(platform::Platform& platform, platform::WindowHandle owner, unsigned command,
                      std::uintptr_t data) {
  platform::VersionRecord version;
  if (!platform.kernel.GetVersionExA(version) || !HtmlHelpFirst(version)) return false;
  if (platform.help.HtmlHelpBuiltIntoWine()) return false;
  const std::string file = HtmlHelpFilePath(platform.process);
  const auto viewer = platform.help.HtmlHelpA(owner, file.c_str(), command, data);
  return viewer.has_value() && *viewer != platform::NullWindow;
}

}  // namespace

bool HtmlHelpFirst(const platform::VersionRecord& version) {
  constexpr std::uint32_t VistaMajorVersion = 6;
  return version.platformId == platform::VerPlatformWin32Nt && version.majorVersion >= VistaMajorVersion;
}

std::string HtmlHelpFilePath(platform::Process& process) {
  constexpr std::uint32_t MaxPath = 260;  // MAX_PATH
  std::array<char, MaxPath> path{};
  const std::uint32_t length = process.GetModuleFileNameA(path.data(), MaxPath);
  if (length == 0 || length >= MaxPath) return HtmlHelpFileName;
  const std::string_view program(path.data(), length);
  const std::size_t folderEnd = program.find_last_of('\\');
  if (folderEnd == std::string_view::npos) return HtmlHelpFileName;
  return std::string(program.substr(0, folderEnd + 1)) + HtmlHelpFileName;
}

bool ShowHelpContents(platform::Platform& platform, platform::WindowHandle owner) {
  if (OpenedByHtmlHelp(platform, owner, platform::HhDisplayToc, 0)) return true;
  return platform.help.WinHelpA(owner, HelpFileName, platform::HelpContents, 0);
}

bool ShowHelpContext(platform::Platform& platform, platform::WindowHandle owner, int context) {
  const auto number = static_cast<std::uintptr_t>(context);
  if (OpenedByHtmlHelp(platform, owner, platform::HhHelpContext, number)) return true;
  return platform.help.WinHelpA(owner, HelpFileName, platform::HelpContext, number);
}

bool ShowHelpTopic(platform::Platform& platform, platform::WindowHandle owner, const std::string& helpFile,
                   std::string_view topic) {
  const std::string page = HtmlHelpPage(topic);
  if (OpenedByHtmlHelp(platform, owner, platform::HhDisplayTopic, reinterpret_cast<std::uintptr_t>(page.c_str()))) {
    return true;
  }
  if (!platform.help.WinHelpA(owner, helpFile.c_str(), platform::HelpContents, 0)) return false;
  const std::string jump = "JumpID(\"\",\"" + std::string(topic) + "\")";
  return platform.help.WinHelpA(owner, helpFile.c_str(), platform::HelpCommand,
                                reinterpret_cast<std::uintptr_t>(jump.c_str()));
}

}  // namespace tolva::engine
