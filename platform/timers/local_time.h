#pragma once
// Local wall-clock time as the live text fields show it: a civil date and time of day in
// the user's time zone, with the day of the week. Arithmetic on it is naive (no daylight
// saving steps), which is what a clock set by hand and moved on by milliseconds needs.
#include <cstdint>
#include <optional>
#include <string_view>

namespace vg {

struct LocalTime {
  int32_t year = 1970;
  int32_t month = 1;  // 1..12
  int32_t day = 1;    // 1..31
  int32_t hour = 0;
  int32_t minute = 0;
  int32_t second = 0;
  int32_t millisecond = 0;
  int32_t weekday = 4;  // 0 = Sunday; 1 January 1970 was a Thursday

  friend bool operator==(const LocalTime&, const LocalTime&) = default;
};

// Milliseconds since 1970-01-01 00:00:00 of the same (naive, zone-free) calendar, and back.
int64_t ToNaiveMilliseconds(const LocalTime& t);
LocalTime FromNaiveMilliseconds(int64_t ms);

// The date and time given; the weekday is computed. Nothing when a field is out of range
// (month 13, 31 April, hour 24, ...).
std::optional<LocalTime> MakeLocalTime(int32_t year, int32_t month, int32_t day, int32_t hour,
                                       int32_t minute, int32_t second);

// "YYYY-MM-DD HH:MM:SS" (exactly that shape), or nothing.
std::optional<LocalTime> ParseLocalTime(std::string_view text);

// The system's local time now.
LocalTime SystemLocalTime();

// A source of the local time.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalTime Now() const = 0;
};

// The system clock.
const Clock& SystemClock();

}  // namespace vg
