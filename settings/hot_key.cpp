#include "settings/hot_key.h"

#include <utility>

namespace tolva::settings {
namespace {

constexpr std::uint8_t VkF1 = 0x70, VkF24 = 0x87, VkNumpad0 = 0x60, VkNumpad9 = 0x69;
constexpr std::uint8_t HotKeyModifiers = platform::HotKeyfShift | platform::HotKeyfControl |
                                         platform::HotKeyfAlt | platform::HotKeyfExt;

// The keys with a name of their own besides letters, digits, function keys and the number pad's
// digits. Not among them: the modifiers, and Esc, Tab, Enter, Space, Backspace and Delete, which
// the hot key control leaves to the dialog. The punctuation keys are named as on a US keyboard.
constexpr std::pair<std::uint8_t, const char*> NamedKeys[] = {
    {0x03, "Break"},     {0x0C, "Num 5"},       {0x13, "Pause"},     {0x14, "Caps Lock"},
    {0x21, "Page Up"},   {0x22, "Page Down"},   {0x23, "End"},       {0x24, "Home"},
    {0x25, "Left"},      {0x26, "Up"},          {0x27, "Right"},     {0x28, "Down"},
    {0x2C, "Prnt Scrn"}, {0x2D, "Insert"},      {0x5D, "Application"}, {0x6A, "Num *"},
    {0x6B, "Num +"},     {0x6D, "Num -"},       {0x6E, "Num Del"},   {0x6F, "Num /"},
    {0x90, "Num Lock"},  {0x91, "Scroll Lock"}, {0xBA, ";"},         {0xBB, "="},
    {0xBC, ","},         {0xBD, "-"},           {0xBE, "."},         {0xBF, "/"},
    {0xC0, "`"},         {0xDB, "["},           {0xDC, "\\"},        {0xDD, "]"},
    {0xDE, "'"},         {0xE2, "\\"},
};

std::uint8_t KeyOf(std::uint16_t value) { return static_cast<std::uint8_t>(value & 0xFF); }
std::uint8_t ModifiersOf(std::uint16_t value) { return static_cast<std::uint8_t>(value >> 8); }

// Empty for a code that is no key the hot key control takes.
std::string KeyName(std::uint8_t key) {
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::string(1, static_cast<char>(key));
  if (key >= VkF1 && key <= VkF24) return "F" + std::to_string(key - VkF1 + 1);
  if (key >= VkNumpad0 && key <= VkNumpad9) return "Num " + std::to_string(key - VkNumpad0);
  for (const auto& [code, name] : NamedKeys)
    if (code == key) return name;
  return {};
}

}  // namespace

bool UsableHotKey(std::uint16_t value) {
  const std::uint8_t modifiers = ModifiersOf(value);
  return (modifiers & ~HotKeyModifiers) == 0 &&
         (modifiers & (platform::HotKeyfControl | platform::HotKeyfAlt)) != 0 && !KeyName(KeyOf(value)).empty();
}

std::uint16_t HotKeyFromText(std::string_view text) {
  if (text.empty()) return 0;
  unsigned value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return 0;
    value = value * 10 + static_cast<unsigned>(c - '0');
    if (value > 0xFFFF) return 0;
  }
  const auto hotKey = static_cast<std::uint16_t>(value);
  return UsableHotKey(hotKey) ? hotKey : 0;
}

std::string HotKeyText(std::uint16_t value) {
  const std::string key = KeyName(KeyOf(value));
  if (key.empty()) return {};
  const std::uint8_t modifiers = ModifiersOf(value);
  std::string text;
  for (const auto& [bit, word] : {std::pair{platform::HotKeyfControl, "Ctrl+"}, std::pair{platform::HotKeyfShift, "Shift+"},
                                  std::pair{platform::HotKeyfAlt, "Alt+"}}) {
    if ((modifiers & bit) != 0) text += word;
  }
  return text + key;
}

bool RegisterHotKey(platform::WindowManager& windows, platform::WindowHandle window, std::uint16_t value) {
  const std::uint8_t modifiers = ModifiersOf(value);
  unsigned registered = 0;
  if ((modifiers & platform::HotKeyfControl) != 0) registered |= platform::ModControl;
  if ((modifiers & platform::HotKeyfAlt) != 0) registered |= platform::ModAlt;
  if ((modifiers & platform::HotKeyfShift) != 0) registered |= platform::ModShift;
  const unsigned key = KeyOf(value);
  return windows.RegisterHotKey(window, HotKeyId, registered | platform::ModNoRepeat, key) ||
         windows.RegisterHotKey(window, HotKeyId, registered, key);
}

std::string HotKeyInUseText(std::uint16_t value) {
  return HotKeyText(value) +
         " is in use by another program, so it cannot hide and show your windows now.\r\n\r\n"
         "Tolva R. Quenlar will try it again the next time it starts; on the Hot Key page of the "
         "Options dialog you can choose another.";
}

}  // namespace tolva::settings
