#pragma once
// StdPicture: the standard picture object. Holds decoded pixels (COLORREF values), its
// type and its size in HIMETRIC units (hundredths of a millimetre). A picture of type
// none has no pixels and a handle of 0.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/automation/dispatch.h"
#include "platform/automation/ole_color.h"
#include "platform/gdi/gdi.h"

namespace vg {

enum PictureType : int16_t {
  vbPicTypeNone = 0,
  vbPicTypeBitmap = 1,
  vbPicTypeMetafile = 2,
  vbPicTypeIcon = 3,
  vbPicTypeEMetafile = 4,
};

class StdPicture : public DispatchObject {
 public:
  // A picture object of type none (what an empty LoadPicture gives).
  static std::shared_ptr<StdPicture> Empty();
  // A bitmap picture of the given pixels, made for a device of `dpi` dots per inch: its
  // HIMETRIC size is its pixel size at that resolution.
  static std::shared_ptr<StdPicture> FromPixels(int width, int height, std::vector<COLORREF> pixels,
                                                int16_t type = vbPicTypeBitmap,
                                                int dpi = gdi::kDefaultDpi);

  int16_t Type() const { return type_; }
  // An identifier of the picture's image, unique per picture; 0 for an empty picture.
  int32_t Handle() const { return handle_; }
  int32_t HimetricWidth() const { return himetric_width_; }
  int32_t HimetricHeight() const { return himetric_height_; }
  // The resolution the picture was made for: its pixels are 1/dpi inch.
  int Dpi() const { return dpi_; }
  int PixelWidth() const { return width_; }
  int PixelHeight() const { return height_; }
  const std::vector<COLORREF>& Pixels() const { return pixels_; }
  // The picture as a bitmap of the raster device, made on first use and owned by the
  // picture; 0 for an empty picture or when it cannot be made.
  gdi::HBITMAP hBitmap();
  ~StdPicture() override;

  std::string TypeName() const override { return "StdPicture"; }
  DISPID GetIDOfName(std::string_view name) const override;
  Variant Invoke(DISPID id, uint16_t kind, Args args) override;

 private:
  StdPicture() = default;
  int16_t type_ = vbPicTypeNone;
  int32_t handle_ = 0;
  int32_t himetric_width_ = 0;
  int32_t himetric_height_ = 0;
  int width_ = 0;
  int height_ = 0;
  int dpi_ = gdi::kDefaultDpi;
  std::vector<COLORREF> pixels_;
  gdi::HBITMAP bitmap_ = 0;
};

using StdPictureRef = std::shared_ptr<StdPicture>;

// HIMETRIC from pixels at a device's resolution, and back: rounded, halves to even.
int32_t PixelsToHimetric(int pixels, int dpi = gdi::kDefaultDpi);
int HimetricToPixels(int32_t himetric, int dpi = gdi::kDefaultDpi);

}  // namespace vg
