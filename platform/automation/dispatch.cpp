#include "platform/automation/dispatch.h"

#include <new>

namespace vg {

bool NameEquals(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]);
    unsigned char y = static_cast<unsigned char>(b[i]);
    if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

DispatchResult Invoke(DispatchObject& object, DISPID id, uint16_t kind, Args args) {
  DispatchResult result;
  try {
    result.value = object.Invoke(id, kind, args);
  } catch (const AutomationError& e) {
    result.error = e.number();
    result.description = e.description();
  } catch (const std::bad_alloc&) {
    result.error = err::kOutOfMemory;
    result.description = std::string(ErrorDescription(err::kOutOfMemory));
  } catch (const std::exception& e) {
    result.error = err::kInternalError;
    result.description = std::string(ErrorDescription(err::kInternalError));
  }
  return result;
}

DispatchResult Invoke(DispatchObject& object, std::string_view name, uint16_t kind, Args args) {
  DISPID id = object.GetIDOfName(name);
  if (id == DISPID_UNKNOWN) {
    DispatchResult result;
    result.error = err::kNotSupported;
    result.description = std::string(ErrorDescription(err::kNotSupported));
    return result;
  }
  return Invoke(object, id, kind, args);
}

}  // namespace vg
