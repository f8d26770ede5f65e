#pragma once
#include <cstdint>

namespace tolva::platform {

// The private-profile (INI file) functions of kernel32. A file named without a folder lives in the
// Windows directory.
class ProfileFiles {
 public:
  virtual ~ProfileFiles() = default;
  // Copies the value, or the default when the file, section or key is missing, cut to
  // capacity - 1 characters and terminated. Returns the number of characters copied.
  virtual std::uint32_t GetPrivateProfileStringA(const char* section, const char* key,
                                                 const char* defaultValue, char* buffer,
                                                 std::uint32_t capacity, const char* fileName) = 0;
  // Creates the file, section and key as needed and replaces the value.
  virtual bool WritePrivateProfileStringA(const char* section, const char* key, const char* value,
                                          const char* fileName) = 0;
  // As GetWindowsDirectoryA, where a file named without a folder lives: the length copied
  // (without the terminator); when the buffer is too small, the size needed and the buffer
  // left alone; 0 on failure.
  virtual std::uint32_t GetWindowsDirectoryA(char* buffer, std::uint32_t capacity) = 0;
};

}  // namespace tolva::platform
