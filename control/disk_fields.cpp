#include "control/disk_fields.h"

#include <langinfo.h>

#include <algorithm>
#include <cstring>

namespace vg {
namespace {

// The locale's thousands separator; "," where it has none.
const char* ThousandsSeparator() {
  const char* sep = nl_langinfo(THOUSEP);
  return sep != nullptr && *sep != '\0' ? sep : ",";
}

uint64_t Figure(const DiskSpace& s, DiskFigure figure) {
  switch (figure) {
    case DiskFigure::Free:
      return s.free_bytes;
    case DiskFigure::Used:
      return s.total_bytes - s.free_bytes;
    case DiskFigure::Total:
      break;
  }
  return s.total_bytes;
}

std::string Text(DiskProvider& disk, char drive, DiskFigure figure) {
  char buffer[40];
  return std::string(buffer, DiskFigureTo(disk, drive, figure, buffer));
}

float Ratio(DiskProvider& disk, char drive, bool used) {
  DiskSpace s;
  if (!QueryDisk(disk, drive, &s)) return 0.0f;
  return static_cast<float>(used ? RatioUsed(s) : RatioFree(s));
}

}  // namespace

bool QueryDisk(DiskProvider& disk, char drive, DiskSpace* space) {
  if (!disk.Query(drive, space)) return false;
  if (space->free_bytes > space->total_bytes) space->free_bytes = space->total_bytes;
  return true;
}

size_t FormatGrouped(uint64_t value, char* out) {
  char digits[24];
  int n = 0;
  do digits[n++] = static_cast<char>('0' + value % 10), value /= 10;
  while (value > 0);
  while (n < 4) digits[n++] = '0';
  // A multibyte separator (such as a narrow no-break space) is cut to what fits: 20 digits
  // and 6 separators of at most 3 bytes stay within 40 bytes.
  const char* sep = ThousandsSeparator();
  const size_t sep_len = std::min<size_t>(std::strlen(sep), 3);
  size_t len = 0;
  for (int i = n - 1; i >= 0; --i) {
    out[len++] = digits[i];
    if (i > 0 && i % 3 == 0) {
      std::memcpy(out + len, sep, sep_len);
      len += sep_len;
    }
  }
  return len;
}

int32_t RatioFree(const DiskSpace& s) {
  if (s.total_bytes == 0) return 0;
  return static_cast<int32_t>(static_cast<unsigned __int128>(s.free_bytes) * 100 / s.total_bytes);
}

int32_t RatioUsed(const DiskSpace& s) {
  if (s.total_bytes == 0) return 0;
  return static_cast<int32_t>(static_cast<unsigned __int128>(s.total_bytes - s.free_bytes) * 100 /
                              s.total_bytes);
}

size_t DiskFigureTo(DiskProvider& disk, char drive, DiskFigure figure, char* out) {
  DiskSpace s;
  if (!QueryDisk(disk, drive, &s)) {
    out[0] = '?';
    return 1;
  }
  return FormatGrouped(Figure(s, figure), out);
}

std::string DiskFree(DiskProvider& disk, char drive) {
  return Text(disk, drive, DiskFigure::Free);
}
std::string DiskUsed(DiskProvider& disk, char drive) {
  return Text(disk, drive, DiskFigure::Used);
}
std::string DiskTotal(DiskProvider& disk, char drive) {
  return Text(disk, drive, DiskFigure::Total);
}
float DiskRatioFree(DiskProvider& disk, char drive) {
  return Ratio(disk, drive, false);
}
float DiskRatioUsed(DiskProvider& disk, char drive) {
  return Ratio(disk, drive, true);
}

std::string DiskFree(char drive) {
  return DiskFree(ThreadDiskProvider(), drive);
}
std::string DiskUsed(char drive) {
  return DiskUsed(ThreadDiskProvider(), drive);
}
std::string DiskTotal(char drive) {
  return DiskTotal(ThreadDiskProvider(), drive);
}
float DiskRatioFree(char drive) {
  return DiskRatioFree(ThreadDiskProvider(), drive);
}
float DiskRatioUsed(char drive) {
  return DiskRatioUsed(ThreadDiskProvider(), drive);
}

}  // namespace vg
