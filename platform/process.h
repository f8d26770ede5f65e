#pragma once
#include <cstdint>

namespace tolva::platform {

class Process {
 public:
  virtual ~Process() = default;
  // As GetCurrentDirectoryA: on success the length copied (without the terminator); when the
  // buffer is too small, the size needed (terminator included) and the buffer is left alone;
  // 0 on failure.
  virtual std::uint32_t GetCurrentDirectoryA(std::uint32_t capacity, char* buffer) = 0;
  // As GetModuleFileNameA for the program's own file: the length copied (without the
  // terminator); the capacity itself when the path was cut; 0 on failure.
  virtual std::uint32_t GetModuleFileNameA(char* buffer, std::uint32_t capacity) = 0;
};

}  // namespace tolva::platform
