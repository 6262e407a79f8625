#include "platform/disk/disk_map.h"

#include <algorithm>

#include "platform/disk/mounted_drives.h"

namespace vg {

DiskMap::DiskMap(std::shared_ptr<DiskProvider> fallback)
    : fallback_(fallback ? std::move(fallback) : std::make_shared<MountedDrives>()) {}

DiskMap::Entry* DiskMap::At(char drive) {
  const char letter = DriveLetter(drive);
  return letter ? &entries_[static_cast<size_t>(letter - 'a')] : nullptr;
}

bool DiskMap::SetBytes(char drive, uint64_t free_bytes, uint64_t total_bytes) {
  Entry* e = At(drive);
  if (!e) return false;
  *e = Entry{Kind::Bytes, {std::min(free_bytes, total_bytes), total_bytes}, {}};
  return true;
}

bool DiskMap::SetFailing(char drive) {
  Entry* e = At(drive);
  if (!e) return false;
  *e = Entry{Kind::Failing, {}, {}};
  return true;
}

bool DiskMap::SetPath(char drive, std::string path) {
  Entry* e = At(drive);
  if (!e) return false;
  *e = Entry{Kind::Path, {}, std::move(path)};
  return true;
}

bool DiskMap::Reset(char drive) {
  Entry* e = At(drive);
  if (!e) return false;
  *e = Entry{};
  return true;
}

bool DiskMap::Query(char drive, DiskSpace* out) {
  Entry* e = At(drive);
  if (!e) return false;
  switch (e->kind) {
    case Kind::Bytes:
      *out = e->space;
      return true;
    case Kind::Failing:
      return false;
    case Kind::Path:
      return SpaceOfPath(e->path.c_str(), out);
    case Kind::Fallback:
      break;
  }
  return fallback_->Query(drive, out);
}

}  // namespace vg
