#pragma once
// The hot key: one key combination that conceals and reveals from any program, stored in the
// form the hot key control gives it (the virtual-key code in the low byte, the HOTKEYF modifiers
// in the high byte). Which values make one, how one is named in words, and its registration.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/windows.h"

namespace tolva::settings {

// The id the main window registers its one combination under.
inline constexpr int HotKeyId = 1;

// A combination the program takes: a named key with Ctrl or Alt, or both (a key alone, or with
// Shift only, would be taken from the user's typing in every program), and no modifier bits
// besides the hot key control's four.
bool UsableHotKey(std::uint16_t value);

// The stored text as a hot key: a decimal number and nothing else, naming a usable combination;
// every other text reads as 0, no hot key.
std::uint16_t HotKeyFromText(std::string_view text);

// The combination in words, the modifiers in the order the hot key control shows them and the
// key as Windows names it on a US keyboard: "Ctrl+Shift+Alt+H", "Alt+Page Up", "Ctrl+Alt+Num 0";
// empty for a value whose key is none the hot key control takes.
std::string HotKeyText(std::uint16_t value);

// RegisterHotKey for the combination on the window. A held key posts once (ModNoRepeat), where
// the system knows that modifier: one that does not (Windows before 7) refuses it, and the
// combination is then registered without it.
bool RegisterHotKey(platform::WindowManager& windows, platform::WindowHandle window, std::uint16_t value);

// The warnings: a combination another program holds, and one that OK refuses.
inline constexpr std::string_view HotKeyInUseTitle = "Hot Key In Use";
std::string HotKeyInUseText(std::uint16_t value);
inline constexpr std::string_view HotKeyRefusedTitle = "Invalid Hot Key";
inline constexpr std::string_view HotKeyRefusedText =
    "A hot key is Ctrl or Alt, or both, with a letter, a digit, a function key or another key of "
    "the keyboard, such as Ctrl+Alt+H.\r\n\r\nA key alone, or with Shift only, would be taken "
    "from your typing in every program.";

}  // namespace tolva::settings
