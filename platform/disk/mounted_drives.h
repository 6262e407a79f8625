#pragma once
// Drive letters over the machine's mounts: "c" is the root file system "/"; "d", "e", ...
// are the further file systems mounted from a block device (a source starting with
// "/dev/"), in the order /proc/self/mounts lists them, each mount point once. Pseudo file
// systems (proc, sysfs, tmpfs, cgroup, overlays, ...) get no letter. The list is read
// again only when the system reports a change of the mount table.
#include <string>
#include <string_view>
#include <vector>

#include "platform/disk/disk_space.h"

namespace vg {

// The mount points of drives d, e, ... in a mounts listing (lines "source mountpoint type
// options dump pass", blanks in fields written as octal escapes such as \040).
std::vector<std::string> DriveMountPoints(std::string_view mounts);

class MountedDrives : public DiskProvider {
 public:
  MountedDrives() = default;
  ~MountedDrives() override;
  MountedDrives(const MountedDrives&) = delete;
  MountedDrives& operator=(const MountedDrives&) = delete;

  bool Query(char drive, DiskSpace* out) override;
  // The mount point of a drive letter, or "" when the letter names no drive.
  std::string MountPointOf(char drive);

 private:
  // The mount point of drive `letter` (a lower-case letter), or null.
  const char* Lookup(char letter);
  void Refresh();

  int fd_ = -1;
  bool loaded_ = false;
  std::string text_;                       // the last listing read
  std::vector<std::string> mount_points_;  // drives d, e, ...
};

}  // namespace vg
