#include "qt/typed_members.h"

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

}  // namespace vg
