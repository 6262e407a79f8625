#include "platform/automation/variant.h"

namespace vg {

Variant Variant::Integer(int16_t v) {
  Variant r;
  r.type_ = VarType::Integer;
  r.i32_ = v;
  return r;
}

Variant Variant::Long(int32_t v) {
  Variant r;
  r.type_ = VarType::Long;
  r.i32_ = v;
  return r;
}

Variant Variant::Single(float v) {
  Variant r;
  r.type_ = VarType::Single;
  r.f64_ = v;
  return r;
}

Variant Variant::Double(double v) {
  Variant r;
  r.type_ = VarType::Double;
  r.f64_ = v;
  return r;
}

Variant Variant::Boolean(bool v) {
  Variant r;
  r.type_ = VarType::Boolean;
  r.i32_ = v ? kVariantTrue : kVariantFalse;
  return r;
}

Variant Variant::String(std::string v) {
  Variant r;
  r.type_ = VarType::String;
  r.string_ = std::move(v);
  return r;
}

Variant Variant::Object(ObjectRef v) {
  Variant r;
  r.type_ = VarType::Object;
  r.object_ = std::move(v);
  return r;
}

Variant Variant::Missing() {
  Variant r;
  r.type_ = VarType::Error;
  return r;
}

bool Variant::operator==(const Variant& other) const {
  if (type_ != other.type_) return false;
  switch (type_) {
    case VarType::Empty:
    case VarType::Error:
      return true;
    case VarType::Integer:
    case VarType::Long:
    case VarType::Boolean:
      return i32_ == other.i32_;
    case VarType::Single:
    case VarType::Double:
      return f64_ == other.f64_;
    case VarType::String:
      return string_ == other.string_;
    case VarType::Object:
      return object_ == other.object_;
  }
  return false;
}

}  // namespace vg
