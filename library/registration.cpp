// Registration of the library and the two entry points that perform it on the registry file.
#include "library/registration.h"

#include <dlfcn.h>

#include <cstdio>
#include <new>

#include "control/identity.h"
#include "library/com_abi.h"

namespace vg::com {
namespace {

constexpr const char* kRoot = "HKEY_CLASSES_ROOT";

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
  std::string progid = Join(kRoot, kProgID);
  value(progid, "", std::string(kClassName));
  value(Join(progid, "CLSID"), "", std::string(kClassGuid));
  std::string cls = Join(Join(kRoot, "CLSID"), kClassGuid);
  value(cls, "", std::string(kProgID));
  value(Join(cls, "InprocServer32"), "", library_path);
  value(Join(cls, "InprocServer32"), "ThreadingModel", "Apartment");
  value(Join(cls, "ProgID"), "", std::string(kProgID));
  key(Join(cls, "Control"));
  value(Join(cls, "TypeLib"), "", std::string(kTypeLibraryGuid));
  value(Join(cls, "Version"), "", Version());

  // The property pages, served by the same library.
  for (const PropertyPageIdentity& page : kPropertyPages) {
    std::string p = Join(Join(kRoot, "CLSID"), page.class_guid);
    value(p, "", std::string(kTypeLibraryName) + "." + std::string(page.name));
    value(Join(p, "InprocServer32"), "", library_path);
    value(Join(p, "InprocServer32"), "ThreadingModel", "Apartment");
  }

  // The type library: its description lives in the library itself.
  std::string lib = Join(Join(kRoot, "TypeLib"), kTypeLibraryGuid);
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
    std::string i = Join(Join(kRoot, "Interface"), guid);
    value(i, "", std::string(name));
    value(Join(i, "TypeLib"), "", std::string(kTypeLibraryGuid));
    value(Join(i, "TypeLib"), "Version", Version());
  }
  return e;
}

void Register(registry::Store& store, const std::string& library_path) {
  for (const RegistryEntry& e : RegistrationEntries(library_path)) {
    if (e.value)
      store.SetValue(e.key, e.name, *e.value);
    else
      store.CreateKey(e.key);
  }
}

void Unregister(registry::Store& store) {
  std::vector<RegistryEntry> entries = RegistrationEntries("");
  for (const RegistryEntry& e : entries)
    if (e.value) store.DeleteValue(e.key, e.name);
  // Then the keys registration wrote; one that still holds a value another program wrote
  // stays.
  for (const RegistryEntry& e : entries) store.DeleteKeyIfEmpty(e.key);
}

}  // namespace vg::com

namespace {

// Loads the registry file, applies `change`, and saves it.
template <class Change>
vg::com::HRESULT UpdateRegistry(Change change) {
  using namespace vg::com;
  try {
    std::string path = vg::registry::Store::DefaultPath();
    vg::registry::Store store;
    std::string error;
    if (path.empty() || !store.Load(path, &error)) return SELFREG_E_CLASS;
    change(store);
    return store.Save(path, &error) ? S_OK : SELFREG_E_CLASS;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_FAIL;
  }
}

}  // namespace

VG_COM_EXPORT vg::com::HRESULT DllRegisterServer() {
  std::string path = vg::com::ThisLibraryPath();
  if (path.empty()) return vg::com::SELFREG_E_CLASS;
  return UpdateRegistry([&](vg::registry::Store& s) { vg::com::Register(s, path); });
}

VG_COM_EXPORT vg::com::HRESULT DllUnregisterServer() {
  return UpdateRegistry([](vg::registry::Store& s) { vg::com::Unregister(s); });
}
