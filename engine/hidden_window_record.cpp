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

void HiddenWindowRecord::Save(const HiddenWindowSet& hidden) {
  const std::string part = PathOf(HiddenRecordPartName);
  if (part.empty()) return;
  std::vector<RecordedWindow> windows;
  for (std::int32_t i = 0; i < hidden.count; ++i) {
    const platform::WindowHandle window = hidden.entries[static_cast<std::size_t>(i)];
    windows.push_back({window, windows_.GetWindowThreadProcessId(window), WindowTitleOf(windows_, window)});
  }
  if (files_.WriteWholeFile(part, HiddenRecordText(windows))) {
    const std::string path = PathOf(HiddenRecordFileName);
    if (files_.MoveFileExA(part, path) == platform::MoveResult::Unsupported) {
      // The Windows 95 family cannot replace a file in one step: the old record goes first and
      // the new one takes its name after, so a crash between the two leaves no record (the part
      // is never read), where the NT family leaves the old one or the new one.
      files_.DeleteFileA(path);
      files_.MoveFileA(part, path);
    }
  } else {
    files_.DeleteFileA(part);
  }
}

void HiddenWindowRecord::Remove() {
  const std::string path = PathOf(HiddenRecordFileName);
  if (!path.empty()) files_.DeleteFileA(path);
}

std::vector<platform::WindowHandle> HiddenWindowRecord::StillHidden() {
  std::vector<platform::WindowHandle> still;
  const std::string path = PathOf(HiddenRecordFileName);
  if (path.empty()) return still;
  const std::optional<std::string> text = files_.ReadWholeFile(path, HiddenRecordMaxBytes);
  if (!text) return still;
  for (const RecordedWindow& recorded : ParseHiddenRecord(*text)) {
    const platform::WindowHandle w = recorded.window;
    if (!windows_.IsWindow(w) || windows_.IsWindowVisible(w)) continue;
    if (windows_.GetWindowThreadProcessId(w) != recorded.processId) continue;
    if (WindowTitleOf(windows_, w) != recorded.title) continue;
    if (std::find(still.begin(), still.end(), w) != still.end()) continue;
    still.push_back(w);
  }
  return still;
}

}  // namespace tolva::engine
