#pragma once
// The about box: the product's pictures, name and version, links to the maker's web site, the
// legal notice that opens its help topic, and two figures of the computer's memory, refreshed
// each time the box is shown. Created hidden at start-up beside the main window, shown modally
// by the main window's About command.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "app/program_state.h"
#include "platform/platform.h"
#include "platform/ui/application.h"
#include "platform/ui/dialog_controls.h"

namespace tolva::app {

// The memory load and the total physical memory, from one query: GlobalMemoryStatusEx where
// Windows has it (2000 and later), whose total goes past 4 GB; GlobalMemoryStatus before.
struct MemoryFigures {
  std::uint32_t memoryLoad = 0;
  std::uint64_t totalPhys = 0;
};
MemoryFigures ReadMemoryFigures(platform::Kernel& kernel);

// The physical memory as the box shows it: whole kilobytes (the bytes' low 10 bits dropped),
// grouped in threes with the separator, then " KB". No memory at all reads "0 KB".
std::string PhysicalMemoryText(std::uint64_t totalPhysBytes, std::string_view thousandSeparator);
// The memory load as the box shows it: the percentage, a blank and a percent sign.
std::string MemoryLoadText(std::uint32_t memoryLoad);

inline constexpr int AboutBoxHelpContext = 1000;
// The width of the physical memory's label.
inline constexpr int PhysicalMemoryWidth = 100;
inline constexpr std::string_view CopyrightHelpTopic = "Copyright";

class TAboutBox final : public ui::Form {
 public:
  TAboutBox(ui::Application& application, platform::Platform& platform, ProgramState& state);

  ui::Button OKButton{"OKButton"};
  ui::Panel Panel1{"Panel1"};
  ui::Panel Panel2{"Panel2"};
  ui::Picture TolvaImage{"TolvaImage"};
  ui::Picture TolvaNameImage{"TolvaNameImage"};
  ui::Label Label1{"Label1"};
  ui::Label Copyright{"Copyright"};
  ui::Label MarrowbyLink{"MarrowbyLink"};
  ui::Label Copyright2{"Copyright2"};
  ui::Picture MarrowbyImage{"MarrowbyImage"};
  ui::Label MemLabel{"MemLabel"};
  ui::Label Memory_Used{"Memory_Used"};
  ui::Label PhysLabel{"PhysLabel"};
  ui::Label Physical_Memory{"Physical_Memory"};

  void AboutShow();
  void TolvaImageClick();
  void TolvaNameImageClick();
  void MarrowbyLinkClick();
  void MarrowbyImageClick();
  void CopyrightClick();

 private:
  void OpenWebPage(std::string_view address);

  platform::Platform& platform_;
  ProgramState& state_;
};

}  // namespace tolva::app
