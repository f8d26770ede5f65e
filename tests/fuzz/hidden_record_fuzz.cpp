// tolva.hid as a start after a run ended from outside reads it: any bytes at all, beside a
// desktop with windows the record may name. Its seeds are in corpus/hidden_record.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/hidden_window_record.h"
#include "platform/sim/sim_platform.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

using namespace tolva;
using engine::RecordedWindow;
using fuzz::Require;

// The record's lines as the reader returns them, written back and read again, are the same lines.
std::vector<RecordedWindow> CheckLines(std::string_view text) {
  std::vector<RecordedWindow> lines = engine::ParseHiddenRecord(text);
  Require(lines.size() <= static_cast<std::size_t>(engine::MaxHiddenWindows), "no more lines than the set holds");
  for (const RecordedWindow& line : lines) {
    Require(line.window != platform::NullWindow, "a line names a window");
    Require(line.processId != 0, "a line names a process");
    Require(!line.title.empty() && line.title.find('\n') == std::string::npos, "a line has a title of one line");
  }
  Require(engine::ParseHiddenRecord(engine::HiddenRecordText(lines)) == lines, "the lines read back as written");
  return lines;
}

// The start's reading, through the files beside tolva.ini, of the lines in the first 256 KiB:
// only windows that are there, hidden, of the recorded process and title, each once; and the
// record is gone after it.
void CheckStart(std::string_view text, const std::vector<RecordedWindow>& read) {
  platform::sim::SimPlatform sim;
  // The seeds name these by their handles: 0x10020 and 0x10024 hidden, 0x10028 shown again,
  // 0x1002c of another process, 0x10030 closed since.
  sim.desktop.Create("Letter - Notepad", false);
  sim.desktop.Create("Target 2", false);
  sim.desktop.Create("Shown again", true);
  sim.desktop.SetProcessId(sim.desktop.Create("Someone else", false), platform::sim::SimDesktop::OtherProcessId + 1);
  sim.desktop.Close(sim.desktop.Create("Closed since", false));

  const std::string path = sim.profile.windowsDirectory + "\\" + std::string(engine::HiddenRecordFileName);
  sim.files.WriteWholeFile(path, text);
  engine::HiddenWindowRecord record(sim.files, sim.profile, sim.desktop);
  const engine::LeftByLastRun left = record.ReadLeftByLastRun();
  Require(left.animationLeftOff == engine::RecordNotesAnimationOff(text), "the animation's note as its first line says");
  const std::vector<platform::WindowHandle>& still = left.stillHidden;
  Require(still.size() <= read.size(), "no more windows than lines read");
  for (std::size_t i = 0; i < still.size(); ++i) {
    const auto* window = sim.desktop.Find(still[i]);
    Require(window != nullptr && !window->visible, "only windows there and hidden");
    Require(std::count(still.begin(), still.end(), still[i]) == 1, "each window once");
    Require(std::any_of(read.begin(), read.end(),
                        [&](const RecordedWindow& r) {
                          return r.window == still[i] && r.processId == window->processId && r.title == window->title;
                        }),
            "only windows of the recorded process and title");
  }
  record.Remove();
  Require(!sim.files.ReadWholeFile(path, 1).has_value(), "the record is gone");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::vector<RecordedWindow> lines = CheckLines(text);
  if (text.size() <= engine::HiddenRecordMaxBytes) {
    CheckStart(text, lines);
  } else {
    CheckStart(text, engine::ParseHiddenRecord(text.substr(0, engine::HiddenRecordMaxBytes)));
  }
  return 0;
}
