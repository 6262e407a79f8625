#pragma once
// A control's stored settings as a form keeps them in Qt Designer's own terms: each
// control-wide setting a property of the widget (backColor, borderStyle, ...), the block
// table one property `blocks`, a JSON array of one object per block with the block keys in
// lower case and without the block number ([{"barright":40,"text":"!h%!"}]), and what the
// typed properties cannot hold in two more: `systemColors` (colour properties holding a
// system colour, {"foreColor":2147483666}) and `pictureData` (the control's picture as a
// JSON picture). A bag (json_bag.h) is the control's own form of the same settings; these
// functions turn one into the other. Errors are BagErrors naming the property.
#include <pugixml.hpp>
#include <string>
#include <string_view>

#include "forms/json_bag.h"

namespace vg::forms {

inline constexpr char kBlocksProperty[] = "blocks";
inline constexpr char kSystemColorsProperty[] = "systemColors";
inline constexpr char kPictureDataProperty[] = "pictureData";

// The block keys of `bag` as the blocks property's text.
std::string BlocksJson(const JsonPropertyBag& bag);
// The blocks property into `bag`: the block count and every stored block key (the old
// block keys go). Refuses text that is no JSON array of objects, a key no block has and a
// value that is no bag value.
void ReadBlocksJson(std::string_view json, JsonPropertyBag& bag);

// The colour keys of `bag` holding a system colour, by property name; "" when none does.
std::string SystemColorsJson(const JsonPropertyBag& bag);
void ReadSystemColorsJson(std::string_view json, JsonPropertyBag& bag);

// The control's picture in `bag` as a JSON picture; "" when there is none.
std::string PictureJson(const JsonPropertyBag& bag);
void ReadPictureJson(std::string_view json, JsonPropertyBag& bag);

// The settings a form's widget element holds (its properties, an older form's
// propertyBag, and its geometry as the control's size where no stored key gives one) as a
// bag. Throws BagError naming the property that is of the wrong kind.
JsonPropertyBag BagFromWidget(pugi::xml_node widget);
// Writes `bag` into the widget element: every property whose value differs from its
// default, in member order after the widget's other properties; properties at their
// default and an older form's propertyBag go; the widget's other properties stay.
void WidgetFromBag(const JsonPropertyBag& bag, pugi::xml_node widget);

}  // namespace vg::forms
