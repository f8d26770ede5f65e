// Which help engine each way into help asks, on which Windows, and what follows its answer.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/help_topic.h"
#include "platform/sim/sim_platform.h"
#include "sim_calls.h"

namespace tolva::engine {
namespace {

using Answer = platform::sim::SimHelp::HtmlHelpAnswer;

// Vista and later ask HTML Help first, for tolva.chm in the program's folder; WinHelp's calls
// follow as ever where HTML Help is missing, is Wine's or opens no window, and on every earlier
// Windows.
TEST(HelpEngine, HtmlHelpFirstFromVistaThenWinHelpAsBefore) {
  struct Row {
    const char* windows;
    platform::VersionRecord version;
    Answer answer;
    bool htmlHelp, winHelp;  // asked
    bool wine = false;       // the HTML Help engine is Wine's own
  };
  constexpr platform::VersionRecord Win95{4, 0, 950, platform::VerPlatformWin32Windows},
      Me{4, 90, 3000, platform::VerPlatformWin32Windows}, Nt4{4, 0, 1381, platform::VerPlatformWin32Nt},
      Xp{5, 1, 2600, platform::VerPlatformWin32Nt}, Vista{6, 0, 6000, platform::VerPlatformWin32Nt},
      Win10{10, 0, 19045, platform::VerPlatformWin32Nt}, Unread{};
  const Row rows[] = {
      {"95", Win95, Answer::Opens, false, true},       {"Me", Me, Answer::Opens, false, true},
      {"NT 4.0", Nt4, Answer::Opens, false, true},     {"XP", Xp, Answer::Opens, false, true},
      {"unread", Unread, Answer::Opens, false, true},  {"Vista", Vista, Answer::Opens, true, false},
      {"10", Win10, Answer::Opens, true, false},       {"10, no window", Win10, Answer::NoWindow, true, true},
      {"10, no HtmlHelpA", Win10, Answer::Missing, false, true},
      {"10, Wine's HTML Help", Win10, Answer::Opens, false, true, true},
  };
  constexpr platform::WindowHandle Owner = 0x4242;
  const std::string chm = "C:\\Program Files\\Tolva R. Quenlar\\tolva.chm";
  const auto html = [&](unsigned command, const std::string& data) {
    return "HtmlHelpA " + chm + " " + std::to_string(command) + " " + data;
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.windows);
    platform::sim::SimPlatform sim;
    sim.kernel.version = row.version;
    sim.kernel.failVersion = row.version.platformId == platform::VerPlatformWin32s;
    sim.help.htmlHelp = row.answer;
    sim.help.wineHtmlHelp = row.wine;
    EXPECT_TRUE(ShowHelpContents(sim.get(), Owner));
    EXPECT_TRUE(ShowHelpContext(sim.get(), Owner, 1010));
    EXPECT_TRUE(ShowHelpTopic(sim.get(), Owner, HelpFileName, "Copyright"));

    std::vector<std::string> expected;
    if (row.htmlHelp) {
      expected = {html(platform::HhDisplayToc, "0"), html(platform::HhHelpContext, "1010"),
                  html(platform::HhDisplayTopic, "Copyright.htm")};
    }
    EXPECT_EQ(sim.log.WithPrefix("HtmlHelpA"), expected);
    expected.clear();
    if (row.winHelp) {
      expected = {tests::HelpCall(platform::HelpContents, 0), tests::HelpCall(platform::HelpContext, 1010),
                  tests::HelpCall(platform::HelpContents, 0),
                  "WinHelpA tolva.hlp " + std::to_string(platform::HelpCommand) + " JumpID(\"\",\"Copyright\")"};
    }
    EXPECT_EQ(sim.log.WithPrefix("WinHelpA"), expected);
    EXPECT_EQ(sim.help.windows, std::vector<platform::WindowHandle>(sim.help.windows.size(), Owner));
  }
}

// The program's folder as Windows reports it; its bare name where the path does not come whole.
TEST(HelpEngine, TheHtmlHelpFileLiesInTheProgramsFolder) {
  struct Row {
    std::string program, chm;
  };
  const std::string longFolder = "C:\\" + std::string(300, 'x') + "\\tolva.exe";
  for (const Row& row : {Row{"C:\\Tools\\Tolva\\tolva.exe", "C:\\Tools\\Tolva\\tolva.chm"},
                         Row{"\\\\server\\share\\tolva.exe", "\\\\server\\share\\tolva.chm"},
                         Row{"", "tolva.chm"}, Row{longFolder, "tolva.chm"}, Row{"tolva.exe", "tolva.chm"}}) {
    SCOPED_TRACE(row.program.substr(0, 40));
    platform::sim::SimProcess process;
    process.moduleFileName = row.program;
    EXPECT_EQ(HtmlHelpFilePath(process), row.chm);
  }
}

}  // namespace
}  // namespace tolva::engine
