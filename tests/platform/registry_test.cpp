// The registry file store: keys and values without regard to case, the file's text form
// with its escapes, malformed files refused, and saving that never leaves half a file.
#include "platform/registry/registry.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace vg::registry {
namespace {

struct TempDir {
  TempDir() { mkdtemp(path); }
  ~TempDir() {
    std::remove((std::string(path) + "/r.reg").c_str());
    rmdir(path);
  }
  std::string File() const { return std::string(path) + "/r.reg"; }
  char path[32] = "/tmp/vg-registry-test-XXXXXX";
};

void Write(const std::string& path, const std::string& text) {
  std::ofstream(path) << text;
}

TEST(RegistryStore, KeysAndValuesIgnoreCase) {
  Store s;
  s.SetValue("HKEY_CLASSES_ROOT\\CLSID\\{A}\\InprocServer32", "", "/lib/a.so");
  s.SetValue("hkey_classes_root\\clsid\\{a}\\inprocserver32", "ThreadingModel", "Apartment");
  EXPECT_EQ(s.GetValue("HKEY_CLASSES_ROOT\\CLSID\\{a}\\INPROCSERVER32", ""), "/lib/a.so");
  EXPECT_EQ(s.GetValue("HKEY_CLASSES_ROOT\\CLSID\\{A}\\InprocServer32", "threadingmodel"),
            "Apartment");
  EXPECT_EQ(s.Keys().size(), 1u);  // one key, as first written
  EXPECT_EQ(s.Keys()[0], "HKEY_CLASSES_ROOT\\CLSID\\{A}\\InprocServer32");
  // Parents exist through their subkeys.
  EXPECT_TRUE(s.KeyExists("HKEY_CLASSES_ROOT\\CLSID"));
  EXPECT_FALSE(s.KeyExists("HKEY_CLASSES_ROOT\\CLS"));
  EXPECT_FALSE(s.GetValue("HKEY_CLASSES_ROOT\\CLSID", "").has_value());
}

TEST(RegistryStore, DeletingAKeyKeepsWhatOthersWroteBelowIt) {
  Store s;
  s.CreateKey("R\\Mine");
  s.SetValue("R\\Mine\\Theirs", "", "x");
  s.SetValue("R\\Mine-2", "", "y");             // sorts between "R\Mine" and "R\Mine\Theirs"
  EXPECT_FALSE(s.DeleteKeyIfEmpty("R\\Mine"));  // its subkey keeps it
  EXPECT_TRUE(s.KeyExists("R\\Mine"));
  EXPECT_EQ(s.Keys(), (std::vector<std::string>{"R\\Mine-2", "R\\Mine\\Theirs"}));
  EXPECT_FALSE(s.DeleteKeyIfEmpty("R\\Mine-2"));  // it holds a value
  EXPECT_TRUE(s.DeleteValue("R\\Mine\\Theirs", ""));
  EXPECT_FALSE(s.DeleteValue("R\\Mine\\Theirs", ""));
  EXPECT_TRUE(s.DeleteKeyIfEmpty("R\\Mine\\Theirs"));
  EXPECT_FALSE(s.KeyExists("R\\Mine"));
}

TEST(RegistryStore, SavesAndLoadsEscapedText) {
  TempDir dir;
  Store s;
  s.SetValue("K\\Sub", "", "quote \" backslash \\ line\nbreak");
  s.SetValue("K\\Sub", "name \"quoted\"", "");
  s.CreateKey("K\\Empty");
  std::string error;
  ASSERT_TRUE(s.Save(dir.File(), &error)) << error;
  Store loaded;
  ASSERT_TRUE(loaded.Load(dir.File(), &error)) << error;
  EXPECT_TRUE(loaded == s);
  EXPECT_EQ(loaded.GetValue("k\\sub", ""), "quote \" backslash \\ line\nbreak");
  EXPECT_EQ(loaded.GetValue("K\\Sub", "name \"quoted\""), "");
  std::ifstream in(dir.File());
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_NE(text.str().find("[K\\Sub]\n@=\"quote \\\" backslash \\\\ line\\nbreak\"\n"),
            std::string::npos)
      << text.str();
}

TEST(RegistryStore, MissingFileIsEmptyAndMalformedFileIsRefused) {
  TempDir dir;
  Store s;
  std::string error;
  s.SetValue("Old", "", "v");
  EXPECT_TRUE(s.Load(dir.File(), &error));
  EXPECT_TRUE(s.Keys().empty());
  for (const char* bad : {"@=\"outside a key\"\n", "[K]\n\"unterminated=\"x\"\n", "[K]\n@\"x\"\n",
                          "[K]\n@=\"x\" trailing\n", "[K\n"}) {
    Write(dir.File(), bad);
    EXPECT_FALSE(s.Load(dir.File(), &error)) << bad;
    EXPECT_NE(error.find(":"), std::string::npos);
    EXPECT_TRUE(s.Keys().empty());
  }
}

TEST(RegistryStore, AFailedSaveLeavesTheOldFileWhole) {
  TempDir dir;
  Store s;
  s.SetValue("K", "", "v");
  std::string error;
  EXPECT_FALSE(s.Save("/proc/vg-no-such-dir/r.reg", &error));
  EXPECT_FALSE(error.empty());
  ASSERT_TRUE(s.Save(dir.File(), &error));
  EXPECT_EQ(access((dir.File() + ".tmp").c_str(), F_OK), -1);  // no temporary left behind
}

TEST(RegistryStore, DefaultPathFollowsTheEnvironment) {
  setenv("VG_REGISTRY", "/tmp/x.reg", 1);
  EXPECT_EQ(Store::DefaultPath(), "/tmp/x.reg");
  unsetenv("VG_REGISTRY");
  setenv("XDG_CONFIG_HOME", "/cfg", 1);
  EXPECT_EQ(Store::DefaultPath(), "/cfg/varigauge/registry.reg");
  unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
}  // namespace vg::registry
