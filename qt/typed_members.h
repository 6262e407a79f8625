#pragma once
// The typed API of the widget for Qt programs: for every colour and text member of the
// control, accessors taking and giving QColor and QString beside the control's OLE_COLOR
// and UTF-8 ones. The lists below are the only place the members are named; the widget
// expands them into accessors and kTypedMembers into a table that the tests hold against
// the member table, so a colour or text member added there without its typed accessors
// fails the build's tests.
#include <QColor>
#include <QFont>
#include <QString>
#include <string>
#include <string_view>

#include "platform/automation/ole_color.h"
#include "platform/automation/std_font.h"

// Control-wide and per-block (first argument the block selector) members.
#define VG_QT_COLOR_MEMBERS(X) \
  X(BackColor) X(ForeColor) X(BrushColor) X(DisabledColor) X(GradientColor) X(GradientColorEnd)
#define VG_QT_BLOCK_COLOR_MEMBERS(X) \
  X(BlockBrushColor) X(BlockColor) X(BlockGradientColor) X(BlockGradientColorEnd) X(BlockTextColor)
// Fonts with the member's setter: X(member, setter).
#define VG_QT_FONT_MEMBERS(X) X(Font, putref_Font)
#define VG_QT_BLOCK_FONT_MEMBERS(X) X(BlockTextFont, put_BlockTextFont)
#define VG_QT_TEXT_MEMBERS(X) X(Caption)
#define VG_QT_BLOCK_TEXT_MEMBERS(X) X(BlockKey) X(BlockHPercentage) X(BlockVPercentage) X(BlockText)

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

inline QString ToQString(const std::string& text) {
  return QString::fromStdString(text);
}
inline std::string FromQString(const QString& text) {
  return text.toStdString();
}

struct TypedMember {
  enum Kind { kColor, kText, kFont };
  std::string_view name;
  Kind kind;
  bool block;  // the first argument selects the block
};

#define VG_QT_ROW(N, kind, block) TypedMember{#N, TypedMember::kind, block},
#define VG_QT_COLOR_ROW(N) VG_QT_ROW(N, kColor, false)
#define VG_QT_BLOCK_COLOR_ROW(N) VG_QT_ROW(N, kColor, true)
#define VG_QT_FONT_ROW(N, setter) VG_QT_ROW(N, kFont, false)
#define VG_QT_BLOCK_FONT_ROW(N, setter) VG_QT_ROW(N, kFont, true)
#define VG_QT_TEXT_ROW(N) VG_QT_ROW(N, kText, false)
#define VG_QT_BLOCK_TEXT_ROW(N) VG_QT_ROW(N, kText, true)
inline constexpr TypedMember kTypedMembers[] = {
    VG_QT_COLOR_MEMBERS(VG_QT_COLOR_ROW) VG_QT_BLOCK_COLOR_MEMBERS(VG_QT_BLOCK_COLOR_ROW)
        VG_QT_FONT_MEMBERS(VG_QT_FONT_ROW) VG_QT_BLOCK_FONT_MEMBERS(VG_QT_BLOCK_FONT_ROW)
            VG_QT_TEXT_MEMBERS(VG_QT_TEXT_ROW) VG_QT_BLOCK_TEXT_MEMBERS(VG_QT_BLOCK_TEXT_ROW)};
#undef VG_QT_ROW
#undef VG_QT_COLOR_ROW
#undef VG_QT_BLOCK_COLOR_ROW
#undef VG_QT_FONT_ROW
#undef VG_QT_BLOCK_FONT_ROW
#undef VG_QT_TEXT_ROW
#undef VG_QT_BLOCK_TEXT_ROW

}  // namespace vg

// Accessors inside the widget's class (control() is the hosted Varigauge). A colour
// member N gets get_N()/put_N(OLE_COLOR) as the control has them, N_QColor(), and put_N
// for a QColor and for a Qt::GlobalColor (which would otherwise convert to an OLE_COLOR
// number); a text member gets get_N() as QString and put_N(QString).
#define VG_QT_COLOR_ACCESSORS(N)          \
  OLE_COLOR get_##N() const {             \
    return control().get_##N();           \
  }                                       \
  QColor N##_QColor() const {             \
    return ToQColor(control().get_##N()); \
  }                                       \
  void put_##N(OLE_COLOR v) {             \
    control().put_##N(v);                 \
  }                                       \
  void put_##N(const QColor& v) {         \
    control().put_##N(FromQColor(v));     \
  }                                       \
  void put_##N(Qt::GlobalColor v) {       \
    put_##N(QColor(v));                   \
  }
#define VG_QT_BLOCK_COLOR_ACCESSORS(N)                     \
  OLE_COLOR get_##N(const Variant& iBlock) const {         \
    return control().get_##N(iBlock);                      \
  }                                                        \
  QColor N##_QColor(const Variant& iBlock) const {         \
    return ToQColor(control().get_##N(iBlock));            \
  }                                                        \
  void put_##N(const Variant& iBlock, OLE_COLOR v) {       \
    control().put_##N(iBlock, v);                          \
  }                                                        \
  void put_##N(const Variant& iBlock, const QColor& v) {   \
    control().put_##N(iBlock, FromQColor(v));              \
  }                                                        \
  void put_##N(const Variant& iBlock, Qt::GlobalColor v) { \
    put_##N(iBlock, QColor(v));                            \
  }
#define VG_QT_TEXT_ACCESSORS(N)            \
  QString get_##N() const {                \
    return ToQString(control().get_##N()); \
  }                                        \
  void put_##N(const QString& v) {         \
    control().put_##N(FromQString(v));     \
  }
#define VG_QT_BLOCK_TEXT_ACCESSORS(N)                     \
  QString get_##N(const Variant& iBlock) const {          \
    return ToQString(control().get_##N(iBlock));          \
  }                                                       \
  void put_##N(const Variant& iBlock, const QString& v) { \
    control().put_##N(iBlock, FromQString(v));            \
  }
#define VG_QT_FONT_ACCESSORS(N, setter)       \
  QFont N##_QFont() const {                   \
    const StdFontRef f = control().get_##N(); \
    return f ? ToQFont(*f) : QFont();         \
  }                                           \
  void setter(const QFont& v) {               \
    control().setter(FromQFont(v));           \
  }
#define VG_QT_BLOCK_FONT_ACCESSORS(N, setter)          \
  QFont N##_QFont(const Variant& iBlock) const {       \
    const StdFontRef f = control().get_##N(iBlock);    \
    return f ? ToQFont(*f) : QFont();                  \
  }                                                    \
  void setter(const Variant& iBlock, const QFont& v) { \
    control().setter(iBlock, FromQFont(v));            \
  }
