#pragma once
// The record of the windows a concealment hid, kept in a file beside tolva.ini, so that a run
// ended from outside (the task manager, a crash, a forced log-off) does not leave them hidden with
// nothing that knows them: the next start offers to show them again.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/hidden_window_set.h"
#include "engine/window_census.h"
#include "platform/files.h"
#include "platform/profile.h"
#include "platform/windows.h"

namespace tolva::engine {

inline constexpr std::string_view HiddenRecordFileName = "tolva.hid";
// Written under this name first and then renamed, so that a crash mid-write leaves the old
// record or none, never half of one.
inline constexpr std::string_view HiddenRecordPartName = "tolva.hi~";
// More than a whole set of lines with the longest titles; the rest of a larger file is not read.
inline constexpr std::size_t HiddenRecordMaxBytes = 256 * 1024;

struct RecordedWindow {
  platform::WindowHandle window = platform::NullWindow;
  std::uint32_t processId = 0;
  std::string title;
  friend bool operator==(const RecordedWindow&, const RecordedWindow&) = default;
};

// One line a window: its handle in hexadecimal, its process id in decimal and its title, with
// one space between them, lines ended by CR LF.
std::string HiddenRecordText(const std::vector<RecordedWindow>& windows);
// The lines that read as such, in order, at most MaxHiddenWindows of them; any other line
// (no handle, a null handle, no process id, an empty title) is passed over.
std::vector<RecordedWindow> ParseHiddenRecord(std::string_view text);

// A pass switches the minimise animation off for the session and back on at its end; a run
// ended during the pass leaves it off until the user logs off. The record says so in its first
// line, which reads as no window, so that the next start switches it back on.
enum class AnimationNote { None, SwitchedOff };
inline constexpr std::string_view AnimationOffLine = "Minimise animation switched off";
bool RecordNotesAnimationOff(std::string_view text);

// What a run ended from outside left behind, as the next start finds it.
struct LeftByLastRun {
  std::vector<platform::WindowHandle> stillHidden;
  bool animationLeftOff = false;
};

// The question at start, for count windows (at least one).
std::string StillHiddenQuestion(std::size_t count);

class HiddenWindowRecord {
 public:
  HiddenWindowRecord(platform::Files& files, platform::ProfileFiles& profile, platform::WindowManager& windows)
      : files_(files), profile_(profile), windows_(windows) {}

  // Written ahead of a conceal pass, before its first window is hidden: every window it is about
  // to hide, in order; and after the pass, exactly the windows it hid (also when it failed
  // half-way). A run ended during the pass thus leaves every window it hid on record; a window
  // recorded but never hidden is visible, and the next start passes over it. A record that
  // cannot be written is given up quietly: the exit rules still guard the windows while the
  // program runs.
  void Save(const std::vector<TitledWindow>& windows, AnimationNote note);
  void Save(const HiddenWindowSet& hidden);
  // Ahead of a reveal pass that switches the animation off: the last record, with the note.
  void NoteAnimationOff();
  // After a reveal pass, and once the windows left by an earlier run were dealt with.
  void Remove();
  // The windows of the record that are there, hidden, and still of the recorded process and
  // title (a handle reused by another window is never touched), and the animation's note.
  LeftByLastRun ReadLeftByLastRun();

 private:
  // The record's folder is the settings file's, asked once; nothing is kept when it cannot be had.
  std::string PathOf(std::string_view name);

  // Writes the record whole under another name and puts it in place; false when it could not.
  bool Write(AnimationNote note);

  platform::Files& files_;
  platform::ProfileFiles& profile_;
  platform::WindowManager& windows_;
  std::optional<std::string> folder_;
  // The window lines of the last record composed, kept for the reveal's note; and the windows
  // and note of the last record put in place, which a pass that hid exactly those windows
  // leaves as it is.
  std::string lines_;
  std::optional<std::vector<platform::WindowHandle>> written_;
  AnimationNote writtenNote_ = AnimationNote::None;
};

}  // namespace tolva::engine
