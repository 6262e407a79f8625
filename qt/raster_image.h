#pragma once
// The one conversion between the raster device's pixels and QImage. A device keeps COLORREF
// values (0x00BBGGRR: red, green, blue and an unused byte in memory order, which is
// QImage::Format_RGBX8888); a window shown in the screen's layout keeps 0xFFRRGGBB, which
// is QImage::Format_RGB32. Pictures hold COLORREF values too.
#include <QImage>

#include "platform/automation/std_picture.h"
#include "platform/gdi/gdi.h"

namespace vg {

// The device's pixels as an image, wrapped, not copied: valid while the device keeps its
// buffer unchanged (until it draws, resizes or ends). A view without pixels gives a null
// image.
QImage WrapPixels(const gdi::PixelView& view);

// The device's pixels copied into an image of their own, in QImage::Format_RGB32.
QImage CopyPixels(const gdi::PixelView& view);

// A picture's pixels as an image of its own, in QImage::Format_RGB32; null for an empty
// picture.
QImage ImageOfPicture(const StdPicture& picture);

}  // namespace vg
