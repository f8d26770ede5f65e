#pragma once
// Files as the Windows-side tests put, read and look them up, and a file's version record as
// Windows reads it.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace tolva::tests {

// The Windows directory, where tolva.ini and the program's other files live; empty when it
// cannot be had whole.
inline std::string WindowsDirectory() {
  char folder[MAX_PATH] = {};
  const UINT length = GetWindowsDirectoryA(folder, sizeof folder);
  return length > 0 && length < sizeof folder ? std::string(folder, length) : std::string();
}

inline bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

inline bool PutFile(const std::string& path, const std::string& bytes) {
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}

inline std::optional<std::string> FileBytes(const std::string& path) {
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  char chunk[4096];
  DWORD got = 0;
  while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
  CloseHandle(file);
  return bytes;
}

// The version record of a program file, read with GetFileVersionInfoA.
class FileVersion {
 public:
  explicit FileVersion(const std::string& path) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (size == 0) return;
    data_.resize(size);
    if (!GetFileVersionInfoA(path.c_str(), 0, size, data_.data())) data_.clear();
  }
  bool Found() const { return !data_.empty(); }
  // The fixed numbers; all zero when there are none.
  VS_FIXEDFILEINFO Fixed() const {
    VS_FIXEDFILEINFO fixed{};
    if (const auto* found = static_cast<const VS_FIXEDFILEINFO*>(Value("\\"))) fixed = *found;
    return fixed;
  }
  // A string of the U.S. English, Windows Latin-1 table; "<none>" when there is no such string.
  std::string Text(const std::string& name) const {
    const auto* text = static_cast<const char*>(Value("\\StringFileInfo\\040904E4\\" + name));
    return text != nullptr ? std::string(text) : "<none>";
  }

 private:
  const void* Value(const std::string& path) const {
    void* value = nullptr;
    UINT length = 0;
    if (!Found()) return nullptr;
    auto* data = const_cast<char*>(data_.data());
    return VerQueryValueA(data, path.c_str(), &value, &length) && length > 0 ? value : nullptr;
  }
  std::vector<char> data_;
};

}  // namespace tolva::tests
