#pragma once
#include <cstdint>

#include "platform/handle.h"

namespace tolva::platform {

inline constexpr unsigned HelpContext = 1;   // HELP_CONTEXT
inline constexpr unsigned HelpContents = 3;  // HELP_CONTENTS
inline constexpr unsigned HelpCommand = 0x0102;  // HELP_COMMAND: runs a help macro

// The Windows Help engine call.
class Help {
 public:
  virtual ~Help() = default;
  virtual bool WinHelpA(WindowHandle window, const char* helpFile, unsigned command,
                        std::uintptr_t data) = 0;
};

}  // namespace tolva::platform
