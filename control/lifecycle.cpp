// Creation, new placement, resizing, painting and destruction of a control.
#include "control/members.h"
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

void Varigauge::RecordTwipsPerPixel() {
  twips_per_pixel_x_ = static_cast<int16_t>(RoundToInt32(host_.TwipsPerPixelX()));
  twips_per_pixel_y_ = static_cast<int16_t>(RoundToInt32(host_.TwipsPerPixelY()));
}

void Varigauge::UserControl_InitProperties() {
  RecordTwipsPerPixel();
  // Through the property, so the host hears of it; the pass it runs draws nothing yet.
  putref_Font(host_.AmbientFont());

  // Every other value the control keeps starts at its row's default, stored plainly
  // without notifying the host. Values the framework keeps (ForeColor, Enabled) start as
  // the framework's own.
  for (const MemberRow& row : Members()) {
    if (!row.access.store || row.Has(kHostKept) || row.Has(kKeepOnInit)) continue;
    row.access.store(*this, row.def.Make(&host_));
  }
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
