#include "library/create_control.h"

#include "control/identity.h"
#include "library/com_strings.h"

namespace vg {

HostedControl::HostedControl(HeadlessHostOptions options)
    : host_(options), control_(Varigauge::PlaceIn(host_)) {
  // Placing the control is not news to anyone: start the records empty.
  host_.TakeNotifications();
  host_.TakeEvents();
}

HostedControl::~HostedControl() {
  // Ends the control; what its Terminate raises must not leave a destructor.
  GuardBoundary(
      "terminate", [this] { host_.Destroy(); }, [](const BoundaryFault&) {});
}

bool NamesVarigauge(std::string_view name) {
  if (NameEquals(name, identity::kProgID)) return true;
  com::GUID wanted, given;
  return com::ParseGuid(identity::kClassGuid, &wanted) && com::ParseGuid(name, &given) &&
         wanted == given;
}

std::shared_ptr<HostedControl> CreateControl(std::string_view progid_or_clsid) {
  if (!NamesVarigauge(progid_or_clsid)) return nullptr;
  return std::make_shared<HostedControl>();
}

}  // namespace vg
