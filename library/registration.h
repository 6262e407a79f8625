#pragma once
// What registering the library writes into the registry: the control class with its ProgID,
// the three property pages, the type library and its two interfaces. Unregistering removes
// exactly those values, and those of their keys that are left empty.
#include <optional>
#include <string>
#include <vector>

#include "platform/registry/registry.h"

namespace vg::com {

struct RegistryEntry {
  std::string key;
  std::string name;                  // empty: the key's default value
  std::optional<std::string> value;  // none: the key alone
};

// Every entry, parents before children; `library_path` is the file of this library.
std::vector<RegistryEntry> RegistrationEntries(const std::string& library_path);

void Register(registry::Store& store, const std::string& library_path);
void Unregister(registry::Store& store);

}  // namespace vg::com
