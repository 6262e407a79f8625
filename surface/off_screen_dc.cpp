#include "surface/off_screen_dc.h"

#include "surface/gradient_bands.h"

namespace vg {

COLORREF OffScreenDC::Rgb(int32_t attribute) {
  COLORREF rgb = static_cast<COLORREF>(attribute) & 0x00FFFFFF;
  OleTranslateColor(static_cast<OLE_COLOR>(attribute), 0, &rgb);
  return rgb;
}

void OffScreenDC::Initialize(gdi::HDC ctl_hdc, int32_t ctl_width, int32_t ctl_height) {
  ctl_hdc_ = ctl_hdc;
  ctl_width_ = ctl_width;
  ctl_height_ = ctl_height;
  mem_dc_ = gdi::CreateCompatibleDC(ctl_hdc_);
  // Compatible with the control's context, not the new memory context: a fresh memory
  // context holds a monochrome bitmap, and a bitmap made for it would be monochrome too.
  mem_bitmap_ = gdi::CreateCompatibleBitmap(ctl_hdc_, ctl_width_, ctl_height_);
  old_bitmap_ = gdi::SelectObject(mem_dc_, mem_bitmap_);
  SetColorDepth();
  scale_ = DeviceScale(Dpi());
}

void OffScreenDC::SetColorDepth() {
  display_depth_ =
      gdi::GetDeviceCaps(mem_dc_, gdi::BITSPIXEL) * gdi::GetDeviceCaps(mem_dc_, gdi::PLANES);
  color_levels_ = ColorLevelsForDepth(&display_depth_);
}

OffScreenDC::~OffScreenDC() {
  if (mem_dc_ == 0) return;
  gdi::SelectObject(mem_dc_, old_font_);
  gdi::SelectObject(mem_dc_, old_bitmap_);
  gdi::DeleteObject(mem_bitmap_);
  gdi::DeleteDC(mem_dc_);
}

void OffScreenDC::BlastToScreen(int32_t left, int32_t top, int32_t width, int32_t height) {
  if (width == -1) width = ctl_width_;
  if (height == -1) height = ctl_height_;
  gdi::BitBlt(ctl_hdc_, left, top, width, height, mem_dc_, left, top, gdi::SRCCOPY);
}

gdi::HBRUSH OffScreenDC::HatchBrush() const {
  if (scale_.Unit()) return gdi::CreateHatchBrush(brush_style_ - 1, Rgb(brush_color_));
  return gdi::CreateHatchBrushForDpi(brush_style_ - 1, Rgb(brush_color_), scale_.Dpi());
}

int OffScreenDC::Dpi() const {
  return gdi::GetDeviceCaps(mem_dc_, gdi::LOGPIXELSY);
}

void OffScreenDC::putref_Font(StdFontRef font) {
  if (!font_) {
    // The first real font: remember what the context held so release can put it back.
    font_ = std::move(font);
    if (font_) old_font_ = gdi::SelectObject(mem_dc_, font_->hFont(Dpi()));
    return;
  }
  font_ = std::move(font);
  gdi::SelectObject(mem_dc_, font_ ? font_->hFont(Dpi()) : old_font_);
}

}  // namespace vg
