#include "pages/page_widgets.h"

#include <QLineEdit>
#include <cmath>

#include <algorithm>
#include <string>

#include "control/type_library.h"
#include "platform/automation/ole_color.h"

namespace vg {

void ShowAsDisplayBox(QLineEdit* box) {
  QPalette palette = box->palette();
  palette.setColor(QPalette::Base, QColor(0xE0, 0xE0, 0xE0));
  box->setPalette(palette);
}

namespace {

QColor FromRgb(uint32_t rgb) {
  return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}

// Relative luminance of an sRGB colour (0x00BBGGRR), 0 for black to 1 for white.
double Luminance(uint32_t rgb) {
  auto linear = [](uint32_t channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear(rgb & 0xFF) + 0.7152 * linear((rgb >> 8) & 0xFF) +
         0.0722 * linear((rgb >> 16) & 0xFF);
}

}  // namespace

uint32_t ContrastingBackground(uint32_t rgb) {
  const double l = Luminance(rgb);
  const double on_white = 1.05 / (l + 0.05), on_black = (l + 0.05) / 0.05;
  return on_black > on_white ? 0x000000 : 0xFFFFFF;
}

void SetSampleColor(QLineEdit* sample, uint32_t color, bool background) {
  COLORREF rgb = 0;
  OleTranslateColor(color, 0, &rgb);
  QPalette palette = sample->palette();
  if (background) {
    palette.setColor(QPalette::Base, FromRgb(rgb));
  } else {
    // A text colour needs a background it shows on: white text on the usual white box
    // would be invisible.
    palette.setColor(QPalette::Text, FromRgb(rgb));
    palette.setColor(QPalette::Base, FromRgb(ContrastingBackground(rgb)));
  }
  sample->setPalette(palette);
}

QStringList EnumItems(DISPID member) {
  const MemberRow* row = FindMember(member);
  const EnumType* type = row != nullptr ? FindEnumeration(row->type_name) : nullptr;
  if (type == nullptr) return {};
  size_t width = 0;
  for (const EnumConstant& k : type->constants)
    width = std::max(width, std::to_string(k.value).size());
  QStringList items;
  for (const EnumConstant& k : type->constants) {
    const std::string value = std::to_string(k.value);
    items << QString::fromStdString(value + " - " + std::string(width - value.size(), ' ') +
                                    std::string(k.name));
  }
  return items;
}

}  // namespace vg
