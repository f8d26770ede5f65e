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

// The question at start, for count windows (at least one).
std::string StillHiddenQuestion(std::size_t count);

class HiddenWindowRecord {
 public:
  HiddenWindowRecord(platform::Files& files, platform::ProfileFiles& profile, platform::WindowManager& windows)
      : files_(files), profile_(profile), windows_(windows) {}

  // After a conceal pass: the set's windows with their process and title. A record that cannot
  // be written is given up quietly: the exit rules still guard the windows while the program runs.
  void Save(const HiddenWindowSet& hidden);
  // After a reveal pass, and once the windows left by an earlier run were dealt with.
  void Remove();
  // The windows of the record that are there, hidden, and still of the recorded process and
  // title: a handle reused by another window is never touched.
  std::vector<platform::WindowHandle> StillHidden();

 private:
  // The record's folder is the settings file's, asked once; nothing is kept when it cannot be had.
  std::string PathOf(std::string_view name);

  platform::Files& files_;
  platform::ProfileFiles& profile_;
  platform::WindowManager& windows_;
  std::optional<std::string> folder_;
};

}  // namespace tolva::engine
