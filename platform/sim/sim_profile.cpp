#include "platform/sim/sim_profile.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/ascii.h"

namespace tolva::platform::sim {
namespace {

struct Key {
  std::string name;
  std::optional<std::string> value;  // none for a line without "="
};

struct Section {
  std::string name;  // empty for the lines before the first section header
  std::vector<Key> keys;
};

bool IsProfileSpace(char c) {
  // Control-Z counts as white space, as it did for files ended by it.
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f' || c == 0x1a;
}

std::string_view TrimFront(std::string_view text) {
  while (!text.empty() && IsProfileSpace(text.front())) text.remove_prefix(1);
  return text;
}

std::string_view Trim(std::string_view text) {
  text = TrimFront(text);
  while (!text.empty() && IsProfileSpace(text.back())) text.remove_suffix(1);
  return text;
}

using platform::SameIgnoringAsciiCase;

std::string FileKey(std::string_view fileName) {
  std::string key = platform::AsciiUpperText(fileName);
  return key;
}

constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";

struct Profile {
  bool utf8Mark = false;  // written back on a rewrite, as it was found
  std::vector<Section> sections;
};

Profile Parse(std::string_view text) {
  Profile profile;
  profile.utf8Mark = text.substr(0, Utf8Mark.size()) == Utf8Mark;
  if (profile.utf8Mark) text.remove_prefix(Utf8Mark.size());
  std::vector<Section>& sections = profile.sections;
  sections.resize(1);
  while (!text.empty()) {
    const auto end = text.find_first_of("\r\n");
    const std::string_view line = Trim(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    if (line.empty()) continue;
    if (line.front() == '[') {
      const auto close = line.rfind(']');
      if (close != std::string_view::npos) {
        sections.push_back(Section{std::string(Trim(line.substr(1, close - 1))), {}});
        continue;
      }
    }
    const auto equals = line.find('=');
    if (equals == std::string_view::npos) {
      sections.back().keys.push_back(Key{std::string(line), std::nullopt});
    } else {
      sections.back().keys.push_back(Key{std::string(Trim(line.substr(0, equals))),
                                         std::string(Trim(line.substr(equals + 1)))});
    }
  }
  return profile;
}

std::string Serialise(const Profile& profile) {
  const std::vector<Section>& sections = profile.sections;
  std::string text(profile.utf8Mark ? Utf8Mark : std::string_view{});
  for (std::size_t i = 0; i < sections.size(); ++i) {
    if (i > 0) text += "[" + sections[i].name + "]\r\n";
    for (const auto& key : sections[i].keys) {
      text += key.name;
      if (key.value) text += "=" + *key.value;
      text += "\r\n";
    }
  }
  return text;
}

Section* FindSection(std::vector<Section>& sections, std::string_view name) {
  name = Trim(name);
  for (auto& section : sections)
    if (SameIgnoringAsciiCase(section.name, name)) return &section;
  return nullptr;
}

Key* FindKey(Section& section, std::string_view name) {
  name = Trim(name);
  for (auto& key : section.keys)
    if (SameIgnoringAsciiCase(key.name, name)) return &key;
  return nullptr;
}

// Copies a value into the caller's buffer. A value in matching quotes loses them; when the value
// had to be cut, the closing quote goes only if it fitted, as the real function does.
std::uint32_t CopyValue(std::string_view value, char* buffer, std::uint32_t capacity) {
  bool quoted = false;
  if (value.size() > 1 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    quoted = true;
    value.remove_prefix(1);
  }
  std::size_t count = std::min<std::size_t>(value.size(), capacity - 1);
  std::memcpy(buffer, value.data(), count);
  buffer[count] = '\0';
  if (quoted && capacity >= value.size() && count > 0) buffer[--count] = '\0';
  return static_cast<std::uint32_t>(count);
}

}  // namespace

void SimProfileFiles::SetFileText(std::string_view fileName, std::string text) {
  files_[FileKey(fileName)] = std::move(text);
}

std::optional<std::string> SimProfileFiles::FileText(std::string_view fileName) const {
  const auto it = files_.find(FileKey(fileName));
  if (it == files_.end()) return std::nullopt;
  return it->second;
}

void SimProfileFiles::RemoveFile(std::string_view fileName) { files_.erase(FileKey(fileName)); }

std::uint32_t SimProfileFiles::GetPrivateProfileStringA(const char* section, const char* key,
                                                        const char* defaultValue, char* buffer,
                                                        std::uint32_t capacity,
                                                        const char* fileName) {
  if (buffer == nullptr || capacity == 0) return 0;
  buffer[0] = '\0';
  if (section == nullptr || key == nullptr || fileName == nullptr) return 0;

  const auto file = files_.find(FileKey(fileName));
  if (file != files_.end()) {
    auto profile = Parse(file->second);
    if (Section* found = FindSection(profile.sections, section)) {
      if (Key* entry = FindKey(*found, key); entry != nullptr && entry->value)
        return CopyValue(*entry->value, buffer, capacity);
    }
  }
  // The default loses its trailing spaces (not tabs), all but its first character when it is
  // nothing else, and then its quotes like a stored value, whether or not the file exists.
  std::string_view fallback = defaultValue != nullptr ? defaultValue : "";
  while (fallback.size() > 1 && fallback.back() == ' ') fallback.remove_suffix(1);
  return CopyValue(fallback, buffer, capacity);
}

bool SimProfileFiles::WritePrivateProfileStringA(const char* section, const char* key,
                                                 const char* value, const char* fileName) {
  if (failWrites || section == nullptr || fileName == nullptr) return false;
  const std::string fileKey = FileKey(fileName);
  const auto file = files_.find(fileKey);
  auto profile = Parse(file != files_.end() ? std::string_view(file->second) : std::string_view{});
  auto& sections = profile.sections;
  Section* target = FindSection(sections, section);
  // The file is rewritten only when something in it changes: removing what is not there, or
  // storing the value a key already has, leaves the file as it was (blank lines and all), and
  // makes no file where there was none.
  bool changed = false;
  if (key == nullptr) {  // removes the whole section, the first of its name
    if (target != nullptr && target != &sections.front()) {
      sections.erase(sections.begin() + (target - sections.data()));
      changed = true;
    }
  } else if (value == nullptr) {  // removes the key
    Key* entry = target != nullptr ? FindKey(*target, key) : nullptr;
    if (entry != nullptr) {
      target->keys.erase(target->keys.begin() + (entry - target->keys.data()));
      changed = true;
    }
  } else {
    // New names and the value lose their leading white space only; what trails them goes into
    // the file, and reading drops it again.
    const std::string newValue(TrimFront(value));
    if (target == nullptr) {
      sections.push_back(Section{std::string(TrimFront(section)), {}});
      target = &sections.back();
    }
    if (Key* entry = FindKey(*target, key); entry == nullptr) {
      target->keys.push_back(Key{std::string(TrimFront(key)), newValue});
      changed = true;
    } else if (entry->value != newValue) {  // compared with letter case
      entry->value = newValue;
      changed = true;
    }
  }
  if (changed) files_[fileKey] = Serialise(profile);
  return true;
}

std::uint32_t SimProfileFiles::GetWindowsDirectoryA(char* buffer, std::uint32_t capacity) {
  const auto length = static_cast<std::uint32_t>(windowsDirectory.size());
  if (length >= capacity) return length + 1;
  std::memcpy(buffer, windowsDirectory.c_str(), length + 1);
  return length;
}

}  // namespace tolva::platform::sim
