#pragma once
// The gallery: the four sample windows side by side, each part-way through its Start
// loop, painted into one picture, so that the control can be seen at work without a
// display.
#include <QImage>
#include <QString>

namespace vg::samples {

// Opens the four samples, starts their loops one inside the other and, while the
// innermost one runs, paints every window into one picture. A non-null `fifth` (another
// program's window, such as the QML example's) is shown below them under `fifth_title`.
// Needs a QApplication.
QImage PaintGallery(const QImage& fifth = {}, const QString& fifth_title = {});

}  // namespace vg::samples
