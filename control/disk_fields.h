#pragma once
// Free, used and total space of a drive letter as the live text fields show
// them. Byte counts become grouped text: at least four digits, grouped by threes with the
// locale's thousands separator ("," where the locale has none, as in the C locale), so
// 1234567 shows as 1,234,567 and 5 as 0,005. A drive that cannot be asked gives "?" and a
// ratio of 0; so does a drive whose total is 0 bytes, for its ratios.
//
// Each operation asks `disk` afresh (the calling thread's provider unless one is given).
// The *To forms write into a caller's buffer and allocate nothing, for the render pass.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/disk/disk_space.h"

namespace vg {

// The grouped text of `value` into `out` (at least 40 bytes); returns its length.
size_t FormatGrouped(uint64_t value, char* out);

// Asks `disk` for drive `drive`; free space beyond the total is taken as the total.
bool QueryDisk(DiskProvider& disk, char drive, DiskSpace* space);

// Integer percentages of a successful answer (0 for a drive of no size): exact, so that
// 29 of 100 bytes is 29 and not 28.
int32_t RatioFree(const DiskSpace& space);
int32_t RatioUsed(const DiskSpace& space);

enum class DiskFigure { Free, Used, Total };
// The grouped figure, or "?"; returns the length. `out` holds at least 40 bytes.
size_t DiskFigureTo(DiskProvider& disk, char drive, DiskFigure figure, char* out);

std::string DiskFree(char drive);
std::string DiskUsed(char drive);
std::string DiskTotal(char drive);
float DiskRatioFree(char drive);
float DiskRatioUsed(char drive);

std::string DiskFree(DiskProvider& disk, char drive);
std::string DiskUsed(DiskProvider& disk, char drive);
std::string DiskTotal(DiskProvider& disk, char drive);
float DiskRatioFree(DiskProvider& disk, char drive);
float DiskRatioUsed(DiskProvider& disk, char drive);

}  // namespace vg
