#pragma once
// Presenting a control's window on a Qt widget. The window keeps its pixels in the layout of
// Qt's backing store (QImage::Format_RGB32, 0xFFRRGGBB): the red and blue exchange happens in
// the block copy that moves the control's surface to the window, so a paint event draws
// the window's pixels without converting them, and only the area it is asked to repaint.
#include <QRect>

#include "platform/gdi/gdi.h"

class QWidget;

namespace vg {

// Paints the part `exposed` (logical coordinates) of `window`'s pixels onto `widget` at the
// device pixel ratio `ratio`. The window is switched to the screen's layout on its first
// present. A window without pixels shows the widget's background.
void PresentWindow(QWidget& widget, gdi::HDC window, const QRect& exposed, double ratio);

// The part of the window's device pixels that shows the logical rectangle `exposed` at
// `ratio`, cut to the window's width x height.
QRect DevicePixelsShowing(const QRect& exposed, double ratio, int width, int height);

}  // namespace vg
