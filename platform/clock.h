#pragma once

namespace tolva::platform {

// A local date and time, as Win32's SYSTEMTIME holds it.
struct LocalTime {
  int year = 2000;
  int month = 1;      // 1..12
  int dayOfWeek = 6;  // 0 Sunday .. 6 Saturday
  int day = 1;        // 1..31
  int hour = 0;
  int minute = 0;
  int second = 0;
  int millisecond = 0;
  friend bool operator==(const LocalTime&, const LocalTime&) = default;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalTime GetLocalTime() = 0;
};

}  // namespace tolva::platform
