#pragma once
#include <cstdint>
#include <optional>

#include "platform/handle.h"

namespace tolva::platform {

inline constexpr unsigned HelpContext = 1;   // HELP_CONTEXT
inline constexpr unsigned HelpContents = 3;  // HELP_CONTENTS
inline constexpr unsigned HelpCommand = 0x0102;  // HELP_COMMAND: runs a help macro

// The commands of HtmlHelpA the program gives.
inline constexpr unsigned HhDisplayTopic = 0x0000;  // HH_DISPLAY_TOPIC: data names a page
inline constexpr unsigned HhDisplayToc = 0x0001;    // HH_DISPLAY_TOC: the contents
inline constexpr unsigned HhHelpContext = 0x000F;   // HH_HELP_CONTEXT: data is a context number

// The help engines: Windows Help, and HTML Help, which Windows Vista and later have instead.
class Help {
 public:
  virtual ~Help() = default;
  virtual bool WinHelpA(WindowHandle window, const char* helpFile, unsigned command,
                        std::uintptr_t data) = 0;
  // HtmlHelpA of the HTML Help engine (hhctrl.ocx), looked up at run time: the window it
  // opened, null when it opened none; nothing where the system has no HtmlHelpA.
  virtual std::optional<WindowHandle> HtmlHelpA(WindowHandle caller, const char* file, unsigned command,
                                                std::uintptr_t data) = 0;
  // Whether the HtmlHelpA there is Wine's own engine (false where there is none).
  virtual bool HtmlHelpBuiltIntoWine() = 0;
};

}  // namespace tolva::platform
