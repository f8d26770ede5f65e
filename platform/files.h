#pragma once
// Whole small files of the program's own beside its settings, read and written in one piece.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tolva::platform {

enum class MoveResult {
  Moved,
  Failed,
  // The system has no such move: the Windows 95 family's MoveFileExA is a stub that fails with
  // ERROR_CALL_NOT_IMPLEMENTED.
  Unsupported,
};

class Files {
 public:
  virtual ~Files() = default;
  // The file's first maxBytes bytes (CreateFileA, ReadFile); nothing when it cannot be opened.
  virtual std::optional<std::string> ReadWholeFile(const std::string& path, std::size_t maxBytes) = 0;
  // Creates or truncates the file and writes exactly these bytes; false when not all went in.
  virtual bool WriteWholeFile(const std::string& path, std::string_view bytes) = 0;
  // MoveFileExA with MOVEFILE_REPLACE_EXISTING: the target is replaced in one step, so a reader
  // finds the old file or the new one, never half of either.
  virtual MoveResult MoveFileExA(const std::string& from, const std::string& to) = 0;
  // MoveFileA: renames the file; fails when the target is there.
  virtual bool MoveFileA(const std::string& from, const std::string& to) = 0;
  virtual bool DeleteFileA(const std::string& path) = 0;
};

}  // namespace tolva::platform
