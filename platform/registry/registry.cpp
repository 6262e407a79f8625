#include "platform/registry/registry.h"

#include <strings.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <system_error>

namespace vg::reg {
namespace fs = std::filesystem;
namespace {

constexpr const char* kValuesFile = "%values";

bool SameName(const std::string& a, const std::string& b) {
  return strcasecmp(a.c_str(), b.c_str()) == 0;
}

// Writes the characters that cannot stand in a file name or a line of the values file as
// %XX; a key name starting with '.' has that dot escaped, so "." and ".." stay names.
std::string Escape(const std::string& name, const char* special) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (size_t i = 0; i < name.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(name[i]);
    if (c == '%' || std::strchr(special, c) || (i == 0 && c == '.')) {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}
std::string EscapeKey(const std::string& name) {
  return Escape(name, "/");
}
std::string EscapeValue(const std::string& name) {
  return Escape(name, "\t\n\r");
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::string Unescape(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    int hi = 0, lo = 0;
    if (text[i] == '%' && i + 2 < text.size() && (hi = HexDigit(text[i + 1])) >= 0 &&
        (lo = HexDigit(text[i + 2])) >= 0) {
      out += static_cast<char>(hi * 16 + lo);
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

const char* HiveName(HKEY key) {
  switch (key) {
    case HKEY_CLASSES_ROOT:
      return "HKEY_CLASSES_ROOT";
    case HKEY_CURRENT_USER:
      return "HKEY_CURRENT_USER";
    case HKEY_LOCAL_MACHINE:
      return "HKEY_LOCAL_MACHINE";
    case HKEY_USERS:
      return "HKEY_USERS";
    default:
      return nullptr;
  }
}

std::vector<std::string> SplitPath(const char* subkey) {
  std::vector<std::string> names;
  std::string name;
  for (const char* p = subkey ? subkey : ""; *p; ++p) {
    if (*p == '\\') {
      if (!name.empty()) names.push_back(name);
      name.clear();
    } else {
      name += *p;
    }
  }
  if (!name.empty()) names.push_back(name);
  return names;
}

// Copies a name with its NUL into a caller's buffer of *size bytes; *size becomes the
// name's length.
LONG CopyName(const std::string& name, char* buffer, DWORD* size) {
  if (!size) return ERROR_INVALID_PARAMETER;
  if (!buffer || *size < name.size() + 1) {
    *size = static_cast<DWORD>(name.size());
    return ERROR_MORE_DATA;
  }
  std::memcpy(buffer, name.c_str(), name.size() + 1);
  *size = static_cast<DWORD>(name.size());
  return ERROR_SUCCESS;
}

LONG CopyData(const std::vector<uint8_t>& bytes, uint8_t* data, DWORD* size) {
  if (!size) return data ? ERROR_INVALID_PARAMETER : ERROR_SUCCESS;
  DWORD needed = static_cast<DWORD>(bytes.size());
  if (data && *size < needed) {
    *size = needed;
    return ERROR_MORE_DATA;
  }
  if (data && needed) std::memcpy(data, bytes.data(), needed);
  *size = needed;
  return ERROR_SUCCESS;
}

}  // namespace

RegistryStore::RegistryStore(fs::path root) : root_(std::move(root)) {}

// The directory of subkey below key in *dir. With `create`, missing keys are made.
LONG RegistryStore::Resolve(HKEY key, const char* subkey, bool create, fs::path* dir) const {
  fs::path at;
  if (const char* hive = HiveName(key)) {
    at = root_ / hive;  // a hive not yet written reads as empty
  } else {
    auto it = open_.find(key);
    if (it == open_.end()) return ERROR_INVALID_HANDLE;
    at = it->second;
    std::error_code ec;
    if (!fs::is_directory(at, ec)) return ERROR_FILE_NOT_FOUND;  // deleted since opened
  }
  std::error_code ec;
  if (create) fs::create_directories(at, ec);
  for (const std::string& name : SplitPath(subkey)) {
    fs::path found;
    for (const auto& entry : fs::directory_iterator(at, ec)) {
      if (entry.is_directory(ec) && SameName(Unescape(entry.path().filename()), name)) {
        found = entry.path();
        break;
      }
    }
    if (found.empty()) {
      if (!create) return ERROR_FILE_NOT_FOUND;
      found = at / EscapeKey(name);
      if (!fs::create_directory(found, ec) && ec) return ERROR_ACCESS_DENIED;
    }
    at = found;
  }
  *dir = at;
  return ERROR_SUCCESS;
}

std::vector<RegistryStore::Value> RegistryStore::ReadValues(const fs::path& dir) const {
  std::vector<Value> values;
  std::ifstream in(dir / kValuesFile);
  std::string line;
  while (std::getline(in, line)) {
    size_t tab1 = line.find('\t'), tab2 = line.find('\t', tab1 + 1);
    if (tab1 == std::string::npos || tab2 == std::string::npos) continue;
    Value v;
    v.name = Unescape(line.substr(0, tab1));
    v.type = static_cast<DWORD>(std::strtoul(line.c_str() + tab1 + 1, nullptr, 10));
    std::string hex = line.substr(tab2 + 1);
    bool valid = hex.size() % 2 == 0;
    for (size_t i = 0; valid && i < hex.size(); i += 2) {
      int hi = HexDigit(hex[i]), lo = HexDigit(hex[i + 1]);
      valid = hi >= 0 && lo >= 0;
      v.data.push_back(static_cast<uint8_t>(hi * 16 + lo));
    }
    if (valid) values.push_back(std::move(v));
  }
  return values;
}

// Replaces the values file as a whole (written beside it, then renamed), so a failed
// write leaves the old values.
bool RegistryStore::WriteValues(const fs::path& dir, const std::vector<Value>& values) const {
  std::error_code ec;
  if (values.empty()) {
    fs::remove(dir / kValuesFile, ec);
    return !ec;
  }
  fs::create_directories(dir, ec);  // a hive's first value
  std::ostringstream text;
  static const char kHex[] = "0123456789ABCDEF";
  for (const Value& v : values) {
    text << EscapeValue(v.name) << '\t' << v.type << '\t';
    for (uint8_t b : v.data) text << kHex[b >> 4] << kHex[b & 15];
    text << '\n';
  }
  fs::path temp = dir / (std::string(kValuesFile) + ".tmp");
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out << text.str();
    out.flush();
    if (!out) {
      fs::remove(temp, ec);
      return false;
    }
  }
  fs::rename(temp, dir / kValuesFile, ec);
  return !ec;
}

std::vector<std::string> RegistryStore::SubkeyNames(const fs::path& dir) const {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(dir, ec))
    if (entry.is_directory(ec)) names.push_back(Unescape(entry.path().filename()));
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    int order = strcasecmp(a.c_str(), b.c_str());
    return order != 0 ? order < 0 : a < b;
  });
  return names;
}

LONG RegistryStore::RegOpenKeyExA(HKEY key, const char* subkey, DWORD, DWORD, HKEY* result) {
  std::lock_guard<std::mutex> hold(lock_);
  if (!result) return ERROR_INVALID_PARAMETER;
  *result = 0;
  fs::path dir;
  if (LONG result = Resolve(key, subkey, false, &dir); result != ERROR_SUCCESS) return result;
  *result = next_handle_++;
  open_[*result] = dir;
  return ERROR_SUCCESS;
}

LONG RegistryStore::RegCreateKeyExA(HKEY key, const char* subkey, HKEY* result) {
  std::lock_guard<std::mutex> hold(lock_);
  if (!result) return ERROR_INVALID_PARAMETER;
  *result = 0;
  fs::path dir;
  if (LONG result = Resolve(key, subkey, true, &dir); result != ERROR_SUCCESS) return result;
  *result = next_handle_++;
  open_[*result] = dir;
  return ERROR_SUCCESS;
}

LONG RegistryStore::RegCloseKey(HKEY key) {
  std::lock_guard<std::mutex> hold(lock_);
  if (HiveName(key)) return ERROR_SUCCESS;
  return open_.erase(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

LONG RegistryStore::RegQueryValueExA(HKEY key, const char* name, DWORD*, DWORD* type, uint8_t* data,
                                     DWORD* size) {
  std::lock_guard<std::mutex> hold(lock_);
  fs::path dir;
  if (LONG result = Resolve(key, nullptr, false, &dir); result != ERROR_SUCCESS) return result;
  for (const Value& v : ReadValues(dir)) {
    if (!SameName(v.name, name ? name : "")) continue;
    if (type) *type = v.type;
    return CopyData(v.data, data, size);
  }
  return ERROR_FILE_NOT_FOUND;
}

LONG RegistryStore::RegSetValueExA(HKEY key, const char* name, DWORD, DWORD type,
                                   const uint8_t* data, DWORD size) {
  std::lock_guard<std::mutex> hold(lock_);
  if (!data && size) return ERROR_INVALID_PARAMETER;
  fs::path dir;
  if (LONG result = Resolve(key, nullptr, false, &dir); result != ERROR_SUCCESS) return result;
  std::vector<Value> values = ReadValues(dir);
  std::string value_name = name ? name : "";
  auto it = std::find_if(values.begin(), values.end(),
                         [&](const Value& v) { return SameName(v.name, value_name); });
  if (it == values.end()) it = values.insert(values.end(), Value{value_name, type, {}});
  it->type = type;
  it->data.assign(data, data + size);
  return WriteValues(dir, values) ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
}

LONG RegistryStore::RegDeleteValueA(HKEY key, const char* name) {
  std::lock_guard<std::mutex> hold(lock_);
  fs::path dir;
  if (LONG result = Resolve(key, nullptr, false, &dir); result != ERROR_SUCCESS) return result;
  std::vector<Value> values = ReadValues(dir);
  auto it = std::find_if(values.begin(), values.end(),
                         [&](const Value& v) { return SameName(v.name, name ? name : ""); });
  if (it == values.end()) return ERROR_FILE_NOT_FOUND;
  values.erase(it);
  return WriteValues(dir, values) ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
}

LONG RegistryStore::RegDeleteKeyA(HKEY key, const char* subkey) {
  std::lock_guard<std::mutex> hold(lock_);
  if (SplitPath(subkey).empty()) return ERROR_INVALID_PARAMETER;  // a key deletes its subkeys
  fs::path dir;
  if (LONG result = Resolve(key, subkey, false, &dir); result != ERROR_SUCCESS) return result;
  if (!SubkeyNames(dir).empty()) return ERROR_ACCESS_DENIED;
  std::error_code ec;
  fs::remove_all(dir, ec);
  return ec ? ERROR_ACCESS_DENIED : ERROR_SUCCESS;
}

LONG RegistryStore::RegDeleteTreeA(HKEY key, const char* subkey) {
  std::lock_guard<std::mutex> hold(lock_);
  fs::path dir;
  if (LONG result = Resolve(key, subkey, false, &dir); result != ERROR_SUCCESS) return result;
  std::error_code ec;
  if (!SplitPath(subkey).empty()) {
    fs::remove_all(dir, ec);
  } else {  // the key stays, empty
    for (const auto& entry : fs::directory_iterator(dir, ec)) fs::remove_all(entry.path(), ec);
  }
  return ec ? ERROR_ACCESS_DENIED : ERROR_SUCCESS;
}

LONG RegistryStore::RegEnumKeyExA(HKEY key, DWORD index, char* name, DWORD* name_size) {
  std::lock_guard<std::mutex> hold(lock_);
  fs::path dir;
  if (LONG result = Resolve(key, nullptr, false, &dir); result != ERROR_SUCCESS) return result;
  std::vector<std::string> names = SubkeyNames(dir);
  if (index >= names.size()) return ERROR_NO_MORE_ITEMS;
  return CopyName(names[index], name, name_size);
}

LONG RegistryStore::RegEnumValueA(HKEY key, DWORD index, char* name, DWORD* name_size, DWORD* type,
                                  uint8_t* data, DWORD* size) {
  std::lock_guard<std::mutex> hold(lock_);
  fs::path dir;
  if (LONG result = Resolve(key, nullptr, false, &dir); result != ERROR_SUCCESS) return result;
  std::vector<Value> values = ReadValues(dir);
  if (index >= values.size()) return ERROR_NO_MORE_ITEMS;
  const Value& v = values[index];
  LONG result = CopyName(v.name, name, name_size);
  if (result != ERROR_SUCCESS) return result;
  if (type) *type = v.type;
  return CopyData(v.data, data, size);
}

RegistryStore& DefaultRegistry() {
  static RegistryStore store([] {
    if (const char* dir = std::getenv("VG_REGISTRY_DIR"); dir && *dir) return fs::path(dir);
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config)
      return fs::path(config) / "varigauge" / "registry";
    const char* home = std::getenv("HOME");
    return fs::path(home && *home ? home : "/tmp") / ".config" / "varigauge" / "registry";
  }());
  return store;
}

}  // namespace vg::reg
