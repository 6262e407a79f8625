#pragma once
// The seven named date and time formats of the live text fields. In the C (POSIX) locale
// and in the en_US locales they give the American forms: 17:45, 05:45 PM, 5:45:12 PM,
// 12/7/2026 5:45:12 PM, 12/7/2026, 07-Dec-26, Monday, December 7, 2026. Any other LC_TIME
// locale gives its own time and date formats and names from the C library's locale data.
// "General date" leaves out the time at exactly midnight.
#include <cstddef>

#include "platform/timers/local_time.h"

namespace vg {

enum class NamedDateFormat {
  ShortTime,
  MediumTime,
  LongTime,
  GeneralDate,
  ShortDate,
  MediumDate,
  LongDate,
};

inline constexpr size_t kDateTextCapacity = 128;

// Writes `t` in format `format` into `out` (kDateTextCapacity bytes); returns the length.
// Allocates nothing.
size_t FormatNamedDate(NamedDateFormat format, const LocalTime& t, char* out);

}  // namespace vg
