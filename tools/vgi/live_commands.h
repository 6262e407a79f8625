#pragma once
// The immediate window's commands for time and disks: deliver timer ticks, move the manual
// clock on, set the wall time that live fields read, and map drive letters.
//   :tick time|disk [N]   N ticks (default 1) of that timer, only while it runs
//   :advance MS           move the clock on, delivering what falls due in time order
//   :now YYYY-MM-DD HH:MM:SS
//   :disk X FREE TOTAL | :disk X fail | :disk X PATH
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "control/varigauge.h"
#include "platform/disk/disk_map.h"
#include "platform/host/headless_host.h"

namespace vg::vgi {

class LiveCommands {
 public:
  // Runs the command if it is one of these. Returns false for any other command; on a bad
  // command sets `error` and returns true.
  bool Run(const std::vector<std::string>& words, std::string_view line, HeadlessHost& host,
           Varigauge& control, std::string* error);

 private:
  std::string Disk(const std::vector<std::string>& words, std::string_view line,
                   HeadlessHost& host);

  std::shared_ptr<DiskMap> disks_;
};

}  // namespace vg::vgi
