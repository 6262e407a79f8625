// Drive letters: the machine's mounts, statvfs figures, and the map a host installs.
#include <gtest/gtest.h>

#include "platform/disk/disk_map.h"
#include "platform/disk/mounted_drives.h"

namespace vg {
namespace {

struct NoDrives : DiskProvider {
  bool Query(char, DiskSpace*) override { return false; }
};

TEST(DriveMountPoints, BlockDeviceMountsInListedOrderEachOnce) {
  const char* listing =
      "proc /proc proc rw 0 0\n"
      "/dev/vda1 / ext4 rw 0 0\n"
      "tmpfs /run tmpfs rw 0 0\n"
      "/dev/vdb1 /srv/data ext4 rw 0 0\n"
      "overlay /var/lib/x overlay rw 0 0\n"
      "/dev/sdc1 /media/USB\\040Stick vfat rw 0 0\n"
      "/dev/vdb1 /srv/data ext4 rw 0 0\n"
      "/dev/mapper/home /home ext4 rw 0 0";  // last line without a newline
  EXPECT_EQ(DriveMountPoints(listing),
            (std::vector<std::string>{"/srv/data", "/media/USB Stick", "/home"}));
  EXPECT_TRUE(DriveMountPoints("").empty());
  EXPECT_TRUE(DriveMountPoints("/dev/x\n\n   \n").empty());
}

TEST(MountedDrives, CIsTheRootFileSystemAndOtherCharactersFail) {
  MountedDrives drives;
  DiskSpace c, root;
  ASSERT_TRUE(SpaceOfPath("/", &root));
  ASSERT_TRUE(drives.Query('C', &c));
  EXPECT_EQ(c.total_bytes, root.total_bytes);
  EXPECT_GT(c.total_bytes, 0u);
  EXPECT_LE(c.free_bytes, c.total_bytes);
  EXPECT_EQ(drives.MountPointOf('c'), "/");
  for (char bad : {'!', ':', '\0', 'a', 'b', 'z'}) {
    DiskSpace s;
    EXPECT_FALSE(drives.Query(bad, &s)) << static_cast<int>(bad);
  }
}

TEST(DiskMap, ChosenLettersOverrideTheFallback) {
  auto fallback = std::make_shared<DiskMap>(std::make_shared<NoDrives>());
  ASSERT_TRUE(fallback->SetBytes('e', 1, 2));
  DiskMap map(fallback);
  DiskSpace s;
  // Byte counts beyond 32 bits come back exactly; free beyond total is cut to the total.
  ASSERT_TRUE(map.SetBytes('D', 5000000000ULL, 12000000000ULL));
  ASSERT_TRUE(map.Query('d', &s));
  EXPECT_EQ(s.free_bytes, 5000000000ULL);
  EXPECT_EQ(s.total_bytes, 12000000000ULL);
  ASSERT_TRUE(map.SetBytes('f', 9, 4));
  ASSERT_TRUE(map.Query('f', &s));
  EXPECT_EQ(s.free_bytes, 4u);

  ASSERT_TRUE(map.SetFailing('d'));
  EXPECT_FALSE(map.Query('d', &s));
  ASSERT_TRUE(map.SetPath('d', "/"));
  DiskSpace root;
  ASSERT_TRUE(SpaceOfPath("/", &root));
  ASSERT_TRUE(map.Query('d', &s));
  EXPECT_EQ(s.total_bytes, root.total_bytes);
  ASSERT_TRUE(map.SetPath('d', "/no/such/path"));
  EXPECT_FALSE(map.Query('d', &s));

  ASSERT_TRUE(map.Query('e', &s));  // from the fallback
  EXPECT_EQ(s.total_bytes, 2u);
  ASSERT_TRUE(map.Reset('d'));
  EXPECT_FALSE(map.Query('d', &s));  // the fallback has no drive d
  EXPECT_FALSE(map.SetBytes('1', 1, 1));
  EXPECT_FALSE(map.Query('1', &s));
}

TEST(ThreadDiskProvider, AScopedProviderIsUndoneAtItsEnd) {
  auto map = std::make_shared<DiskMap>();
  map->SetBytes('c', 3, 7);
  DiskSpace s;
  {
    ScopedDiskProvider scope(map);
    ASSERT_TRUE(GetDiskFreeSpace('c', &s));
    EXPECT_EQ(s.total_bytes, 7u);
  }
  ASSERT_TRUE(GetDiskFreeSpace('c', &s));
  EXPECT_NE(s.total_bytes, 7u);
}

}  // namespace
}  // namespace vg
