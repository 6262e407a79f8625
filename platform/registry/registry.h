#pragma once
// The registry: a tree of keys holding named string values, kept in one small text file.
// Key paths are separated by backslashes ("HKEY_CLASSES_ROOT\CLSID\{...}") and, like value
// names, compared without regard to case; the empty name is a key's default value.
//
// The file lives at $VG_REGISTRY when that is set (tests point it at a file of their own),
// else at $XDG_CONFIG_HOME/varigauge/registry.reg, else at ~/.config/varigauge/registry.reg.
// Its text is one section per key, the key path in brackets, then one line per value:
//
//   [HKEY_CLASSES_ROOT\CLSID\{DAB59A5E-B446-11D1-921D-006097A8F11E}]
//   @="Varigauge_by_Brevantis.Varigauge"
//   "ThreadingModel"="Apartment"
//
// with \\, \" and \n escaped inside the quotes. A missing file is an empty registry.
// A key exists when it was created or holds a value, and also while it has a subkey: the
// parents of a key need no sections of their own.
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vg::registry {

class Store {
 public:
  // The file the registry lives in (see above); empty when no home directory is known.
  static std::string DefaultPath();

  // Replaces the contents with the file's. A missing file gives an empty store; an
  // unreadable or malformed one fails with a message.
  bool Load(const std::string& path, std::string* error);
  // Writes a temporary file beside `path` and renames it over the old one, so a failed
  // save leaves the old file whole.
  bool Save(const std::string& path, std::string* error) const;

  bool KeyExists(std::string_view key) const;
  // Creates the key (its parents exist through it).
  void CreateKey(std::string_view key);
  // Stores a value, creating its key.
  void SetValue(std::string_view key, std::string_view name, std::string_view value);
  std::optional<std::string> GetValue(std::string_view key, std::string_view name) const;
  // False when there was no such value.
  bool DeleteValue(std::string_view key, std::string_view name);
  // Deletes the key when it holds no value; a subkey still keeps it in existence. True
  // when the key no longer exists.
  bool DeleteKeyIfEmpty(std::string_view key);
  // The path of every key created or holding values, sorted without regard to case.
  std::vector<std::string> Keys() const;

  bool operator==(const Store& other) const;

 private:
  bool HasSubKey(const std::string& folded) const;
  struct Key {
    std::string path;  // as first written
    std::map<std::string, std::pair<std::string, std::string>>
        values;  // folded name -> (name, value)
  };
  std::map<std::string, Key> keys_;  // folded path -> key
};

}  // namespace vg::registry
