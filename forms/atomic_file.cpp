#include "forms/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "forms/form_error.h"

namespace vg::forms {
namespace {

std::string FolderOf(const std::string& path) {
  size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

[[noreturn]] void Fail(const std::string& path, const std::string& what, int error) {
  throw FormError(path + ": " + what + ": " + std::strerror(error));
}

// The mode the new file gets: the old file's, or what a newly created file would get.
mode_t ModeFor(const std::string& path) {
  struct stat old;
  if (stat(path.c_str(), &old) == 0) return old.st_mode & 07777;
  mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

void WriteAll(int fd, std::string_view bytes, const std::string& path, const WriteCall& call) {
  while (!bytes.empty()) {
    ssize_t n = call ? call(fd, bytes.data(), bytes.size()) : write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    // A write that takes nothing is a full disk too (write(2) says so with ENOSPC).
    if (n <= 0) Fail(path, "cannot write", n < 0 ? errno : ENOSPC);
    bytes.remove_prefix(static_cast<size_t>(n));
  }
}

}  // namespace

void WriteFileAtomically(const std::string& path, std::string_view bytes,
                         const std::function<void()>& before_rename, const WriteCall& write_call) {
  // A folder in the form's place would make the rename fail only after all the writing,
  // with a less telling message: refuse it first.
  struct stat target;
  if ((!path.empty() && path.back() == '/') ||
      (stat(path.c_str(), &target) == 0 && S_ISDIR(target.st_mode)))
    throw FormError(path + ": is a folder, not a file; nothing was saved");
  std::string folder = FolderOf(path);
  std::string name = path.substr(path.find_last_of('/') + 1);
  std::string temp_name = folder + "/." + name + ".XXXXXX";
  std::vector<char> temp(temp_name.begin(), temp_name.end());
  temp.push_back('\0');
  int fd = mkstemp(temp.data());
  if (fd < 0) Fail(path, "cannot create a temporary file in " + folder, errno);
  try {
    WriteAll(fd, bytes, path, write_call);
    if (fchmod(fd, ModeFor(path)) != 0) Fail(path, "cannot set permissions", errno);
    if (fsync(fd) != 0) Fail(path, "cannot flush", errno);
    int closed = close(fd);
    fd = -1;
    if (closed != 0) Fail(path, "cannot write", errno);
    if (before_rename) before_rename();
    if (std::rename(temp.data(), path.c_str()) != 0) Fail(path, "cannot replace", errno);
  } catch (...) {
    if (fd >= 0) close(fd);
    unlink(temp.data());
    throw;
  }
  // Make the rename itself durable; a folder that cannot be flushed changes nothing.
  int dir = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (dir >= 0) {
    fsync(dir);
    close(dir);
  }
}

std::string ReadWholeFile(const std::string& path) {
  int fd = open(path.c_str(), O_RDONLY);
  if (fd < 0) Fail(path, "cannot open", errno);
  std::string bytes;
  char buffer[65536];
  for (;;) {
    ssize_t n = read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      int error = errno;
      close(fd);
      Fail(path, "cannot read", error);
    }
    if (n == 0) break;
    bytes.append(buffer, static_cast<size_t>(n));
  }
  close(fd);
  return bytes;
}

}  // namespace vg::forms
