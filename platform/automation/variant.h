#pragma once
// Variant: the tagged automation value that crosses between a host and the control.
// Kinds and their tag numbers follow the automation type codes, so a host that prints
// VarType sees the familiar numbers.
#include <cstdint>
#include <memory>
#include <string>

namespace vg {

class DispatchObject;
using ObjectRef = std::shared_ptr<DispatchObject>;

enum class VarType : uint16_t {
  Empty = 0,
  Integer = 2,  // 16-bit signed
  Long = 3,     // 32-bit signed
  Single = 4,
  Double = 5,
  String = 8,
  Object = 9,  // an object reference; a null reference is Nothing
  Error = 10,  // only as the "missing argument" marker
  Boolean = 11,
};

// Automation Booleans are 16-bit: true is -1 (all bits set), false is 0.
inline constexpr int16_t kVariantTrue = -1;
inline constexpr int16_t kVariantFalse = 0;

class Variant {
 public:
  Variant() = default;  // Empty

  static Variant Integer(int16_t v);
  static Variant Long(int32_t v);
  static Variant Single(float v);
  static Variant Double(double v);
  static Variant Boolean(bool v);
  static Variant String(std::string v);
  static Variant Object(ObjectRef v);  // a null reference makes Nothing
  static Variant Nothing() { return Object(nullptr); }
  static Variant Missing();  // an optional argument that was left out

  VarType type() const { return type_; }
  bool IsEmpty() const { return type_ == VarType::Empty; }
  bool IsMissing() const { return type_ == VarType::Error; }
  bool IsObject() const { return type_ == VarType::Object; }
  bool IsNothing() const { return type_ == VarType::Object && !object_; }
  bool IsString() const { return type_ == VarType::String; }

  // Raw accessors; valid only for the matching kind.
  int16_t integer() const { return static_cast<int16_t>(i32_); }
  int32_t long_value() const { return i32_; }
  float single() const { return static_cast<float>(f64_); }
  double double_value() const { return f64_; }
  bool boolean() const { return i32_ != 0; }
  const std::string& string() const { return string_; }
  const ObjectRef& object() const { return object_; }

  // Same kind and same value; objects compare by identity.
  bool operator==(const Variant& other) const;

 private:
  VarType type_ = VarType::Empty;
  int32_t i32_ = 0;
  double f64_ = 0.0;  // Singles are kept exactly in the double
  std::string string_;
  ObjectRef object_;
};

}  // namespace vg
