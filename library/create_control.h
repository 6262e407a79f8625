#pragma once
// Making a control by its class name: by ProgID ("Varigauge_by_Brevantis.Varigauge") or by
// its CLSID in registry form. A control made this way has no form around it, so it lives
// in a headless host of its own, placed as new (defaults, the framework's default outer
// size of 900 x 315 twips) in a running program.
#include <memory>
#include <string_view>

#include "control/varigauge.h"
#include "platform/host/headless_host.h"

namespace vg {

// A control together with the host it lives in; late binding reaches the control.
class HostedControl : public DispatchObject {
 public:
  // Places a new control in a headless host of `options` (default 900 x 315 twips).
  explicit HostedControl(HeadlessHostOptions options = {});
  ~HostedControl() override;
  HostedControl(const HostedControl&) = delete;
  HostedControl& operator=(const HostedControl&) = delete;

  // The control, for its typed members, and the host it lives in.
  Varigauge& control() { return *control_; }
  HeadlessHost& host() { return host_; }

  // DispatchObject: late binding, passed on to the control.
  std::string TypeName() const override { return control_->TypeName(); }
  DISPID GetIDOfName(std::string_view name) const override { return control_->GetIDOfName(name); }
  Variant Invoke(DISPID id, uint16_t kind, Args args) override {
    return control_->Invoke(id, kind, args);
  }

 private:
  HeadlessHost host_;
  std::shared_ptr<Varigauge> control_;
};

// True when `name` is the control's ProgID (compared without regard to case, as the
// registry does) or its CLSID (braces required, hex digits in either case).
bool NamesVarigauge(std::string_view name);

// A new control, or null when `progid_or_clsid` names no class of this library.
std::shared_ptr<HostedControl> CreateControl(std::string_view progid_or_clsid);

}  // namespace vg
