// The about box over the simulated platform: its memory figures, its links, its help topic and
// how it closes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/about_box.h"
#include "tests/host/app_fixture.h"
#include "tests/host/sim_calls.h"

namespace tolva::app::testing {
namespace {

class AboutBoxTest : public MainWindowTest {
 protected:
  // Shows the box from the main window's About button, working it with `steps` while it is up.
  void ShowAbout(std::function<void(TAboutBox&)> steps = {}) {
    p.backend.modalScript = [this, steps](ui::Form& form) {
      EXPECT_EQ(&form, &AboutBox());
      if (steps) steps(AboutBox());
      return platform::IdOk;
    };
    p.backend.Click(Form1().AboutButton);
  }
};

// The figures from the memory status in the user's regional format, at each showing: from
// GlobalMemoryStatusEx where the system has it, from GlobalMemoryStatus (4 GB at most) before.
TEST_F(AboutBoxTest, ShowsTheMemoryFiguresInTheRegionalFormat) {
  struct Case {
    bool ex;  // GlobalMemoryStatusEx is there
    std::uint32_t load;
    std::uint64_t totalPhys;
    const char* separator;
    const char* used;
    const char* physical;
  };
  Create();
  constexpr std::uint64_t GiB = 1ull << 30;
  for (const Case& c : {Case{false, 0, 536'350'720, ",", "0 %", "523,780 KB"},
                        Case{false, 100, 0xFFFF'FFFF, ",", "100 %", "4,194,303 KB"},
                        Case{false, 37, 0xFFFF'FFFF, ".", "37 %", "4.194.303 KB"},
                        Case{false, 37, 0xFFFF'FFFF, "", "37 %", "4194303 KB"},
                        Case{false, 37, 1'024'000, "\xA0", "37 %", "1\xA0" "000 KB"},
                        Case{false, 37, 1'023'999, ",", "37 %", "999 KB"},
                        Case{false, 37, 1'023, ",", "37 %", "0 KB"},
                        Case{false, 61, 24 * GiB, ",", "61 %", "4,194,303 KB"},
                        Case{true, 61, 24 * GiB, ",", "61 %", "25,165,824 KB"},
                        Case{true, 9, 1024 * GiB, ",", "9 %", "1,073,741,824 KB"},
                        Case{true, 37, 536'350'720, ",", "37 %", "523,780 KB"}}) {
    SCOPED_TRACE(c.physical);
    p.sim.kernel.memoryStatusExMissing = !c.ex;
    p.sim.kernel.memoryLoad = c.load;
    p.sim.kernel.totalPhys = c.totalPhys;
    p.sim.locale.region.thousandSeparator = c.separator;
    p.backend.SettingChanged("intl");  // as the regional settings' control panel announces it
    p.sim.log.Clear();
    ShowAbout();
    EXPECT_EQ(AboutBox().Memory_Used.Caption(), c.used);
    EXPECT_EQ(AboutBox().Physical_Memory.Caption(), c.physical);
    EXPECT_EQ(p.Calls("GlobalMemoryStatus"),
              (std::vector<std::string>{c.ex ? "GlobalMemoryStatusEx" : "GlobalMemoryStatus 32"}));
  }
  EXPECT_TRUE(p.sim.dialogs.boxes.empty());
}

// A memory query that fails with an error: the standard error box, then the box opens all the
// same with its figures as they were.
TEST_F(AboutBoxTest, AMemoryQueryErrorIsShownAndTheBoxOpens) {
  Create();
  EXPECT_EQ(AboutBox().Memory_Used.Caption(), "Memory_Used");
  p.sim.kernel.throwMemory = true;
  bool opened = false;
  ShowAbout([&](TAboutBox&) { opened = true; });
  EXPECT_TRUE(opened);
  ASSERT_EQ(p.sim.dialogs.boxes.size(), 1u);
  EXPECT_EQ(p.sim.dialogs.boxes[0].text, "Memory status unavailable.");
  EXPECT_EQ(p.sim.dialogs.boxes[0].caption, "Tolva R. Quenlar (TM)");
  EXPECT_EQ(p.sim.dialogs.boxes[0].type, platform::MbOk | platform::MbIconError);
  EXPECT_EQ(AboutBox().Memory_Used.Caption(), "Memory_Used");
  EXPECT_EQ(AboutBox().Physical_Memory.Caption(), "Physical_Memory");
  EXPECT_FALSE(p.program.application().Terminated());

  // A query that fills in nothing leaves the record as it was made: no memory, none in use.
  p.sim.kernel.throwMemory = false;
  p.sim.kernel.failMemory = true;
  ShowAbout();
  EXPECT_EQ(AboutBox().Memory_Used.Caption(), "0 %");
  EXPECT_EQ(AboutBox().Physical_Memory.Caption(), "0 KB");
}

// Each link opens its page, owned by the box and restored; with no browser each click gives the
// box's own warning and leaves the box open.
TEST_F(AboutBoxTest, LinksOpenTheirPagesAndWarnWhenTheyCannot) {
  struct Case {
    ui::Control* control;
    const char* address;
  };
  constexpr const char* product = "http://www.marrowby.com/software/tolva.htm";
  constexpr const char* home = "http://www.marrowby.com/";
  Create();
  TAboutBox& a = AboutBox();
  const std::vector<Case> cases{{&a.TolvaImage, product}, {&a.TolvaNameImage, product},
                                {&a.Panel2, product},     {&a.MarrowbyLink, home},
                                {&a.MarrowbyImage, home}};
  for (const bool fails : {false, true}) {
    SCOPED_TRACE(fails ? "no browser" : "browser");
    p.sim.shell.results[product] = fails ? platform::SeErrNoAssoc : 33;
    p.sim.shell.results[home] = fails ? platform::ErrorFileNotFound : 42;
    p.sim.shell.executed.clear();
    p.sim.dialogs.boxes.clear();
    p.sim.log.Clear();
    ShowAbout([&](TAboutBox& box) {
      for (const Case& c : cases) {
        p.backend.Click(*c.control);
        EXPECT_TRUE(box.Visible()) << c.control->Name();
      }
    });
    ASSERT_EQ(p.sim.shell.executed.size(), cases.size());
    for (std::size_t i = 0; i < cases.size(); ++i) {
      const auto& done = p.sim.shell.executed[i];
      EXPECT_EQ(done.file, cases[i].address) << i;
      EXPECT_EQ(done.verb, "open");
      EXPECT_EQ(done.parameters, "(null)");
      EXPECT_EQ(done.directory, "(null)");
      EXPECT_EQ(done.owner, AboutBox().Handle());
      EXPECT_EQ(done.showCommand, platform::SwRestore);
    }
    const std::size_t warnings = fails ? cases.size() : 0;
    EXPECT_EQ(p.Calls("MessageBeep"),
              std::vector<std::string>(warnings, tests::BeepCall(platform::MbIconExclamation)));
    ASSERT_EQ(p.sim.dialogs.boxes.size(), warnings);
    for (const auto& box : p.sim.dialogs.boxes) {
      EXPECT_EQ(box.owner, AboutBox().Handle());
      EXPECT_EQ(box.text, "Unable to execute shell command.\r\n\r\nDo you have a default browser installed?");
      EXPECT_EQ(box.caption, "About Box Shell Command Failed");
      EXPECT_EQ(box.type, platform::MbIconExclamation);
    }
  }
}

// Both lines of the legal notice open its help topic through the main window: the contents
// first, and the jump only once the help engine has started. F1 opens the box's context.
TEST_F(AboutBoxTest, TheNoticeOpensItsHelpTopicAndF1TheBoxContext) {
  Create();
  ShowAbout([&](TAboutBox& box) {
    p.program.application().helpFile = "other.hlp";
    p.backend.Click(box.Copyright);
    p.backend.Click(box.Copyright2);
    p.sim.help.fail = true;
    p.backend.Click(box.Copyright);
    p.sim.help.fail = false;
    p.backend.PressKey(box, ui::VkF1, {});
  });
  const std::string contents = tests::HelpCall(platform::HelpContents, 0);
  const std::string jump =
      "WinHelpA tolva.hlp " + std::to_string(platform::HelpCommand) + " JumpID(\"\",\"Copyright\")";
  EXPECT_EQ(p.Calls("WinHelpA"), (std::vector<std::string>{contents, jump, contents, jump, contents,
                                                           tests::HelpCall(platform::HelpContext, 1000)}));
  EXPECT_EQ(p.program.application().helpFile, "tolva.hlp");
  const std::vector<platform::WindowHandle> main(5, Form1().Handle());
  EXPECT_EQ(std::vector<platform::WindowHandle>(p.sim.help.windows.begin(), p.sim.help.windows.end() - 1), main);
  EXPECT_EQ(p.sim.help.windows.back(), AboutBox().Handle());
  EXPECT_TRUE(p.sim.dialogs.boxes.empty());
}

// Enter anywhere in the box is its OK button: the box closes with result OK; the close box
// gives Cancel.
TEST_F(AboutBoxTest, EnterClosesWithOk) {
  Create();
  p.backend.modalScript = [this](ui::Form& form) {
    EXPECT_TRUE(p.backend.PressDialogKey(form, ui::VkReturn));
    return 0;
  };
  EXPECT_EQ(AboutBox().ShowModal(), platform::IdOk);
  EXPECT_FALSE(AboutBox().Visible());
  p.backend.modalScript = [this](ui::Form& form) {
    p.backend.PostClose(form);
    p.backend.Advance(1);
    return 0;
  };
  EXPECT_EQ(AboutBox().ShowModal(), platform::IdCancel);
}

}  // namespace
}  // namespace tolva::app::testing
