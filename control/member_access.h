#pragma once
// The accessors of the member table, made from the typed members of Varigauge and the
// fields they keep: each template turns one typed member or field into the uniform
// function a row holds. Only the member table includes this.
#include <memory>
#include <string>
#include <type_traits>

#include "control/members.h"
#include "control/varigauge.h"
#include "platform/automation/conversions.h"

namespace vg {

// The control's parts as the table's plain accessors reach them.
struct MemberAccess {
  static ControlState& State(Varigauge& c) { return c.state_; }
  static const ControlState& State(const Varigauge& c) { return c.state_; }
  static UserControl& Host(const Varigauge& c) { return c.host_; }
  static BlockTable& Blocks(Varigauge& c) { return c.blocks_; }
  static const BlockTable& Blocks(const Varigauge& c) { return c.blocks_; }
};

namespace access {

inline Variant Wrap(int16_t v) {
  return Variant::Integer(v);
}
inline Variant Wrap(int32_t v) {
  return Variant::Long(v);
}
inline Variant Wrap(uint32_t v) {
  return Variant::Long(static_cast<int32_t>(v));
}
inline Variant Wrap(bool v) {
  return Variant::Boolean(v);
}
inline Variant Wrap(const std::string& v) {
  return Variant::String(v);
}
template <class T>
Variant Wrap(const std::shared_ptr<T>& v) {
  return Variant::Object(v);
}

// An object argument: Nothing gives null, a non-object 424, an object of another kind 13.
template <class T>
std::shared_ptr<T> UnwrapObject(const Variant& v) {
  if (!v.IsObject()) Raise(err::kNoObject);
  if (v.IsNothing()) return nullptr;
  auto typed = std::dynamic_pointer_cast<T>(v.object());
  if (!typed) Raise(err::kTypeMismatch);
  return typed;
}

// A Variant converted to the type a typed member takes, by the automation rules.
template <class T>
T Unwrap(const Variant& v) {
  if constexpr (std::is_same_v<T, Variant>)
    return v;
  else if constexpr (std::is_same_v<T, StdPictureRef>)
    return UnwrapObject<StdPicture>(v);
  else if constexpr (std::is_same_v<T, StdFontRef>)
    return UnwrapObject<StdFont>(v);
  else if constexpr (std::is_same_v<T, int16_t>)
    return ToInteger(v);
  else if constexpr (std::is_same_v<T, int32_t>)
    return ToLong(v);
  else if constexpr (std::is_same_v<T, uint32_t>)
    return static_cast<uint32_t>(ToLong(v));
  else if constexpr (std::is_same_v<T, bool>)
    return ToBoolean(v);
  else
    return ToText(v);
}

// The value type a typed setter or method takes.
template <class F>
struct ArgOf;
template <class V>
struct ArgOf<void (Varigauge::*)(V)> {
  using type = std::decay_t<V>;
};
template <class V>
struct ArgOf<void (Varigauge::*)(const Variant&, V)> {
  using type = std::decay_t<V>;
};
template <auto F>
using Arg = typename ArgOf<decltype(F)>::type;

// The type of a data member.
template <class M>
struct FieldOf;
template <class C, class T>
struct FieldOf<T C::*> {
  using type = T;
};
template <auto F>
using Field = typename FieldOf<decltype(F)>::type;

// Argument `i`, or the row's default for it when it was left out.
inline Variant ArgOrDefault(const Varigauge& c, const MemberRow& row, Args a, size_t i) {
  if (i < a.size() && !a[i].IsMissing()) return a[i];
  return row.params[i].def.Make(&MemberAccess::Host(c));
}

// The block selector of a per-block member: the current block when left out.
inline const Variant& Selector(Args indices) {
  static const Variant current = CurrentBlock();
  return indices.empty() || indices[0].IsMissing() ? current : indices[0];
}

// --- interface accessors -------------------------------------------------------------

template <auto Get>
Variant GetProperty(Varigauge& c, const MemberRow&, Args) {
  return Wrap((c.*Get)());
}
template <auto Put>
void PutProperty(Varigauge& c, const MemberRow&, Args, const Variant& v) {
  (c.*Put)(Unwrap<Arg<Put>>(v));
}

// A per-block property: an optional selector before the value. The selector is resolved
// before the value is converted, so a bad selector is reported first.
template <auto Get>
Variant GetBlockProperty(Varigauge& c, const MemberRow&, Args a) {
  return Wrap((c.*Get)(Selector(a)));
}
template <auto Put>
void PutBlockProperty(Varigauge& c, const MemberRow&, Args a, const Variant& v) {
  const Variant& selector = Selector(a);
  c.Block(selector);
  (c.*Put)(selector, Unwrap<Arg<Put>>(v));
}

// A method with no argument, or with one argument that takes the row's default when left
// out; the result is always Empty.
template <auto Fn>
Variant CallMethod(Varigauge& c, const MemberRow& row, Args a) {
  if constexpr (std::is_same_v<decltype(Fn), void (Varigauge::*)()>) {
    (c.*Fn)();
  } else {
    (c.*Fn)(Unwrap<Arg<Fn>>(ArgOrDefault(c, row, a, 0)));
  }
  return Variant();
}

// --- plain accessors -----------------------------------------------------------------

template <auto F>
Variant FetchState(const Varigauge& c) {
  return Wrap(MemberAccess::State(c).*F);
}
template <auto F>
void StoreState(Varigauge& c, const Variant& v) {
  MemberAccess::State(c).*F = Unwrap<Field<F>>(v);
}
template <auto F>
Variant FetchField(const BlockRecord& r) {
  return Wrap(r.*F);
}
template <auto F>
void StoreField(BlockRecord& r, const Variant& v) {
  r.*F = Unwrap<Field<F>>(v);
}

// --- row accessors -------------------------------------------------------------------

// A property kept in the control state.
template <auto Get, auto Put, auto F>
constexpr Access State() {
  return {.get = &GetProperty<Get>,
          .let = &PutProperty<Put>,
          .fetch = &FetchState<F>,
          .store = &StoreState<F>};
}
// The same, set by reference.
template <auto Get, auto Put, auto F>
constexpr Access StateByRef() {
  return {.get = &GetProperty<Get>,
          .set = &PutProperty<Put>,
          .fetch = &FetchState<F>,
          .store = &StoreState<F>};
}
// A property kept elsewhere (on the framework's control object, or the block count), with
// its own plain accessors.
template <auto Get, auto Put>
constexpr Access Kept(Variant (*fetch)(const Varigauge&), void (*store)(Varigauge&, const Variant&),
                      bool by_ref = false) {
  Access a{.get = &GetProperty<Get>, .fetch = fetch, .store = store};
  (by_ref ? a.set : a.let) = &PutProperty<Put>;
  return a;
}
// A value kept in the control state that the interface does not reach yet.
template <auto F>
constexpr Access StateOnly() {
  return {.fetch = &FetchState<F>, .store = &StoreState<F>};
}
// A per-block property; pictures are set by reference only, fonts either way (a plain
// assignment stores the reference too).
template <auto Get, auto Put, auto F>
constexpr Access Block() {
  Access a{
      .get = &GetBlockProperty<Get>, .fetch_field = &FetchField<F>, .store_field = &StoreField<F>};
  using T = Field<F>;
  if constexpr (!std::is_same_v<T, StdPictureRef>) a.let = &PutBlockProperty<Put>;
  if constexpr (std::is_same_v<T, StdPictureRef> || std::is_same_v<T, StdFontRef>)
    a.set = &PutBlockProperty<Put>;
  return a;
}
template <auto Fn>
constexpr Access Method() {
  return {.call = &CallMethod<Fn>};
}

}  // namespace access
}  // namespace vg
