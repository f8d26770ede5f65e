#include "engine/hidden_window_record.h"

#include <algorithm>
#include <charconv>

#include "engine/window_census.h"
#include "settings/settings_file.h"

namespace tolva::engine {
namespace {

// A number of the line at pos in the base given, and pos past it and one space; false when there
// is none or no space follows.
template <class Number>
bool ReadField(std::string_view line, std::size_t& pos, int base, Number& value) {
  const char* begin = line.data() + pos;
  const char* end = line.data() + line.size();
  const auto [past, error] = std::from_chars(begin, end, value, base);
  if (error != std::errc() || past == begin || past == end || *past != ' ') return false;
  pos = static_cast<std::size_t>(past - line.data()) + 1;
  return true;
}

}  // namespace

std::string HiddenRecordText(const std::vector<RecordedWindow>& windows) {
  std::string text;
  for (const RecordedWindow& recorded : windows) {
    char handle[2 * sizeof(platform::WindowHandle) + 1] = {};
    const auto [end, error] = std::to_chars(handle, handle + sizeof handle - 1, recorded.window, 16);
    static_cast<void>(error);
    text.append(handle, end);
    text += ' ' + std::to_string(recorded.processId) + ' ' + recorded.title + "\r\n";
  }
  return text;
}

std::vector<RecordedWindow> ParseHiddenRecord(std::string_view text) {
  std::vector<RecordedWindow> windows;
  while (!text.empty() && windows.size() < static_cast<std::size_t>(MaxHiddenWindows)) {
    const std::size_t eol = text.find('\n');
    std::string_view line = text.substr(0, eol);
    text = eol == std::string_view::npos ? std::string_view() : text.substr(eol + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    RecordedWindow recorded;
    std::size_t pos = 0;
    if (!ReadField(line, pos, 16, recorded.window) || recorded.window == platform::NullWindow) continue;
    if (!ReadField(line, pos, 10, recorded.processId) || recorded.processId == 0) continue;
    recorded.title = std::string(line.substr(pos));
    if (recorded.title.empty()) continue;
    windows.push_back(std::move(recorded));
  }
  return windows;
}

bool RecordNotesAnimationOff(std::string_view text) {
  const std::string_view first = text.substr(0, text.find('\n'));
  return first == AnimationOffLine || first == std::string(AnimationOffLine) + "\r";
}

std::string StillHiddenQuestion(std::size_t count) {
  if (count == 1) return "1 window that Tolva hid when it last ran is still hidden. Show it now?";
  return std::to_string(count) + " windows that Tolva hid when it last ran are still hidden. Show them now?";
}

std::string HiddenWindowRecord::PathOf(std::string_view name) {
  if (!folder_) folder_ = settings::SettingsFileFolder(profile_);
  const std::string& folder = *folder_;
  if (folder.empty()) return {};
  return folder + (folder.back() == '\\' ? "" : "\\") + std::string(name);
}

void HiddenWindowRecord::Save(const std::vector<TitledWindow>& windows, AnimationNote note) {
  std::vector<RecordedWindow> recorded;
  recorded.reserve(windows.size());
  std::vector<platform::WindowHandle> handles;
  handles.reserve(windows.size());
  for (const TitledWindow& titled : windows) {
    recorded.push_back({titled.window, windows_.GetWindowThreadProcessId(titled.window), titled.title});
    handles.push_back(titled.window);
  }
  lines_ = HiddenRecordText(recorded);
  written_.reset();
  if (Write(note)) written_ = std::move(handles);
}

void HiddenWindowRecord::Save(const HiddenWindowSet& hidden) {
  const auto first = hidden.entries.begin();
  const std::vector<platform::WindowHandle> handles(first, first + hidden.count);
  if (writtenNote_ == AnimationNote::None && written_ == handles) return;
  std::vector<TitledWindow> windows;
  windows.reserve(handles.size());
  for (const platform::WindowHandle window : handles) windows.push_back({window, WindowTitleOf(windows_, window)});
  Save(windows, AnimationNote::None);
}

void HiddenWindowRecord::NoteAnimationOff() {
  if (!Write(AnimationNote::SwitchedOff)) written_.reset();
}

bool HiddenWindowRecord::Write(AnimationNote note) {
  writtenNote_ = note;
  const std::string part = PathOf(HiddenRecordPartName);
  if (part.empty()) return false;
  const std::string text =
      note == AnimationNote::SwitchedOff ? std::string(AnimationOffLine) + "\r\n" + lines_ : lines_;
  if (files_.WriteWholeFile(part, text)) {
    const std::string path = PathOf(HiddenRecordFileName);
    switch (files_.MoveFileExA(part, path)) {
      case platform::MoveResult::Moved: return true;
      case platform::MoveResult::Failed: break;
      case platform::MoveResult::Unsupported:
        // The Windows 95 family cannot replace a file in one step: the old record goes first and
        // the new one takes its name after, so a crash between the two leaves no record (the part
        // is never read), where the NT family leaves the old one or the new one.
        files_.DeleteFileA(path);
        if (files_.MoveFileA(part, path)) return true;
        break;
    }
  }
  files_.DeleteFileA(part);
  return false;
}

void HiddenWindowRecord::Remove() {
  written_.reset();
  const std::string path = PathOf(HiddenRecordFileName);
  if (!path.empty()) files_.DeleteFileA(path);
}

LeftByLastRun HiddenWindowRecord::ReadLeftByLastRun() {
  LeftByLastRun left;
  const std::string path = PathOf(HiddenRecordFileName);
  if (path.empty()) return left;
  const std::optional<std::string> text = files_.ReadWholeFile(path, HiddenRecordMaxBytes);
  if (!text) return left;
  left.animationLeftOff = RecordNotesAnimationOff(*text);
  std::vector<platform::WindowHandle>& still = left.stillHidden;
  for (const RecordedWindow& recorded : ParseHiddenRecord(*text)) {
    const platform::WindowHandle w = recorded.window;
    if (!windows_.IsWindow(w) || windows_.IsWindowVisible(w)) continue;
    if (windows_.GetWindowThreadProcessId(w) != recorded.processId) continue;
    if (WindowTitleOf(windows_, w) != recorded.title) continue;
    if (std::find(still.begin(), still.end(), w) != still.end()) continue;
    still.push_back(w);
  }
  return left;
}

}  // namespace tolva::engine
