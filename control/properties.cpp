// Control-wide properties: store the value, tell the host which property changed, redraw.
#include <cstdlib>

#include "control/varigauge.h"
#include "platform/automation/errors.h"

namespace vg {

void Varigauge::Notify(DISPID member) {
  const MemberRow* row = FindMember(member);
  host_.PropertyChanged(std::string(row ? row->name : std::string_view()));
}

void Varigauge::Changed(DISPID member) {
  Notify(member);
  Draw();
}

void Varigauge::put_Redraw(bool v) {
  state_.redraw = v;
  Changed(dispid::kRedraw);
}

void Varigauge::put_BackColor(OLE_COLOR v) {
  host_.SetBackColor(v);  // the window's own background first; may refuse the value
  state_.back_color = v;
  Changed(dispid::kBackColor);
}

OLE_COLOR Varigauge::get_ForeColor() const {
  return host_.ForeColor();
}
void Varigauge::put_ForeColor(OLE_COLOR v) {
  host_.SetForeColor(v);
  Changed(dispid::kForeColor);
}

bool Varigauge::get_Enabled() const {
  return host_.Enabled();
}
void Varigauge::put_Enabled(bool v) {
  host_.SetEnabled(v);
  Changed(dispid::kEnabled);
}

StdFontRef Varigauge::get_Font() const {
  return host_.Font();
}
void Varigauge::putref_Font(StdFontRef font) {
  host_.SetFont(std::move(font));
  Changed(dispid::kFont);
}

int32_t Varigauge::get_hWnd() const {
  return static_cast<int32_t>(host_.hWnd());
}

void Varigauge::put_BorderWidth(int16_t v) {
  state_.border_width = v;
  Changed(dispid::kBorderWidth);
}

void Varigauge::put_BorderStyle(int32_t v) {
  state_.border_style = v;
  Changed(dispid::kBorderStyle);
}

void Varigauge::put_HMinValue(int16_t v) {
  state_.h_min_value = v;
  Changed(dispid::kHMinValue);
}

void Varigauge::put_HMaxValue(int16_t v) {
  state_.h_max_value = v;
  Changed(dispid::kHMaxValue);
}

void Varigauge::put_VMinValue(int16_t v) {
  state_.v_min_value = v;
  Changed(dispid::kVMinValue);
}

void Varigauge::put_VMaxValue(int16_t v) {
  state_.v_max_value = v;
  Changed(dispid::kVMaxValue);
}

void Varigauge::put_BrushStyle(int32_t v) {
  state_.brush_style = v;
  Changed(dispid::kBrushStyle);
}

void Varigauge::put_BrushColor(OLE_COLOR v) {
  state_.brush_color = v;
  Changed(dispid::kBrushColor);
}

void Varigauge::put_Caption(const std::string& v) {
  state_.caption = v;
  Changed(dispid::kCaption);
}

void Varigauge::put_CaptionAlignment(int32_t v) {
  state_.caption_alignment = v;
  Changed(dispid::kCaptionAlignment);
}

void Varigauge::put_DisabledColor(OLE_COLOR v) {
  state_.disabled_color = v;
  Changed(dispid::kDisabledColor);
}

void Varigauge::put_Orientation(int32_t v) {
  state_.orientation = v;
  Changed(dispid::kOrientation);
}

void Varigauge::put_CaptionOffset(int16_t v) {
  state_.caption_offset = v;
  Changed(dispid::kCaptionOffset);
}

void Varigauge::put_CaptionAngle(int16_t v) {
  // C++'s remainder takes the dividend's sign, as the stored form expects: -400 -> 40.
  state_.caption_angle = static_cast<int16_t>(std::abs(v % 360));
  Changed(dispid::kCaptionAngle);
}

void Varigauge::put_CaptionAutoAngle(int32_t v) {
  state_.caption_auto_angle = v;
  Changed(dispid::kCaptionAutoAngle);
}

bool Varigauge::get_DontRefreshAfterPropertyPage() const {
  if (host_.AmbientUserMode()) Raise(err::kGetNotSupportedAtRunTime);
  return state_.dont_refresh_after_property_page;
}

void Varigauge::put_DontRefreshAfterPropertyPage(bool v) {
  if (host_.AmbientUserMode()) Raise(err::kGetNotSupportedAtRunTime);
  state_.dont_refresh_after_property_page = v;
  Notify(dispid::kDontRefreshAfterPropertyPage);
  if (!v) Draw();  // switching it off redraws once
}

void Varigauge::put_CaptionFont3D(int32_t v) {
  state_.caption_font_3d = v;
  Notify(dispid::kCaptionFont3D);
  if (!state_.dont_refresh_after_property_page) Draw();
}

void Varigauge::put_RivetsStyle(int32_t v) {
  state_.rivets_style = v;
  Changed(dispid::kRivetsStyle);
}

void Varigauge::put_GradientStyle(int32_t v) {
  state_.gradient_style = v;
  Changed(dispid::kGradientStyle);
}

void Varigauge::put_GradientColor(OLE_COLOR v) {
  state_.gradient_color = v;
  Changed(dispid::kGradientColor);
}

void Varigauge::put_GradientColorEnd(OLE_COLOR v) {
  state_.gradient_color_end = v;
  Changed(dispid::kGradientColorEnd);
}

void Varigauge::put_GradientGranularity(int32_t v) {
  state_.gradient_granularity = v;
  Changed(dispid::kGradientGranularity);
}

void Varigauge::putref_Picture(StdPictureRef picture) {
  state_.picture = std::move(picture);
  Changed(dispid::kPicture);
}

void Varigauge::put_PictureAutoSize(int32_t v) {
  state_.picture_auto_size = v;
  Changed(dispid::kPictureAutoSize);
}

void Varigauge::put_PictureTile(int32_t v) {
  state_.picture_tile = v;
  Changed(dispid::kPictureTile);
}

void Varigauge::put_PictureOffset(int16_t v) {
  state_.picture_offset = v;
  Changed(dispid::kPictureOffset);
}

void Varigauge::put_PictureAlignment(int32_t v) {
  state_.picture_alignment = v;
  Changed(dispid::kPictureAlignment);
}

}  // namespace vg
