#pragma once
// The main window: the program's small control panel and the owner of its settings, version
// record and commands.
#include <functional>
#include <string_view>

#include "app/program_state.h"
#include "app/tray_rules.h"
#include "engine/companion_actions.h"
#include "engine/conceal_cycle.h"
#include "engine/help_topic.h"
#include "engine/scheduled_trigger.h"
#include "engine/web_page.h"
#include "engine/window_census.h"
#include "platform/platform.h"
#include "platform/ui/application.h"
#include "platform/ui/menu.h"
#include "resources/resource_ids.h"
#include "settings/options/apply_options.h"
#include "settings/settings_record.h"

namespace tolva::app {

inline constexpr std::string_view ApplicationTitle = "Tolva R. Quenlar (TM)";
using engine::HelpFileName;
inline constexpr int MainWindowHelpContext = 1000;

using engine::MakerSiteName;

inline constexpr std::string_view VersionFailedText = "Could not retreive Windows version information";
inline constexpr std::string_view VersionFailedTitle = "Windows Version Info";
inline constexpr std::string_view HiddenOnExitText =
    "Your windows are still hidden!\r\n\r\nAre you sure you want to exit?";
inline constexpr std::string_view HiddenOnSessionEndText =
    "Your windows are still hidden!\r\n\r\nAre you sure you want to exit Windows?";
// Yes, No and Cancel with No the default, a warning icon, in front of every window.
inline constexpr unsigned HiddenWindowsQuestionStyle =
    platform::MbYesNoCancel | platform::MbIconExclamation | platform::MbDefButton2 |
    platform::MbSystemModal;

inline constexpr unsigned WmQueryEndSession = 0x0011;
inline constexpr unsigned WmEndSession = 0x0016;
inline constexpr unsigned VkK = 0x4B;
inline constexpr int SoundKeyWave = TOLVA_WAVE_SOUND_KEY;
// The pop-up hints' colour while they are on: lime.
inline constexpr ui::Colour HintColour{0, 255, 0};

// What closing the main window does while windows may be concealed, before Ctrl+Alt+Del is given
// back: reveal and close, ask, or just close.
enum class ExitRule { RevealAndClose, Ask, Close };
ExitRule ExitRuleFor(bool windowsHidden, const settings::SettingsRecord& settings);
// The close decision after the question was answered.
ui::CloseAction CloseAfterAnswer(int answer, ui::CloseAction decision);
// The end-of-session answer after the question was answered.
bool SessionMayEndAfterAnswer(int answer);

class TForm1 final : public ui::Form,
                     private engine::HideShowButtonView,
                     private engine::ScheduleView,
                     private settings::OptionsEffects {
 public:
  TForm1(ui::Application& application, platform::Platform& platform, ProgramState& state);

  // Controls, top to bottom.
  ui::Picture TolvaImage{"TolvaImage"};
  ui::Picture TolvaNameImage{"TolvaNameImage"};
  ui::Picture MarrowbyImage{"MarrowbyImage"};
  ui::ImageList ImageList1{"ImageList1"};
  ui::ToolBar ToolBar1{"ToolBar1"};
  ui::ToolButton HideShowButton{"HideShowButton"};
  ui::ToolButton OptionsButton{"OptionsButton"};
  ui::ToolButton HelpButton{"HelpButton"};
  ui::ToolButton AboutButton{"AboutButton"};
  ui::ToolButton HideTolvaButton{"HideTolvaButton"};
  ui::ToolButton ExitButton{"ExitButton"};
  ui::Timer ActionTimer{"ActionTimer"};
  // The notification icon's menu.
  ui::PopupMenu PopupMenu1{"PopupMenu1", *this};
  ui::MenuItem RestoreTolva1{"RestoreTolva1"};
  ui::MenuItem HideWindows1{"HideWindows1"};
  ui::MenuItem N1{"N1"};
  ui::MenuItem Options1{"Options1"};
  ui::MenuItem Help1{"Help1"};
  ui::MenuItem About1{"About1"};
  ui::MenuItem MarrowbyHomePage1{"MarrowbyHomePage1"};
  ui::MenuItem N2{"N2"};
  ui::MenuItem Exit1{"Exit1"};

  // State held by the main window.
  platform::TrayIconRecord TrayIconRecord;
  platform::VersionRecord VersionInfo;
  settings::SettingsRecord Settings;
  // The start-to-tray rule applies at the first activation only.
  bool StartupActivationPending = true;
  // Set by a right double click on the icon: the right release that follows opens no menu.
  bool SuppressNextTrayMenu = false;

  // Handlers.
  void FormCreate();
  void FormClose(ui::CloseAction& action);
  void FormKeyDown(unsigned key, ui::KeyShift shift);
  void HideShowButtonClick();
  void OptionsButtonClick();
  void HelpButtonClick();
  void AboutButtonClick();
  void HideTolvaButtonClick();
  void ExitButtonClick();
  void ActionTimerTimer();
  void ApplicationSettingChange(const std::string& area);
  void TolvaImageClick();
  void TolvaNameImageClick();
  void MarrowbyImageClick();
  void FormHelpKey();
  void FormDestroy();
  // The notification icon.
  void SetUpTrayIcon();
  void LoadTrayIconLook(TrayLook look, IconOrigin origin);
  void AddTrayIcon() override;
  void ModifyTrayIcon();
  void DeleteTrayIcon(IconOrigin origin);
  void OnTrayIconMessage(std::intptr_t mouseMessage);
  void RestoreTolvaClick();
  void PopupMenu1Popup();
  void ApplicationActivate();
  void ApplicationException(const std::exception& exception);
  bool WMQueryEndSession();

  bool HandleMessage(ui::Message& message) override;

  // The passes over the desktop's windows; the options dialog lists the Exclude tab with it.
  engine::WindowCensus& Census() { return census_; }

 private:
  void ShowLook(const engine::HideShowButtonLook& look) override;
  void ShowScheduleOff() override;
  // What confirmed options change in the running program.
  void ShowHints(bool on) override;
  void SuppressCtrlAltDel(bool suppressed) override;
  void DeleteTrayIcon() override;
  void SetTrayIconLook(bool invisible, bool modify) override;
  void EnableTrayButton(bool enabled) override;
  void EnableScheduleTimer(bool enabled) override;
  // The one registered combination given up, and the new one registered; one another program
  // holds is said in a warning, and stays in the settings to be tried at the next start.
  void SetHotKey(std::uint16_t value) override;
  // The icon's menu on a right release: at the cursor, or the main window when the cursor cannot
  // be read.
  void TrayMenu();
  // An icon operation failed: the warning, then the program is asked to end. Windows still
  // concealed are shown first: nothing would be left to bring them back.
  void TrayIconFailed(const TrayFailure& failure);
  void OpenWebPage(std::string_view address);

  platform::Platform& platform_;
  ProgramState& state_;
  engine::WindowCensus census_;
  engine::PlatformCompanionActions actions_;
  engine::HiddenWindowRecord record_;
  engine::ConcealCycle cycle_;
  engine::ScheduledTrigger trigger_;
  // The message the shell sends every top-level window when its notification area is made anew.
  unsigned taskbarCreated_ = 0;
  bool hotKeyRegistered_ = false;
};

}  // namespace tolva::app
