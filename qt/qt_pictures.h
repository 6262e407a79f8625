#pragma once
// LoadPicture for Qt programs: bmp, gif, ico, jpg and png files through QImageReader, with
// the same result the headless PNG reader gives for a PNG (stored sample values, no colour
// management, transparency composed over the control's default background &HC0C0C0).
#include <string>

#include "platform/automation/std_picture.h"

class QImage;

namespace vg {

// An empty picture for an empty path; else the decoded file. Raises 53 (File not found) for
// a missing file and 481 (Invalid picture) for one that cannot be decoded or is larger
// than the raster device's bitmaps may be.
StdPictureRef LoadPictureQt(const std::string& path);

// A bitmap picture of an image's stored values, alpha composed over `background`.
StdPictureRef PictureFromImage(const QImage& image, COLORREF background = 0xC0C0C0,
                               int16_t type = vbPicTypeBitmap);

}  // namespace vg
