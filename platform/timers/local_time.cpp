#include "platform/timers/local_time.h"

#include <ctime>

namespace vg {
namespace {

constexpr int64_t kMsPerDay = 86400000;

// Days since 1970-01-01 of a proleptic Gregorian date, and back (the usual era arithmetic:
// 400-year eras of 146097 days starting on 1 March).
int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int32_t* year, int32_t* month, int32_t* day) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  const int64_t d = doy - (153 * mp + 2) / 5 + 1;
  const int64_t m = mp < 10 ? mp + 3 : mp - 9;
  *year = static_cast<int32_t>(yoe + era * 400 + (m <= 2));
  *month = static_cast<int32_t>(m);
  *day = static_cast<int32_t>(d);
}

int DaysInMonth(int32_t year, int32_t month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

int64_t FloorDiv(int64_t a, int64_t b) {
  return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

bool Digits(std::string_view text, size_t at, size_t n, int32_t* value) {
  int32_t v = 0;
  for (size_t i = at; i < at + n; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    v = v * 10 + (text[i] - '0');
  }
  *value = v;
  return true;
}

}  // namespace

int64_t ToNaiveMilliseconds(const LocalTime& t) {
  const int64_t days = DaysFromCivil(t.year, t.month, t.day);
  return days * kMsPerDay + ((t.hour * 60 + t.minute) * 60 + t.second) * int64_t{1000} +
         t.millisecond;
}

LocalTime FromNaiveMilliseconds(int64_t ms) {
  LocalTime t;
  const int64_t days = FloorDiv(ms, kMsPerDay);
  int64_t rest = ms - days * kMsPerDay;
  CivilFromDays(days, &t.year, &t.month, &t.day);
  t.millisecond = static_cast<int32_t>(rest % 1000);
  rest /= 1000;
  t.second = static_cast<int32_t>(rest % 60);
  t.minute = static_cast<int32_t>(rest / 60 % 60);
  t.hour = static_cast<int32_t>(rest / 3600);
  t.weekday = static_cast<int32_t>(days + 4 - 7 * FloorDiv(days + 4, 7));
  return t;
}

std::optional<LocalTime> MakeLocalTime(int32_t year, int32_t month, int32_t day, int32_t hour,
                                       int32_t minute, int32_t second) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
      day > DaysInMonth(year, month) || hour < 0 || hour > 23 || minute < 0 || minute > 59 ||
      second < 0 || second > 59)
    return std::nullopt;
  LocalTime t;
  t.year = year;
  t.month = month;
  t.day = day;
  t.hour = hour;
  t.minute = minute;
  t.second = second;
  return FromNaiveMilliseconds(ToNaiveMilliseconds(t));  // fills in the weekday
}

std::optional<LocalTime> ParseLocalTime(std::string_view text) {
  // 0123456789012345678
  // YYYY-MM-DD HH:MM:SS
  if (text.size() != 19 || text[4] != '-' || text[7] != '-' || text[10] != ' ' || text[13] != ':' ||
      text[16] != ':')
    return std::nullopt;
  int32_t y, mo, d, h, mi, s;
  if (!Digits(text, 0, 4, &y) || !Digits(text, 5, 2, &mo) || !Digits(text, 8, 2, &d) ||
      !Digits(text, 11, 2, &h) || !Digits(text, 14, 2, &mi) || !Digits(text, 17, 2, &s))
    return std::nullopt;
  return MakeLocalTime(y, mo, d, h, mi, s);
}

LocalTime SystemLocalTime() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  std::tm tm{};
  localtime_r(&now.tv_sec, &tm);
  LocalTime t;
  t.year = tm.tm_year + 1900;
  t.month = tm.tm_mon + 1;
  t.day = tm.tm_mday;
  t.hour = tm.tm_hour;
  t.minute = tm.tm_min;
  t.second = tm.tm_sec > 59 ? 59 : tm.tm_sec;  // a leap second shows as :59
  t.millisecond = static_cast<int32_t>(now.tv_nsec / 1000000);
  t.weekday = tm.tm_wday;
  return t;
}

const Clock& SystemClock() {
  struct System final : Clock {
    LocalTime Now() const override { return SystemLocalTime(); }
  };
  static const System clock;
  return clock;
}

}  // namespace vg
