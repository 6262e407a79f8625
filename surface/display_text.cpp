// DisplayText: the Text attribute on one line in the current rectangle, placed by alignment
// and offset or centred and turned, embossed, clipped one pixel inside.
#include <cmath>
#include <cstring>

#include "platform/automation/numeric.h"
#include "platform/gdi/gdi.h"
#include "surface/gdi_guards.h"
#include "surface/off_screen_dc.h"
#include "surface/placement.h"

namespace vg {
namespace {

// The Font3D styles: an embossed text has a copy of itself one pixel up and left (raised)
// or down and right (inset), in white (light) or grey (shadow), under it.
enum Font3D : int32_t {
  kFlat = 0,
  kRaisedLight = 1,
  kInsetLight = 2,
  kRaisedShadow = 3,
  kInsetShadow = 4,
};
constexpr COLORREF kLightCopy = 0xFFFFFF;
constexpr COLORREF kShadowCopy = 0x808080;
constexpr int32_t kNormalWeight = 400;
constexpr int32_t kBoldWeight = 700;

// The font record of turned text: the text font's attributes, escapement in tenths of a
// degree, height from points at the device's vertical twips per pixel.
gdi::LOGFONTA TurnedFontRecord(const StdFont& font, double angle, int dpi) {
  gdi::LOGFONTA lf;
  double twips_per_pixel = 1440.0 / (dpi > 0 ? dpi : gdi::kDefaultDpi);
  lf.lfHeight = -RoundToInt32(font.Size() * 20.0 / twips_per_pixel);
  lf.lfWidth = 0;
  lf.lfEscapement = RoundToInt32(angle * 10.0);
  lf.lfOrientation = 0;
  lf.lfWeight = font.Bold() ? kBoldWeight : kNormalWeight;
  lf.lfItalic = font.Italic() ? 255 : 0;
  lf.lfUnderline = font.Underline() ? 255 : 0;
  lf.lfStrikeOut = font.Strikethrough() ? 255 : 0;
  lf.lfCharSet = 0;
  lf.lfOutPrecision = 0;
  lf.lfClipPrecision = 0;
  lf.lfQuality = 2;
  lf.lfPitchAndFamily = 2;
  size_t n = std::min(font.Name().size(), static_cast<size_t>(gdi::kLfFaceSize - 1));
  std::memcpy(lf.lfFaceName, font.Name().data(), n);
  lf.lfFaceName[n] = '\0';
  return lf;
}

}  // namespace

gdi::LOGFONTA OffScreenDC::TurnedFont(double angle) const {
  return text_font_ ? TurnedFontRecord(*text_font_, angle, Dpi()) : gdi::LOGFONTA{};
}

void OffScreenDC::DisplayText() {
  if (text_.empty()) return;
  const WideRect t = ContentArea(rect_, rivets_style_, scale_);

  float angle = 0.0f;
  const int64_t tw = t.right - t.left, th = t.bottom - t.top;
  switch (text_auto_angle_) {
    case 0:
      angle = text_angle_;
      break;
    case 1:
      if (tw != 0)
        angle = static_cast<float>(std::atan(static_cast<double>(th) / tw) * 180.0 / 3.14159);
      break;
    case 2:
      if (tw != 0)
        angle =
            static_cast<float>(360.0 - std::atan(static_cast<double>(th) / tw) * 180.0 / 3.14159);
      break;
    default:
      break;
  }

  // Unturned text uses the font object's own handle; turned text a font made for this call.
  const int dpi = Dpi();
  OwnedObject created;
  gdi::HFONT font = 0;
  if (angle == 0.0f) {
    font = text_font_ ? text_font_->hFont(dpi) : 0;
  } else if (text_font_) {
    gdi::LOGFONTA lf = TurnedFontRecord(*text_font_, angle, dpi);
    created.Reset(gdi::CreateFontIndirectA(&lf));
    font = created.get();
  }
  const Selection selected(mem_dc_, font);

  // Laid out once: measured here, drawn below (twice when embossed) without looking a glyph
  // up again.
  gdi::TextLayout layout;
  gdi::LayoutTextA(mem_dc_, text_.data(), static_cast<int>(text_.size()), &layout);
  const int32_t cx = layout.size.cx, cy = layout.size.cy;

  int64_t x = 0, y = 0;
  if (angle == 0.0f) {
    const Placement at = PlaceByAlignment(text_alignment_, t, scale_.Px(text_offset_), cx, cy);
    x = at.x;
    y = at.y;
  } else {
    // The centre of the turned text box on the centre of T. The edges are exact in double.
    const double a = angle * 0.0174532925;
    const double l = static_cast<double>(t.left), tp = static_cast<double>(t.top);
    x = RoundToInt32((static_cast<double>(t.right) - l) / 2.0 + l - cx / 2.0 * std::cos(a) -
                     cy / 2.0 * std::sin(a));
    y = RoundToInt32((static_cast<double>(t.bottom) - tp) / 2.0 + tp + cx / 2.0 * std::sin(a) -
                     cy / 2.0 * std::cos(a));
  }
  if (!selected) return;  // no font could be made or selected: nothing is drawn

  const BkModeScope transparent(mem_dc_, gdi::TRANSPARENT);
  const int64_t one = scale_.Px(1);  // the clip margin and the emboss shift
  const gdi::RECT clip = Saturated({t.left + one, t.top + one, t.right - one, t.bottom - one});
  COLORREF copy_color = 0;
  int64_t shift = 0;
  switch (font_3d_) {
    case kRaisedLight:
      copy_color = kLightCopy, shift = -one;
      break;
    case kInsetLight:
      copy_color = kLightCopy, shift = one;
      break;
    case kRaisedShadow:
      copy_color = kShadowCopy, shift = -one;
      break;
    case kInsetShadow:
      copy_color = kShadowCopy, shift = one;
      break;
    case kFlat:
    default:
      break;
  }
  if (shift != 0) {
    gdi::SetTextColor(mem_dc_, copy_color);
    gdi::ExtTextOutLayout(mem_dc_, Saturate32(x + shift), Saturate32(y + shift), gdi::ETO_CLIPPED,
                          &clip, layout);
  }
  gdi::SetTextColor(mem_dc_, Rgb(text_color_));
  gdi::ExtTextOutLayout(mem_dc_, Saturate32(x), Saturate32(y), gdi::ETO_CLIPPED, &clip, layout);
}

}  // namespace vg
