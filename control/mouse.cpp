// Mouse notifications and the About members.
#include <exception>

#include "control/geometry.h"
#include "control/type_library.h"
#include "control/varigauge.h"
#include "platform/automation/conversions.h"

namespace vg {
namespace {

// Raises an event without arguments; an error the host's handler raises ends the
// notification quietly, so nothing reaches the window system.
void RaiseQuietly(UserControl& host, DISPID id) {
  std::vector<Variant> none;
  try {
    host.RaiseEventById(id, std::string(EventOf(id).name), none);
  } catch (const std::exception&) {
  }
}

}  // namespace

void Varigauge::UserControl_MouseUp(int16_t /*button*/, int16_t /*shift*/, float x, float y) {
  const int32_t hit = HitTest(blocks_, state_.orientation, pass_.scales(), x, y);
  // The argument goes by reference; what the handler leaves in it is not looked at.
  std::vector<Variant> args{Variant::Integer(CheckedInteger(hit))};
  host_.RaiseEventById(event_id::kBlockClicked, "BlockClicked", args);
}

void Varigauge::UserControl_Click() {
  RaiseQuietly(host_, event_id::kClick);
}

void Varigauge::UserControl_DblClick() {
  RaiseQuietly(host_, event_id::kDblClick);
}

// The host builds a fresh About box for each call and releases it when it is closed.
void Varigauge::About() {
  host_.ShowAboutBox();
}

void Varigauge::ShowAboutBox() {
  host_.ShowAboutBox();
}

}  // namespace vg
