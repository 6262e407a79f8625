#pragma once
// OffScreenDC: the control's private drawing surface. A memory context holding a bitmap as
// large as the control's drawing area; the render pass composes the whole picture here and
// copies it to the window in one step, so the window never shows a half-drawn control.
//
// It is an attribute bag: callers set the attributes that describe the next element, then
// call one drawing operation that reads them. No operation changes an attribute.
//
// Rectangles are in device pixels. Attributes measured in pixels (BorderWidth, TextOffset,
// PictureOffset) and the fixed measures (rivets and their 7-pixel margin, hatch cells, the
// text's 1-pixel clip margin and emboss shift) are pixels at 96 dpi, scaled to the density of
// the control's window when drawn (see DeviceScale); at 96 dpi they are drawn as they are.
#include <cstdint>
#include <string>

#include "platform/automation/std_font.h"
#include "platform/gdi/gdi.h"
#include "platform/host/picture_box.h"
#include "surface/device_scale.h"

namespace vg {

struct GradientPass;

class OffScreenDC {
 public:
  OffScreenDC() = default;
  ~OffScreenDC();  // releases the memory context and its bitmap
  OffScreenDC(const OffScreenDC&) = delete;
  OffScreenDC& operator=(const OffScreenDC&) = delete;

  // Creates the memory context and a bitmap compatible with the control's context (so the
  // bitmap has the screen's colour format), and learns the colour depth. Failures leave a
  // handle of 0, and drawing on it then does nothing.
  void Initialize(gdi::HDC ctl_hdc, int32_t ctl_width, int32_t ctl_height);

  // Copies a block of the surface to the same place in the control's window. A width or
  // height of -1 stands for the surface's full width or height. The window's host hears of
  // the copy once, with the rectangle of window pixels it changed (see
  // gdi::SetWindowListener), and repaints that area; a render pass copies once.
  void BlastToScreen(int32_t left = 0, int32_t top = 0, int32_t width = -1, int32_t height = -1);

  // Drawing operations.
  // Fills the current rectangle: a gradient inside the border strip when GradientStyle is
  // set, else the whole rectangle in BackgroundColor or hatched in BrushColor over it;
  // then the rivets. `covered`, when given, is a part the caller paints over with opaque
  // pixels before the picture is shown: a plain solid fill leaves it out, since nothing it
  // wrote there could show (the other fills paint it all the same).
  void FillRectangle(const gdi::RECT* covered = nullptr);
  // The frame of the current rectangle in BorderStyle, BorderWidth pixels wide (the etched
  // and bump styles as one-pixel double lines).
  void DrawBorder();
  // Fills the ellipse inscribed in the current rectangle, rimmed in BackgroundColor.
  void FillEllipse();
  // Inverts a dotted outline of the current rectangle; a second call removes it.
  void DrawFocusRect();
  // Draws Text on one line: placed by TextAlignment and TextOffset, or centred and turned
  // by TextAngle / TextAutoAngle; embossed by Font3D; clipped one pixel inside the
  // rectangle (7 pixels further in with rivets).
  void DisplayText();
  // Copies the picture held by `source` (pixels at its origin) into the rectangle: once,
  // placed by PictureAlignment and PictureOffset, or tiled by PictureTile; drawn at the
  // size `source` holds it (the picture box scales it to the device's density), cut to the
  // rectangle from its upper left corner.
  void DrawBitmap(const PictureBox& source);

  // The part of the surface FillRectangle with the attributes as they are is certain to
  // paint over, whatever lies there: the whole rectangle for a plain fill; for a gradient of
  // stripes running right or left, what its kept row of colours covers once an earlier fill
  // has kept one; else nothing (an empty rectangle).
  gdi::RECT PaintedOver() const;

  // The font record DisplayText makes for text turned by `angle` degrees.
  gdi::LOGFONTA TurnedFont(double angle) const;

  // The current rectangle; Right and Bottom are exclusive. Each setter also updates the
  // platform rectangle handed to the drawing calls.
  int32_t get_Left() const { return left_; }
  void put_Left(int32_t v) { left_ = rect_.left = v; }
  int32_t get_Top() const { return top_; }
  void put_Top(int32_t v) { top_ = rect_.top = v; }
  int32_t get_Right() const { return right_; }
  void put_Right(int32_t v) { right_ = rect_.right = v; }
  int32_t get_Bottom() const { return bottom_; }
  void put_Bottom(int32_t v) { bottom_ = rect_.bottom = v; }
  const gdi::RECT& rect() const { return rect_; }

  int32_t get_BackgroundColor() const { return background_color_; }
  void put_BackgroundColor(int32_t v) { background_color_ = v; }
  int32_t get_BrushStyle() const { return brush_style_; }
  void put_BrushStyle(int32_t v) { brush_style_ = v; }
  int32_t get_BrushColor() const { return brush_color_; }
  void put_BrushColor(int32_t v) { brush_color_ = v; }
  int32_t get_GradientStyle() const { return gradient_style_; }
  void put_GradientStyle(int32_t v) { gradient_style_ = v; }
  int32_t get_GradientGranularity() const { return gradient_granularity_; }
  void put_GradientGranularity(int32_t v) { gradient_granularity_ = v; }
  int32_t get_GradientColor() const { return gradient_color_; }
  void put_GradientColor(int32_t v) { gradient_color_ = v; }
  int32_t get_GradientColorEnd() const { return gradient_color_end_; }
  void put_GradientColorEnd(int32_t v) { gradient_color_end_ = v; }
  int32_t get_BorderStyle() const { return border_style_; }
  void put_BorderStyle(int32_t v) { border_style_ = v; }
  int16_t get_BorderWidth() const { return border_width_; }
  void put_BorderWidth(int16_t v) { border_width_ = v; }
  int16_t get_RivetsStyle() const { return static_cast<int16_t>(rivets_style_); }
  void put_RivetsStyle(int16_t v) { rivets_style_ = v; }

  const std::string& get_Text() const { return text_; }
  void put_Text(const std::string& v) { text_ = v; }
  int32_t get_TextColor() const { return text_color_; }
  void put_TextColor(int32_t v) { text_color_ = v; }
  int32_t get_TextAlignment() const { return text_alignment_; }
  void put_TextAlignment(int32_t v) { text_alignment_ = v; }
  int16_t get_TextOffset() const { return text_offset_; }
  void put_TextOffset(int16_t v) { text_offset_ = v; }
  const StdFontRef& get_TextFont() const { return text_font_; }
  void putref_TextFont(StdFontRef v) { text_font_ = std::move(v); }
  int32_t get_Font3D() const { return font_3d_; }
  void put_Font3D(int32_t v) { font_3d_ = v; }
  int16_t get_TextAngle() const { return text_angle_; }
  void put_TextAngle(int16_t v) { text_angle_ = v; }
  int32_t get_TextAutoAngle() const { return text_auto_angle_; }
  void put_TextAutoAngle(int32_t v) { text_auto_angle_ = v; }

  int32_t get_PictureAlignment() const { return picture_alignment_; }
  void put_PictureAlignment(int32_t v) { picture_alignment_ = v; }
  int16_t get_PictureOffset() const { return picture_offset_; }
  void put_PictureOffset(int16_t v) { picture_offset_ = v; }
  int32_t get_PictureTile() const { return picture_tile_; }
  void put_PictureTile(int32_t v) { picture_tile_ = v; }

  // A font that, once assigned, stays selected in the memory context. The render pass
  // does not use it: text output selects its own font.
  const StdFontRef& get_Font() const { return font_; }
  void putref_Font(StdFontRef font);
  // Takes part in no drawing: reads 0 whatever was assigned.
  int32_t get_BackColor() const { return 0; }
  void put_BackColor(int32_t /*rgb_new*/) {}

  // The RGB value a colour attribute draws with. Attributes normally hold plain RGB; a
  // system colour (high bit set) that reaches the surface is translated rather than drawn
  // as its raw bits.
  static COLORREF Rgb(int32_t attribute);

  int16_t ColorLevels() const { return color_levels_; }
  int32_t DisplayDepth() const { return display_depth_; }
  // The density pixel measures are drawn at: the control window's resolution.
  const DeviceScale& Scale() const { return scale_; }
  int32_t CtlWidth() const { return ctl_width_; }
  int32_t CtlHeight() const { return ctl_height_; }
  gdi::HDC MemDC() const { return mem_dc_; }

 private:
  void SetColorDepth();
  int Dpi() const;  // the resolution fonts are made at: the control window's
  void PaintGradient();
  // The one or two runs of bands of the current gradient; returns how many.
  int GradientPasses(GradientPass passes[2]) const;
  // A hatch brush of BrushStyle in BrushColor, its pattern at the device's density.
  gdi::HBRUSH HatchBrush() const;
  void DrawRivets();
  void DrawRivet(const gdi::WritablePixels& px, int32_t x, int32_t y);

  gdi::HDC ctl_hdc_ = 0;
  int32_t ctl_width_ = 0;
  int32_t ctl_height_ = 0;
  gdi::HDC mem_dc_ = 0;
  gdi::HBITMAP mem_bitmap_ = 0;
  gdi::HBITMAP old_bitmap_ = 0;
  gdi::HFONT old_font_ = 0;
  int32_t display_depth_ = 0;
  int16_t color_levels_ = 0;
  DeviceScale scale_;

  int32_t left_ = 0, top_ = 0, right_ = 0, bottom_ = 0;
  gdi::RECT rect_;
  int32_t background_color_ = 0;
  int32_t brush_style_ = 0;
  int32_t brush_color_ = 0;
  int32_t gradient_style_ = 0;
  int32_t gradient_granularity_ = 0;
  int32_t gradient_color_ = 0;
  int32_t gradient_color_end_ = 0;
  int32_t border_style_ = 0;
  int16_t border_width_ = 0;
  int32_t rivets_style_ = 0;
  std::string text_;
  int32_t text_color_ = 0;
  int32_t text_alignment_ = 0;
  int16_t text_offset_ = 0;
  StdFontRef text_font_;
  int32_t font_3d_ = 0;
  int16_t text_angle_ = 0;
  int32_t text_auto_angle_ = 0;
  int32_t picture_alignment_ = 0;
  int16_t picture_offset_ = 0;
  int32_t picture_tile_ = 0;
  StdFontRef font_;
};

}  // namespace vg
