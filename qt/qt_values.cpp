#include "qt/qt_values.h"

#include <QImage>
#include <algorithm>

#include "platform/automation/conversions.h"
#include "platform/automation/errors.h"
#include "platform/automation/std_font.h"
#include "qt/qt_pictures.h"
#include "qt/raster_image.h"

namespace vg {

QColor ToQColor(OLE_COLOR color) {
  COLORREF rgb = 0;
  if (OleTranslateColor(color, 0, &rgb) != S_OK) return {};
  return QColor(static_cast<int>(rgb & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                static_cast<int>((rgb >> 16) & 0xFF));
}

OLE_COLOR FromQColor(const QColor& color) {
  if (!color.isValid()) throw AutomationError(err::kInvalidPropertyValue);
  const QColor rgb = color.toRgb();
  return static_cast<OLE_COLOR>(rgb.red()) | (static_cast<OLE_COLOR>(rgb.green()) << 8) |
         (static_cast<OLE_COLOR>(rgb.blue()) << 16);
}

QFont ToQFont(const StdFont& font) {
  QFont q(QString::fromStdString(font.Name()));
  q.setPointSizeF(font.Size() > 0 ? font.Size() : 1);
  q.setWeight(static_cast<QFont::Weight>(std::clamp<int>(font.Weight(), 1, 1000)));
  q.setItalic(font.Italic());
  q.setUnderline(font.Underline());
  q.setStrikeOut(font.Strikethrough());
  return q;
}

StdFontRef FromQFont(const QFont& font) {
  const double size = font.pointSizeF() > 0 ? font.pointSizeF() : kDefaultFontSize;
  StdFontRef f = StdFont::Create(font.family().toStdString(), size);
  f->SetWeight(static_cast<int16_t>(font.weight()));
  f->SetItalic(font.italic());
  f->SetUnderline(font.underline());
  f->SetStrikethrough(font.strikeOut());
  return f;
}

QPixmap ToQPixmap(const StdPicture* picture) {
  if (!picture || picture->PixelWidth() <= 0 || picture->PixelHeight() <= 0) return {};
  return QPixmap::fromImage(ImageOfPicture(*picture));
}

StdPictureRef FromQPixmap(const QPixmap& pixmap) {
  if (pixmap.isNull()) return StdPicture::Empty();
  return PictureFromImage(pixmap.toImage());
}

int IntOf(const Variant& v) {
  try {
    return static_cast<int>(ToLong(v));
  } catch (const AutomationError&) {
    return 0;
  }
}

bool BoolOf(const Variant& v) {
  try {
    return ToBoolean(v);
  } catch (const AutomationError&) {
    return false;
  }
}

QString TextOf(const Variant& v) {
  try {
    return ToQString(ToText(v));
  } catch (const AutomationError&) {
    return {};
  }
}

QColor ColorOf(const Variant& v) {
  return ToQColor(static_cast<OLE_COLOR>(IntOf(v)));
}

QFont FontOf(const Variant& v) {
  if (!v.IsObject() || v.IsNothing()) return {};
  const auto font = std::dynamic_pointer_cast<StdFont>(v.object());
  return font ? ToQFont(*font) : QFont();
}

QPixmap PixmapOf(const Variant& v) {
  if (!v.IsObject() || v.IsNothing()) return {};
  return ToQPixmap(std::dynamic_pointer_cast<StdPicture>(v.object()).get());
}

Variant ColorValue(const QColor& color) {
  return Variant::Long(static_cast<int32_t>(FromQColor(color)));
}

Variant TextValue(const QString& text) {
  return Variant::String(FromQString(text));
}

Variant FontValue(const QFont& font) {
  return Variant::Object(FromQFont(font));
}

Variant PixmapValue(const QPixmap& pixmap) {
  return Variant::Object(FromQPixmap(pixmap));
}

}  // namespace vg
