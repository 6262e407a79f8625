#pragma once
// A hidden picture box: holds a picture while it is measured or copied, reporting its size
// in pixels and a device context in which the picture lies at the origin. Holding selects
// the picture's own bitmap into the box's context, so nothing is copied or allocated.
#include "platform/automation/std_picture.h"
#include "platform/gdi/gdi.h"

namespace vg {

class PictureBox {
 public:
  PictureBox();
  ~PictureBox();
  PictureBox(const PictureBox&) = delete;
  PictureBox& operator=(const PictureBox&) = delete;

  // Takes the picture (empty or null: holds nothing) and sizes itself to it.
  void SetPicture(const StdPictureRef& picture);
  // Lets go of the picture.
  void Clear();

  double ScaleWidth() const { return width_; }
  double ScaleHeight() const { return height_; }
  gdi::HDC hDC() const { return dc_; }

 private:
  gdi::HDC dc_ = 0;
  gdi::HGDIOBJ old_bitmap_ = 0;
  bool holding_ = false;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace vg
