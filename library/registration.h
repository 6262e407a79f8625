#pragma once
// What registering the library writes into the registry (under HKEY_CLASSES_ROOT): the
// control class with its ProgID, the three property pages, the type library and its two
// interfaces. Unregistering removes exactly those values, then those of their keys (and of
// the keys above them) that are left empty; anything another program wrote stays.
#include <optional>
#include <string>
#include <vector>

#include "platform/registry/registry.h"

namespace vg::com {

struct RegistryEntry {
  std::string key;                   // below HKEY_CLASSES_ROOT
  std::string name;                  // empty: the key's default value
  std::optional<std::string> value;  // none: the key alone
};

// Every entry, parents before children; `library_path` is the file of this library.
std::vector<RegistryEntry> RegistrationEntries(const std::string& library_path);

// Both return false when the store refused a change (the rest is still attempted when
// unregistering).
bool Register(reg::RegistryStore& store, const std::string& library_path);
bool Unregister(reg::RegistryStore& store);

}  // namespace vg::com
