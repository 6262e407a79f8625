#pragma once
// Free and total space of a drive letter. A drive letter names a mounted file system
// through the thread's disk provider: by default the machine's mounts (MountedDrives:
// "c" is the root file system, "d", "e", ... the further block-device file systems in
// the order the system lists them); a host or a test may install its own map.
#include <cstdint>
#include <memory>

namespace vg {

struct DiskSpace {
  uint64_t free_bytes = 0;   // space available to the user
  uint64_t total_bytes = 0;  // size of the file system
};

class DiskProvider {
 public:
  virtual ~DiskProvider() = default;
  // The space of drive `drive` (a letter, either case); false when there is no such drive
  // or it cannot be asked.
  virtual bool Query(char drive, DiskSpace* out) = 0;
};

// The space of the file system holding `path` (statvfs: free = available blocks, total =
// all blocks, each times the fragment size).
bool SpaceOfPath(const char* path, DiskSpace* out);

// The lower-case letter a-z a drive character names, or 0 for any other character.
char DriveLetter(char drive);

// Installs `provider` for the calling thread; null restores the machine's mounts.
void InstallThreadDiskProvider(std::shared_ptr<DiskProvider> provider);
DiskProvider& ThreadDiskProvider();

// The space of drive `drive` through the calling thread's provider.
bool GetDiskFreeSpace(char drive, DiskSpace* out);

// Installs a provider for the calling thread for the life of this object.
class ScopedDiskProvider {
 public:
  explicit ScopedDiskProvider(std::shared_ptr<DiskProvider> provider);
  ~ScopedDiskProvider();
  ScopedDiskProvider(const ScopedDiskProvider&) = delete;
  ScopedDiskProvider& operator=(const ScopedDiskProvider&) = delete;

 private:
  std::shared_ptr<DiskProvider> previous_;
};

}  // namespace vg
