#pragma once
// A hidden picture box: holds a picture while it is measured or copied, reporting its size
// in pixels and a device context in which the picture lies at the origin. Holding selects
// the picture's own bitmap into the box's context, so nothing is copied or allocated.
//
// Held for a device denser than 96 dpi, a picture made for another resolution is held
// smoothly resampled to the device's: dpi / the picture's dpi times its pixel size. The box
// keeps the resampled copies of the pictures it held last, so a picture drawn again at the
// same size is resampled once, not on every pass. At 96 dpi and below, and for a picture
// whose resolution is the device's, the picture is held as it is.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/automation/std_picture.h"
#include "platform/gdi/gdi.h"

namespace vg {

class PictureBox {
 public:
  PictureBox();
  ~PictureBox();
  PictureBox(const PictureBox&) = delete;
  PictureBox& operator=(const PictureBox&) = delete;

  // Takes the picture (empty or null: holds nothing) and sizes itself to it, for a device
  // of `dpi` dots per inch.
  void SetPicture(const StdPictureRef& picture, int dpi = gdi::kDefaultDpi);
  // Lets go of the picture.
  void Clear();

  double ScaleWidth() const { return width_; }
  double ScaleHeight() const { return height_; }
  gdi::HDC hDC() const { return dc_; }

  // The size a picture of w x h pixels made for `picture_dpi` is held at on a device of
  // `dpi`: rounded to the nearest pixel, at least one.
  static int ScaledSize(int pixels, int picture_dpi, int dpi);

  // How many resampled copies the box keeps at most; older ones are dropped first.
  static constexpr size_t kKeptCopies = 8;

 private:
  struct Resampled {
    std::weak_ptr<StdPicture> picture;
    int width = 0;
    int height = 0;
    gdi::HBITMAP bitmap = 0;
  };
  gdi::HBITMAP ResampledBitmap(const StdPictureRef& picture, int width, int height);

  gdi::HDC dc_ = 0;
  gdi::HGDIOBJ old_bitmap_ = 0;
  bool holding_ = false;
  int width_ = 0;
  int height_ = 0;
  std::vector<Resampled> kept_;  // most recent last
};

}  // namespace vg
