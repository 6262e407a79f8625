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
  // Each runs its command from its `words` (the name first) and returns the error, empty
  // when none. `when` is the text after :now; `path` the text after :disk X.
  std::string Tick(const std::vector<std::string>& words, HeadlessHost& host,
                   const Varigauge& control);
  std::string Advance(const std::vector<std::string>& words, HeadlessHost& host);
  std::string Now(std::string_view when, HeadlessHost& host);
  std::string Disk(const std::vector<std::string>& words, std::string_view path,
                   HeadlessHost& host);

 private:
  std::shared_ptr<DiskMap> disks_;
};

}  // namespace vg::vgi
