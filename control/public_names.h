#pragma once
// The names the toolkit faces (the Qt widget, forms stored as Designer properties) give the
// control's members, block fields, enumerations and events, derived from the member table
// and the type library so that no list of them is kept anywhere else:
//   BackColor -> backColor, HMinValue -> hMinValue (a property and its accessors),
//   Block.BarLeft( -> barLeft (a block field) and "barleft" (its key in a stored block),
//   vgBorderStyleEnum -> BorderStyle, BlockClicked -> blockClicked, Click -> clicked.
#include <span>
#include <string>
#include <string_view>

#include "control/members.h"
#include "control/type_library.h"

namespace vg {

// `name` with its first letter in lower case.
std::string LowerFirst(std::string_view name);
// `name` with its first letter in upper case.
std::string UpperFirst(std::string_view name);

// Whether a member is a control-wide setting the toolkit faces show as a property of their
// own: every control key a form stores, except the block count (the block table is one
// property of its own) and the two the window system keeps (Font and Enabled are the
// widget's own font and enabled).
bool IsFaceProperty(const MemberRow& row);
// The face properties in member order.
std::span<const MemberRow* const> FaceProperties();
// The property's name: the member's name with a lower-case first letter.
std::string FacePropertyName(const MemberRow& row);
// The member whose face property is `name` (exact letter case); null when none is.
const MemberRow* FindFaceProperty(std::string_view name);

// A block field's name in the face ("barLeft") and its key in a stored block ("barleft"),
// both from the field's stored key.
std::string BlockFieldName(const MemberRow& row);
std::string BlockFieldKey(const MemberRow& row);
// The block field whose stored-block key is `key`, in any letter case; null when none is.
const MemberRow* FindBlockField(std::string_view key);

// An enumeration's name in the face: without the "vg" prefix and the "Enum" suffix.
std::string FaceEnumName(std::string_view type_name);

// An event's signal name: Click and DblClick as Qt names them (clicked, doubleClicked),
// the others with a lower-case first letter.
std::string FaceSignalName(const EventRow& event);

}  // namespace vg
