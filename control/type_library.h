#pragma once
// Type information of the control: the type library with its fourteen enumerations, the
// class, the interface _Varigauge (whose members are the member table's rows) and the
// event interface __Varigauge. Dispatch, the immediate window's member listing and the
// printed description all read these tables, so they cannot disagree.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "control/identity.h"
#include "control/members.h"

namespace vg {

struct EnumConstant {
  std::string_view name;
  int32_t value;
};

struct EnumType {
  std::string_view name;
  std::string_view guid;  // registry form, with braces
  std::span<const EnumConstant> constants;
};

// The enumerations in the type library's order, each with its constants in order.
std::span<const EnumType> Enumerations();
const EnumType* FindEnumeration(std::string_view name);

// The events of __Varigauge.
namespace event_id {
inline constexpr DISPID kBlockClicked = 1;
inline constexpr DISPID kTimerTime = 2;
inline constexpr DISPID kTimerDisk = 3;
inline constexpr DISPID kClick = 4;
inline constexpr DISPID kDblClick = 5;
}  // namespace event_id

struct EventRow {
  std::string_view name;
  DISPID id;
  std::span<const Param> params;
};

// The events in the event interface's order.
std::span<const EventRow> Events();
const EventRow& EventOf(DISPID id);

// One member as the immediate window lists it: its name, its DISPID as &H and eight
// upper-case hex digits, and its kinds joined by "/" ("BackColor &H68030047 get/let").
std::string MemberLine(const MemberRow& row);

// The whole type library as IDL-like text: the library, the enumerations, _Varigauge with
// its members in order, __Varigauge, and the class.
std::string DescribeTypeLibrary();

}  // namespace vg
