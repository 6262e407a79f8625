#include "qt/common_dialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QStringList>

#include "platform/automation/std_font.h"

namespace vg {

FontChoice FontChoiceOf(const StdFont& font) {
  return {font.Name(),      static_cast<float>(font.Size()),
          font.Bold(),      font.Italic(),
          font.Underline(), font.Strikethrough()};
}

void ApplyFontChoice(const FontChoice& choice, StdFont& font) {
  font.SetName(choice.name);
  font.SetSize(choice.size);
  font.SetBold(choice.bold);
  font.SetItalic(choice.italic);
  font.SetUnderline(choice.underline);
  font.SetStrikethrough(choice.strikethrough);
}

std::optional<OLE_COLOR> QtCommonDialogs::ChooseColor(QWidget* parent, OLE_COLOR color) {
  // System colours (high bit) have no RGB value here and start from black.
  QColor start = Qt::black;
  if ((color & 0x80000000u) == 0)
    start = QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
  QColor chosen = QColorDialog::getColor(start, parent);
  if (!chosen.isValid()) return std::nullopt;
  return static_cast<OLE_COLOR>(chosen.red() | (chosen.green() << 8) | (chosen.blue() << 16));
}

std::optional<FontChoice> QtCommonDialogs::ChooseFont(QWidget* parent, const FontChoice& font) {
  QFont start(QString::fromStdString(font.name));
  if (font.size > 0) start.setPointSizeF(font.size);
  start.setBold(font.bold);
  start.setItalic(font.italic);
  start.setUnderline(font.underline);
  start.setStrikeOut(font.strikethrough);
  bool ok = false;
  QFont chosen = QFontDialog::getFont(&ok, start, parent);
  if (!ok) return std::nullopt;
  FontChoice out;
  out.name = chosen.family().toStdString();
  out.size = static_cast<float>(chosen.pointSizeF());
  out.bold = chosen.bold();
  out.italic = chosen.italic();
  out.underline = chosen.underline();
  out.strikethrough = chosen.strikeOut();
  return out;
}

std::optional<std::string> QtCommonDialogs::ChooseOpenFile(QWidget* parent,
                                                           const std::string& filter) {
  QString name = QFileDialog::getOpenFileName(parent, QString(), QString(), QtFileFilter(filter));
  if (name.isEmpty()) return std::nullopt;
  return name.toStdString();
}

void QtCommonDialogs::ReportError(QWidget* parent, const std::string& message) {
  QMessageBox::warning(parent, QString(), QString::fromStdString(message));
}

QString QtFileFilter(const std::string& filter) {
  QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
  QStringList out;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString description = parts[i];
    qsizetype open = description.indexOf(QLatin1Char('('));
    if (open >= 0) description = description.left(open);
    description = description.trimmed();
    QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
    out << description + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
  }
  return out.join(QStringLiteral(";;"));
}

}  // namespace vg
