// Creation, new placement, resizing, painting and destruction of a control.
#include "control/members.h"
#include "control/varigauge.h"
#include "platform/automation/numeric.h"

namespace vg {

Varigauge::Varigauge(UserControl& host)
    : host_(host), pass_(host), timers_(host, [this] { Draw(); }) {}

Varigauge::~Varigauge() = default;

std::shared_ptr<Varigauge> Varigauge::Create(UserControl& host) {
  return std::make_shared<Varigauge>(host);
}

void Varigauge::UserControl_Initialize() {
  // No drawing here: Redraw is still false until the control is configured.
  pass_.Open();
  timers_.Open();
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
  // Both timers stopped, at the intervals just set.
  timers_.Reset(state_.timer_time_interval, state_.timer_disk_interval);
}

void Varigauge::UserControl_Resize() {
  // The paint request that follows draws.
  pass_.Resize();
}

void Varigauge::UserControl_Paint() {
  Draw();
}

void Varigauge::Refresh() {
  Draw();
}

void Varigauge::Draw() {
  pass_.Run(state_, blocks_);
}

void Varigauge::UserControl_Terminate() {
  pass_.Close();
  timers_.Close();
}

}  // namespace vg
