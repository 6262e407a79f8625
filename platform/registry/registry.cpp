#include "platform/registry/registry.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace vg::registry {
namespace {

std::string Fold(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

std::string Quote(std::string_view s) {
  std::string out = "\"";
  for (char c : s) {
    if (c == '\\' || c == '"')
      out += {'\\', c};
    else if (c == '\n')
      out += "\\n";
    else
      out += c;
  }
  return out + "\"";
}

// Reads a quoted string at line[i], leaving i after the closing quote.
bool Unquote(const std::string& line, size_t& i, std::string* out) {
  if (i >= line.size() || line[i] != '"') return false;
  out->clear();
  for (++i; i < line.size(); ++i) {
    char c = line[i];
    if (c == '"') return ++i, true;
    if (c == '\\') {
      if (++i >= line.size()) return false;
      c = line[i] == 'n' ? '\n' : line[i];
    }
    out->push_back(c);
  }
  return false;
}

}  // namespace

std::string Store::DefaultPath() {
  if (const char* p = std::getenv("VG_REGISTRY"); p && *p) return p;
  if (const char* p = std::getenv("XDG_CONFIG_HOME"); p && *p)
    return std::string(p) + "/varigauge/registry.reg";
  if (const char* p = std::getenv("HOME"); p && *p)
    return std::string(p) + "/.config/varigauge/registry.reg";
  return {};
}

bool Store::Load(const std::string& path, std::string* error) {
  keys_.clear();
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) return true;  // no file yet: an empty registry
  std::ifstream in(path);
  if (!in) {
    *error = "cannot read " + path;
    return false;
  }
  std::string line, current;
  int number = 0;
  auto fail = [&](const char* what) {
    *error = path + ":" + std::to_string(number) + ": " + what;
    keys_.clear();
    return false;
  };
  while (std::getline(in, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == ';' || line[0] == '#') continue;
    if (line[0] == '[') {
      if (line.back() != ']' || line.size() < 3) return fail("bad key line");
      current = line.substr(1, line.size() - 2);
      CreateKey(current);
      continue;
    }
    if (current.empty()) return fail("value outside a key");
    size_t i = 0;
    std::string name, value;
    if (line[0] == '@')
      i = 1;
    else if (!Unquote(line, i, &name))
      return fail("bad value name");
    if (i >= line.size() || line[i] != '=') return fail("missing '='");
    ++i;
    if (!Unquote(line, i, &value) || i != line.size()) return fail("bad value");
    SetValue(current, name, value);
  }
  return true;
}

bool Store::Save(const std::string& path, std::string* error) const {
  // The first registration on a machine makes the directory.
  std::error_code ec;
  std::filesystem::path parent = std::filesystem::path(path).parent_path();
  if (!parent.empty()) std::filesystem::create_directories(parent, ec);
  std::ostringstream text;
  text << "; Varigauge registry\n";
  for (const auto& [folded, key] : keys_) {
    text << "\n[" << key.path << "]\n";
    for (const auto& [fname, nv] : key.values)
      text << (nv.first.empty() ? std::string("@") : Quote(nv.first)) << "=" << Quote(nv.second)
           << "\n";
  }
  std::string temp = path + ".tmp";
  {
    std::ofstream out(temp, std::ios::trunc);
    out << text.str();
    out.flush();
    if (!out) {
      std::remove(temp.c_str());
      *error = "cannot write " + temp;
      return false;
    }
  }
  if (std::rename(temp.c_str(), path.c_str()) != 0) {
    std::remove(temp.c_str());
    *error = "cannot replace " + path;
    return false;
  }
  return true;
}

bool Store::HasSubKey(const std::string& folded) const {
  std::string prefix = folded + "\\";
  auto sub = keys_.lower_bound(prefix);
  return sub != keys_.end() && sub->first.compare(0, prefix.size(), prefix) == 0;
}

bool Store::KeyExists(std::string_view key) const {
  std::string folded = Fold(key);
  return keys_.count(folded) != 0 || HasSubKey(folded);
}

void Store::CreateKey(std::string_view key) {
  if (key.empty()) return;
  Key& k = keys_[Fold(key)];
  if (k.path.empty()) k.path = std::string(key);
}

void Store::SetValue(std::string_view key, std::string_view name, std::string_view value) {
  CreateKey(key);
  keys_[Fold(key)].values[Fold(name)] = {std::string(name), std::string(value)};
}

std::optional<std::string> Store::GetValue(std::string_view key, std::string_view name) const {
  auto k = keys_.find(Fold(key));
  if (k == keys_.end()) return std::nullopt;
  auto v = k->second.values.find(Fold(name));
  if (v == k->second.values.end()) return std::nullopt;
  return v->second.second;
}

bool Store::DeleteValue(std::string_view key, std::string_view name) {
  auto k = keys_.find(Fold(key));
  return k != keys_.end() && k->second.values.erase(Fold(name)) != 0;
}

bool Store::DeleteKeyIfEmpty(std::string_view key) {
  std::string folded = Fold(key);
  auto k = keys_.find(folded);
  if (k != keys_.end()) {
    if (!k->second.values.empty()) return false;
    keys_.erase(k);
  }
  return !HasSubKey(folded);
}

std::vector<std::string> Store::Keys() const {
  std::vector<std::string> out;
  for (const auto& [folded, key] : keys_) out.push_back(key.path);
  return out;
}

bool Store::operator==(const Store& other) const {
  if (keys_.size() != other.keys_.size()) return false;
  for (auto a = keys_.begin(), b = other.keys_.begin(); a != keys_.end(); ++a, ++b) {
    if (a->first != b->first || a->second.values.size() != b->second.values.size()) return false;
    for (auto x = a->second.values.begin(), y = b->second.values.begin();
         x != a->second.values.end(); ++x, ++y)
      if (x->first != y->first || x->second.second != y->second.second) return false;
  }
  return true;
}

}  // namespace vg::registry
