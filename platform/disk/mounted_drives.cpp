#include "platform/disk/mounted_drives.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>

namespace vg {
namespace {

// The next blank-separated field of a mounts line, with its octal escapes undone.
std::string Field(std::string_view line, size_t* at) {
  std::string out;
  size_t i = *at;
  while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
  for (; i < line.size() && line[i] != ' ' && line[i] != '\t'; ++i) {
    if (line[i] == '\\' && i + 3 < line.size() && line[i + 1] >= '0' && line[i + 1] <= '3' &&
        line[i + 2] >= '0' && line[i + 2] <= '7' && line[i + 3] >= '0' && line[i + 3] <= '7') {
      out.push_back(static_cast<char>((line[i + 1] - '0') * 64 + (line[i + 2] - '0') * 8 +
                                      (line[i + 3] - '0')));
      i += 3;
    } else {
      out.push_back(line[i]);
    }
  }
  *at = i;
  return out;
}

}  // namespace

std::vector<std::string> DriveMountPoints(std::string_view mounts) {
  std::vector<std::string> points;
  while (!mounts.empty()) {
    const size_t end = std::min(mounts.find('\n'), mounts.size());
    const std::string_view line = mounts.substr(0, end);
    mounts.remove_prefix(std::min(end + 1, mounts.size()));
    size_t at = 0;
    const std::string source = Field(line, &at);
    std::string point = Field(line, &at);
    if (source.rfind("/dev/", 0) != 0 || point.empty() || point == "/") continue;
    if (std::find(points.begin(), points.end(), point) == points.end())
      points.push_back(std::move(point));
  }
  return points;
}

MountedDrives::~MountedDrives() {
  if (fd_ >= 0) close(fd_);
}

void MountedDrives::Refresh() {
  if (fd_ < 0) {
    fd_ = open("/proc/self/mounts", O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) return;  // no listing: only drive c
  } else if (loaded_) {
    // The mount table signals a change as an exceptional condition on the open listing.
    pollfd p{fd_, POLLPRI, 0};
    if (poll(&p, 1, 0) <= 0 || (p.revents & (POLLPRI | POLLERR)) == 0) return;
  }
  text_.clear();
  if (lseek(fd_, 0, SEEK_SET) != 0) return;
  char chunk[4096];
  for (;;) {
    const ssize_t n = read(fd_, chunk, sizeof chunk);
    if (n <= 0) break;
    text_.append(chunk, static_cast<size_t>(n));
  }
  mount_points_ = DriveMountPoints(text_);
  loaded_ = true;
}

const char* MountedDrives::Lookup(char letter) {
  if (letter == 'c') return "/";
  if (letter < 'd') return nullptr;
  Refresh();
  const size_t index = static_cast<size_t>(letter - 'd');
  return index < mount_points_.size() ? mount_points_[index].c_str() : nullptr;
}

bool MountedDrives::Query(char drive, DiskSpace* out) {
  const char letter = DriveLetter(drive);
  if (letter == 0) return false;
  const char* point = Lookup(letter);
  return point != nullptr && SpaceOfPath(point, out);
}

std::string MountedDrives::MountPointOf(char drive) {
  const char letter = DriveLetter(drive);
  const char* point = letter ? Lookup(letter) : nullptr;
  return point ? point : "";
}

}  // namespace vg
