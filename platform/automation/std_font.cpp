#include "platform/automation/std_font.h"

#include <cmath>
#include <cstring>
#include <utility>

#include "platform/automation/conversions.h"
#include "platform/base/numeric.h"

namespace vg {

std::shared_ptr<StdFont> StdFont::Create(std::string name, double size) {
  std::shared_ptr<StdFont> font(new StdFont());
  font->name_ = std::move(name);
  font->SetSize(size);
  return font;
}

StdFont::~StdFont() {
  Changed();
}

void StdFont::Changed() {
  for (Realized& r : fonts_) {
    if (r.font) gdi::DeleteObject(r.font);
    r = {};
  }
}

void StdFont::SetName(std::string name) {
  name_ = std::move(name);
  Changed();
}

void StdFont::SetSize(double points) {
  if (!std::isfinite(points) || points <= 0.0 || points > 32767.0)
    Raise(err::kInvalidPropertyValue);
  size_ = RoundHalfEven(points * 10000.0) / 10000.0;
  Changed();
}

void StdFont::SetBold(bool bold) {
  SetWeight(bold ? 700 : 400);
}
void StdFont::SetItalic(bool v) {
  italic_ = v, Changed();
}
void StdFont::SetUnderline(bool v) {
  underline_ = v, Changed();
}
void StdFont::SetStrikethrough(bool v) {
  strikethrough_ = v, Changed();
}
void StdFont::SetWeight(int16_t weight) {
  weight_ = weight, Changed();
}
void StdFont::SetCharset(int16_t charset) {
  charset_ = charset, Changed();
}

gdi::LOGFONTA StdFont::LogFont(int dpi) const {
  gdi::LOGFONTA lf;
  lf.lfHeight = -RoundToInt32(size_ * dpi / 72.0);
  lf.lfWeight = weight_;
  lf.lfItalic = italic_ ? 1 : 0;
  lf.lfUnderline = underline_ ? 1 : 0;
  lf.lfStrikeOut = strikethrough_ ? 1 : 0;
  lf.lfCharSet = static_cast<uint8_t>(charset_);
  std::strncpy(lf.lfFaceName, name_.c_str(), gdi::kLfFaceSize - 1);
  return lf;
}

gdi::HFONT StdFont::hFont(int dpi) {
  if (dpi <= 0) dpi = gdi::kDefaultDpi;
  if (fonts_[0].font && fonts_[0].dpi == dpi) return fonts_[0].font;
  if (fonts_[1].font && fonts_[1].dpi == dpi) {
    std::swap(fonts_[0], fonts_[1]);
    return fonts_[0].font;
  }
  // Make it in place of the one used longer ago.
  if (fonts_[1].font) gdi::DeleteObject(fonts_[1].font);
  fonts_[1] = fonts_[0];
  gdi::LOGFONTA lf = LogFont(dpi);
  fonts_[0] = {gdi::CreateFontIndirectA(&lf), dpi};
  return fonts_[0].font;
}

std::shared_ptr<StdFont> StdFont::Clone() const {
  std::shared_ptr<StdFont> copy(new StdFont());
  copy->name_ = name_;
  copy->size_ = size_;
  copy->weight_ = weight_;
  copy->charset_ = charset_;
  copy->italic_ = italic_;
  copy->underline_ = underline_;
  copy->strikethrough_ = strikethrough_;
  return copy;
}

namespace {

enum : DISPID {
  kName = 0,
  kSize = 2,
  kBold = 3,
  kItalic = 4,
  kUnderline = 5,
  kStrikethrough = 6,
  kWeight = 7,
  kCharset = 8
};

template <class Get, class Put>
DispatchTable<StdFont>::Member Prop(const char* name, DISPID id, Get get, Put put) {
  DispatchTable<StdFont>::Member m;
  m.name = name;
  m.id = id;
  m.get = [get](StdFont& f, Args) { return get(f); };
  m.put = [put](StdFont& f, Args, const Variant& v) { put(f, v); };
  return m;
}

const DispatchTable<StdFont>& FontTable() {
  static const DispatchTable<StdFont> table = [] {
    DispatchTable<StdFont> t;
    t.Add(Prop(
        "Name", kName, [](StdFont& f) { return Variant::String(f.Name()); },
        [](StdFont& f, const Variant& v) { f.SetName(ToText(v)); }));
    t.Add(Prop(
        "Size", kSize, [](StdFont& f) { return Variant::Double(f.Size()); },
        [](StdFont& f, const Variant& v) { f.SetSize(ToDouble(v)); }));
    t.Add(Prop(
        "Bold", kBold, [](StdFont& f) { return Variant::Boolean(f.Bold()); },
        [](StdFont& f, const Variant& v) { f.SetBold(ToBoolean(v)); }));
    t.Add(Prop(
        "Italic", kItalic, [](StdFont& f) { return Variant::Boolean(f.Italic()); },
        [](StdFont& f, const Variant& v) { f.SetItalic(ToBoolean(v)); }));
    t.Add(Prop(
        "Underline", kUnderline, [](StdFont& f) { return Variant::Boolean(f.Underline()); },
        [](StdFont& f, const Variant& v) { f.SetUnderline(ToBoolean(v)); }));
    t.Add(Prop(
        "Strikethrough", kStrikethrough,
        [](StdFont& f) { return Variant::Boolean(f.Strikethrough()); },
        [](StdFont& f, const Variant& v) { f.SetStrikethrough(ToBoolean(v)); }));
    t.Add(Prop(
        "Weight", kWeight, [](StdFont& f) { return Variant::Integer(f.Weight()); },
        [](StdFont& f, const Variant& v) { f.SetWeight(ToInteger(v)); }));
    t.Add(Prop(
        "Charset", kCharset, [](StdFont& f) { return Variant::Integer(f.Charset()); },
        [](StdFont& f, const Variant& v) { f.SetCharset(ToInteger(v)); }));
    return t;
  }();
  return table;
}

}  // namespace

DISPID StdFont::GetIDOfName(std::string_view name) const {
  return FontTable().IdOf(name);
}

Variant StdFont::Invoke(DISPID id, uint16_t kind, Args args) {
  return FontTable().Invoke(*this, id, kind, args);
}

}  // namespace vg
