#pragma once
// The control's values in Qt types and back: colours as QColor, texts as QString, fonts as
// QFont, pictures as QPixmap, numbers as int. The widget's generated accessors and its
// block type convert through these, so every member of one kind converts alike.
#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QString>
#include <string>

#include "platform/automation/ole_color.h"
#include "platform/automation/std_font.h"
#include "platform/automation/std_picture.h"
#include "platform/automation/variant.h"

namespace vg {

// An OLE_COLOR as the colour it shows (system colours translated); an invalid QColor for a
// value that names no colour.
QColor ToQColor(OLE_COLOR color);
// A QColor as a plain RGB OLE_COLOR (alpha is dropped). Raises 380 for an invalid QColor.
OLE_COLOR FromQColor(const QColor& color);

// A font object as a QFont (family, point size, weight, style) and back; the charset is
// not a QFont attribute and stays 0.
QFont ToQFont(const StdFont& font);
StdFontRef FromQFont(const QFont& font);

// A picture's pixels as a QPixmap (a null pixmap for no picture or an empty one), and a
// QPixmap as a bitmap picture (an empty picture for a null pixmap).
QPixmap ToQPixmap(const StdPicture* picture);
StdPictureRef FromQPixmap(const QPixmap& pixmap);

inline QString ToQString(const std::string& text) {
  return QString::fromStdString(text);
}
inline std::string FromQString(const QString& text) {
  return text.toStdString();
}

// A stored value in the face's type. Numbers that do not fit give 0 rather than raise:
// a getter answers whatever the late-bound side stored.
int IntOf(const Variant& v);
bool BoolOf(const Variant& v);
QString TextOf(const Variant& v);
QColor ColorOf(const Variant& v);
QFont FontOf(const Variant& v);
QPixmap PixmapOf(const Variant& v);

// The face's values as the control takes them.
Variant ColorValue(const QColor& color);  // raises 380 for an invalid colour
Variant TextValue(const QString& text);
Variant FontValue(const QFont& font);
Variant PixmapValue(const QPixmap& pixmap);

}  // namespace vg
