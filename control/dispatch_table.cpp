// The control's members for late binding: name, DISPID and the typed member behind each,
// with the automation conversions of the arguments.
#include <functional>
#include <type_traits>

#include "control/dispids.h"
#include "control/varigauge.h"
#include "platform/automation/conversions.h"

namespace vg {
namespace {

using Table = DispatchTable<Varigauge>;

Variant Wrap(int16_t v) {
  return Variant::Integer(v);
}
Variant Wrap(int32_t v) {
  return Variant::Long(v);
}
Variant Wrap(uint32_t v) {
  return Variant::Long(static_cast<int32_t>(v));
}
Variant Wrap(bool v) {
  return Variant::Boolean(v);
}
Variant Wrap(const std::string& v) {
  return Variant::String(v);
}
template <class T>
Variant Wrap(const std::shared_ptr<T>& v) {
  return Variant::Object(v);
}

template <class T>
std::shared_ptr<T> UnwrapObject(const Variant& v);

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

// An object argument for a putref: Nothing gives null, a non-object 424, an object of
// another kind 13.
template <class T>
std::shared_ptr<T> UnwrapObject(const Variant& v) {
  if (!v.IsObject()) Raise(err::kNoObject);
  if (v.IsNothing()) return nullptr;
  auto typed = std::dynamic_pointer_cast<T>(v.object());
  if (!typed) Raise(err::kTypeMismatch);
  return typed;
}

template <class R>
Table::Getter Getter(R (Varigauge::*get)() const) {
  return [get](Varigauge& c, Args) { return Wrap((c.*get)()); };
}

template <class R, class V>
void Prop(Table& t, const char* name, DISPID id, R (Varigauge::*get)() const,
          void (Varigauge::*put)(V)) {
  Table::Member m;
  m.name = name;
  m.id = id;
  m.get = Getter(get);
  m.put = [put](Varigauge& c, Args, const Variant& v) { (c.*put)(Unwrap<std::decay_t<V>>(v)); };
  t.Add(std::move(m));
}

template <class R>
void ReadOnly(Table& t, const char* name, DISPID id, R (Varigauge::*get)() const) {
  Table::Member m;
  m.name = name;
  m.id = id;
  m.get = Getter(get);
  t.Add(std::move(m));
}

template <class T>
void RefProp(Table& t, const char* name, DISPID id, std::shared_ptr<T> (Varigauge::*get)() const,
             void (Varigauge::*putref)(std::shared_ptr<T>)) {
  Table::Member m;
  m.name = name;
  m.id = id;
  m.get = Getter(get);
  m.putref = [putref](Varigauge& c, Args, const Variant& v) { (c.*putref)(UnwrapObject<T>(v)); };
  t.Add(std::move(m));
}

void Method(Table& t, const char* name, DISPID id, void (Varigauge::*method)()) {
  Table::Member m;
  m.name = name;
  m.id = id;
  m.method = [method](Varigauge& c, Args) {
    (c.*method)();
    return Variant();
  };
  t.Add(std::move(m));
}

void Method(Table& t, const char* name, DISPID id, int min_args, int max_args,
            std::function<void(Varigauge&, Args)> run);

// The block selector of a per-block member: the current block when left out.
const Variant& Selector(Args indices) {
  static const Variant current = CurrentBlock();
  return indices.empty() || indices[0].IsMissing() ? current : indices[0];
}

// A per-block property: an optional selector before the value. The selector is resolved
// before the value is converted, so a bad selector is reported first.
template <class T>
void BlockProp(Table& t, const char* name, DISPID id, T (Varigauge::*get)(const Variant&) const,
               void (Varigauge::*put)(const Variant&, T)) {
  Table::Member m;
  m.name = name;
  m.id = id;
  m.max_args = 1;
  m.get = [get](Varigauge& c, Args a) { return Wrap((c.*get)(Selector(a))); };
  Table::Putter store = [put](Varigauge& c, Args a, const Variant& v) {
    const Variant& selector = Selector(a);
    c.Block(selector);
    (c.*put)(selector, Unwrap<T>(v));
  };
  if constexpr (std::is_same_v<T, StdPictureRef>) {
    m.putref = store;  // set by reference only
  } else if constexpr (std::is_same_v<T, StdFontRef>) {
    m.put = store;  // a plain assignment stores the reference too
    m.putref = store;
  } else {
    m.put = store;
  }
  t.Add(std::move(m));
}

// A SetBlock function: one optional argument with its default.
template <class V>
void SetBlockFunction(Table& t, const char* name, DISPID id, void (Varigauge::*fn)(V),
                      std::decay_t<V> fallback) {
  using T = std::decay_t<V>;
  Method(t, name, id, 0, 1, [fn, fallback](Varigauge& c, Args a) {
    (c.*fn)(a.empty() || a[0].IsMissing() ? fallback : Unwrap<T>(a[0]));
  });
}

// A method whose arguments the handler takes itself; its result is always Empty.
void Method(Table& t, const char* name, DISPID id, int min_args, int max_args,
            std::function<void(Varigauge&, Args)> run) {
  Table::Member m;
  m.name = name;
  m.id = id;
  m.min_args = min_args;
  m.max_args = max_args;
  m.method = [run = std::move(run)](Varigauge& c, Args a) {
    run(c, a);
    return Variant();
  };
  t.Add(std::move(m));
}

// An optional argument: its value, or `fallback` when it was left out.
Variant Optional(Args a, size_t i, Variant fallback) {
  return i < a.size() && !a[i].IsMissing() ? a[i] : fallback;
}

const Table& ControlTable() {
  static const Table table = [] {
    using C = Varigauge;
    namespace d = dispid;
    Table t;
    Method(t, "Refresh", d::kRefresh, &C::Refresh);
    Prop(t, "BackColor", d::kBackColor, &C::get_BackColor, &C::put_BackColor);
    Prop(t, "ForeColor", d::kForeColor, &C::get_ForeColor, &C::put_ForeColor);
    Prop(t, "Enabled", d::kEnabled, &C::get_Enabled, &C::put_Enabled);
    RefProp(t, "Font", d::kFont, &C::get_Font, &C::putref_Font);
    ReadOnly(t, "hWnd", d::khWnd, &C::get_hWnd);
    Prop(t, "BorderWidth", d::kBorderWidth, &C::get_BorderWidth, &C::put_BorderWidth);
    Prop(t, "BorderStyle", d::kBorderStyle, &C::get_BorderStyle, &C::put_BorderStyle);
    Prop(t, "HMinValue", d::kHMinValue, &C::get_HMinValue, &C::put_HMinValue);
    Prop(t, "HMaxValue", d::kHMaxValue, &C::get_HMaxValue, &C::put_HMaxValue);
    Prop(t, "VMinValue", d::kVMinValue, &C::get_VMinValue, &C::put_VMinValue);
    Prop(t, "VMaxValue", d::kVMaxValue, &C::get_VMaxValue, &C::put_VMaxValue);
    Prop(t, "BrushStyle", d::kBrushStyle, &C::get_BrushStyle, &C::put_BrushStyle);
    Prop(t, "BrushColor", d::kBrushColor, &C::get_BrushColor, &C::put_BrushColor);
    Prop(t, "Caption", d::kCaption, &C::get_Caption, &C::put_Caption);
    Prop(t, "CaptionAlignment", d::kCaptionAlignment, &C::get_CaptionAlignment,
         &C::put_CaptionAlignment);
    Prop(t, "DisabledColor", d::kDisabledColor, &C::get_DisabledColor, &C::put_DisabledColor);
    Prop(t, "Orientation", d::kOrientation, &C::get_Orientation, &C::put_Orientation);
    Prop(t, "CaptionOffset", d::kCaptionOffset, &C::get_CaptionOffset, &C::put_CaptionOffset);
    Prop(t, "CaptionAngle", d::kCaptionAngle, &C::get_CaptionAngle, &C::put_CaptionAngle);
    Prop(t, "CaptionAutoAngle", d::kCaptionAutoAngle, &C::get_CaptionAutoAngle,
         &C::put_CaptionAutoAngle);
    Prop(t, "DontRefreshAfterPropertyPage", d::kDontRefreshAfterPropertyPage,
         &C::get_DontRefreshAfterPropertyPage, &C::put_DontRefreshAfterPropertyPage);
    Prop(t, "CaptionFont3D", d::kCaptionFont3D, &C::get_CaptionFont3D, &C::put_CaptionFont3D);
    Prop(t, "Redraw", d::kRedraw, &C::get_Redraw, &C::put_Redraw);
    Prop(t, "RivetsStyle", d::kRivetsStyle, &C::get_RivetsStyle, &C::put_RivetsStyle);
    Prop(t, "GradientStyle", d::kGradientStyle, &C::get_GradientStyle, &C::put_GradientStyle);
    Prop(t, "GradientColor", d::kGradientColor, &C::get_GradientColor, &C::put_GradientColor);
    Prop(t, "GradientColorEnd", d::kGradientColorEnd, &C::get_GradientColorEnd,
         &C::put_GradientColorEnd);
    Prop(t, "GradientGranularity", d::kGradientGranularity, &C::get_GradientGranularity,
         &C::put_GradientGranularity);
    RefProp(t, "Picture", d::kPicture, &C::get_Picture, &C::putref_Picture);
    Prop(t, "PictureAutoSize", d::kPictureAutoSize, &C::get_PictureAutoSize,
         &C::put_PictureAutoSize);
    Prop(t, "PictureTile", d::kPictureTile, &C::get_PictureTile, &C::put_PictureTile);
    Prop(t, "PictureOffset", d::kPictureOffset, &C::get_PictureOffset, &C::put_PictureOffset);
    Prop(t, "PictureAlignment", d::kPictureAlignment, &C::get_PictureAlignment,
         &C::put_PictureAlignment);

    // The block table as a whole.
    Prop(t, "Blocks", d::kBlocks, &C::get_Blocks, &C::put_Blocks);
    Method(t, "AddBlock", d::kAddBlock, 0, 0, [](C& c, Args) { c.AddBlock(); });
    Method(t, "DeleteBlock", d::kDeleteBlock, 1, 1, [](C& c, Args a) { c.DeleteBlock(a[0]); });
    Method(t, "ClearAll", d::kClearAll, 0, 1,
           [](C& c, Args a) { c.ClearAll(ToLong(Optional(a, 0, Variant::Long(0)))); });
    Method(t, "ClearBlockBar", d::kClearBlockBar, 0, 0, [](C& c, Args) { c.ClearBlockBar(); });
    Prop(t, "SpecialClearAllBlock", d::kSpecialClearAllBlock, &C::get_SpecialClearAllBlock,
         &C::put_SpecialClearAllBlock);
    Prop(t, "IndexBlock", d::kIndexBlock, &C::get_IndexBlock, &C::put_IndexBlock);

    // Per-block properties.
#define VG_REGISTER_BLOCK_PROPERTY(Name, Type, Put) \
  BlockProp<Type>(t, "Block" #Name, d::kBlock##Name, &C::get_Block##Name, &C::Put##_Block##Name);
    VG_BLOCK_PROPERTIES(VG_REGISTER_BLOCK_PROPERTY)
#undef VG_REGISTER_BLOCK_PROPERTY

    // SetBlock functions, with the interface's argument defaults.
    SetBlockFunction(t, "SetBlockShapeStyle", d::kSetBlockShapeStyle, &C::SetBlockShapeStyle, 0);
    SetBlockFunction(t, "SetBlockBorderStyle", d::kSetBlockBorderStyle, &C::SetBlockBorderStyle, 0);
    SetBlockFunction(t, "SetBlockTextOffset", d::kSetBlockTextOffset, &C::SetBlockTextOffset,
                     Variant::Integer(3));
    SetBlockFunction(t, "SetBlockTextAngle", d::kSetBlockTextAngle, &C::SetBlockTextAngle,
                     Variant::Integer(0));
    SetBlockFunction(t, "SetBlockTextAutoAngle", d::kSetBlockTextAutoAngle,
                     &C::SetBlockTextAutoAngle, Variant::Long(0));
    SetBlockFunction(t, "SetBlockTextColor", d::kSetBlockTextColor, &C::SetBlockTextColor, 0u);
    SetBlockFunction(t, "SetBlockBrushColor", d::kSetBlockBrushColor, &C::SetBlockBrushColor,
                     0x808080u);
    SetBlockFunction(t, "SetBlockBrushStyle", d::kSetBlockBrushStyle, &C::SetBlockBrushStyle, 0);
    SetBlockFunction(t, "SetBlockColor", d::kSetBlockColor, &C::SetBlockColor, 0x808080u);
    SetBlockFunction(t, "SetBlockBarTop", d::kSetBlockBarTop, &C::SetBlockBarTop, int16_t{0});
    SetBlockFunction(t, "SetBlockBarBottom", d::kSetBlockBarBottom, &C::SetBlockBarBottom,
                     int16_t{0});
    SetBlockFunction(t, "SetBlockVisible", d::kSetBlockVisible, &C::SetBlockVisible, true);
    SetBlockFunction(t, "SetBlockClickable", d::kSetBlockClickable, &C::SetBlockClickable, true);
    SetBlockFunction(t, "SetBlockAutoSize", d::kSetBlockAutoSize, &C::SetBlockAutoSize, true);
    SetBlockFunction(t, "SetBlockRivetsStyle", d::kSetBlockRivetsStyle, &C::SetBlockRivetsStyle, 0);
    SetBlockFunction(t, "SetBlockPicture", d::kSetBlockPicture, &C::SetBlockPicture,
                     StdPictureRef());
    SetBlockFunction(t, "SetBlockText", d::kSetBlockText, &C::SetBlockText, std::string());
    SetBlockFunction(t, "SetBlockTextAlignment", d::kSetBlockTextAlignment,
                     &C::SetBlockTextAlignment, 0);
    SetBlockFunction(t, "SetBlockGradientStyle", d::kSetBlockGradientStyle,
                     &C::SetBlockGradientStyle, 0);
    SetBlockFunction(t, "SetBlockGradientGranularity", d::kSetBlockGradientGranularity,
                     &C::SetBlockGradientGranularity, 0);
    SetBlockFunction(t, "SetBlockGradientColor", d::kSetBlockGradientColor,
                     &C::SetBlockGradientColor, 0xFF0000u);
    SetBlockFunction(t, "SetBlockGradientColorEnd", d::kSetBlockGradientColorEnd,
                     &C::SetBlockGradientColorEnd, 0u);
    return t;
  }();
  return table;
}

}  // namespace

DISPID Varigauge::GetIDOfName(std::string_view name) const {
  return ControlTable().IdOf(name);
}

Variant Varigauge::Invoke(DISPID id, uint16_t kind, Args args) {
  return ControlTable().Invoke(*this, id, kind, args);
}

}  // namespace vg
