#pragma once
// One bag value between its Variant and its JSON form (see json_bag.h for the layout).
#include <nlohmann/json.hpp>
#include <string>

#include "platform/automation/variant.h"

namespace vg::forms {

using Json = nlohmann::ordered_json;

// Throws BagError naming `key` for JSON that is no bag value.
Variant ValueFromJson(const std::string& key, const Json& json);
// Raises 13 for an object of another kind, 6 for a non-finite number, 7 when a picture
// cannot be encoded.
Json ValueToJson(const Variant& value);
// The checks of ValueToJson that need no encoding, for a write to fail at its own key.
void CheckStorable(const Variant& value);

}  // namespace vg::forms
