#include "forms/json_bag.h"

#include "forms/bag_values.h"
#include "forms/form_error.h"
#include "platform/automation/conversions.h"
#include "platform/automation/std_picture.h"

namespace vg::forms {
namespace {

bool IsHostKey(const std::string& key) {
  return !key.empty() && key[0] == '_';
}

// Numbers and Booleans (true being -1); not text, and not Empty (no default at all).
bool IsNumber(const Variant& v) {
  return !v.IsString() && !v.IsEmpty() && IsNumeric(v);
}

bool NoPicture(const Variant& v) {
  if (v.IsNothing()) return true;
  auto picture = v.IsObject() ? std::dynamic_pointer_cast<StdPicture>(v.object()) : nullptr;
  return picture && picture->Type() == vbPicTypeNone;
}

}  // namespace

std::string LowerKey(std::string_view name) {
  std::string key(name);
  for (char& c : key)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return key;
}

bool EqualsDefault(const Variant& value, const Variant& default_value) {
  if (value == default_value) return true;
  if (IsNumber(value) && IsNumber(default_value)) return ToDouble(value) == ToDouble(default_value);
  if (value.IsString() && IsNumber(default_value)) return value.string() == ToText(default_value);
  if (value.IsObject() && default_value.IsObject())
    return NoPicture(value) && NoPicture(default_value);
  return false;
}

JsonPropertyBag JsonPropertyBag::FromJson(std::string_view json) {
  Json parsed;
  try {
    parsed = Json::parse(json);
  } catch (const Json::exception& e) {
    // Drop the library's "[json.exception.parse_error.101] " prefix.
    std::string what = e.what();
    size_t end = what.find("] ");
    throw BagError("",
                   "not valid JSON: " + (end == std::string::npos ? what : what.substr(end + 2)));
  }
  if (!parsed.is_object()) throw BagError("", "the bag is not a JSON object");
  JsonPropertyBag bag;
  for (const auto& [name, value] : parsed.items()) {
    std::string key = LowerKey(name);
    bag.Set(key, ValueFromJson(key, value));
  }
  return bag;
}

std::string JsonPropertyBag::ToJson() const {
  Json out = Json::object();
  for (const auto& [key, value] : entries_) out[key] = ValueToJson(value);
  return out.dump(-1, ' ', false, Json::error_handler_t::replace);
}

const Variant* JsonPropertyBag::Find(const std::string& key) const {
  auto it = index_.find(key);
  return it == index_.end() ? nullptr : &entries_[it->second].second;
}

bool JsonPropertyBag::Contains(std::string_view name) const {
  return Find(LowerKey(name)) != nullptr;
}

void JsonPropertyBag::Set(std::string key, Variant value) {
  auto it = index_.find(key);
  if (it != index_.end()) {
    entries_[it->second].second = std::move(value);
    return;
  }
  index_.emplace(key, entries_.size());
  entries_.emplace_back(std::move(key), std::move(value));
}

void JsonPropertyBag::Erase(const std::string& key) {
  auto it = index_.find(key);
  if (it == index_.end()) return;
  entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(it->second));
  Reindex();
}

void JsonPropertyBag::Reindex() {
  index_.clear();
  for (size_t i = 0; i < entries_.size(); ++i) index_.emplace(entries_[i].first, i);
}

Variant JsonPropertyBag::ReadProperty(std::string_view name, const Variant& default_value) {
  last_key_ = LowerKey(name);
  const Variant* stored = Find(last_key_);
  return stored ? *stored : default_value;
}

void JsonPropertyBag::WriteProperty(std::string_view name, const Variant& value,
                                    const Variant& default_value) {
  last_key_ = LowerKey(name);
  CheckStorable(value);
  if (EqualsDefault(value, default_value))
    Erase(last_key_);
  else
    Set(last_key_, value);
}

void JsonPropertyBag::KeepHostKeys(const JsonPropertyBag& previous) {
  std::vector<std::pair<std::string, Variant>> merged;
  for (const auto& entry : previous.entries_)
    if (IsHostKey(entry.first) && !Find(entry.first)) merged.push_back(entry);
  if (merged.empty()) return;
  merged.insert(merged.end(), entries_.begin(), entries_.end());
  entries_ = std::move(merged);
  Reindex();
}

}  // namespace vg::forms
