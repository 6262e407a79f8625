#include "control/date_formats.h"

#include <langinfo.h>

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string_view>

namespace vg {
namespace {

constexpr const char* kMonths[] = {"January",   "February", "March",    "April",
                                   "May",       "June",     "July",     "August",
                                   "September", "October",  "November", "December"};
constexpr const char* kDays[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                 "Thursday", "Friday", "Saturday"};

// True when the time locale is C/POSIX or American English, whose forms are fixed here.
bool AmericanForms() {
  const char* name = std::setlocale(LC_TIME, nullptr);
  if (name == nullptr) return true;
  const std::string_view n(name);
  return n == "C" || n == "POSIX" || n.starts_with("C.") || n.starts_with("en_US");
}

// Names by index, safe for any value a clock may give.
const char* MonthName(const LocalTime& t) {
  return kMonths[t.month >= 1 && t.month <= 12 ? t.month - 1 : 0];
}
const char* DayName(const LocalTime& t) {
  return kDays[(t.weekday % 7 + 7) % 7];
}

int Hour12(const LocalTime& t) {
  return t.hour % 12 == 0 ? 12 : t.hour % 12;
}

const char* AmPm(const LocalTime& t) {
  return t.hour < 12 ? "AM" : "PM";
}

bool Midnight(const LocalTime& t) {
  return t.hour == 0 && t.minute == 0 && t.second == 0;
}

// The times a clock shows every second, written without the formatter's parsing: "H:MM:SS
// AM" (hours unpadded when `pad_hour` is false), with or without seconds and the AM/PM mark.
// False, having written nothing, for a field of more than two digits or one that does not
// fit `cap` bytes; the general formatting then writes it.
bool WriteClock(int hour, bool pad_hour, int minute, const int* second, const char* mark, char* out,
                size_t cap, size_t* length) {
  const auto fits = [](int v) { return v >= 0 && v <= 99; };
  if (!fits(hour) || !fits(minute) || (second && !fits(*second)) || cap < 16) return false;
  char* p = out;
  const auto two = [&p](int v, bool pad) {
    if (pad || v >= 10) *p++ = static_cast<char>('0' + v / 10);
    *p++ = static_cast<char>('0' + v % 10);
  };
  two(hour, pad_hour);
  *p++ = ':';
  two(minute, true);
  if (second) *p++ = ':', two(*second, true);
  if (mark) *p++ = ' ', *p++ = mark[0], *p++ = mark[1];
  *p = '\0';
  *length = static_cast<size_t>(p - out);
  return true;
}

// Writes the American form into `out`, which holds `cap` bytes.
size_t American(NamedDateFormat format, const LocalTime& t, char* out, size_t cap) {
  auto Clip = [cap](int n) {
    return n < 0 ? size_t{0} : std::min(static_cast<size_t>(n), cap - 1);
  };
  // The clock forms are written directly; a field beyond two digits takes the formatter.
  size_t length = 0;
  switch (format) {
    case NamedDateFormat::ShortTime:
      if (WriteClock(t.hour, true, t.minute, nullptr, nullptr, out, cap, &length)) return length;
      return Clip(std::snprintf(out, cap, "%02d:%02d", t.hour, t.minute));
    case NamedDateFormat::MediumTime:
      if (WriteClock(Hour12(t), true, t.minute, nullptr, AmPm(t), out, cap, &length)) return length;
      return Clip(std::snprintf(out, cap, "%02d:%02d %s", Hour12(t), t.minute, AmPm(t)));
    case NamedDateFormat::LongTime:
      if (WriteClock(Hour12(t), false, t.minute, &t.second, AmPm(t), out, cap, &length))
        return length;
      return Clip(
          std::snprintf(out, cap, "%d:%02d:%02d %s", Hour12(t), t.minute, t.second, AmPm(t)));
    case NamedDateFormat::ShortDate:
      return Clip(std::snprintf(out, cap, "%d/%d/%d", t.month, t.day, t.year));
    case NamedDateFormat::GeneralDate: {
      size_t n = American(NamedDateFormat::ShortDate, t, out, cap);
      if (Midnight(t) || n + 2 >= cap) return n;
      out[n++] = ' ';
      return n + American(NamedDateFormat::LongTime, t, out + n, cap - n);
    }
    case NamedDateFormat::MediumDate:
      return Clip(std::snprintf(out, cap, "%02d-%.3s-%02d", t.day, MonthName(t), t.year % 100));
    case NamedDateFormat::LongDate:
      return Clip(
          std::snprintf(out, cap, "%s, %s %d, %d", DayName(t), MonthName(t), t.day, t.year));
  }
  return 0;
}

std::tm ToTm(const LocalTime& t) {
  std::tm tm{};
  tm.tm_year = t.year - 1900;
  tm.tm_mon = t.month - 1;
  tm.tm_mday = t.day;
  tm.tm_hour = t.hour;
  tm.tm_min = t.minute;
  tm.tm_sec = t.second;
  tm.tm_wday = t.weekday;
  LocalTime jan1 = t;
  jan1.month = jan1.day = 1;
  jan1.hour = jan1.minute = jan1.second = jan1.millisecond = 0;
  tm.tm_yday = static_cast<int>((ToNaiveMilliseconds(t) - ToNaiveMilliseconds(jan1)) / 86400000);
  tm.tm_isdst = -1;
  return tm;
}

size_t Strftime(const char* pattern, const std::tm& tm, char* out) {
  return std::strftime(out, kDateTextCapacity, pattern, &tm);
}

// Whether the locale's short date puts the month before the day.
bool MonthFirst(const char* date_format) {
  const char* d = std::strstr(date_format, "%d");
  const char* e = std::strstr(date_format, "%e");
  const char* day = d && (!e || d < e) ? d : e;
  const char* m = std::strstr(date_format, "%m");
  const char* b = std::strstr(date_format, "%b");
  const char* month = m && (!b || m < b) ? m : b;
  return day && month && month < day;
}

size_t Local(NamedDateFormat format, const LocalTime& t, char* out) {
  const std::tm tm = ToTm(t);
  switch (format) {
    case NamedDateFormat::ShortTime:
      return Strftime("%H:%M", tm, out);
    case NamedDateFormat::MediumTime: {
      size_t n = Strftime("%I:%M %p", tm, out);
      while (n > 0 && out[n - 1] == ' ') --n;  // a locale without AM/PM designators
      return n;
    }
    case NamedDateFormat::LongTime:
      return Strftime(nl_langinfo(T_FMT), tm, out);
    case NamedDateFormat::ShortDate:
      return Strftime(nl_langinfo(D_FMT), tm, out);
    case NamedDateFormat::GeneralDate: {
      size_t n = Strftime(nl_langinfo(D_FMT), tm, out);
      if (Midnight(t) || n + 1 >= kDateTextCapacity) return n;
      out[n++] = ' ';
      return n + std::strftime(out + n, kDateTextCapacity - n, nl_langinfo(T_FMT), &tm);
    }
    case NamedDateFormat::MediumDate:
      return Strftime("%d-%b-%y", tm, out);
    case NamedDateFormat::LongDate:
      // The C library keeps no long date format: the full weekday, day, month name and
      // year, in the order of the locale's short date.
      return Strftime(MonthFirst(nl_langinfo(D_FMT)) ? "%A, %B %-d, %Y" : "%A, %-d %B %Y", tm, out);
  }
  return 0;
}

}  // namespace

size_t FormatNamedDate(NamedDateFormat format, const LocalTime& t, char* out) {
  out[0] = '\0';
  return AmericanForms() ? American(format, t, out, kDateTextCapacity) : Local(format, t, out);
}

}  // namespace vg
