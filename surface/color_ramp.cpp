#include "surface/color_ramp.h"

#include <cmath>

#include "platform/automation/conversions.h"
#include "platform/gdi/gdi.h"
#include "surface/gradient_bands.h"
#include "surface/wide_rect.h"

namespace vg {
namespace {

struct RampState {
  int32_t DisplayDepth = 0;
  int16_t ColorLevels = 0;
};

// One set per thread: previews live on the thread of their dialog.
thread_local RampState state;

// A member of the box read by name; whatever the box cannot answer reads as empty.
Variant Read(DispatchObject& box, const char* name) {
  DispatchResult r = Invoke(box, name, DISPATCH_METHOD | DISPATCH_PROPERTYGET, Args{});
  return r.ok() ? r.value : Variant();
}

int32_t ReadLong(DispatchObject& box, const char* name) {
  try {
    return ToLong(Read(box, name));
  } catch (const AutomationError&) {
    return 0;  // not a number, or beyond a Long
  }
}

// A device context handle is 64 bits wide; boxes hand it over as a Double (exact up to
// 2^53) or as a Long.
gdi::HDC ReadHdc(DispatchObject& box) {
  const Variant v = Read(box, "hDC");
  switch (v.type()) {
    case VarType::Double: {
      const double d = v.double_value();
      return d >= 0.0 && d < 9007199254740992.0 ? static_cast<gdi::HDC>(d) : 0;
    }
    case VarType::Long:
      return static_cast<gdi::HDC>(static_cast<uint32_t>(v.long_value()));
    default:
      return 0;
  }
}

}  // namespace

int32_t SetColorDepth(DispatchObject& box) {
  int32_t depth = gdi::GetDeviceCaps(ReadHdc(box), gdi::BITSPIXEL);
  depth *= gdi::GetDeviceCaps(ReadHdc(box), gdi::PLANES);
  state.ColorLevels = ColorLevelsForDepth(&depth);
  state.DisplayDepth = depth;
  return depth;
}

int16_t RampColorLevels() {
  return state.ColorLevels;
}

void PaintColorRamp(DispatchObject& box, int16_t style, int16_t granularity, int32_t startColor,
                    int32_t endColor) {
  if (style < 1 || style > 12) return;
  if (state.ColorLevels == 0) SetColorDepth(box);
  const WideRect inner{ReadLong(box, "ScaleLeft"), ReadLong(box, "ScaleTop"),
                       ReadLong(box, "ScaleWidth"), ReadLong(box, "ScaleHeight")};
  GradientPass passes[2];
  const int count =
      SetupGradient(style, granularity, state.ColorLevels, inner, startColor, endColor, passes);
  for (int i = 0; i < count; ++i) PaintGradientPass(ReadHdc(box), passes[i]);
}

}  // namespace vg
