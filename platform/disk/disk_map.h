#pragma once
// A drive map a host or a test installs: chosen letters report fixed byte counts, fail,
// or stand for the file system holding a path; every other letter asks the fallback
// provider (by default the machine's mounts).
#include <array>
#include <memory>
#include <string>

#include "platform/disk/disk_space.h"

namespace vg {

class DiskMap : public DiskProvider {
 public:
  explicit DiskMap(std::shared_ptr<DiskProvider> fallback = nullptr);

  // Each returns false for a character that is no drive letter. Free space beyond the
  // total is taken as the total.
  bool SetBytes(char drive, uint64_t free_bytes, uint64_t total_bytes);
  bool SetFailing(char drive);
  bool SetPath(char drive, std::string path);
  // Back to the fallback provider.
  bool Reset(char drive);

  bool Query(char drive, DiskSpace* out) override;

 private:
  enum class Kind { Fallback, Bytes, Failing, Path };
  struct Entry {
    Kind kind = Kind::Fallback;
    DiskSpace space;
    std::string path;
  };
  Entry* At(char drive);

  std::shared_ptr<DiskProvider> fallback_;
  std::array<Entry, 26> entries_;
};

}  // namespace vg
