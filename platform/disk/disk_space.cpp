#include "platform/disk/disk_space.h"

#include <sys/statvfs.h>

#include "platform/disk/mounted_drives.h"

namespace vg {
namespace {

thread_local std::shared_ptr<DiskProvider> installed_provider;

}  // namespace

bool SpaceOfPath(const char* path, DiskSpace* out) {
  struct statvfs st {};
  if (path == nullptr || *path == '\0' || statvfs(path, &st) != 0) return false;
  out->free_bytes = static_cast<uint64_t>(st.f_bavail) * st.f_frsize;
  out->total_bytes = static_cast<uint64_t>(st.f_blocks) * st.f_frsize;
  return true;
}

char DriveLetter(char drive) {
  if (drive >= 'A' && drive <= 'Z') return static_cast<char>(drive - 'A' + 'a');
  if (drive >= 'a' && drive <= 'z') return drive;
  return 0;
}

void InstallThreadDiskProvider(std::shared_ptr<DiskProvider> provider) {
  installed_provider = std::move(provider);
}

DiskProvider& ThreadDiskProvider() {
  if (installed_provider) return *installed_provider;
  thread_local MountedDrives machine;
  return machine;
}

bool GetDiskFreeSpace(char drive, DiskSpace* out) {
  return ThreadDiskProvider().Query(drive, out);
}

ScopedDiskProvider::ScopedDiskProvider(std::shared_ptr<DiskProvider> provider)
    : previous_(installed_provider) {
  InstallThreadDiskProvider(std::move(provider));
}

ScopedDiskProvider::~ScopedDiskProvider() {
  InstallThreadDiskProvider(std::move(previous_));
}

}  // namespace vg
