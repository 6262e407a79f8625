#pragma once
// The member table: one row for every member of the control's interface, in the
// interface's member order. A row says what a member is (name, DISPID, kinds, value type,
// parameters, flags, help string), what it starts as (the default of a new control or a
// new block), how it is stored with a form (bag key and its places in the write and read
// order), and how it reaches the state (the accessors). Dispatch, the defaults of new
// controls and new blocks and the SetBlock argument defaults are read from here; stored
// forms, type information and the property pages read the same rows. Adding a member
// means adding a row.
#include <cstdint>
#include <span>
#include <string_view>

#include "platform/automation/dispatch.h"
#include "platform/automation/std_font.h"
#include "platform/automation/variant.h"

namespace vg {

class Varigauge;
class UserControl;
struct BlockRecord;
struct MemberRow;

// The default font of a new block: a font object of its own with these attributes.
struct FontSpec {
  std::string_view name;
  double size;
};
inline constexpr FontSpec kDefaultFont{kDefaultFontName, kDefaultFontSize};

// What a member can be asked for; the bits are the invoke kinds of the dispatch contract.
enum MemberKind : uint8_t {
  kMethod = DISPATCH_METHOD,
  kGet = DISPATCH_PROPERTYGET,
  kLet = DISPATCH_PROPERTYPUT,
  kSet = DISPATCH_PROPERTYPUTREF,
};

// The automation type of a value. Enumerations are Longs whose type name the row carries.
enum class ValueType : uint8_t {
  kNone,  // a method without a result
  kInteger,
  kLong,
  kEnum,
  kColor,  // OLE_COLOR, a Long
  kBoolean,
  kString,
  kVariant,
  kFont,
  kPicture,
};

// A default value, written so that a table of them can be constexpr. Numbers carry their
// automation type, so that a Variant argument's default is an Integer 3 or a Long 0.
struct DefaultValue {
  enum Kind : uint8_t {
    kNone,          // no default (methods, read-only values)
    kInteger,       // a 16-bit number
    kLong,          // a 32-bit number (enumerations and colours too)
    kBoolean,       // number: 0 false, else true
    kText,          // text
    kAmbientFont,   // the container's ambient font object
    kNewFont,       // a new font object of kDefaultFont
    kEmptyPicture,  // a new picture object of type none
    kNoPicture,     // no picture object (Nothing)
  };
  Kind kind = kNone;
  int32_t number = 0;
  std::string_view text;

  // The value as a Variant; fonts and pictures are new objects (the ambient font is the
  // host's own, Empty without a host). kNone gives Empty.
  Variant Make(const UserControl* host) const;
};
// The defaults as the table writes them: Integer(3), Color(0x808080), Of(kNoPicture).
namespace defaults {
constexpr DefaultValue Integer(int16_t v) {
  return {DefaultValue::kInteger, v, {}};
}
constexpr DefaultValue Long(int32_t v) {
  return {DefaultValue::kLong, v, {}};
}
constexpr DefaultValue Color(uint32_t v) {
  return {DefaultValue::kLong, static_cast<int32_t>(v), {}};
}
constexpr DefaultValue Boolean(bool v) {
  return {DefaultValue::kBoolean, v ? -1 : 0, {}};
}
constexpr DefaultValue Text(std::string_view v) {
  return {DefaultValue::kText, 0, v};
}
constexpr DefaultValue Of(DefaultValue::Kind kind) {
  return {kind, 0, {}};
}
}  // namespace defaults

// A method's argument, or a property's index (the block selector).
struct Param {
  std::string_view name;
  ValueType type;
  std::string_view type_name;  // an enumeration's name
  DefaultValue def;            // kNone: the argument is required
  bool by_ref = false;
  constexpr bool optional() const { return def.kind != DefaultValue::kNone; }
};

// Row flags.
enum MemberFlag : uint32_t {
  kHidden = 1u << 0,          // not shown by property browsers
  kDesignTimeOnly = 1u << 1,  // get and let raise 393 while the host program runs
  kHostKept = 1u << 2,        // the value lives on the framework's control object
  kBlockField = 1u << 3,      // a per-block property: one field of a block record
  kKeepOnInit = 1u << 4,      // a new control does not reset it (it keeps its zero)
  kNoRedraw = 1u << 5,        // the setter stores without redrawing
};

// Where a value is kept in a stored form. Control-wide keys are the key itself; a block
// field's key is `key` followed by the block number and ")". Orders count from 1 in the
// order keys are written and read (control keys and block keys each by themselves); 0
// means never (Height and Width are not members and take their own places 3 and 4).
struct BagKey {
  std::string_view key{};
  uint8_t write_order = 0;
  uint8_t read_order = 0;
  ValueType stored = ValueType::kNone;
  DefaultValue def{};  // kNone: the row's default
  constexpr bool stored_at_all() const { return write_order != 0; }
};

// How a row reaches the state. The interface accessors run the member as a host calls it
// (conversions, errors, notification, redraw); `fetch` and `store` read and write the
// stored value plainly (what new placement and stored forms need): a block field's on a
// record, any other value on the control.
struct Access {
  Variant (*get)(Varigauge&, const MemberRow&, Args indices) = nullptr;
  void (*let)(Varigauge&, const MemberRow&, Args indices, const Variant& value) = nullptr;
  void (*set)(Varigauge&, const MemberRow&, Args indices, const Variant& value) = nullptr;
  Variant (*call)(Varigauge&, const MemberRow&, Args args) = nullptr;
  Variant (*fetch)(const Varigauge&) = nullptr;
  void (*store)(Varigauge&, const Variant&) = nullptr;
  Variant (*fetch_field)(const BlockRecord&) = nullptr;
  void (*store_field)(BlockRecord&, const Variant&) = nullptr;
};

struct MemberRow {
  std::string_view name{};
  DISPID id = DISPID_UNKNOWN;
  uint8_t kinds = 0;  // MemberKind bits
  ValueType type = ValueType::kNone;
  std::string_view type_name{};  // an enumeration's name, e.g. "vgBorderStyleEnum"
  DefaultValue def{};            // of a new control, or of a new block for a block field
  std::span<const Param> params{};
  uint32_t flags = 0;  // MemberFlag bits
  std::string_view help{};
  BagKey bag{};
  Access access{};

  constexpr bool Has(MemberFlag f) const { return (flags & f) != 0; }
  // Whether the interface answers for it yet (members still to be built have no accessors).
  constexpr bool Bound() const { return access.get || access.let || access.set || access.call; }
  // The default a stored form compares with.
  constexpr const DefaultValue& BagDefault() const {
    return bag.def.kind != DefaultValue::kNone ? bag.def : def;
  }
};

// Every member in the interface's member order.
std::span<const MemberRow> Members();
// The block fields (the per-block properties) in the order of a block's stored keys.
std::span<const MemberRow* const> BlockMembers();
// A member by name, whatever its letter case; null when there is none.
const MemberRow* FindMember(std::string_view name);
// A member by DISPID; null when there is none.
const MemberRow* FindMember(DISPID id);

// The default of a method's argument `index`, as the typed members take it when a caller
// leaves it out.
Variant ArgumentDefault(DISPID method, size_t index = 0);
template <class T>
T ArgDefault(DISPID method, size_t index = 0);

}  // namespace vg
