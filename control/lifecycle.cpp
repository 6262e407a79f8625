// Creation, new placement, resizing, painting and destruction of a control.
#include "control/varigauge.h"
#include "platform/automation/numeric.h"

namespace vg {

Varigauge::Varigauge(UserControl& host) : host_(host) {}

Varigauge::~Varigauge() = default;

std::shared_ptr<ControlEvents> Varigauge::Create(UserControl& host) {
  return std::make_shared<Varigauge>(host);
}

void Varigauge::MakeSurface() {
  surface_ = std::make_unique<OffScreenDC>();
  surface_->Initialize(host_.hDC(), RoundToInt32(host_.ScaleWidth()),
                       RoundToInt32(host_.ScaleHeight()));
}

void Varigauge::UserControl_Initialize() {
  // No drawing here: Redraw is still false until the control is configured.
  MakeSurface();
  picture1_ = std::make_unique<PictureBox>();
}

void Varigauge::UserControl_InitProperties() {
  twips_per_pixel_x_ = static_cast<int16_t>(RoundToInt32(host_.TwipsPerPixelX()));
  twips_per_pixel_y_ = static_cast<int16_t>(RoundToInt32(host_.TwipsPerPixelY()));
  // Through the property, so the host hears of it; the pass it runs draws nothing yet.
  putref_Font(host_.AmbientFont());

  ControlState& s = state_;
  blocks_.set_count(0);
  s.back_color = defaults::kBackColor;
  s.border_style = defaults::kBorderStyle;
  s.border_width = defaults::kBorderWidth;
  s.h_min_value = 0;
  s.h_max_value = defaults::kHMaxValue;
  s.v_min_value = 0;
  s.v_max_value = defaults::kVMaxValue;
  s.brush_style = 0;
  s.brush_color = 0;
  s.caption.clear();
  s.orientation = 0;
  s.special_clear_all_block = 0;
  s.disabled_color = defaults::kDisabledColor;
  s.caption_alignment = 0;
  s.caption_offset = defaults::kCaptionOffset;
  s.caption_angle = 0;
  s.caption_auto_angle = 0;
  s.caption_font_3d = 0;
  s.dont_refresh_after_property_page = false;
  s.redraw = true;
  s.timer_time_interval = defaults::kTimerTimeInterval;
  s.timer_time_enabled = false;
  s.timer_disk_interval = defaults::kTimerDiskInterval;
  s.timer_disk_enabled = false;
  s.rivets_style = 0;
  s.gradient_style = 0;
  s.gradient_granularity = 0;
  s.gradient_color = defaults::kGradientColor;
  s.gradient_color_end = 0;
  s.picture = StdPicture::Empty();
  s.picture_auto_size = 0;
  s.picture_tile = 0;
  s.picture_offset = defaults::kPictureOffset;
  s.picture_alignment = 0;
}

void Varigauge::UserControl_Resize() {
  // A surface never changes size: drop the old one (releasing its context and bitmap)
  // before making one of the new size. The paint request that follows draws.
  surface_.reset();
  MakeSurface();
}

void Varigauge::UserControl_Paint() {
  RenderPass();
}

void Varigauge::Refresh() {
  RenderPass();
}

void Varigauge::UserControl_Terminate() {
  surface_.reset();
  picture1_.reset();
}

}  // namespace vg
