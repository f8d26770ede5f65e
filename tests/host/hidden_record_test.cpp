// The record of hidden windows beside tolva.ini, and the offer at start to show what a run ended
// from outside left hidden.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app_fixture.h"
#include "engine/hidden_window_record.h"

namespace tolva::app::testing {
namespace {

using engine::RecordedWindow;
constexpr const char* RecordPath = "C:\\WINDOWS\\tolva.hid";
constexpr std::uint32_t Other = platform::sim::SimDesktop::OtherProcessId;

std::string Record(platform::sim::SimPlatform& sim) {
  return sim.files.ReadWholeFile(RecordPath, engine::HiddenRecordMaxBytes).value_or("<none>");
}

std::string Line(platform::WindowHandle window, std::uint32_t process, const std::string& title) {
  return engine::HiddenRecordText({{window, process, title}});
}

// Which lines of a record count: only a window that is there, hidden, and of the recorded process
// and title. Nothing else in the file is touched or shown, whatever it holds.
TEST(HiddenRecord, OnlyWindowsStillHiddenAsRecordedCount) {
  platform::sim::SimPlatform sim;
  const auto hidden = sim.desktop.Create("Letter - Notepad", false);
  const auto visible = sim.desktop.Create("Shown again", true);
  const auto reused = sim.desktop.Create("Someone else", false);
  const auto gone = sim.desktop.Create("Closed since", false);
  sim.desktop.Close(gone);
  const std::string h = platform::sim::HexText(hidden).substr(2);
  struct Case {
    const char* name;
    std::string text;
    std::size_t counted;
  };
  const Case cases[] = {
      {"a good line", Line(hidden, Other, "Letter - Notepad"), 1},
      {"a line without CR, a title with spaces", h + " " + std::to_string(Other) + " Letter - Notepad", 1},
      {"visible again", Line(visible, Other, "Shown again"), 0},
      {"gone", Line(gone, Other, "Closed since"), 0},
      {"a reused handle: another process", Line(reused, Other + 1, "Someone else"), 0},
      {"a reused handle: another title", Line(hidden, Other, "Letter"), 0},
      {"the same window twice", Line(hidden, Other, "Letter - Notepad") + Line(hidden, Other, "Letter - Notepad"), 1},
      {"no handle", "zz " + std::to_string(Other) + " Letter - Notepad\r\n", 0},
      {"a null handle", "0 " + std::to_string(Other) + " Letter - Notepad\r\n", 0},
      {"no process", h + " Letter - Notepad\r\n", 0},
      {"process 0", h + " 0 Letter - Notepad\r\n", 0},
      {"no title", h + " " + std::to_string(Other) + " \r\n", 0},
      {"bytes of no record", std::string("\0\xff\r\n\n\r \x1a", 9), 0},
      {"bad lines around a good one", "x\r\n\r\n" + Line(hidden, Other, "Letter - Notepad") + "0x\r\n", 1},
      // The set holds 405: lines past them are never read.
      {"past the set's size", [&] {
         std::string lines;
         for (int i = 0; i < engine::MaxHiddenWindows; ++i) lines += Line(gone, Other, "Closed since");
         return lines + Line(hidden, Other, "Letter - Notepad");
       }(), 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    sim.files.files.clear();
    engine::HiddenWindowRecord record(sim.files, sim.profile, sim.desktop);
    EXPECT_TRUE(record.StillHidden().empty());  // no file
    sim.files.WriteWholeFile(RecordPath, c.text);
    EXPECT_EQ(record.StillHidden().size(), c.counted);
    EXPECT_FALSE(sim.desktop.Find(hidden)->visible);
  }
  EXPECT_EQ(engine::ParseHiddenRecord(Line(0x1a2b, 77, "T i t l e")),
            (std::vector<RecordedWindow>{{0x1a2b, 77, "T i t l e"}}));
}

// The Windows 95 family cannot replace a file in one step: there the old record is deleted and
// the new one renamed into its place.
TEST(HiddenRecord, OnThe95FamilyANewRecordReplacesTheOld) {
  platform::sim::SimPlatform sim;
  sim.files.noReplacingMove = true;
  sim.files.WriteWholeFile(RecordPath, "the last conceal's");
  engine::HiddenWindowSet set;
  const auto window = sim.desktop.Create("Letter - Notepad", false);
  set.Add(window);
  engine::HiddenWindowRecord(sim.files, sim.profile, sim.desktop).Save(set);
  EXPECT_EQ(Record(sim), Line(window, Other, "Letter - Notepad"));
  EXPECT_EQ(sim.files.files.size(), 1u);
}

// Conceal records, reveal removes; a run ended with windows hidden offers them at the next start,
// Yes shows them, No leaves them, and either way the record is gone and a third start asks nothing.
TEST(HiddenRecord, AConcealOutlivesItsRunAndTheNextStartOffersTheWindows) {
  for (const int answer : {platform::IdYes, platform::IdNo}) {
    SCOPED_TRACE(answer);
    MainWindowRig first;
    first.Create("[Settings]\nWAV=0\nShowExit=0\n");
    const auto targets = first.Targets(2);
    first.Form1().HideShowButtonClick();
    const std::string written = Record(first.p.sim);
    EXPECT_EQ(written, Line(targets[1], Other, "Target 2") + Line(targets[0], Other, "Target 1"));
    EXPECT_EQ(first.p.sim.files.files.count("C:\\WINDOWS\\TOLVA.HI~"), 0u);
    first.Form1().HideShowButtonClick();
    EXPECT_EQ(Record(first.p.sim), "<none>");

    // A record that cannot be written whole is no record: nothing is left of it.
    first.p.sim.files.failWrites = true;
    first.Form1().HideShowButtonClick();
    EXPECT_TRUE(first.p.sim.files.files.empty());
    first.Form1().HideShowButtonClick();

    // The next start, the windows of that run still hidden, before its splash.
    SimProgram next;
    const std::vector<platform::WindowHandle> left = {next.sim.desktop.Create("Target 1", false),
                                                      next.sim.desktop.Create("Target 2", false)};
    next.sim.files.WriteWholeFile(RecordPath, Line(left[1], Other, "Target 2") + Line(left[0], Other, "Target 1"));
    next.sim.dialogs.answers.push_back(answer);
    next.backend.onIdle = [&] { next.program.state().Form1->Close(); };
    next.program.Run(1);
    ASSERT_FALSE(next.sim.dialogs.boxes.empty());
    const auto& box = next.sim.dialogs.boxes[0];
    EXPECT_EQ(box.text, "2 windows that Tolva hid when it last ran are still hidden. Show them now?");
    EXPECT_EQ(box.type, LeftHiddenQuestionStyle);
    EXPECT_EQ(box.owner, next.program.application().Handle());
    EXPECT_EQ(next.Calls("CreateWindow").front(), "CreateWindow SplashFormReg");
    for (auto w : left) EXPECT_EQ(next.sim.desktop.Find(w)->visible, answer == platform::IdYes);
    EXPECT_TRUE(next.sim.files.files.empty());

    SimProgram third;
    third.backend.onIdle = [&] { third.program.state().Form1->Close(); };
    third.program.Run(1);
    EXPECT_TRUE(third.sim.dialogs.boxes.empty());
  }
}

}  // namespace
}  // namespace tolva::app::testing
