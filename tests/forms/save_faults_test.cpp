// Saving a form when the disk will not take it: a folder that cannot be written, a disk
// that fills up mid-write, a folder where the form should be. Each gives an error naming
// the file and the cause, and leaves the old form byte for byte as it was.
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>

#include <gtest/gtest.h>

#include "forms/atomic_file.h"
#include "forms/form_error.h"
#include "tests/forms/form_files.h"

namespace vg::forms {
namespace {

using testing::ReadFile;
using testing::ScratchFolder;
using testing::WriteFile;

const std::string kOld = "<ui version=\"4.0\"><class>Old</class></ui>\n";
const std::string kNew = "<ui version=\"4.0\"><class>New</class><widget/></ui>\n";

// The message of the FormError a save throws, or "" when it succeeds.
std::string SaveError(const std::string& path, const WriteCall& write = {}) {
  try {
    WriteFileAtomically(path, kNew, {}, write);
  } catch (const FormError& e) {
    return e.what();
  }
  return "";
}

// Makes a folder refuse new entries for its life: without write permission, and (as the
// superuser ignores permissions) immutable where the file system allows it.
class ReadOnlyFolder {
 public:
  explicit ReadOnlyFolder(std::string path) : path_(std::move(path)) {
    chmod(path_.c_str(), 0555);
    fd_ = open(path_.c_str(), O_RDONLY | O_DIRECTORY);
    int flags = 0;
    if (fd_ >= 0 && ioctl(fd_, FS_IOC_GETFLAGS, &flags) == 0) {
      flags_ = flags;
      flags |= FS_IMMUTABLE_FL;
      immutable_ = ioctl(fd_, FS_IOC_SETFLAGS, &flags) == 0;
    }
  }
  ~ReadOnlyFolder() {
    if (immutable_) ioctl(fd_, FS_IOC_SETFLAGS, &flags_);
    if (fd_ >= 0) close(fd_);
    chmod(path_.c_str(), 0755);
  }
  // Whether the folder really refuses a new file here.
  bool Refuses() const {
    const std::string probe = path_ + "/probe";
    const int fd = open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    if (fd < 0) return true;
    close(fd);
    unlink(probe.c_str());
    return false;
  }

 private:
  std::string path_;
  int fd_ = -1;
  int flags_ = 0;
  bool immutable_ = false;
};

TEST(SaveFaults, AReadOnlyFolderKeepsTheOldForm) {
  ScratchFolder dir;
  const std::string folder = dir.File("forms");
  ASSERT_EQ(mkdir(folder.c_str(), 0755), 0);
  const std::string path = folder + "/main.ui";
  WriteFile(path, kOld);
  std::string error;
  {
    ReadOnlyFolder read_only(folder);
    if (!read_only.Refuses()) GTEST_SKIP() << "this system lets every folder be written";
    error = SaveError(path);
  }
  EXPECT_NE(error.find(path + ": cannot create a temporary file"), std::string::npos) << error;
  EXPECT_EQ(ReadFile(path), kOld);
}

TEST(SaveFaults, AFullDiskMidWriteKeepsTheOldFormAndLeavesNoTemporaryFile) {
  ScratchFolder dir;
  const std::string path = dir.File("main.ui");
  WriteFile(path, kOld);
  // The disk takes ten bytes, then has no more room.
  size_t room = 10;
  auto full_disk = [&](int fd, const void* data, size_t size) -> ssize_t {
    if (room == 0) {
      errno = ENOSPC;
      return -1;
    }
    const size_t n = std::min(size, room);
    room -= n;
    return write(fd, data, n);
  };
  const std::string error = SaveError(path, full_disk);
  EXPECT_NE(error.find(path + ": cannot write: No space left on device"), std::string::npos)
      << error;
  EXPECT_EQ(ReadFile(path), kOld);
  EXPECT_EQ(dir.Entries(), 1u);
  // A write that takes nothing and says nothing counts as a full disk too.
  auto silent = [](int, const void*, size_t) -> ssize_t { return 0; };
  EXPECT_NE(SaveError(path, silent).find("No space left"), std::string::npos);
  EXPECT_EQ(ReadFile(path), kOld);
  EXPECT_EQ(dir.Entries(), 1u);
}

TEST(SaveFaults, AFolderInTheFormsPlaceIsRefusedBeforeAnythingIsWritten) {
  ScratchFolder dir;
  const std::string path = dir.File("main.ui");
  ASSERT_EQ(mkdir(path.c_str(), 0755), 0);
  WriteFile(path + "/inside", kOld);
  for (const std::string& p : {path, path + "/"}) {
    const std::string error = SaveError(p);
    EXPECT_NE(error.find(": is a folder, not a file"), std::string::npos) << error;
  }
  EXPECT_EQ(ReadFile(path + "/inside"), kOld);
  EXPECT_EQ(dir.Entries(), 1u);
}

}  // namespace
}  // namespace vg::forms
