#pragma once
// The system registry as the control's library and About box use it: keys under a few
// predefined roots, each holding subkeys and named values (text, 32-bit numbers or raw
// bytes), read and written through the classic calls (RegOpenKeyExA, RegQueryValueExA,
// RegSetValueExA, RegCloseKey ...).
//
// The registry is kept in a directory tree: a key is a directory (its name as given, with
// '%' and '/' written as %25 and %2F), its values are the file "%values" inside it, one
// value a line: name (same escapes, plus %09 and %0A), type and data bytes in hexadecimal,
// separated by tabs. Names of keys and values are matched without regard to case and keep
// the case they were created with. A text value keeps exactly the bytes it was set with,
// its terminating NUL included.
//
// Where the tree lies: the directory given to a RegistryStore; for the free functions, the
// environment variable VG_REGISTRY_DIR, else $XDG_CONFIG_HOME/varigauge/registry, else
// $HOME/.config/varigauge/registry.
#include <cstdint>
#include <filesystem>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace vg::reg {

using HKEY = uintptr_t;
using LONG = int32_t;
using DWORD = uint32_t;

inline constexpr HKEY HKEY_CLASSES_ROOT = 0x80000000;
inline constexpr HKEY HKEY_CURRENT_USER = 0x80000001;
inline constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002;
inline constexpr HKEY HKEY_USERS = 0x80000003;

// Value types.
inline constexpr DWORD REG_NONE = 0;
inline constexpr DWORD REG_SZ = 1;
inline constexpr DWORD REG_BINARY = 3;
inline constexpr DWORD REG_DWORD = 4;

// Results.
inline constexpr LONG ERROR_SUCCESS = 0;
inline constexpr LONG ERROR_FILE_NOT_FOUND = 2;
inline constexpr LONG ERROR_ACCESS_DENIED = 5;
inline constexpr LONG ERROR_INVALID_HANDLE = 6;
inline constexpr LONG ERROR_INVALID_PARAMETER = 87;
inline constexpr LONG ERROR_MORE_DATA = 234;
inline constexpr LONG ERROR_NO_MORE_ITEMS = 259;

// Access rights are accepted and not checked: the store has no per-key security.
inline constexpr DWORD KEY_READ = 0x20019;
inline constexpr DWORD KEY_ALL_ACCESS = 0xF003F;

class RegistryStore {
 public:
  explicit RegistryStore(std::filesystem::path root);
  RegistryStore(const RegistryStore&) = delete;
  RegistryStore& operator=(const RegistryStore&) = delete;

  // subkey may be empty or null (the key itself again) and uses '\' between names.
  LONG RegOpenKeyExA(HKEY key, const char* subkey, DWORD options, DWORD sam, HKEY* result);
  // Opens the key, making it and any missing parent first.
  LONG RegCreateKeyExA(HKEY key, const char* subkey, HKEY* result);
  LONG RegCloseKey(HKEY key);
  // Type and bytes of a value (name null or "" for the key's default value). With data
  // null only *size (and *type) are reported; a buffer smaller than the value gives
  // ERROR_MORE_DATA with the needed size in *size.
  LONG RegQueryValueExA(HKEY key, const char* name, DWORD* reserved, DWORD* type, uint8_t* data,
                        DWORD* size);
  LONG RegSetValueExA(HKEY key, const char* name, DWORD reserved, DWORD type, const uint8_t* data,
                      DWORD size);
  LONG RegDeleteValueA(HKEY key, const char* name);
  // Deletes a key without subkeys; a key with subkeys gives ERROR_ACCESS_DENIED.
  LONG RegDeleteKeyA(HKEY key, const char* subkey);
  // Deletes a key with everything below it; a null subkey empties the key itself.
  LONG RegDeleteTreeA(HKEY key, const char* subkey);
  // The index-th subkey in alphabetical order (case ignored); *name_size holds the buffer
  // size on entry and the name's length without its NUL on return.
  LONG RegEnumKeyExA(HKEY key, DWORD index, char* name, DWORD* name_size);
  // The index-th value in the order of creation.
  LONG RegEnumValueA(HKEY key, DWORD index, char* name, DWORD* name_size, DWORD* type,
                     uint8_t* data, DWORD* size);

  const std::filesystem::path& root() const { return root_; }

 private:
  struct Value {
    std::string name;
    DWORD type = REG_NONE;
    std::vector<uint8_t> data;
  };

  LONG Resolve(HKEY key, const char* subkey, bool create, std::filesystem::path* dir) const;
  std::vector<Value> ReadValues(const std::filesystem::path& dir) const;
  bool WriteValues(const std::filesystem::path& dir, const std::vector<Value>& values) const;
  std::vector<std::string> SubkeyNames(const std::filesystem::path& dir) const;

  std::filesystem::path root_;
  // One call at a time: the store is shared by the process, and a value's write rewrites
  // its key's file after reading it.
  mutable std::mutex lock_;
  std::map<HKEY, std::filesystem::path> open_;
  HKEY next_handle_ = 1;
};

// The store the free functions use, found as described above.
RegistryStore& DefaultRegistry();

inline LONG RegOpenKeyExA(HKEY key, const char* subkey, DWORD options, DWORD sam, HKEY* result) {
  return DefaultRegistry().RegOpenKeyExA(key, subkey, options, sam, result);
}
inline LONG RegCreateKeyExA(HKEY key, const char* subkey, HKEY* result) {
  return DefaultRegistry().RegCreateKeyExA(key, subkey, result);
}
inline LONG RegCloseKey(HKEY key) {
  return DefaultRegistry().RegCloseKey(key);
}
inline LONG RegQueryValueExA(HKEY key, const char* name, DWORD* reserved, DWORD* type,
                             uint8_t* data, DWORD* size) {
  return DefaultRegistry().RegQueryValueExA(key, name, reserved, type, data, size);
}
inline LONG RegSetValueExA(HKEY key, const char* name, DWORD reserved, DWORD type,
                           const uint8_t* data, DWORD size) {
  return DefaultRegistry().RegSetValueExA(key, name, reserved, type, data, size);
}
inline LONG RegDeleteValueA(HKEY key, const char* name) {
  return DefaultRegistry().RegDeleteValueA(key, name);
}
inline LONG RegDeleteKeyA(HKEY key, const char* subkey) {
  return DefaultRegistry().RegDeleteKeyA(key, subkey);
}
inline LONG RegDeleteTreeA(HKEY key, const char* subkey) {
  return DefaultRegistry().RegDeleteTreeA(key, subkey);
}
inline LONG RegEnumKeyExA(HKEY key, DWORD index, char* name, DWORD* name_size) {
  return DefaultRegistry().RegEnumKeyExA(key, index, name, name_size);
}
inline LONG RegEnumValueA(HKEY key, DWORD index, char* name, DWORD* name_size, DWORD* type,
                          uint8_t* data, DWORD* size) {
  return DefaultRegistry().RegEnumValueA(key, index, name, name_size, type, data, size);
}

}  // namespace vg::reg
