// Stored forms: the control's settings and block table written into, and read from, the
// host's property bag. Keys, their order, stored types and defaults come from the member
// table; Height and Width are the framework's and take their own places (3 and 4).
#include <array>
#include <string>

#include "control/dispids.h"
#include "control/members.h"
#include "control/varigauge.h"
#include "platform/automation/conversions.h"
#include "platform/host/window_rules.h"

namespace vg {
namespace {

constexpr uint8_t kBlockKeysPlace = 2;  // in both orders, where the block keys go
constexpr uint8_t kHeightPlace = 3;
constexpr uint8_t kWidthPlace = 4;
// Twips, the framework's size of a new control.
constexpr float kDefaultHeight = static_cast<float>(window_rules::kDefaultHeightTwips);
constexpr float kDefaultWidth = static_cast<float>(window_rules::kDefaultWidthTwips);

using Order = std::array<const MemberRow*, 64>;

// The control-wide rows by their place in the write or read order (null where none is).
template <uint8_t BagKey::*Place>
const Order& RowsInOrder() {
  static const Order order = [] {
    Order o{};
    for (const MemberRow& row : Members())
      if (!row.Has(kBlockField) && row.bag.*Place != 0) o[row.bag.*Place] = &row;
    return o;
  }();
  return order;
}

std::string BlockKey(const MemberRow& row, int32_t n) {
  return std::string(row.bag.key) + std::to_string(n) + ")";
}

// An object of kind T, or Nothing; other values are refused as an object argument is.
template <class T>
Variant AsObject(const Variant& v) {
  if (!v.IsObject()) Raise(err::kNoObject);
  if (!v.IsNothing() && !std::dynamic_pointer_cast<T>(v.object())) Raise(err::kTypeMismatch);
  return v;
}

// A value as its key's stored type, by the automation conversions (13 for text under a
// number, 6 beyond the type's range, 13 for an object of the wrong kind).
Variant AsStored(ValueType type, const Variant& v) {
  switch (type) {
    case ValueType::kInteger:
      return Variant::Integer(ToInteger(v));
    case ValueType::kLong:
    case ValueType::kEnum:
    case ValueType::kColor:
      return Variant::Long(ToLong(v));
    case ValueType::kBoolean:
      return Variant::Boolean(ToBoolean(v));
    case ValueType::kString:
      return Variant::String(ToText(v));
    case ValueType::kFont:
      return AsObject<StdFont>(v);
    case ValueType::kPicture:
      return AsObject<StdPicture>(v);
    default:
      return v;
  }
}

// Twips from a stored Single: rounded, 6 beyond 32 bits.
int32_t Twips(const Variant& v) {
  return ToLong(Variant::Single(ToSingle(v)));
}

}  // namespace

void Varigauge::UserControl_WriteProperties(PropertyBag& bag) {
  const Order& order = RowsInOrder<&BagKey::write_order>();
  for (uint8_t place = 1; place < order.size(); ++place) {
    if (place == kBlockKeysPlace) {
      for (int32_t n = 1; n <= blocks_.count(); ++n) {
        const BlockRecord& record = blocks_.At(n);
        for (const MemberRow* row : BlockMembers())
          bag.WriteProperty(BlockKey(*row, n),
                            AsStored(row->bag.stored, row->access.fetch_field(record)),
                            row->BagDefault().Make(&host_));
      }
    } else if (place == kHeightPlace) {
      bag.WriteProperty("Height", Variant::Single(static_cast<float>(host_.Height())),
                        Variant::Single(kDefaultHeight));
    } else if (place == kWidthPlace) {
      bag.WriteProperty("Width", Variant::Single(static_cast<float>(host_.Width())),
                        Variant::Single(kDefaultWidth));
    } else if (const MemberRow* row = order[place]) {
      bag.WriteProperty(row->bag.key, AsStored(row->bag.stored, row->access.fetch(*this)),
                        row->BagDefault().Make(&host_));
    }
  }
}

void Varigauge::ReadBlock(PropertyBag& bag, int32_t n) {
  BlockRecord& record = blocks_.At(n);
  for (const MemberRow* row : BlockMembers()) {
    Variant v = bag.ReadProperty(BlockKey(*row, n), row->BagDefault().Make(&host_));
    row->access.store_field(record, AsStored(row->bag.stored, v));
  }
}

// Values go straight into the state, without the setters' processing, notification or
// redraw, except the Font (through its setter) and the size (through the framework, which
// resizes the control). Reading ends without a redraw: the next paint draws. An error ends
// the read at its key; what was read before it stays.
void Varigauge::UserControl_ReadProperties(PropertyBag& bag) {
  RecordTwipsPerPixel();
  const Order& order = RowsInOrder<&BagKey::read_order>();
  for (uint8_t place = 1; place < order.size(); ++place) {
    if (place == kBlockKeysPlace) {
      for (int32_t n = 1; n <= blocks_.count(); ++n) ReadBlock(bag, n);
      continue;
    }
    if (place == kHeightPlace || place == kWidthPlace) {
      bool height = place == kHeightPlace;
      Variant v = bag.ReadProperty(height ? "Height" : "Width",
                                   Variant::Single(height ? kDefaultHeight : kDefaultWidth));
      height ? host_.SetHeight(Twips(v)) : host_.SetWidth(Twips(v));
      continue;
    }
    const MemberRow* row = order[place];
    if (!row) continue;
    Variant v =
        AsStored(row->bag.stored, bag.ReadProperty(row->bag.key, row->BagDefault().Make(&host_)));
    if (row->id == dispid::kBlocks)
      blocks_.Load(v.long_value());
    else if (row->id == dispid::kFont)
      putref_Font(std::static_pointer_cast<StdFont>(v.object()));
    else
      row->access.store(*this, v);
    // A stored form never starts with refreshing switched off: the stored value is
    // written but not read, and the switch is cleared at its place.
    if (row->id == dispid::kCaptionAutoAngle) state_.dont_refresh_after_property_page = false;
    // Each timer is set once both its keys are read: its enabled flag, then its interval.
    if (row->id == dispid::kTimerTimeEnabled)
      ControlTimers::Restore(timers_.time(), state_.timer_time_enabled, state_.timer_time_interval);
    if (row->id == dispid::kTimerDiskEnabled)
      ControlTimers::Restore(timers_.disk(), state_.timer_disk_enabled, state_.timer_disk_interval);
  }
}

void Varigauge::ReadBlockTable(PropertyBag& bag) {
  const MemberRow& count_row = *FindMember(dispid::kBlocks);
  const Variant count =
      AsStored(count_row.bag.stored,
               bag.ReadProperty(count_row.bag.key, count_row.BagDefault().Make(&host_)));
  BlockTable before = blocks_;
  try {
    blocks_.Load(count.long_value());
    for (int32_t n = 1; n <= blocks_.count(); ++n) ReadBlock(bag, n);
  } catch (...) {
    blocks_ = std::move(before);
    throw;
  }
  host_.PropertyChanged("Block");
  Draw();
}

}  // namespace vg
