#include "forms/designer_properties.h"

#include <cmath>
#include <cstring>
#include <nlohmann/json.hpp>
#include <vector>

#include "control/dispids.h"
#include "control/public_names.h"
#include "forms/bag_values.h"
#include "forms/form_error.h"
#include "platform/automation/conversions.h"
#include "platform/automation/errors.h"
#include "platform/automation/std_font.h"
#include "platform/automation/std_picture.h"

namespace vg::forms {
namespace {

constexpr char kLegacyBag[] = "propertyBag";
constexpr char kWidgetScope[] = "vg::VarigaugeWidget::";
constexpr int kTwipsPerPixel = 15;  // a form's geometry is in pixels at 96 dpi

std::string BlockKey(const MemberRow& row, size_t n) {
  return LowerKey(row.bag.key) + std::to_string(n) + ")";
}

bool IsSystemColor(const Variant& v) {
  return (v.type() == VarType::Integer || v.type() == VarType::Long) &&
         (static_cast<uint32_t>(ToLong(v)) & 0x80000000u) != 0;
}

const MemberRow& MemberById(DISPID id) {
  return *FindMember(id);
}

Json ParseJson(std::string_view text, const char* property) {
  try {
    return Json::parse(text);
  } catch (const Json::exception&) {
    throw BagError(LowerKey(property), std::string(property) + " is not valid JSON");
  }
}

// ---- one property element -------------------------------------------------------------

pugi::xml_node Property(pugi::xml_node widget, const char* name) {
  return widget.find_child_by_attribute("property", "name", name);
}

const EnumType* EnumOf(const MemberRow& row) {
  return row.type == ValueType::kEnum ? FindEnumeration(row.type_name) : nullptr;
}

// A property element's value as the member's stored value.
Variant ReadValue(const MemberRow& row, pugi::xml_node property, const std::string& name) {
  pugi::xml_node v = property.first_child();
  auto wrong = [&](const std::string& why) -> BagError { return BagError(LowerKey(name), why); };
  const std::string kind = v ? v.name() : "";
  // A plain value of another kind than the member's is passed on as it stands: the
  // control's load converts it or refuses it, naming its key, as it does for any bag.
  if (kind == "string" && row.type != ValueType::kString) return Variant::String(v.text().get());
  if (kind == "bool" && row.type != ValueType::kBoolean)
    return Variant::Boolean(std::strcmp(v.text().get(), "true") == 0);
  switch (row.type) {
    case ValueType::kColor: {
      if (kind == "number") return Variant::Long(static_cast<int32_t>(v.text().as_llong()));
      if (kind != "color") throw wrong(name + " is not a colour");
      const uint32_t r = v.child("red").text().as_uint() & 0xFF;
      const uint32_t g = v.child("green").text().as_uint() & 0xFF;
      const uint32_t b = v.child("blue").text().as_uint() & 0xFF;
      return Variant::Long(static_cast<int32_t>(r | (g << 8) | (b << 16)));
    }
    case ValueType::kBoolean:
      if (kind != "bool") throw wrong(name + " is not a Boolean");
      return Variant::Boolean(std::strcmp(v.text().get(), "true") == 0);
    case ValueType::kString:
      if (kind != "string") throw wrong(name + " is not a string");
      return Variant::String(v.text().get());
    case ValueType::kEnum: {
      if (kind == "number") return Variant::Long(v.text().as_int());
      if (kind != "enum") throw wrong(name + " is not an enumeration value");
      std::string_view text = v.text().get();
      if (const size_t scope = text.rfind("::"); scope != std::string_view::npos)
        text.remove_prefix(scope + 2);
      if (const EnumType* e = EnumOf(row))
        for (const EnumConstant& c : e->constants)
          if (c.name == text) return Variant::Long(c.value);
      throw wrong(name + ": \"" + std::string(text) + "\" is no " + FaceEnumName(row.type_name) +
                  " value");
    }
    default: {
      if (kind != "number") throw wrong(name + " is not a number");
      const char* text = v.text().get();
      char* end = nullptr;
      const long long n = std::strtoll(text, &end, 10);
      if (end == text || *end) throw wrong(name + " is not a number");
      if (n < INT32_MIN || n > INT32_MAX) throw wrong(name + " is out of range");
      return Variant::Long(static_cast<int32_t>(n));
    }
  }
}

void ClearProperty(pugi::xml_node p) {
  while (p.first_child()) p.remove_child(p.first_child());
}

pugi::xml_node EnsureProperty(pugi::xml_node widget, const std::string& name) {
  pugi::xml_node p = Property(widget, name.c_str());
  if (p) {
    ClearProperty(p);
    return p;
  }
  pugi::xml_node last;
  for (pugi::xml_node c : widget.children("property"))
    if (!c.attribute("stdset")) last = c;  // after the other Designer properties
  p = last ? widget.insert_child_after("property", last) : widget.prepend_child("property");
  p.append_attribute("name") = name.c_str();
  return p;
}

// A value the member's kind cannot hold (stored by a tool that checks nothing) keeps its
// own kind, so that nothing is lost and the next load refuses it at its key.
void WriteRawValue(const Variant& value, pugi::xml_node p) {
  while (p.first_child()) p.remove_child(p.first_child());
  if (value.IsString())
    p.append_child("string").text().set(value.string().c_str());
  else if (value.type() == VarType::Boolean)
    p.append_child("bool").text().set(value.boolean() ? "true" : "false");
  else
    p.append_child("string").text().set(ToText(value).c_str());
}

void WriteTypedValue(const MemberRow& row, const Variant& value, pugi::xml_node p);

void WriteValue(const MemberRow& row, const Variant& value, pugi::xml_node p) {
  try {
    WriteTypedValue(row, value, p);
  } catch (const AutomationError&) {
    WriteRawValue(value, p);
  }
}

void WriteTypedValue(const MemberRow& row, const Variant& value, pugi::xml_node p) {
  switch (row.type) {
    case ValueType::kColor: {
      const uint32_t c = static_cast<uint32_t>(ToLong(value));
      COLORREF rgb = 0;
      if (OleTranslateColor(c, 0, &rgb) != S_OK) rgb = 0;
      pugi::xml_node color = p.append_child("color");
      color.append_child("red").text().set(rgb & 0xFF);
      color.append_child("green").text().set((rgb >> 8) & 0xFF);
      color.append_child("blue").text().set((rgb >> 16) & 0xFF);
      return;
    }
    case ValueType::kBoolean:
      p.append_child("bool").text().set(ToBoolean(value) ? "true" : "false");
      return;
    case ValueType::kString:
      p.append_child("string").text().set(ToText(value).c_str());
      return;
    case ValueType::kEnum: {
      const int32_t n = ToLong(value);
      if (const EnumType* e = EnumOf(row))
        for (const EnumConstant& c : e->constants)
          if (c.value == n) {
            p.append_child("enum").text().set((kWidgetScope + std::string(c.name)).c_str());
            return;
          }
      p.append_child("number").text().set(n);  // a value outside the constants
      return;
    }
    default:
      p.append_child("number").text().set(ToLong(value));
      return;
  }
}

void WriteText(pugi::xml_node widget, const char* name, const std::string& text) {
  pugi::xml_node p = EnsureProperty(widget, name);
  pugi::xml_node s = p.append_child("string");
  s.append_attribute("notr") = "true";
  s.text().set(text.c_str());
}

Variant ReadFont(pugi::xml_node font) {
  StdFontRef f = StdFont::Create();
  if (pugi::xml_node n = font.child("family")) f->SetName(n.text().get());
  if (pugi::xml_node n = font.child("pointsize"))
    if (n.text().as_double() > 0) f->SetSize(n.text().as_double());
  if (pugi::xml_node n = font.child("bold")) f->SetBold(n.text().as_bool());
  if (pugi::xml_node n = font.child("italic")) f->SetItalic(n.text().as_bool());
  if (pugi::xml_node n = font.child("underline")) f->SetUnderline(n.text().as_bool());
  if (pugi::xml_node n = font.child("strikeout")) f->SetStrikethrough(n.text().as_bool());
  return Variant::Object(f);
}

void WriteFont(pugi::xml_node widget, const StdFont& f) {
  pugi::xml_node font = EnsureProperty(widget, "font").append_child("font");
  font.append_child("family").text().set(f.Name().c_str());
  // Designer keeps whole points: a fractional size is stored rounded.
  font.append_child("pointsize").text().set(static_cast<int>(std::lround(f.Size())));
  font.append_child("italic").text().set(f.Italic() ? "true" : "false");
  font.append_child("bold").text().set(f.Bold() ? "true" : "false");
  font.append_child("underline").text().set(f.Underline() ? "true" : "false");
  font.append_child("strikeout").text().set(f.Strikethrough() ? "true" : "false");
}

}  // namespace

// ---- the JSON properties ------------------------------------------------------------------

std::string BlocksJson(const JsonPropertyBag& bag) {
  Json blocks = Json::array();
  const Variant* count = bag.Get("Blocks");
  const int32_t n = count ? ToLong(*count) : 0;
  for (int32_t i = 1; i <= n; ++i) {
    Json block = Json::object();
    for (const MemberRow* row : BlockMembers())
      if (const Variant* v = bag.Get(BlockKey(*row, i)))
        block[BlockFieldKey(*row)] = ValueToJson(*v);
    blocks.push_back(std::move(block));
  }
  return blocks.dump(-1, ' ', false, Json::error_handler_t::replace);
}

void ReadBlocksJson(std::string_view json, JsonPropertyBag& bag) {
  const Json parsed = ParseJson(json, kBlocksProperty);
  if (!parsed.is_array()) throw BagError(kBlocksProperty, "blocks is not a JSON array");
  if (parsed.size() > 32767) throw BagError(kBlocksProperty, "blocks holds too many blocks");
  // The old block table goes.
  std::vector<std::string> old;
  for (const auto& [key, value] : bag.entries())
    if (key.starts_with("block.")) old.push_back(key);
  for (const std::string& key : old) bag.Remove(key);
  for (size_t i = 0; i < parsed.size(); ++i) {
    const Json& block = parsed[i];
    const std::string where = "blocks[" + std::to_string(i) + "]";
    if (!block.is_object()) throw BagError(kBlocksProperty, where + " is not a JSON object");
    for (const auto& [key, value] : block.items()) {
      const MemberRow* row = FindBlockField(key);
      if (!row) throw BagError(kBlocksProperty, where + ": no block has a setting \"" + key + "\"");
      const std::string bag_key = BlockKey(*row, i + 1);
      bag.Put(bag_key, ValueFromJson(bag_key, value));
    }
  }
  if (parsed.empty())
    bag.Remove("Blocks");
  else
    bag.Put("Blocks", Variant::Long(static_cast<int32_t>(parsed.size())));
}

std::string SystemColorsJson(const JsonPropertyBag& bag) {
  Json colors = Json::object();
  for (const MemberRow* row : FaceProperties())
    if (row->type == ValueType::kColor)
      if (const Variant* v = bag.Get(row->bag.key); v && IsSystemColor(*v))
        colors[FacePropertyName(*row)] = static_cast<uint32_t>(ToLong(*v));
  return colors.empty() ? std::string() : colors.dump();
}

void ReadSystemColorsJson(std::string_view json, JsonPropertyBag& bag) {
  if (json.empty()) return;
  const Json parsed = ParseJson(json, kSystemColorsProperty);
  if (!parsed.is_object())
    throw BagError(LowerKey(kSystemColorsProperty), "systemColors is not a JSON object");
  for (const auto& [name, value] : parsed.items()) {
    const MemberRow* row = FindFaceProperty(name);
    if (!row || row->type != ValueType::kColor || !value.is_number_integer())
      throw BagError(LowerKey(kSystemColorsProperty),
                     "systemColors: \"" + name + "\" is no colour property with a number");
    bag.Put(row->bag.key, Variant::Long(static_cast<int32_t>(value.get<int64_t>())));
  }
}

std::string PictureJson(const JsonPropertyBag& bag) {
  const Variant* v = bag.Get(MemberById(dispid::kPicture).bag.key);
  if (!v || v->IsNothing()) return {};
  return ValueToJson(*v).dump();
}

void ReadPictureJson(std::string_view json, JsonPropertyBag& bag) {
  if (json.empty()) return;
  const std::string key = LowerKey(MemberById(dispid::kPicture).bag.key);
  const Json parsed = ParseJson(json, kPictureDataProperty);
  try {
    bag.Put(key, ValueFromJson(key, parsed));
  } catch (const BagError& e) {
    throw BagError(LowerKey(kPictureDataProperty), std::string("pictureData: ") + e.what());
  }
}

// ---- the widget element ---------------------------------------------------------------------

JsonPropertyBag BagFromWidget(pugi::xml_node widget) {
  JsonPropertyBag bag;
  if (pugi::xml_node legacy = Property(widget, kLegacyBag)) {
    pugi::xml_node text = legacy.child("string");
    if (!text) throw BagError("", std::string(kLegacyBag) + " is not a string property");
    bag = JsonPropertyBag::FromJson(text.text().get());
  }
  for (pugi::xml_node p : widget.children("property")) {
    const std::string name = p.attribute("name").value();
    if (const MemberRow* row = FindFaceProperty(name)) {
      if (row->type == ValueType::kPicture) continue;  // pictureData holds it
      bag.Put(row->bag.key, ReadValue(*row, p, name));
    } else if (name == "font") {
      if (!p.child("font")) throw BagError("font", "font is not a font");
      bag.Put(MemberById(dispid::kFont).bag.key, ReadFont(p.child("font")));
    } else if (name == "enabled") {
      bag.Put(MemberById(dispid::kEnabled).bag.key,
              ReadValue(MemberById(dispid::kEnabled), p, name));
    }
  }
  auto text_of = [&](const char* name) -> std::string {
    pugi::xml_node p = Property(widget, name);
    if (!p) return {};
    if (!p.child("string")) throw BagError(LowerKey(name), std::string(name) + " is not a string");
    return p.child("string").text().get();
  };
  if (Property(widget, kBlocksProperty)) ReadBlocksJson(text_of(kBlocksProperty), bag);
  ReadSystemColorsJson(text_of(kSystemColorsProperty), bag);
  ReadPictureJson(text_of(kPictureDataProperty), bag);
  // The control's size is the widget's.
  if (pugi::xml_node rect = Property(widget, "geometry").child("rect")) {
    if (!bag.Contains("Width"))
      bag.Put("Width", Variant::Long(rect.child("width").text().as_int() * kTwipsPerPixel));
    if (!bag.Contains("Height"))
      bag.Put("Height", Variant::Long(rect.child("height").text().as_int() * kTwipsPerPixel));
  }
  return bag;
}

void WidgetFromBag(const JsonPropertyBag& bag, pugi::xml_node widget) {
  widget.remove_child(Property(widget, kLegacyBag));
  auto drop = [&](const std::string& name) {
    while (pugi::xml_node p = Property(widget, name.c_str())) widget.remove_child(p);
  };
  const MemberRow& enabled = MemberById(dispid::kEnabled);
  if (const Variant* v = bag.Get(enabled.bag.key))
    WriteValue(enabled, *v, EnsureProperty(widget, "enabled"));
  else
    drop("enabled");
  const Variant* font = bag.Get(MemberById(dispid::kFont).bag.key);
  if (font && font->IsObject() && std::dynamic_pointer_cast<StdFont>(font->object()))
    WriteFont(widget, *std::static_pointer_cast<StdFont>(font->object()));
  else
    drop("font");
  for (const MemberRow* row : FaceProperties()) {
    const std::string name = FacePropertyName(*row);
    const Variant* v = bag.Get(row->bag.key);
    if (!v || row->type == ValueType::kPicture) {
      drop(name);
      continue;
    }
    WriteValue(*row, *v, EnsureProperty(widget, name));
  }
  const std::string blocks = BlocksJson(bag);
  if (blocks != "[]")
    WriteText(widget, kBlocksProperty, blocks);
  else
    drop(kBlocksProperty);
  const std::string colors = SystemColorsJson(bag);
  colors.empty() ? drop(kSystemColorsProperty) : WriteText(widget, kSystemColorsProperty, colors);
  const std::string picture = PictureJson(bag);
  picture.empty() ? drop(kPictureDataProperty) : WriteText(widget, kPictureDataProperty, picture);
}

}  // namespace vg::forms
