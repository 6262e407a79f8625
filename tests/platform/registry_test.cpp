#include "platform/registry/registry.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <string>

namespace vg::reg {
namespace {

namespace fs = std::filesystem;

class Registry : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::path(::testing::TempDir()) / ("vg-registry-" + std::to_string(getpid()));
    fs::remove_all(dir_);
    store_ = std::make_unique<RegistryStore>(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  HKEY Create(const char* path) {
    HKEY key = 0;
    EXPECT_EQ(store_->RegCreateKeyExA(HKEY_LOCAL_MACHINE, path, &key), ERROR_SUCCESS) << path;
    return key;
  }
  void SetText(HKEY key, const char* name, const std::string& text) {
    // Stored as written by a registering program: with its terminating NUL.
    EXPECT_EQ(
        store_->RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const uint8_t*>(text.c_str()),
                               static_cast<DWORD>(text.size() + 1)),
        ERROR_SUCCESS);
  }
  std::vector<std::string> Subkeys(HKEY key) {
    std::vector<std::string> names;
    char name[256];
    for (DWORD i = 0;; ++i) {
      DWORD size = sizeof name;
      LONG r = store_->RegEnumKeyExA(key, i, name, &size);
      if (r == ERROR_NO_MORE_ITEMS) break;
      EXPECT_EQ(r, ERROR_SUCCESS);
      EXPECT_EQ(size, std::strlen(name));
      names.push_back(name);
    }
    return names;
  }

  fs::path dir_;
  std::unique_ptr<RegistryStore> store_;
};

// The About box's read: open with access &H2003F, query into a 1024-byte buffer, the text
// with its NUL as stored; a 32-bit value as four little-endian bytes.
TEST_F(Registry, ReadsTextAndNumbersAsStored) {
  HKEY key = Create("SOFTWARE\\Shared Tools\\Info");
  SetText(key, "PATH", "/opt/info/bin/info");
  const uint8_t number[4] = {0x2A, 0x01, 0x00, 0x80};
  EXPECT_EQ(store_->RegSetValueExA(key, "Count", 0, REG_DWORD, number, 4), ERROR_SUCCESS);
  EXPECT_EQ(store_->RegCloseKey(key), ERROR_SUCCESS);

  HKEY read = 0;
  ASSERT_EQ(
      store_->RegOpenKeyExA(HKEY_LOCAL_MACHINE, "software\\SHARED TOOLS\\info", 0, 0x2003F, &read),
      ERROR_SUCCESS);
  char buffer[1024];
  DWORD type = 0, size = sizeof buffer;
  ASSERT_EQ(store_->RegQueryValueExA(read, "path", nullptr, &type,
                                     reinterpret_cast<uint8_t*>(buffer), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(type, REG_SZ);
  EXPECT_EQ(std::string(buffer, size), std::string("/opt/info/bin/info\0", 19));

  uint8_t bytes[4] = {};
  size = 4;
  ASSERT_EQ(store_->RegQueryValueExA(read, "COUNT", nullptr, &type, bytes, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, REG_DWORD);
  EXPECT_EQ(size, 4u);
  EXPECT_EQ(std::memcmp(bytes, number, 4), 0);

  // Too small a buffer reports the size needed; no buffer asks for it.
  size = 5;
  EXPECT_EQ(store_->RegQueryValueExA(read, "PATH", nullptr, &type,
                                     reinterpret_cast<uint8_t*>(buffer), &size),
            ERROR_MORE_DATA);
  EXPECT_EQ(size, 19u);
  size = 0;
  EXPECT_EQ(store_->RegQueryValueExA(read, "PATH", nullptr, nullptr, nullptr, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(size, 19u);
  EXPECT_EQ(store_->RegQueryValueExA(read, "MISSING", nullptr, &type,
                                     reinterpret_cast<uint8_t*>(buffer), &size),
            ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(store_->RegCloseKey(read), ERROR_SUCCESS);
  EXPECT_EQ(store_->RegCloseKey(read), ERROR_INVALID_HANDLE);
  EXPECT_EQ(store_->RegQueryValueExA(read, "PATH", nullptr, &type, nullptr, &size),
            ERROR_INVALID_HANDLE);

  // A second store on the same tree sees the same values.
  RegistryStore again(dir_);
  size = sizeof buffer;
  ASSERT_EQ(again.RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Shared Tools\\Info", 0, 0, &read),
            ERROR_SUCCESS);
  EXPECT_EQ(again.RegQueryValueExA(read, "PATH", nullptr, &type, reinterpret_cast<uint8_t*>(buffer),
                                   &size),
            ERROR_SUCCESS);
  EXPECT_STREQ(buffer, "/opt/info/bin/info");
}

TEST_F(Registry, MissingKeysAndHivesAreNotFound) {
  HKEY key = 0;
  EXPECT_EQ(store_->RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Nothing", 0, KEY_READ, &key),
            ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(key, 0u);
  EXPECT_EQ(store_->RegOpenKeyExA(12345, "SOFTWARE", 0, KEY_READ, &key), ERROR_INVALID_HANDLE);
  // Names that would leave the tree are plain names.
  EXPECT_EQ(store_->RegOpenKeyExA(HKEY_LOCAL_MACHINE, "..\\..", 0, KEY_READ, &key),
            ERROR_FILE_NOT_FOUND);
  HKEY odd = Create("..\\a/b\\%values\\.");
  EXPECT_EQ(Subkeys(odd), std::vector<std::string>{});
  HKEY top = 0;
  ASSERT_EQ(store_->RegOpenKeyExA(HKEY_LOCAL_MACHINE, "..", 0, KEY_READ, &top), ERROR_SUCCESS);
  EXPECT_EQ(Subkeys(top), std::vector<std::string>{"a/b"});
  EXPECT_TRUE(fs::is_directory(dir_ / "HKEY_LOCAL_MACHINE"));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(Registry, EnumeratesKeysAlphabeticallyAndValuesInOrderOfCreation) {
  HKEY root = Create("SOFTWARE\\Vendor");
  for (const char* name : {"beta", "Alpha", "gamma", "ALPHA2"})
    Create((std::string("SOFTWARE\\Vendor\\") + name).c_str());
  EXPECT_EQ(Subkeys(root), (std::vector<std::string>{"Alpha", "ALPHA2", "beta", "gamma"}));
  char small[3];
  DWORD size = sizeof small;
  EXPECT_EQ(store_->RegEnumKeyExA(root, 0, small, &size), ERROR_MORE_DATA);

  SetText(root, "z", "last");
  SetText(root, "", "default");
  SetText(root, "Tab\tName", "x");
  SetText(root, "Z", "replaced");  // same name, case ignored: stays first, keeps its case
  char name[64];
  uint8_t data[64];
  DWORD type = 0;
  std::vector<std::string> names;
  for (DWORD i = 0;; ++i) {
    DWORD name_size = sizeof name, data_size = sizeof data;
    if (store_->RegEnumValueA(root, i, name, &name_size, &type, data, &data_size) != ERROR_SUCCESS)
      break;
    names.push_back(std::string(name) + "=" + reinterpret_cast<char*>(data));
  }
  EXPECT_EQ(names, (std::vector<std::string>{"z=replaced", "=default", "Tab\tName=x"}));
  EXPECT_EQ(store_->RegDeleteValueA(root, "TAB\tNAME"), ERROR_SUCCESS);
  EXPECT_EQ(store_->RegDeleteValueA(root, "TAB\tNAME"), ERROR_FILE_NOT_FOUND);
}

TEST_F(Registry, DeletesKeysAndTrees) {
  HKEY root = Create("SOFTWARE\\Vendor");
  HKEY leaf = Create("SOFTWARE\\Vendor\\Product\\1.0");
  SetText(leaf, "", "x");
  EXPECT_EQ(store_->RegDeleteKeyA(root, "Product"), ERROR_ACCESS_DENIED);  // has a subkey
  EXPECT_EQ(store_->RegDeleteKeyA(root, "product\\1.0"), ERROR_SUCCESS);
  EXPECT_EQ(store_->RegQueryValueExA(leaf, "", nullptr, nullptr, nullptr, nullptr),
            ERROR_FILE_NOT_FOUND);  // the open handle outlives its key
  EXPECT_EQ(store_->RegDeleteKeyA(root, "Product"), ERROR_SUCCESS);
  EXPECT_EQ(store_->RegDeleteKeyA(root, "Product"), ERROR_FILE_NOT_FOUND);

  Create("SOFTWARE\\Vendor\\A\\B\\C");
  SetText(root, "kept?", "no");
  EXPECT_EQ(store_->RegDeleteTreeA(root, nullptr), ERROR_SUCCESS);  // empties the key itself
  EXPECT_EQ(Subkeys(root), std::vector<std::string>{});
  EXPECT_EQ(store_->RegQueryValueExA(root, "kept?", nullptr, nullptr, nullptr, nullptr),
            ERROR_FILE_NOT_FOUND);
  Create("SOFTWARE\\Vendor\\A\\B\\C");
  EXPECT_EQ(store_->RegDeleteTreeA(HKEY_LOCAL_MACHINE, "software\\vendor"), ERROR_SUCCESS);
  HKEY gone = 0;
  EXPECT_EQ(store_->RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Vendor", 0, 0, &gone),
            ERROR_FILE_NOT_FOUND);
}

}  // namespace
}  // namespace vg::reg
