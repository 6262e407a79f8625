// Registration of the library and the two entry points that perform it on the registry file.
#include "library/registration.h"

#include <dlfcn.h>

#include <algorithm>
#include <cstdio>
#include <new>
#include <set>

#include "control/identity.h"
#include "library/com_abi.h"
#include "library/com_object.h"

namespace vg::com {
namespace {

std::string Join(std::string_view a, std::string_view b) {
  return std::string(a) + "\\" + std::string(b);
}

std::string Version() {
  return std::to_string(identity::kTypeLibraryMajor) + "." +
         std::to_string(identity::kTypeLibraryMinor);
}

// The file this code was loaded from.
std::string ThisLibraryPath() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&ThisLibraryPath), &info) == 0 || !info.dli_fname) return {};
  return info.dli_fname;
}

}  // namespace

std::vector<RegistryEntry> RegistrationEntries(const std::string& library_path) {
  using namespace identity;
  std::vector<RegistryEntry> e;
  auto value = [&](std::string key, std::string name, std::string v) {
    e.push_back({std::move(key), std::move(name), std::move(v)});
  };
  auto key = [&](std::string k) { e.push_back({std::move(k), "", std::nullopt}); };
  std::string dir = library_path.substr(
      0, library_path.rfind('/') == std::string::npos ? 0 : library_path.rfind('/'));

  // The ProgID and the class.
  std::string progid(kProgID);
  value(progid, "", std::string(kClassName));
  value(Join(progid, "CLSID"), "", std::string(kClassGuid));
  std::string cls = Join("CLSID", kClassGuid);
  value(cls, "", std::string(kProgID));
  value(Join(cls, "InprocServer32"), "", library_path);
  value(Join(cls, "InprocServer32"), "ThreadingModel", "Apartment");
  value(Join(cls, "ProgID"), "", std::string(kProgID));
  key(Join(cls, "Control"));
  value(Join(cls, "TypeLib"), "", std::string(kTypeLibraryGuid));
  value(Join(cls, "Version"), "", Version());

  // The property pages, served by the same library.
  for (const PropertyPageIdentity& page : kPropertyPages) {
    std::string p = Join("CLSID", page.class_guid);
    value(p, "", std::string(kTypeLibraryName) + "." + std::string(page.name));
    value(Join(p, "InprocServer32"), "", library_path);
    value(Join(p, "InprocServer32"), "ThreadingModel", "Apartment");
  }

  // The type library: its description lives in the library itself.
  std::string lib = Join("TypeLib", kTypeLibraryGuid);
  std::string ver = Join(lib, Version());
  value(ver, "", std::string(kTypeLibraryHelp));
  char locale[16];
  std::snprintf(locale, sizeof locale, "%x", static_cast<unsigned>(kTypeLibraryLocale));
  value(Join(Join(ver, locale), "linux"), "", library_path);
  value(Join(ver, "FLAGS"), "", "0");
  value(Join(ver, "HELPDIR"), "", dir);

  // Its two interfaces.
  const std::pair<std::string_view, std::string_view> interfaces[] = {
      {kInterfaceName, kInterfaceGuid}, {kEventInterfaceName, kEventInterfaceGuid}};
  for (const auto& [name, guid] : interfaces) {
    std::string i = Join("Interface", guid);
    value(i, "", std::string(name));
    value(Join(i, "TypeLib"), "", std::string(kTypeLibraryGuid));
    value(Join(i, "TypeLib"), "Version", Version());
  }
  return e;
}

bool Register(reg::RegistryStore& store, const std::string& library_path) {
  for (const RegistryEntry& e : RegistrationEntries(library_path)) {
    reg::HKEY key = 0;
    if (store.RegCreateKeyExA(reg::HKEY_CLASSES_ROOT, e.key.c_str(), &key) != reg::ERROR_SUCCESS)
      return false;
    reg::LONG result = reg::ERROR_SUCCESS;
    if (e.value)  // text values keep their terminating NUL
      result = store.RegSetValueExA(key, e.name.c_str(), 0, reg::REG_SZ,
                                    reinterpret_cast<const uint8_t*>(e.value->c_str()),
                                    static_cast<reg::DWORD>(e.value->size() + 1));
    store.RegCloseKey(key);
    if (result != reg::ERROR_SUCCESS) return false;
  }
  return true;
}

namespace {

// A key that holds neither values nor subkeys.
bool IsEmptyKey(reg::RegistryStore& store, const std::string& path) {
  reg::HKEY key = 0;
  if (store.RegOpenKeyExA(reg::HKEY_CLASSES_ROOT, path.c_str(), 0, reg::KEY_READ, &key) !=
      reg::ERROR_SUCCESS)
    return false;
  char name[256];
  uint8_t data[1];
  reg::DWORD name_size = sizeof name, type = 0, data_size = sizeof data;
  bool empty = store.RegEnumValueA(key, 0, name, &name_size, &type, data, &data_size) ==
               reg::ERROR_NO_MORE_ITEMS;
  name_size = sizeof name;
  empty = empty && store.RegEnumKeyExA(key, 0, name, &name_size) == reg::ERROR_NO_MORE_ITEMS;
  store.RegCloseKey(key);
  return empty;
}

}  // namespace

bool Unregister(reg::RegistryStore& store) {
  bool ok = true;
  std::vector<RegistryEntry> entries = RegistrationEntries("");
  for (const RegistryEntry& e : entries) {
    if (!e.value) continue;
    reg::HKEY key = 0;
    if (store.RegOpenKeyExA(reg::HKEY_CLASSES_ROOT, e.key.c_str(), 0, reg::KEY_ALL_ACCESS, &key) !=
        reg::ERROR_SUCCESS)
      continue;  // never registered
    reg::LONG result = store.RegDeleteValueA(key, e.name.c_str());
    ok = ok && (result == reg::ERROR_SUCCESS || result == reg::ERROR_FILE_NOT_FOUND);
    store.RegCloseKey(key);
  }
  // Then every key registration made, and the keys above them, deepest first, while empty.
  std::set<std::string> keys;
  for (const RegistryEntry& e : entries)
    for (size_t end = e.key.size(); end != std::string::npos && end > 0;
         end = e.key.rfind('\\', end - 1))
      keys.insert(e.key.substr(0, end));
  std::vector<std::string> order(keys.begin(), keys.end());
  std::stable_sort(order.begin(), order.end(), [](const std::string& a, const std::string& b) {
    return std::count(a.begin(), a.end(), '\\') > std::count(b.begin(), b.end(), '\\');
  });
  for (const std::string& k : order)
    if (IsEmptyKey(store, k))
      ok = store.RegDeleteKeyA(reg::HKEY_CLASSES_ROOT, k.c_str()) == reg::ERROR_SUCCESS && ok;
  return ok;
}

}  // namespace vg::com

namespace {

// Applies `change` to the registry; SELFREG_E_CLASS when the store refused part of it.
template <class Change>
vg::com::HRESULT UpdateRegistry(Change change) {
  using namespace vg::com;
  return GuardEntry("registration",
                    [&] { return change(vg::reg::DefaultRegistry()) ? S_OK : SELFREG_E_CLASS; });
}

}  // namespace

VG_COM_EXPORT vg::com::HRESULT DllRegisterServer() {
  return vg::com::GuardEntry("DllRegisterServer", [] {
    std::string path = vg::com::ThisLibraryPath();
    if (path.empty()) return vg::com::SELFREG_E_CLASS;
    return UpdateRegistry([&](vg::reg::RegistryStore& s) { return vg::com::Register(s, path); });
  });
}

VG_COM_EXPORT vg::com::HRESULT DllUnregisterServer() {
  return UpdateRegistry([](vg::reg::RegistryStore& s) { return vg::com::Unregister(s); });
}
