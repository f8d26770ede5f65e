#pragma once
#include <cstdint>
#include <span>
#include <string_view>

#include "engine/conceal_cycle.h"
#include "platform/dialogs.h"
#include "platform/kernel.h"
#include "platform/shell.h"
#include "platform/sound.h"
#include "platform/system_parameters.h"
#include "settings/settings_record.h"

namespace tolva::engine {

// The box shown for a failed ShellExecuteA, by its result code.
struct ShellExecuteMessage {
  std::intptr_t code;
  std::string_view text;
  std::string_view title;
};
// The codes that have their own box.
std::span<const ShellExecuteMessage> ShellExecuteMessages();
// The box for a code: its own, or the general one.
ShellExecuteMessage ShellExecuteMessageFor(std::intptr_t code);

inline constexpr std::string_view SuppressFailedText = "Could not activate CTRL-ALT-DELETE stealth.";
inline constexpr std::string_view SuppressFailedTitle = "Negative CTRL-ALT-DELETE stealth";
inline constexpr std::string_view RestoreFailedText =
    "Could not restore CTRL-ALT-DELETE.\r\n\r\nPlease reboot your computer.";
inline constexpr std::string_view RestoreFailedTitle = "Negative restore CTRL-ALT-DELETE";

// Whether the platform id of the version record is one on which Ctrl+Alt+Del is suppressed by
// declaring a screen saver running: Win32s (0) and the Windows 95 family (1).
constexpr bool CtrlAltDelApplies(std::uint32_t platformId) {
  return platformId == platform::VerPlatformWin32s || platformId == platform::VerPlatformWin32Windows;
}

// The companion actions carried out on the platform, reading the settings at the moment of use.
class PlatformCompanionActions final : public CompanionActions {
 public:
  // owner: the application window, which owns the warning boxes. version: the main window's
  // record, filled when it was created.
  PlatformCompanionActions(platform::Sound& sound, platform::Shell& shell,
                           platform::Dialogs& dialogs, platform::SystemParameters& systemParameters,
                           const settings::SettingsRecord& settings,
                           const platform::VersionRecord& version, platform::WindowHandle owner)
      : sound_(sound), shell_(shell), dialogs_(dialogs), systemParameters_(systemParameters),
        settings_(settings), version_(version), owner_(owner) {}

  void PlayCycleSound(CycleSound sound) override;
  void ClearRecentDocuments() override;
  void ApplyCtrlAltDelSuppression(bool suppress) override;
  void LaunchChosenFile() override;
  void ShowShellExecuteError(std::intptr_t code);

 private:
  platform::Sound& sound_;
  platform::Shell& shell_;
  platform::Dialogs& dialogs_;
  platform::SystemParameters& systemParameters_;
  const settings::SettingsRecord& settings_;
  const platform::VersionRecord& version_;
  platform::WindowHandle owner_;
};

}  // namespace tolva::engine
