// Lookups in the member table and the values of its defaults.
#include "control/members.h"

#include "control/member_access.h"
#include "platform/automation/std_picture.h"
#include "platform/host/user_control.h"

namespace vg {

Variant DefaultValue::Make(const UserControl* host) const {
  switch (kind) {
    case kNone:
      return Variant();
    case kInteger:
      return Variant::Integer(static_cast<int16_t>(number));
    case kLong:
      return Variant::Long(number);
    case kBoolean:
      return Variant::Boolean(number != 0);
    case kText:
      return Variant::String(std::string(text));
    case kAmbientFont:
      return host ? Variant::Object(host->AmbientFont()) : Variant();
    case kNewFont:
      return Variant::Object(StdFont::Create(std::string(kDefaultFont.name), kDefaultFont.size));
    case kEmptyPicture:
      return Variant::Object(StdPicture::Empty());
    case kNoPicture:
      return Variant::Nothing();
  }
  return Variant();
}

const MemberRow* FindMember(std::string_view name) {
  for (const MemberRow& row : Members())
    if (NameEquals(row.name, name)) return &row;
  return nullptr;
}

const MemberRow* FindMember(DISPID id) {
  for (const MemberRow& row : Members())
    if (row.id == id) return &row;
  return nullptr;
}

Variant ArgumentDefault(DISPID method, size_t index) {
  const MemberRow* row = FindMember(method);
  if (!row || index >= row->params.size()) return Variant();
  return row->params[index].def.Make(nullptr);
}

template <class T>
T ArgDefault(DISPID method, size_t index) {
  return access::Unwrap<T>(ArgumentDefault(method, index));
}
template int16_t ArgDefault<int16_t>(DISPID, size_t);
template int32_t ArgDefault<int32_t>(DISPID, size_t);
template uint32_t ArgDefault<uint32_t>(DISPID, size_t);
template bool ArgDefault<bool>(DISPID, size_t);
template std::string ArgDefault<std::string>(DISPID, size_t);
template StdPictureRef ArgDefault<StdPictureRef>(DISPID, size_t);
template Variant ArgDefault<Variant>(DISPID, size_t);

}  // namespace vg
