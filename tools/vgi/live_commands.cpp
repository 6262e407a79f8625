#include "tools/vgi/live_commands.h"

#include <algorithm>
#include <charconv>

#include "platform/automation/dispatch.h"
#include "platform/timers/local_time.h"

namespace vg::vgi {
namespace {

// The most one command may deliver: ten minutes of the clock (at most 60000 ticks of a
// timer at the 10 ms minimum) and 10000 ticks, so that every command stays short.
constexpr int64_t kMaxAdvance = 600000;
constexpr int64_t kMaxTicks = 10000;

bool Number(const std::string& text, uint64_t* value) {
  const auto r = std::from_chars(text.data(), text.data() + text.size(), *value);
  return r.ec == std::errc() && r.ptr == text.data() + text.size();
}

}  // namespace

std::string LiveCommands::Tick(const std::vector<std::string>& w, HeadlessHost& host,
                               const Varigauge& control) {
  const bool time = w.size() >= 2 && NameEquals(w[1], "time");
  const bool disk = w.size() >= 2 && NameEquals(w[1], "disk");
  if (w.size() < 2 || w.size() > 3 || (!time && !disk)) return "usage: :tick time|disk [N]";
  uint64_t n = 1;
  if (w.size() == 3 && (!Number(w[2], &n) || n > kMaxTicks))
    return "bad tick count: " + w[2] + " (0 to " + std::to_string(kMaxTicks) + ")";
  const IntervalTimer* timer =
      time ? control.timerTimeInformation() : control.timerDiskInformation();
  // Each tick goes through the service, so a timer stopped by a tick gets no more.
  for (uint64_t i = 0; i < n && timer && timer->get_Enabled(); ++i)
    if (!host.clock().DeliverTick(timer->TimerID())) break;
  return {};
}

std::string LiveCommands::Advance(const std::vector<std::string>& w, HeadlessHost& host) {
  uint64_t n = 0;
  if (w.size() != 2 || !Number(w[1], &n) || n > static_cast<uint64_t>(kMaxAdvance))
    return "usage: :advance MS (0 to " + std::to_string(kMaxAdvance) + ")";
  host.clock().Advance(static_cast<int64_t>(n));
  return {};
}

std::string LiveCommands::Now(std::string_view when, HeadlessHost& host) {
  const auto t = ParseLocalTime(when);
  if (!t) return "usage: :now YYYY-MM-DD HH:MM:SS (a valid date and time)";
  host.clock().SetWallTime(*t);
  return {};
}

std::string LiveCommands::Disk(const std::vector<std::string>& w, std::string_view path_text,
                               HeadlessHost& host) {
  const char* usage = "usage: :disk X FREE TOTAL | :disk X fail | :disk X PATH";
  if (w.size() < 3 || w[1].size() != 1 || DriveLetter(w[1][0]) == 0) return usage;
  if (!disks_) {
    disks_ = std::make_shared<DiskMap>();
    host.SetDrives(disks_);
  }
  const char drive = w[1][0];
  uint64_t free_bytes = 0, total_bytes = 0;
  if (w.size() == 4 && Number(w[2], &free_bytes) && Number(w[3], &total_bytes)) {
    if (free_bytes > total_bytes) return "free bytes exceed the total";
    disks_->SetBytes(drive, free_bytes, total_bytes);
  } else if (w.size() == 3 && NameEquals(w[2], "fail")) {
    disks_->SetFailing(drive);
  } else {
    const std::string path(path_text);
    DiskSpace probe;
    if (!SpaceOfPath(path.c_str(), &probe)) return "no file system holds " + path;
    disks_->SetPath(drive, path);
  }
  return {};
}

}  // namespace vg::vgi
