// Registration in a registry of the test's own: what is written, read back through the
// registry calls, and removed again without touching what others wrote.
#include "library/registration.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

namespace vg::com {
namespace {

struct TempRegistry {
  TempRegistry() : root(Make()), store(root) {}
  ~TempRegistry() { std::filesystem::remove_all(root); }
  static std::filesystem::path Make() {
    char path[] = "/tmp/vg-registration-XXXXXX";
    return mkdtemp(path) ? path : "/nonexistent";
  }
  // A text value, or "(none)" when the key or value is missing.
  std::string Text(const char* key, const char* name) {
    reg::HKEY k = 0;
    if (store.RegOpenKeyExA(reg::HKEY_CLASSES_ROOT, key, 0, reg::KEY_READ, &k) != 0)
      return "(none)";
    uint8_t data[512];
    reg::DWORD type = 0, size = sizeof data;
    reg::LONG r = store.RegQueryValueExA(k, name, nullptr, &type, data, &size);
    store.RegCloseKey(k);
    if (r != reg::ERROR_SUCCESS || type != reg::REG_SZ || size == 0) return "(none)";
    return std::string(reinterpret_cast<char*>(data), size - 1);  // without its NUL
  }
  bool Exists(const char* key) {
    reg::HKEY k = 0;
    bool found = store.RegOpenKeyExA(reg::HKEY_CLASSES_ROOT, key, 0, reg::KEY_READ, &k) == 0;
    if (found) store.RegCloseKey(k);
    return found;
  }
  std::filesystem::path root;
  reg::RegistryStore store;
};

TEST(Registration, WritesClassProgIdPagesAndTypeLibrary) {
  TempRegistry r;
  ASSERT_TRUE(Register(r.store, "/opt/vg/lib/libvarigauge.so"));
  EXPECT_EQ(r.Text("Varigauge_by_Brevantis.Varigauge\\CLSID", ""),
            "{DAB59A5E-B446-11D1-921D-006097A8F11E}");
  EXPECT_EQ(r.Text("clsid\\{dab59a5e-b446-11d1-921d-006097a8f11e}\\inprocserver32", ""),
            "/opt/vg/lib/libvarigauge.so");
  EXPECT_EQ(r.Text("CLSID\\{DAB59A5E-B446-11D1-921D-006097A8F11E}\\ProgID", ""),
            "Varigauge_by_Brevantis.Varigauge");
  EXPECT_TRUE(r.Exists("CLSID\\{DAB59A5E-B446-11D1-921D-006097A8F11E}\\Control"));
  EXPECT_EQ(r.Text("CLSID\\{DAB59A77-B446-11D1-921D-006097A8F11E}", ""),
            "Varigauge_by_Brevantis.Boundaries");
  EXPECT_EQ(r.Text("TypeLib\\{CD8DBB13-94EE-11D1-921D-006097A8F11E}\\22.0", ""),
            "Brevantis : Varigauge");
  EXPECT_EQ(r.Text("TypeLib\\{CD8DBB13-94EE-11D1-921D-006097A8F11E}\\22.0\\409\\linux", ""),
            "/opt/vg/lib/libvarigauge.so");
  EXPECT_EQ(r.Text("TypeLib\\{CD8DBB13-94EE-11D1-921D-006097A8F11E}\\22.0\\HELPDIR", ""),
            "/opt/vg/lib");
  EXPECT_EQ(r.Text("Interface\\{DAB59A5D-B446-11D1-921D-006097A8F11E}", ""), "_Varigauge");
  EXPECT_EQ(r.Text("Interface\\{DAB59A6D-B446-11D1-921D-006097A8F11E}\\TypeLib", "Version"),
            "22.0");
}

TEST(Registration, UnregisteringLeavesWhatOthersWrote) {
  TempRegistry r;
  reg::HKEY k = 0;
  // Another program's value inside a key registration also writes, and a sibling version.
  ASSERT_EQ(r.store.RegCreateKeyExA(reg::HKEY_CLASSES_ROOT,
                                    "CLSID\\{DAB59A5E-B446-11D1-921D-006097A8F11E}", &k),
            0);
  const char note[] = "kept";
  ASSERT_EQ(r.store.RegSetValueExA(k, "Note", 0, reg::REG_SZ,
                                   reinterpret_cast<const uint8_t*>(note), sizeof note),
            0);
  r.store.RegCloseKey(k);
  ASSERT_EQ(r.store.RegCreateKeyExA(reg::HKEY_CLASSES_ROOT,
                                    "TypeLib\\{CD8DBB13-94EE-11D1-921D-006097A8F11E}\\21.0", &k),
            0);
  r.store.RegCloseKey(k);

  ASSERT_TRUE(Register(r.store, "/x/libvarigauge.so"));
  ASSERT_TRUE(Unregister(r.store));
  EXPECT_EQ(r.Text("CLSID\\{DAB59A5E-B446-11D1-921D-006097A8F11E}", "Note"), "kept");
  EXPECT_EQ(r.Text("CLSID\\{DAB59A5E-B446-11D1-921D-006097A8F11E}", ""), "(none)");
  EXPECT_FALSE(r.Exists("CLSID\\{DAB59A5E-B446-11D1-921D-006097A8F11E}\\InprocServer32"));
  EXPECT_TRUE(r.Exists("TypeLib\\{CD8DBB13-94EE-11D1-921D-006097A8F11E}\\21.0"));
  EXPECT_FALSE(r.Exists("TypeLib\\{CD8DBB13-94EE-11D1-921D-006097A8F11E}\\22.0"));
  EXPECT_FALSE(r.Exists("Varigauge_by_Brevantis.Varigauge"));
  EXPECT_FALSE(r.Exists("Interface"));  // made by registration, empty again
  EXPECT_TRUE(r.Exists("CLSID"));
}

}  // namespace
}  // namespace vg::com
