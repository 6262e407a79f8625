#pragma once
// A picture box without a window: a device context of a given size and colour depth that
// dialogs draw on, offering the members a painter reads by late-bound name (ScaleLeft,
// ScaleTop, ScaleWidth, ScaleHeight, hDC, BackColor, Cls). The scale is in pixels, origin
// (ScaleLeft, ScaleTop) = (0, 0) unless set otherwise.
//
// The box keeps what is drawn on it until it is cleared or resized; whoever shows it on a
// screen asks its owner to paint it again when the screen needs it.
#include <string>

#include "platform/automation/dispatch.h"
#include "platform/gdi/gdi.h"

namespace vg {

class DrawingBox : public DispatchObject {
 public:
  // A box of width x height pixels (negative sizes count as 0) reporting `bits_per_pixel`
  // colour bits, filled with its background colour (white).
  DrawingBox(int width, int height, int bits_per_pixel = 32);
  ~DrawingBox() override;
  DrawingBox(const DrawingBox&) = delete;
  DrawingBox& operator=(const DrawingBox&) = delete;

  // New size; the box is cleared to its background.
  void Resize(int width, int height);
  // The colour depth the device reports from now on.
  void SetDepth(int bits_per_pixel);

  COLORREF get_BackColor() const { return back_color_; }
  // Takes an RGB colour (the high byte is ignored) and clears the box to it.
  void put_BackColor(COLORREF color);
  // Fills the whole box with its background colour.
  void Cls();

  float get_ScaleLeft() const { return scale_left_; }
  void put_ScaleLeft(float v) { scale_left_ = v; }
  float get_ScaleTop() const { return scale_top_; }
  void put_ScaleTop(float v) { scale_top_ = v; }
  float get_ScaleWidth() const { return static_cast<float>(width_); }
  float get_ScaleHeight() const { return static_cast<float>(height_); }
  gdi::HDC hDC() const { return dc_; }

  int Width() const { return width_; }
  int Height() const { return height_; }
  gdi::PixelView Pixels() const { return gdi::GetPixels(dc_); }

  std::string TypeName() const override { return "PictureBox"; }
  DISPID GetIDOfName(std::string_view name) const override;
  Variant Invoke(DISPID id, uint16_t kind, Args args) override;

 private:
  void TakeSize();

  gdi::HDC dc_ = 0;
  int width_ = 0;
  int height_ = 0;
  COLORREF back_color_ = 0xFFFFFF;
  float scale_left_ = 0.0f;
  float scale_top_ = 0.0f;
};

}  // namespace vg
