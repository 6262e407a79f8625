// Feeds arbitrary bytes to the form reader as a .ui file and loads every Varigauge in it
// into a headless host, then stores it back: a clear FormError or automation error, never a
// crash, a hang or a leak.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "control/varigauge.h"
#include "forms/form_error.h"
#include "forms/ui_form.h"
#include "platform/automation/conversions.h"
#include "platform/automation/errors.h"
#include "platform/host/headless_host.h"

namespace {

// Block counts are refused only when memory cannot hold them; a fuzzer's input that asks
// for millions of blocks would spend its time filling them, not finding faults.
constexpr int32_t kMaxBlocks = 4096;

bool ReasonableCount(vg::forms::JsonPropertyBag& bag) {
  try {
    return vg::ToDouble(bag.ReadProperty("Blocks", vg::Variant::Long(0))) <= kMaxBlocks;
  } catch (const vg::AutomationError&) {
    return true;  // the control will refuse it itself
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  try {
    vg::forms::UiForm form = vg::forms::UiForm::Parse(bytes, "fuzz.ui");
    for (const std::string& name : form.Controls()) {
      vg::forms::JsonPropertyBag bag = form.Bag(name);
      if (!ReasonableCount(bag)) continue;
      vg::HeadlessHost host;
      try {
        host.Load([](vg::UserControl& site) { return std::make_shared<vg::Varigauge>(site); }, bag);
        vg::forms::JsonPropertyBag saved;
        host.WriteProperties(saved);
        form.StoreControl(name, std::move(saved), 60, 21);
      } catch (const vg::AutomationError&) {
      }
    }
    form.ToString();
  } catch (const vg::forms::FormError&) {
  }
  return 0;
}
