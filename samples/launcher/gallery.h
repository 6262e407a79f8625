#pragma once
// The gallery: the four sample windows side by side, each part-way through its Start
// loop, painted into one picture, so that the control can be seen at work without a
// display.
#include <QImage>
#include <QString>

namespace vg::samples {

// Opens the four samples, starts their loops one inside the other and, while the
// innermost one runs, paints every window into one picture. Needs a QApplication.
QImage PaintGallery();

}  // namespace vg::samples
