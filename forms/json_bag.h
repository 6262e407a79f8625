#pragma once
// A property bag kept as JSON: one object whose members are the bag's keys in lower case,
// in the order they were written. Values are JSON numbers, strings and Booleans; a font is
// an object {"name", "size", "bold", "italic", "underline", "strikethrough", "weight",
// "charset"}; a picture is an object {"type", "png"} with the image as base64 PNG (no "png"
// for a picture of type none); null is Nothing. Keys beginning with "_" belong to the host
// (its record of the control's extent, for instance) and are kept apart from the control's.
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/host/property_bag.h"

namespace vg::forms {

// `name` in lower case (ASCII letters only; other bytes are kept).
std::string LowerKey(std::string_view name);

class JsonPropertyBag : public PropertyBag {
 public:
  JsonPropertyBag() = default;

  // Parses a bag. Throws BagError for text that is not a JSON object, and for a value that
  // is none of the kinds above (an array, an object that is neither a font nor a picture,
  // a font or picture with a member of the wrong kind, an image that does not decode),
  // naming its key. When keys repeat, in any letter case, the last one counts.
  static JsonPropertyBag FromJson(std::string_view json);
  // The bag as compact JSON text. Texts that are not valid UTF-8 have their bad bytes
  // replaced by U+FFFD. Raises 7 when a picture cannot be encoded.
  std::string ToJson() const;

  Variant ReadProperty(std::string_view name, const Variant& default_value) override;
  // Raises 13 for an object that is neither a font nor a picture and 6 for a number that
  // JSON cannot hold (infinite or not a number).
  void WriteProperty(std::string_view name, const Variant& value,
                     const Variant& default_value) override;

  bool Contains(std::string_view name) const;
  // The stored value of `name` (any letter case), or null.
  const Variant* Get(std::string_view name) const { return Find(LowerKey(name)); }
  // Stores `value` under `name` whatever it is; Remove drops a key.
  void Put(std::string_view name, Variant value) { Set(LowerKey(name), std::move(value)); }
  void Remove(std::string_view name) { Erase(LowerKey(name)); }
  const std::vector<std::pair<std::string, Variant>>& entries() const { return entries_; }
  // The key the last read or write was about, in lower case: where a failure stopped.
  const std::string& last_key() const { return last_key_; }
  // Puts the host's keys of `previous` that this bag lacks ahead of this bag's keys, so a
  // control's save keeps what the host stored beside it.
  void KeepHostKeys(const JsonPropertyBag& previous);

 private:
  const Variant* Find(const std::string& key) const;
  void Set(std::string key, Variant value);
  void Erase(const std::string& key);
  void Reindex();

  std::vector<std::pair<std::string, Variant>> entries_;
  std::unordered_map<std::string, size_t> index_;
  std::string last_key_;
};

// The bag's default rule: true when `value` need not be stored because reading the absent
// key gives `default_value` back. Numbers (and Booleans, true being -1) compare by value
// whatever their width; text equals a number whose text form it is; objects are equal
// only when they are the same object, except that an empty picture and Nothing both mean
// "no picture".
bool EqualsDefault(const Variant& value, const Variant& default_value);

// `name` in lower case (ASCII letters only; other bytes are kept).
std::string LowerKey(std::string_view name);

}  // namespace vg::forms
