#pragma once
// The rules of the window system that every host applies alike, whatever toolkit shows
// its windows: how outer sizes in twips and window sizes in pixels convert, what size a
// new control gets, which colours and fonts a control may be given, and how large a
// window may be. HostBase applies them; the host conformance tests check every host.
#include <cstdint>

#include "platform/automation/errors.h"
#include "platform/automation/ole_color.h"
#include "platform/automation/std_font.h"
#include "platform/base/numeric.h"
#include "platform/gdi/gdi.h"

namespace vg::window_rules {

// The outer size of a newly placed control (60 x 21 pixels at 96 dpi).
inline constexpr int32_t kDefaultWidthTwips = 900;
inline constexpr int32_t kDefaultHeightTwips = 315;

// 1440 twips make an inch.
inline double TwipsPerPixel(int dpi) {
  return 1440.0 / (dpi > 0 ? dpi : gdi::kDefaultDpi);
}

// An outer size in twips from a window size in pixels, halves to even (one pixel at 192
// dpi is 7.5 twips and becomes 8; three pixels, 22.5 twips, become 22).
inline int32_t TwipsFromPixels(int64_t pixels, int dpi) {
  return RoundToInt32(static_cast<double>(pixels) * TwipsPerPixel(dpi));
}

// The window's size in whole pixels for an outer size in twips, halves to even.
inline int32_t WindowPixels(int32_t twips, int dpi) {
  return RoundToInt32(twips / TwipsPerPixel(dpi));
}

// Whether a window of width x height pixels may exist: negative sizes never, and no more
// pixels than the largest bitmap the raster device makes.
inline bool FitsBitmapCap(int64_t width, int64_t height) {
  return width >= 0 && height >= 0 && width * height <= gdi::kMaxBitmapPixels;
}

// A colour the window system cannot translate (an unknown system colour, a malformed high
// byte) is refused with "Invalid property value".
inline void CheckColor(OLE_COLOR color) {
  if (OleTranslateColor(color, 0, nullptr) != S_OK) Raise(err::kInvalidPropertyValue);
}

// A control always has a font: Nothing is refused with "Invalid property value".
inline void CheckFont(const StdFontRef& font) {
  if (!font) Raise(err::kInvalidPropertyValue);
}

// The framework events in the order a host delivers them: Initialize first; then
// InitProperties for a new placement, or ReadProperties for one loaded from a stored form
// (WriteProperties whenever the form is saved); Resize once the control has its size; Paint; later
// Resize whenever the outer size changes (never for a size it already has) and Paint
// whenever the window asks; Terminate last.
inline constexpr const char* kInitialize = "UserControl_Initialize";
inline constexpr const char* kInitProperties = "UserControl_InitProperties";
inline constexpr const char* kReadProperties = "UserControl_ReadProperties";
inline constexpr const char* kWriteProperties = "UserControl_WriteProperties";
inline constexpr const char* kResize = "UserControl_Resize";
inline constexpr const char* kPaint = "UserControl_Paint";
inline constexpr const char* kTerminate = "UserControl_Terminate";

}  // namespace vg::window_rules
