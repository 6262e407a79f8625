#pragma once
// The property bag a host lends its control when a form is saved or loaded: named values,
// names matched without regard to letter case. How the host lays the values out in its
// stored form is its own business; the control sees only these two operations.
#include <string_view>

#include "platform/automation/variant.h"

namespace vg {

class PropertyBag {
 public:
  virtual ~PropertyBag() = default;
  // The value stored under `name`, or `default_value` when the name is absent. A failure of
  // the bag raises an AutomationError.
  virtual Variant ReadProperty(std::string_view name, const Variant& default_value) = 0;
  // Stores `value` under `name`; a value equal to `default_value` is not stored at all, so
  // that reading it back yields the default.
  virtual void WriteProperty(std::string_view name, const Variant& value,
                             const Variant& default_value) = 0;
};

}  // namespace vg
