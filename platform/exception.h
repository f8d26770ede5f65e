#pragma once
#include <stdexcept>
#include <string>

namespace tolva {

// The program's base exception: a message meant for the user, shown in the standard error box.
class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& message) : std::runtime_error(message) {}
};

// Ends the current operation without any report.
class Abort : public Exception {
 public:
  Abort() : Exception("Operation aborted") {}
};

}  // namespace tolva
