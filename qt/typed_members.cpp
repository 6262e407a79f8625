#include "qt/typed_members.h"

#include <algorithm>

#include "platform/automation/errors.h"

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
  const double size = font.pointSizeF() > 0 ? font.pointSizeF() : 8.25;
  StdFontRef f = StdFont::Create(font.family().toStdString(), size);
  f->SetWeight(static_cast<int16_t>(font.weight()));
  f->SetItalic(font.italic());
  f->SetUnderline(font.underline());
  f->SetStrikethrough(font.strikeOut());
  return f;
}

}  // namespace vg
