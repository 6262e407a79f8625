#include "forms/bag_values.h"

#include <cmath>
#include <cstdlib>
#include <limits>

#include "forms/base64.h"
#include "forms/form_error.h"
#include "platform/automation/conversions.h"
#include "platform/automation/errors.h"
#include "platform/automation/std_font.h"
#include "platform/automation/std_picture.h"
#include "platform/imaging/png_io.h"
#include "platform/imaging/png_memory.h"

namespace vg::forms {
namespace {

// A number as JSON: whole numbers as integers, others in their shortest exact text.
Json NumberToJson(double v, bool single) {
  if (!std::isfinite(v)) Raise(err::kOverflow);
  if (v == std::floor(v) && std::fabs(v) < 9007199254740992.0) return static_cast<int64_t>(v);
  std::string text = single ? FormatSingle(static_cast<float>(v)) : FormatDouble(v);
  return std::strtod(text.c_str(), nullptr);
}

Json FontToJson(const StdFont& f) {
  Json j = Json::object();
  j["name"] = f.Name();
  j["size"] = NumberToJson(f.Size(), false);
  j["bold"] = f.Bold();
  j["italic"] = f.Italic();
  j["underline"] = f.Underline();
  j["strikethrough"] = f.Strikethrough();
  j["weight"] = f.Weight();
  j["charset"] = f.Charset();
  return j;
}

Json PictureToJson(const StdPicture& p) {
  Json j = Json::object();
  j["type"] = p.Type();
  if (p.Pixels().empty()) return j;
  std::vector<uint8_t> png;
  if (!EncodePng(p.Pixels().data(), p.PixelWidth(), p.PixelHeight(), &png, nullptr))
    Raise(err::kOutOfMemory);
  j["png"] = EncodeBase64(png);
  return j;
}

[[noreturn]] void Bad(const std::string& key, const std::string& reason) {
  throw BagError(key, reason);
}

bool BoolMember(const std::string& key, const Json& j, const char* name) {
  const Json& v = j.at(name);
  if (!v.is_boolean()) Bad(key, std::string("font \"") + name + "\" is not true or false");
  return v.get<bool>();
}

int16_t Int16Member(const std::string& key, const Json& j, const char* name) {
  const Json& v = j.at(name);
  if (!v.is_number_integer() || v.get<int64_t>() < INT16_MIN || v.get<int64_t>() > INT16_MAX ||
      (v.is_number_unsigned() && v.get<uint64_t>() > INT16_MAX))
    Bad(key, std::string("\"") + name + "\" is not a whole number from -32768 to 32767");
  return static_cast<int16_t>(v.get<int64_t>());
}

Variant FontFromJson(const std::string& key, const Json& j) {
  static const char* const kMembers[] = {"name",      "size",          "bold",   "italic",
                                         "underline", "strikethrough", "weight", "charset"};
  for (const auto& [member, value] : j.items()) {
    bool known = false;
    for (const char* m : kMembers) known = known || member == m;
    if (!known) Bad(key, "unknown font member \"" + member + "\"");
  }
  if (!j.at("name").is_string()) Bad(key, "font \"name\" is not a string");
  double size = kDefaultFontSize;
  if (j.contains("size")) {
    if (!j["size"].is_number()) Bad(key, "font \"size\" is not a number");
    size = j["size"].get<double>();
    if (!std::isfinite(size) || size <= 0.0 || size > 32767.0)
      Bad(key, "font \"size\" is not between 0 and 32767 points");
  }
  StdFontRef font = StdFont::Create(j["name"].get<std::string>(), size);
  if (j.contains("weight")) font->SetWeight(Int16Member(key, j, "weight"));
  // "bold" and "weight" are written together; bold only overrides a weight it contradicts.
  if (j.contains("bold") && BoolMember(key, j, "bold") != font->Bold())
    font->SetBold(!font->Bold());
  if (j.contains("italic")) font->SetItalic(BoolMember(key, j, "italic"));
  if (j.contains("underline")) font->SetUnderline(BoolMember(key, j, "underline"));
  if (j.contains("strikethrough")) font->SetStrikethrough(BoolMember(key, j, "strikethrough"));
  if (j.contains("charset")) font->SetCharset(Int16Member(key, j, "charset"));
  return Variant::Object(font);
}

Variant PictureFromJson(const std::string& key, const Json& j) {
  for (const auto& [member, value] : j.items())
    if (member != "type" && member != "png") Bad(key, "unknown picture member \"" + member + "\"");
  int16_t type = Int16Member(key, j, "type");
  if (type < vbPicTypeNone || type > vbPicTypeEMetafile) Bad(key, "unknown picture type");
  if (!j.contains("png")) {
    if (type != vbPicTypeNone) Bad(key, "the picture has no \"png\" image");
    return Variant::Object(StdPicture::Empty());
  }
  if (!j["png"].is_string()) Bad(key, "picture \"png\" is not a string");
  auto bytes = DecodeBase64(j["png"].get_ref<const std::string&>());
  if (!bytes) Bad(key, "picture \"png\" is not base64");
  int width = 0, height = 0;
  std::vector<COLORREF> pixels;
  std::string error;
  if (LoadPngFromMemory(bytes->data(), bytes->size(), 0, &width, &height, &pixels, &error) !=
      PngReadResult::kOk)
    Bad(key, "picture \"png\" does not decode: " + error);
  return Variant::Object(StdPicture::FromPixels(
      width, height, std::move(pixels), type == vbPicTypeNone ? int16_t{vbPicTypeBitmap} : type));
}

}  // namespace

Variant ValueFromJson(const std::string& key, const Json& json) {
  switch (json.type()) {
    case Json::value_t::null:
      return Variant::Nothing();
    case Json::value_t::boolean:
      return Variant::Boolean(json.get<bool>());
    case Json::value_t::number_integer: {
      int64_t v = json.get<int64_t>();
      if (v >= INT32_MIN && v <= INT32_MAX) return Variant::Long(static_cast<int32_t>(v));
      return Variant::Double(static_cast<double>(v));
    }
    case Json::value_t::number_unsigned: {
      uint64_t v = json.get<uint64_t>();
      if (v <= INT32_MAX) return Variant::Long(static_cast<int32_t>(v));
      return Variant::Double(static_cast<double>(v));
    }
    case Json::value_t::number_float:
      return Variant::Double(json.get<double>());
    case Json::value_t::string:
      return Variant::String(json.get<std::string>());
    case Json::value_t::object:
      if (json.contains("type")) return PictureFromJson(key, json);
      if (json.contains("name")) return FontFromJson(key, json);
      Bad(key, "an object that is neither a font nor a picture");
    default:
      Bad(key, "a JSON array is no property value");
  }
}

void CheckStorable(const Variant& value) {
  switch (value.type()) {
    case VarType::Single:
    case VarType::Double:
      if (!std::isfinite(value.double_value())) Raise(err::kOverflow);
      break;
    case VarType::Object:
      if (!value.IsNothing() && !std::dynamic_pointer_cast<StdFont>(value.object()) &&
          !std::dynamic_pointer_cast<StdPicture>(value.object()))
        Raise(err::kTypeMismatch);
      break;
    default:
      break;
  }
}

Json ValueToJson(const Variant& value) {
  CheckStorable(value);
  switch (value.type()) {
    case VarType::Integer:
    case VarType::Long:
      return value.long_value();
    case VarType::Single:
      return NumberToJson(value.single(), true);
    case VarType::Double:
      return NumberToJson(value.double_value(), false);
    case VarType::Boolean:
      return value.boolean();
    case VarType::String:
      return value.string();
    case VarType::Object:
      if (value.IsNothing()) return nullptr;
      if (auto font = std::dynamic_pointer_cast<StdFont>(value.object())) return FontToJson(*font);
      return PictureToJson(*std::dynamic_pointer_cast<StdPicture>(value.object()));
    default:  // Empty and the missing-argument marker
      return nullptr;
  }
}

}  // namespace vg::forms
